// The spreadsheet application this program starts from the export panel and
// the workbooks it writes there, over the in-process workbook engine
// (platform/spreadsheet/workbook_package.h).
//
// Every operation returns 0 or a negative XLE_* status (spreadsheet_status.h)
// and never throws. A workbook works only while the application it was opened
// in runs: once that quits (or the user closes it by hand) every call on it
// fails with XLE_APPLICATION_GONE; on a workbook that is not open, with
// XLE_WORKBOOK_CLOSED.
#pragma once

#include <string>

#include "platform/spreadsheet/print_setup.h"
#include "platform/spreadsheet/spreadsheet_status.h"
#include "platform/spreadsheet/workbook_package.h"

class SpreadsheetApplication {
   public:
    // Starts the application: 0, or XLE_NOT_AVAILABLE where no spreadsheet
    // program can be started. Workbooks of an earlier start take no more calls.
    int Start();
    // Shows the application. 0, or XLE_APPLICATION_GONE when it does not run.
    int Show();
    // Quits; its open workbooks go unsaved and take no more calls. 0, or
    // XLE_APPLICATION_GONE when it had already gone (quit, or closed by the
    // user, which tests stand in for by a call of Quit).
    int Quit();
    // 0 while it runs, else XLE_APPLICATION_GONE.
    int Status() const;
    // Workbooks open in it (tests: nothing is left open).
    int OpenWorkbookCountForTesting() const { return open_workbooks_; }

   private:
    friend class Workbook;
    bool running_ = false;
    int session_ = 0;  // one per start: a workbook belongs to one
    int open_workbooks_ = 0;
};

// The program's one application, which the export panel launches and closes:
// its callbacks and the shell's exit hook take it from here and pass it on.
SpreadsheetApplication& ProgramSpreadsheet();

// One workbook open in an application, with the sheet that the cell calls
// write (the first one once opened). Closed without saving when destroyed.
class Workbook {
   public:
    explicit Workbook(SpreadsheetApplication& application) : application_(application) {}
    ~Workbook() { Close(); }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Opens the package at `path` (a workbook open before is closed):
    // XLE_FILE_NOT_FOUND or XLE_DAMAGED_PACKAGE when it cannot be used.
    int Open(const std::string& path);
    // Closes without saving; XLE_WORKBOOK_CLOSED when nothing is open.
    int Close();
    // Chooses the sheet the calls below act on (1-based, in the workbook's order).
    int SelectSheet(int index);
    // Adds a sheet after the last one, formatted as the template's first
    // (WorkbookPackage::AddSheet), and chooses it.
    int AddSheet();
    // XLE_INVALID_ARGUMENT for a name a spreadsheet program refuses.
    int SetSheetName(const std::string& name);
    // The cell at `row`, `column` (1-based) takes `text` as a spreadsheet
    // program takes a person's entry (a number, a date or a text), or the
    // number `value`, in its template style.
    int SetText(int row, int column, const std::string& text);
    int SetNumber(int row, int column, double value);
    // The cell as it shows; "" for an empty one or when nothing is open.
    std::string Text(int row, int column) const;
    // Freezes the top `rows` rows.
    int FreezeRows(int rows);
    // An autofilter on `range` ("A1:F20").
    int SetAutoFilter(const std::string& range);
    // The cell opens `address`: relative to the workbook's folder, "/" between
    // its parts, or a file:// URI.
    int AddHyperlink(int row, int column, const std::string& address);
    // In characters, 1 to 255.
    int SetColumnWidth(int column, double width);
    int SetPrintSetup(const SheetPrintSetup& setup);
    // The title among the workbook's document properties.
    int SetTitle(const std::string& title);
    // Writes the workbook to `path`, replacing an existing file only once the
    // new one is complete.
    int SaveAs(const std::string& path);

   private:
    // 0 when the workbook takes calls, else why not.
    int Reachable() const;
    int CellWritable(int row, int column);

    SpreadsheetApplication& application_;
    int session_ = 0;
    WorkbookPackage package_;
    int sheet_ = 0;  // 0-based
};

// ---- Test support -------------------------------------------------------------
// What the application refuses, as a test asks for it; ResetExcelStateForTesting
// puts back a working application.
struct SpreadsheetFaults {
    // Start fails with XLE_NOT_AVAILABLE, as on a machine without a spreadsheet program.
    bool unavailable = false;
    // After that many more cell writes that succeed, every one fails with
    // XLE_WRITE_FAILED (as when the application stops taking them); -1 never.
    int cell_writes_before_failure = -1;
};
SpreadsheetFaults& SpreadsheetFaultsForTesting();
