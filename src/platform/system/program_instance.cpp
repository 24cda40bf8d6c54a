#include "platform/system/program_instance.h"

#include <cstdint>
#include <cstdio>

std::string ProgramInstanceName(const std::string& programFolder) {
    // FNV-1a: stable across builds and systems, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : programFolder) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("BriskelView-") + digits;
}
