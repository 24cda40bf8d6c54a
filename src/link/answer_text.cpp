#include "link/answer_text.h"

#include <algorithm>
#include <cctype>
#include <cstring>

std::size_t TextLength(const char* buffer, std::size_t size) {
    return strnlen(buffer, size);
}

long FindNoCase(const char* text, std::size_t length, const char* needle, std::size_t from) {
    const std::size_t n = std::strlen(needle);
    if (n == 0 || n > length) return -1;
    for (std::size_t i = from; i + n <= length; ++i) {
        std::size_t k = 0;
        while (k < n && std::tolower(static_cast<unsigned char>(text[i + k])) ==
                            std::tolower(static_cast<unsigned char>(needle[k])))
            ++k;
        if (k == n) return static_cast<long>(i);
    }
    return -1;
}

long FindChar(const char* text, std::size_t length, char c, std::size_t from) {
    for (std::size_t i = from; i < length; ++i)
        if (text[i] == c) return static_cast<long>(i);
    return -1;
}

bool EqualsNoCase(const char* a, const char* b) {
    const std::size_t n = std::strlen(a);
    return n == std::strlen(b) && FindNoCase(a, n, b) == 0;
}

void ClearBytes(char* buffer, std::size_t size, std::size_t count) {
    std::memset(buffer, 0, std::min(size, count));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsLetterOrDigit(char c) {
    return IsDigit(c) || IsLetter(c);
}

bool IsNothing(char c) {
    return c == 0 || static_cast<unsigned char>(c) == 0x9D;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
