// The text of a decoded value and its reading back.
#include "store/value_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "[+-]digits[.digits]" with at least one digit.
bool IsPlainDecimal(const std::string& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            digit = true;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

// Moves the decimal point of a plain decimal text by `shift` places (positive =
// to the right). Working on the digits keeps the value exact: no rounding on
// the way, so the text still names the value the instrument sent.
std::string ShiftDecimalPoint(const std::string& mantissa, int shift) {
    std::string sign, digits;
    int integerDigits = 0;
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '+' || c == '-') {
            if (c == '-') sign = "-";
        } else if (c == '.') {
            seenPoint = true;
        } else {
            digits += c;
            if (!seenPoint) ++integerDigits;
        }
    }
    int point = integerDigits + shift;
    std::string whole, fraction;
    if (point <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        whole = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(point));
        fraction = digits.substr(static_cast<std::size_t>(point));
    }
    std::size_t firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string::npos ? "0" : whole.substr(firstSignificant);
    std::size_t lastSignificant = fraction.find_last_not_of('0');
    fraction = lastSignificant == std::string::npos ? "" : fraction.substr(0, lastSignificant + 1);
    return sign + whole + (fraction.empty() ? "" : "." + fraction);
}

// Fixed notation of a double, the shortest text that reads back as it.
std::string FixedText(double value) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return "0";
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string SlotTextOf(float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find('e') != std::string::npos) text = WithoutExponent(text);
    return text.substr(0, VALUE_TEXT_SIZE);
}

std::string SlotTextOf(int32_t value) {
    return std::to_string(value);
}

double SlotReal(const std::string& text, int characters) {
    if (characters <= 0) return 0;
    const std::string start = text.substr(0, static_cast<std::size_t>(characters));
    return std::strtod(start.c_str(), nullptr);
}

double SlotReal(float value, int characters) {
    return SlotReal(SlotTextOf(value), characters);
}

std::string WithoutExponent(const std::string& text) {
    // Only the first 20 characters count; a real's text is never longer.
    std::string copy = text.substr(0, 20);
    std::size_t e = copy.find('e');
    if (e == std::string::npos) return text;
    std::string mantissa = copy.substr(0, e);
    bool negative = e + 1 < copy.size() && copy[e + 1] == '-';
    int exponent = 0;
    for (std::size_t i = e + 2; i < copy.size() && i < e + 4 && IsDigit(copy[i]); ++i) {
        exponent = exponent * 10 + (copy[i] - '0');
    }
    if (negative) exponent = -exponent;
    if (IsPlainDecimal(mantissa)) return ShiftDecimalPoint(mantissa, exponent);
    // A mantissa that is not a plain decimal ("inf", garbage) is taken for
    // what strtod makes of it.
    double value = std::strtod(mantissa.c_str(), nullptr);
    if (!std::isfinite(value)) return text;
    return FixedText(value * std::pow(10.0, exponent));
}
