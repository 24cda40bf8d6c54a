// Hex digits of a record as the program sees them after "od -hxv", and the
// three assemblies it reads them with.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace emulator_test {

// The hex digits of a dump answer: every group after a line's offset.
inline std::string dump_digits(const std::string& answer) {
    std::istringstream lines(answer);
    std::string line, digits;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string offset, group;
        words >> offset;
        if (offset.size() != 7 || offset.find_first_not_of("01234567") != std::string::npos)
            continue;
        while (words >> group) digits += group;
    }
    return digits;
}

enum class Assembly { U8, U16, I32, Real };

// The digits "od -hxv" would print for `bytes` (words little-endian).
inline std::string record_digits(const std::vector<uint8_t>& bytes) {
    std::string digits;
    char word[8];
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::snprintf(word, sizeof word, "%02x%02x", i + 1 < bytes.size() ? bytes[i + 1] : 0,
                      bytes[i]);
        digits += word;
    }
    return digits;
}

// A value read as the record tables say: 16 bits = digits p..p+3 high byte
// first; 32 bits = low half at p..p+3, high half at p+4..p+7.
inline double read_field(const std::string& digits, std::size_t p, Assembly assembly) {
    const auto hex = [&](std::size_t at, std::size_t count) {
        return static_cast<uint32_t>(std::stoul(digits.substr(at, count), nullptr, 16));
    };
    switch (assembly) {
        case Assembly::U8:
            return hex(p, 2);
        case Assembly::U16:
            return hex(p, 4);
        case Assembly::I32:
            return static_cast<int32_t>(hex(p, 4) | hex(p + 4, 4) << 16);
        case Assembly::Real: {
            const uint32_t bits = hex(p, 4) | hex(p + 4, 4) << 16;
            float value = 0;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
    }
    return 0;
}

}  // namespace emulator_test
