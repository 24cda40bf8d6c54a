// The in-process workbook engine: an Office Open XML workbook package (a zip
// of XML parts) held in memory, whose worksheets receive typed values (the
// first one unless a call names another) and which is written back to disk
// as a whole.
//
// A value is typed as a spreadsheet program types what a person enters
// (cell_value.h): numbers and dates become number and date cells whose number
// format shows them as typed, everything else an inline-string cell. Cells
// keep the style the template gives them (their own style, else their row's,
// else their column's); a number format is added to that style in the styles
// part, once per style and format. Rows and cells stay in sheet order, and
// texts are XML-escaped. Saving writes a temporary file beside the target and renames
// it over the target only once the whole package is on disk.
#pragma once

#include <memory>
#include <string>

#include "platform/spreadsheet/print_setup.h"
#include "platform/spreadsheet/spreadsheet_status.h"

class WorkbookPackage {
   public:
    WorkbookPackage();
    ~WorkbookPackage();
    WorkbookPackage(const WorkbookPackage&) = delete;
    WorkbookPackage& operator=(const WorkbookPackage&) = delete;

    // Reads the package at `path` and finds its first worksheet. 0, or
    // XLE_FILE_NOT_FOUND / XLE_DAMAGED_PACKAGE (then the object is empty).
    int Open(const std::string& path);
    // The same over the bytes of a package already read: 0, or XLE_DAMAGED_PACKAGE.
    int OpenPackage(const std::string& bytes);
    bool IsOpen() const;

    // Puts `text` into the cell at `row`, `column` (1-based) of the first
    // worksheet, typed as above: a number, a date, or an inline string
    // (characters XML cannot carry are dropped). Without a usable styles part,
    // or in a cell the template formats as text, every value is a string.
    // 0, or XLE_INVALID_ARGUMENT for a cell outside the sheet, or
    // XLE_WORKBOOK_CLOSED when nothing is open.
    int SetCellText(int row, int column, const std::string& text);
    // The same in worksheet `sheet` (0-based, in the workbook's order);
    // XLE_INVALID_ARGUMENT for a worksheet that is not there.
    int SetCellText(int sheet, int row, int column, const std::string& text);
    // Puts the number `value` into a cell of worksheet `sheet`, in the cell's
    // template style. XLE_INVALID_ARGUMENT also for a value that is not finite.
    int SetCellNumber(int sheet, int row, int column, double value);

    // ---- Several worksheets -------------------------------------------------
    int SheetCount() const;
    // Adds a worksheet after the last one: a copy of the first worksheet as
    // the package was opened (its formatting, views and column widths, none of
    // the values put since). Its index, or XLE_WORKBOOK_CLOSED.
    int AddSheet();
    // Names worksheet `sheet`. XLE_INVALID_ARGUMENT for a name a spreadsheet
    // program refuses: empty, over 31 characters, holding one of []:*?/\,
    // starting or ending with an apostrophe, or already another sheet's
    // (compared without case).
    int SetSheetName(int sheet, const std::string& name);
    std::string SheetName(int sheet) const;
    // Freezes the top `rows` rows of worksheet `sheet` (0 unfreezes).
    int FreezeRows(int sheet, int rows);
    // An autofilter on `range` ("A1:F20") of worksheet `sheet`.
    int SetAutoFilter(int sheet, const std::string& range);
    // The cell at `row`, `column` links to `target`: a path relative to the
    // workbook's folder with "/" between its parts ("sub/name.xlsx"), or a URI
    // ("file:///C:/data/name.xlsx"). Characters a URI cannot hold as they are
    // (blanks, "%", "#", non-ASCII) are written percent-encoded.
    int AddHyperlink(int sheet, int row, int column, const std::string& target);
    // The width of a column of worksheet `sheet`, in characters of the
    // default font (1 to 255).
    int SetColumnWidth(int sheet, int column, double width);
    // How worksheet `sheet` prints (workbook_print.cpp); its print titles
    // become the workbook's _xlnm.Print_Titles name of the sheet at the save.
    // XLE_INVALID_ARGUMENT for a setup no spreadsheet program takes: a scale
    // outside 10 to 400 %, negative margins, title columns out of order, a
    // footer over 255 bytes.
    int SetPrintSetup(int sheet, const SheetPrintSetup& setup);
    // The worksheet's XML as it would be saved (tests).
    std::string SheetXml(int sheet) const;

    // The text of a cell as a reader sees it: inline strings, shared strings,
    // numbers and dates shown through the number formats this engine gives
    // them, other values as stored; "" for an empty or missing cell.
    std::string CellText(int row, int column) const;
    std::string CellText(int sheet, int row, int column) const;
    // The cell's style index (its s attribute); 0 without one; -1 when the
    // cell does not exist.
    int CellStyle(int row, int column) const;
    // The sheet's dimension reference ("A1:M2"), as saved.
    std::string Dimension() const;

    // The workbook's title among its document properties (docProps/core.xml,
    // made when the package has none), as file managers and spreadsheet
    // programs show and search it. 0, or XLE_WORKBOOK_CLOSED, or
    // XLE_DAMAGED_PACKAGE when the package's parts that name it are missing.
    int SetTitle(const std::string& title);
    std::string Title() const;

    // Writes the package to `path`. 0, or a failure of ReplaceFileAtomically
    // (the target is left as it was), or XLE_WORKBOOK_CLOSED when nothing is open.
    int SaveAs(const std::string& path);

    // Releases everything; the object is empty afterwards.
    void Close();

   private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// "BA" → 53; 0 for anything that is not a column name of the sheet.
int ColumnNumber(const std::string& letters);
// 53 → "BA".
std::string ColumnLetters(int column);
// "BA20" → row 20, column 53; false for anything else.
bool ParseCellReference(const std::string& reference, int& row, int& column);
