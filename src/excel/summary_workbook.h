// The summary workbook of an export: one file for the whole export, beside
// the per-test workbooks. Its first sheet lists every test the export looked
// at and what became of it, each with a link to its workbook; then one sheet
// per layout (one distinct title row), holding each written test's value row
// exactly as its own workbook has it, followed by the measured quantities in
// their base units (Ω, A, V, s, Hz, °C, H), so that a column sorts right.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "excel/workbook.h"
#include "store/measurement_records.h"
#include "store/store.h"

// Forgets the rows kept by an earlier export.
void StartSummary();
// Keeps the title and value rows just written into the saved workbook of test
// entry `test` of object entry `object`, of kind `kind` decoded as `record`
// (a loop's function names its layout); its object is named `object_name`
// ("" for none).
void KeepRowsForSummary(int object, int test, int kind, const MeasuredRecord& record,
                        const std::string& object_name);

// One test the export looked at, as the first sheet lists it.
struct SummaryTest {
    int object = 0, test = 0;  // entry indices of Director: whose kept rows
    FicTest listed;            // the test as the memory scan listed it
    std::string object_name;   // "" for none
    std::string workbook;      // "" for none
    std::string result;        // what became of it, in the current language
};
// What the summary is written from: the export fills it as it ends.
struct SummaryContent {
    std::vector<SummaryTest> tests;  // in the order of the walk
    std::string note;                // below the table (a stop, a lost instrument); "" for none
    int32_t serial = 0;              // the instrument's, for the workbook's name
};

// Writes the summary workbook of the export just ended into the working
// folder, under a name no file has yet, through the application `excel`. Its
// path; "" when it could not be written (the person was told; nothing
// half-written is left).
std::string WriteSummaryWorkbook(SpreadsheetApplication& excel, const SummaryContent& content);

// base_serial_summary_date_time, without extension: the base name through the
// automatic names' filter, the date "YYYY-MM-DD" and the time "HHMM".
std::string SummaryWorkbookName(const std::string& base, int32_t serial, const std::string& date,
                                const std::string& time);

// The link from a workbook in `folder` to the file `target`: relative to the
// folder ("sub/name.xlsx", "../name.xlsx") when both lie on the same drive,
// else the absolute file URI ("file:///D:/data/name.xlsx").
std::string LinkFromFolder(const std::string& folder, const std::string& target);

// A measured quantity's unit cell as the sheets write it ("kOhm", " mA ")
// in its base unit: the base unit's symbol and the factor to it. False for a
// text that is no unit (" --- ").
bool BaseUnitOf(const std::string& unitCell, std::string& symbol, double& factor);

// A value cell read as a plain decimal number (blanks around it allowed);
// false for anything else (" --- ", a text).
bool PlainNumber(const std::string& text, double& value);

// One layout's sheet: its title row, and for each quantity (a title followed by
// the unit title) the column of its value and the base unit its column shows.
struct BaseUnitColumn {
    int valueColumn = 0;  // its unit cell is the next column
    std::string title;    // "Z-LN (Ω)"
    std::string symbol;   // "Ω"
};
// The quantities of a title row (`unitTitle` is the unit columns' title),
// with the base units found in `rows`; a quantity no row gives a unit for has
// none.
std::vector<BaseUnitColumn> BaseUnitColumns(const std::map<int, std::string>& titles,
                                            const std::string& unitTitle,
                                            const std::vector<std::map<int, std::string>>& rows);

// A sheet name a spreadsheet program takes, unique among `taken` (compared
// without case): at most 31 characters, none of []:*?/\, no apostrophe at
// either end; " (2)", " (3)", ... added when needed.
std::string SheetNameFor(const std::string& wanted, const std::vector<std::string>& taken);
