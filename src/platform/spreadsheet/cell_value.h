// How the workbook engine types what is put into a cell: the way a spreadsheet
// program reads what a person types. A plain decimal number becomes a number,
// the program's month/day/year date becomes a date, anything else stays text;
// numbers and dates carry a number format that shows exactly the characters
// that were typed (less the blanks around them).
#pragma once

#include <string>

struct CellValue {
    enum class Kind { Text, Number, Date };
    Kind kind = Kind::Text;
    // Number and Date: the value as the cell stores it ("0.523"; a date's day
    // number, "40975"). Text: empty (the typed text itself is the value).
    std::string value;
    // Number and Date: the number format code that shows the value as typed
    // ("0.000", "00", a month/day/year date code). Text: empty.
    std::string format;
};

// The type of `typed`:
// - Number: after trimming blanks, an optional minus sign, digits, and
//   optionally a decimal point followed by digits; 15 digits at most (what a
//   spreadsheet's number keeps exactly). A minus zero ("-0.0") stays text, as
//   a number cell cannot show its sign.
// - Date: after trimming blanks, "mm/dd/yyyy" naming a real day from
//   1 March 1900 on (the spreadsheet day numbers are unambiguous from there).
// - Text: everything else ("1e5", "0x10", "1,5", "- 3", "12.", ".5", "inf").
CellValue TypeOfTypedText(const std::string& typed);

// The text a spreadsheet program shows for the stored number `value` under the
// number format `format`, for the formats TypeOfTypedText gives ("0", "00.000",
// the date code); any other format, or a value that is not a number, shows the
// value as stored.
std::string DisplayedText(const std::string& value, const std::string& format);

// The number format code of the program's dates. Its slashes are escaped, so
// a spreadsheet program shows them as slashes in every locale rather than as
// the locale's date separator.
extern const char* const DATE_FORMAT;
