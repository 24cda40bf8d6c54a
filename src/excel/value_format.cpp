#include "excel/value_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const NOT_APPLICABLE = " --- ";
const char* const OHM = "Ohm ";
const char* const VOLT = "V";
const char* const AMPERE = "A";
const char* const HERTZ = "Hz";
const char* const DEGREE_CELSIUS = "°C";
const char* const MILLIHENRY = " mH ";
const char* const MILLIAMPERE = " mA ";
const char* const MILLISECOND = " ms ";

namespace {

constexpr std::size_t VALUE_TEXT_LENGTH = 20;
const char* const THOUSANDS = " k";

bool IsWhole(double x) {
    return std::floor(x) == x;
}

}  // namespace

std::string FormatFixed(double value, int width, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
    return text;
}

// The range of the magnitude m picks the decimals, and from 1000 on the value
// is shown in thousands with the prefix " k":
//   below 0.001 (and 0)      m          width 5, 1 decimal
//   0.001 to below 1         m          width 6, 3 decimals
//   1 to below 40            m          width 5, 2 decimals
//   40 to below 400          m          width 5, 1 decimal
//   400 to below 1000        m          width 5, 1 decimal when whole, else none
//   1000 to below 40000      m / 1000   width 6, 3 decimals
//   40000 to below 400000    m / 1000   width 6, 2 decimals
//   400000 to below 4000000  m / 1000   width 6, none when whole, else 1 decimal
//   4000000 and above        m / 1000   width 6, no decimal
void Valeur(double value, std::string& out, std::string& prefix) {
    std::string tabtemp;  // the formatted magnitude, then with its sign
    const bool negative = value < 0;
    const double m = negative ? -value : value;
    if (m < 0.001) {
        tabtemp = FormatFixed(m, 5, 1);
    } else if (m < 1) {
        tabtemp = FormatFixed(m, 6, 3);
    } else if (m < 40) {
        tabtemp = FormatFixed(m, 5, 2);
    } else if (m < 400) {
        tabtemp = FormatFixed(m, 5, 1);
    } else if (m < 1000) {
        tabtemp = FormatFixed(m, 5, IsWhole(m) ? 1 : 0);
    } else {
        const double k = m / 1000;
        if (m < 40000) {
            tabtemp = FormatFixed(k, 6, 3);
        } else if (m < 400000) {
            tabtemp = FormatFixed(k, 6, 2);
        } else if (m < 4000000) {
            tabtemp = FormatFixed(k, 6, IsWhole(k) ? 0 : 1);
        } else {
            tabtemp = FormatFixed(k, 6, 0);
        }
        prefix = THOUSANDS;
    }
    if (negative) tabtemp = "-" + tabtemp;
    out = tabtemp.substr(0, VALUE_TEXT_LENGTH);
}

ValueText FormatValue(double value) {
    ValueText formatted;
    Valeur(value, formatted.text, formatted.prefix);
    return formatted;
}

std::string Field(const std::string& text, std::size_t width) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A UTF-8 continuation byte belongs to the character before it.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters == width) return text.substr(0, i);
        ++characters;
    }
    return text;
}

std::string ResistanceUnit(const std::string& prefix) {
    return Field(prefix + OHM, 5);
}

std::string VoltageUnit(const std::string& prefix) {
    return prefix == THOUSANDS ? std::string("k") + VOLT : std::string(VOLT);
}

double FrequencyFromPeriod(double period) {
    const double seconds = period / 10 / 1000 / 1000;
    return seconds > 0 ? 1 / seconds : 0;
}
