// Cell texts of the sheets: the value formatter `Valeur` with its thousands
// prefix, numbers in fixed fields, the unit cells, the frequency from a period.
// Pure functions of their arguments; nothing here writes a cell.
#pragma once

#include <string>

// Formats `value` by its magnitude (decimals and thousands scaling chosen by
// range; see value_format.cpp). `out` receives the text (at most 20 characters);
// `prefix` receives " k" when the magnitude is 1000 or more and is left as it
// was otherwise.
void Valeur(double value, std::string& out, std::string& prefix);

// A value's text and its thousands prefix ("" or " k"), which its unit cell shows.
struct ValueText {
    std::string text;
    std::string prefix;
};
// Formats `value` with Valeur, with a prefix of its own.
ValueText FormatValue(double value);

// `value` with `decimals` decimals, right-aligned in `width` characters. A
// number never loses digits to its field: a longer one is written whole.
std::string FormatFixed(double value, int width, int decimals);

// The first `width` characters of `text` (characters, not bytes).
std::string Field(const std::string& text, std::size_t width);

// ---- Fixed value texts ----
extern const char* const NOT_APPLICABLE;  // " --- "
extern const char* const OHM;             // "Ohm "
extern const char* const VOLT;            // "V"
extern const char* const AMPERE;          // "A"
extern const char* const HERTZ;           // "Hz"
extern const char* const DEGREE_CELSIUS;  // "°C"
extern const char* const MILLIHENRY;      // " mH "
extern const char* const MILLIAMPERE;     // " mA "
extern const char* const MILLISECOND;     // " ms "

// Unit cell of a resistance just formatted with `prefix`: "Ohm " or " kOhm".
std::string ResistanceUnit(const std::string& prefix);
// Unit cell of a voltage just formatted with `prefix`: "V", or "kV" from 1000 V on.
std::string VoltageUnit(const std::string& prefix);

// Frequency in hertz of a signal whose period is `period` tenths of a
// microsecond; 0 when the period is not above 0.
double FrequencyFromPeriod(double period);
