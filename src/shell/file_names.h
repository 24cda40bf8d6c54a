// File names as people type them: the letters and digits of any alphabet,
// blanks and punctuation stay; only what a file name on Windows or Linux
// cannot hold, or what would make it read otherwise than it is, is replaced.
// Plain text functions, the same on every system, for every name the program
// composes from typed or received text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest file name both systems take: 255 bytes on Linux, 255 UTF-16
// units on Windows.
constexpr std::size_t MAX_FILE_NAME_BYTES = 255;
constexpr std::size_t MAX_FILE_NAME_UNITS = 255;

// `typed` as a part of a file name. Each character a file name cannot hold
// (< > : " / \ | ? * and control characters), each invalid UTF-8 sequence and
// each invisible format or direction control (U+202E turns "exe.xlsx" round)
// becomes "_"; at most `most` characters; dots and blanks at its end are left
// out (Windows drops them itself); a leading "." (a hidden file) or "-" (read
// as an option) becomes "_". `fallback` when none of the typed characters is
// left.
std::string FileNamePart(std::string_view typed, std::size_t most, std::string_view fallback);

// The length of the well-formed UTF-8 character at `at` of `text` (its value
// in `c`); 0 for an ill-formed sequence (overlong, a surrogate, past
// U+10FFFF, cut short).
std::size_t Utf8CharacterAt(std::string_view text, std::size_t at, char32_t& c);

// The longest start of `part`, in whole characters, that fits both systems'
// limits with `others` beside it in the same file name; "" when none does.
std::string FitBeside(std::string_view part, std::string_view others);

// `part` + `rest`, `part` shortened by whole characters until the name with
// `reserve` after it (a copy number, the extension) fits both systems' limits.
// A name whose stem (up to its first dot) is a device name Windows reserves
// (CON, PRN, AUX, NUL, COM1, LPT1, ...) gets "_" after its stem.
std::string WholeFileName(std::string_view part, std::string_view rest, std::string_view reserve);
