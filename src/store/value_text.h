// The text a decoded value is kept and shown through: the sheets read their
// numbers back from it, so a value shows the digits its text holds.
#pragma once

#include <cstdint>
#include <string>

// Longest text kept of a value.
constexpr std::size_t VALUE_TEXT_SIZE = 99;

// A real as the shortest decimal text that reads back as the same
// single-precision value, never in exponent notation ("0.00125"), at most
// VALUE_TEXT_SIZE characters.
std::string SlotTextOf(float value);
// An integer in plain decimal.
std::string SlotTextOf(int32_t value);

// The first `characters` characters of `text` read as a decimal real (0 when
// they do not start with a number).
double SlotReal(const std::string& text, int characters = 10);
// A real as the sheets read it back from its text.
double SlotReal(float value, int characters = 10);

// The plain decimal form of a number written in exponent notation; text
// without "e" comes back unchanged.
std::string WithoutExponent(const std::string& text);
