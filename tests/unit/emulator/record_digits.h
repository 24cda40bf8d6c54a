// Hex digits of a record as the program sees them after "od -hxv" (of an
// answer, or DumpDigitsOf its bytes), and the assemblies it reads them with.
#pragma once

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "unit/import/dump_text.h"

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
