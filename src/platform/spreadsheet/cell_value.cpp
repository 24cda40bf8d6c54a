#include "platform/spreadsheet/cell_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

const char* const DATE_FORMAT = "mm\\/dd\\/yyyy";

namespace {

// A double holds every decimal of this many digits exactly, so the shown text
// comes back digit for digit.
constexpr std::size_t MAX_NUMBER_DIGITS = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Days since 1 January 1970 of a proleptic Gregorian date.
long DaysFromCivil(long year, long month, long day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long days, long& year, long& month, long& day) {
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = yearOfEra + era * 400 + (month <= 2);
}

// Spreadsheet day numbers count from 30 December 1899 (day 60 is the
// 29 February 1900 that never was, so only later days agree everywhere).
const long EPOCH = DaysFromCivil(1899, 12, 30);
const long FIRST_DAY = DaysFromCivil(1900, 3, 1) - EPOCH;
const long LAST_DAY = DaysFromCivil(9999, 12, 31) - EPOCH;

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool TypeAsNumber(const std::string& text, CellValue& cell) {
    std::size_t i = text.empty() || text[0] != '-' ? 0 : 1;
    const std::size_t integerStart = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const std::size_t integerDigits = i - integerStart;
    std::size_t fractionDigits = 0;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        fractionDigits = i - fractionStart;
        if (fractionDigits == 0) return false;
    }
    if (i != text.size() || integerDigits == 0 ||
        integerDigits + fractionDigits > MAX_NUMBER_DIGITS)
        return false;
    const std::string integer = text.substr(integerStart, integerDigits);
    const std::size_t significant = integer.find_first_not_of('0');
    const bool zero = significant == std::string::npos &&
                      text.find_first_not_of("0.", integerStart) == std::string::npos;
    if (zero && integerStart == 1) return false;
    // Leading zeros are shown only where the text had them ("01" of a two-digit
    // number), so other numbers keep a plain format.
    const bool padded = integerDigits > 1 && integer[0] == '0';
    cell.kind = CellValue::Kind::Number;
    cell.format = std::string(padded ? integerDigits : 1, '0');
    if (fractionDigits > 0) cell.format += "." + std::string(fractionDigits, '0');
    cell.value = (integerStart == 1 ? "-" : "") +
                 (significant == std::string::npos ? "0" : integer.substr(significant)) +
                 text.substr(integerStart + integerDigits);
    return true;
}

bool TypeAsDate(const std::string& text, CellValue& cell) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') return false;
    for (std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(text[i])) return false;
    const int month = std::atoi(text.substr(0, 2).c_str());
    const int day = std::atoi(text.substr(3, 2).c_str());
    const int year = std::atoi(text.substr(6, 4).c_str());
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
    const long serial = DaysFromCivil(year, month, day) - EPOCH;
    if (serial < FIRST_DAY) return false;
    cell.kind = CellValue::Kind::Date;
    cell.value = std::to_string(serial);
    cell.format = DATE_FORMAT;
    return true;
}

// "00.000" → 2 integer digits, 3 decimals; false for any other format.
bool PlainNumberFormat(const std::string& format, std::size_t& integerDigits,
                       std::size_t& decimals) {
    const auto point = format.find('.');
    const std::string integer = format.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : format.substr(point + 1);
    if (integer.empty() || integer.find_first_not_of('0') != std::string::npos) return false;
    if (point != std::string::npos &&
        (fraction.empty() || fraction.find_first_not_of('0') != std::string::npos))
        return false;
    integerDigits = integer.size();
    decimals = fraction.size();
    return integerDigits <= MAX_NUMBER_DIGITS && decimals <= MAX_NUMBER_DIGITS;
}

// from_chars and to_chars ignore the process locale, which Qt sets from the
// desktop: a German desktop must not read "0.523" as 0 nor show "0,523".
bool ParseNumber(const std::string& value, double& number) {
    const char* end = value.data() + value.size();
    const auto result = std::from_chars(value.data(), end, number);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(number);
}

// The number with `decimals` decimals, its integer part padded with zeros to
// `integerDigits` digits.
std::string FixedText(double number, std::size_t integerDigits, std::size_t decimals) {
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, std::fabs(number),
                                      std::chars_format::fixed, static_cast<int>(decimals));
    std::string text(digits, result.ptr);
    const std::size_t shownInteger = std::min(text.find('.'), text.size());
    if (shownInteger < integerDigits) text.insert(0, integerDigits - shownInteger, '0');
    return (number < 0 ? "-" : "") + text;
}

}  // namespace

CellValue TypeOfTypedText(const std::string& typed) {
    const std::string text = TrimBlanks(typed);
    CellValue cell;
    if (TypeAsNumber(text, cell) || TypeAsDate(text, cell)) return cell;
    return {};
}

std::string DisplayedText(const std::string& value, const std::string& format) {
    double number = 0;
    if (!ParseNumber(value, number)) return value;
    if (format == DATE_FORMAT) {
        if (number < FIRST_DAY || number >= LAST_DAY + 1) return value;
        long year = 0, month = 0, day = 0;
        CivilFromDays(EPOCH + static_cast<long>(std::floor(number)), year, month, day);
        char text[64];
        std::snprintf(text, sizeof text, "%02ld/%02ld/%04ld", month, day, year);
        return text;
    }
    std::size_t integerDigits = 0, decimals = 0;
    if (!PlainNumberFormat(format, integerDigits, decimals) || std::fabs(number) >= 1e15)
        return value;
    return FixedText(number, integerDigits, decimals);
}
