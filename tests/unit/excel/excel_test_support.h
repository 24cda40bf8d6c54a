// Helpers of the spreadsheet export tests: a fresh copy of the template opened
// in a spreadsheet application of its own (as the export opens it), the text slots,
// the directory entry of a test, and an independent reader of saved workbooks.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "excel/workbook.h"

// The template as committed.
std::string TemplatePath();
// A new empty folder below the system's temporary folder.
std::string MakeTempFolder();
// Whole file; "" when missing.
std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& bytes);

// The template opened in an application of its own, its first sheet chosen;
// both go on destruction.
class OpenSheet {
   public:
    OpenSheet();
    bool ok() const { return ok_; }
    Workbook& book() { return book_; }
    std::string Cell(int row, int column) const { return book_.Text(row, column); }
    // Columns 1 to the last non-empty one of `row`.
    std::vector<std::string> Row(int row) const;

   private:
    SpreadsheetApplication application_;
    Workbook book_{application_};
    bool ok_ = false;
};

// The cells of `row` of a workbook file read by the engine, from column A to
// the last non-empty one.
std::vector<std::string> SavedRow(const std::string& path, int row);

// One cell as an independent reader sees it: kind "n" number, "d" date, "s"
// text, "" empty; the text it shows; its number format code.
struct ReadCell {
    std::string kind, shown, format;
};
// Rows 1 to 3 of the first sheet of each workbook as Debian's openpyxl reads
// them, in one run of the reader. Fails the test when it cannot read a file.
std::vector<std::vector<std::vector<ReadCell>>> ReadCellsWithOpenpyxl(
    const std::vector<std::string>& paths);
// Rows 1 and 2 of the first sheet as openpyxl shows them, from column A to the
// last non-empty one; empty cells as "".
std::vector<std::vector<std::string>> ReadWithOpenpyxl(const std::string& path);
// The same for several workbooks in one run of the reader, in the given order.
std::vector<std::vector<std::vector<std::string>>> ReadWithOpenpyxl(
    const std::vector<std::string>& paths);
// Every row of the first sheet of each workbook as LibreOffice shows it (CSV
// export of headless LibreOffice, in one run). Fails the test when LibreOffice
// cannot convert a file.
std::vector<std::vector<std::vector<std::string>>> ReadWithLibreOffice(
    const std::vector<std::string>& paths);

// Every sheet of a workbook as openpyxl reads it: its name, its rows (each
// cell as ReadCell, and its number where it holds one), its frozen pane's
// top-left cell, its filter range, its hyperlinks (cell → target) and its
// column widths (letters → characters).
struct ReadSheet {
    std::string name, freeze, filter;
    std::vector<std::vector<ReadCell>> rows;
    std::vector<std::vector<double>> numbers;  // 0 where the cell holds none
    std::map<std::string, std::string> links;
    std::map<std::string, double> widths;
};
std::vector<ReadSheet> ReadSheetsWithOpenpyxl(const std::string& path);
// Every sheet of a workbook as LibreOffice shows it, in order.
std::vector<std::vector<std::vector<std::string>>> ReadSheetsWithLibreOffice(
    const std::string& path);

// Each workbook's pages as LibreOffice prints it to PDF (one run): each page's
// first line, its first word's height (points), its footer's three parts.
struct PrintedPage {
    std::string first;
    double height = 0;
    std::string left, centre, right;
};
std::vector<std::vector<PrintedPage>> PrintWithLibreOffice(const std::vector<std::string>& paths);

// Adds row 3 to the first sheet of a saved workbook of the template: formula
// `formulas[i]` (without "=") in column i + 1, with no computed value, so that
// the program that opens it computes them.
void AddFormulaRow(const std::string& path, const std::vector<std::string>& formulas);

// The dump text of a record as the instrument sends it: every 16-bit
// little-endian word as four hexadecimal digits. Left in the download buffer.
void LoadDump(const std::vector<uint8_t>& record);

// Sets the directory entry of object `object`, test `test` (date 7 March 2012).
void SetDirectoryTest(int object, int test, int kind, int day = 7, int month = 3, int year = 2012);

// A test with a fresh temporary folder of its own, removed afterwards.
class FolderTest : public ::testing::Test {
   protected:
    void SetUp() override;
    void TearDown() override;
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }
    // The part `name` of the package saved at `path` ("" when it has none).
    std::string Part(const std::string& path, const std::string& name) const;

    std::string folder_;
};
