// Bounded searches in the instrument's answers. An answer buffer is never
// trusted to hold a NUL: every search stops at the buffer's size.
#pragma once

#include <cstddef>

// Length of the text in `buffer`: up to its first NUL, at most `size`.
std::size_t TextLength(const char* buffer, std::size_t size);
// Position of `needle` in the first `length` characters of `text` at or after
// `from`, ignoring case; -1 when absent.
long FindNoCase(const char* text, std::size_t length, const char* needle, std::size_t from = 0);
// Position of the character `c` (exact) in text[from, length); -1 when absent.
long FindChar(const char* text, std::size_t length, char c, std::size_t from = 0);
// True when `a` and `b` are the same text, ignoring case.
bool EqualsNoCase(const char* a, const char* b);
// Clears min(count, size) bytes.
void ClearBytes(char* buffer, std::size_t size, std::size_t count);
bool IsDigit(char c);
// Value of a hexadecimal digit of either case; -1 for any other character.
int HexValue(char c);
bool IsLetter(char c);
bool IsLetterOrDigit(char c);
// A byte that carries nothing before an answer: NUL, or 0x9D, which the
// serial library's time-out code also yields as a byte.
bool IsNothing(char c);
