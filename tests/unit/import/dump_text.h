// Test helpers: a measurement file as the download leaves it in the derived
// text buffer (four lower-case hex digits per little-endian word, file order).
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string DumpDigitsOf(const std::vector<uint8_t>& bytes) {
    std::string digits;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        unsigned low = bytes[i];
        unsigned high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        char word[8];
        std::snprintf(word, sizeof word, "%02x%02x", high, low);
        digits += word;
    }
    return digits;
}

// `count` zero digits with `text` written at digit position `at`.
inline std::string DigitsWith(std::size_t count, std::size_t at, const std::string& text) {
    std::string digits(count, '0');
    digits.replace(at, text.size(), text);
    return digits;
}
