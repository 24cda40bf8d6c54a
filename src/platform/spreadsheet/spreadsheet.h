// The spreadsheet automation services: an application object, its workbook
// collection, workbooks, sheets, worksheets and ranges, reached through object
// handles, over the in-process workbook engine (workbook_package.h).
//
// Every operation returns 0 or a negative XLE_* status (spreadsheet_status.h)
// and never throws. A handle is a positive number; it stays valid until it is
// released with CA_DiscardObjHandle, and a released handle is never issued
// again, so using it afterwards fails with XLE_INVALID_HANDLE. Objects reached
// through an application that has quit fail with XLE_APPLICATION_GONE; objects
// of a closed workbook with XLE_WORKBOOK_CLOSED.
//
// As with a real spreadsheet application, releasing a workbook's handle does
// not close the workbook: it stays open in its application until it is closed
// or the application quits.
#pragma once

#include <string>

#include "platform/spreadsheet/print_setup.h"
#include "platform/spreadsheet/spreadsheet_status.h"

using CAObjHandle = int;

enum ExcelAppProperty {
    ExcelApp_Visible,    // boolean, put
    ExcelApp_Workbooks,  // object: the application's workbook collection
    ExcelApp_Sheets,     // object: the sheets of the active workbook
};

// Releases one handle. XLE_INVALID_HANDLE for 0 or a handle not held.
int CA_DiscardObjHandle(CAObjHandle handle);

// Starts an application; its handle goes to `application` (0 on failure).
int Excel_NewApp(CAObjHandle& application);
// Application.Visible put.
int Excel_SetProperty(CAObjHandle application, ExcelAppProperty property, bool value);
// Application.Workbooks / Application.Sheets get; the new handle goes to `object`.
int Excel_GetProperty(CAObjHandle application, ExcelAppProperty property, CAObjHandle& object);
// Workbooks.Open: opens the package at `fileName`, which becomes the active workbook.
// XLE_FILE_NOT_FOUND or XLE_DAMAGED_PACKAGE when it cannot be used.
int Excel_WorkbooksOpen(CAObjHandle workbooks, const std::string& fileName, CAObjHandle& workbook);
// Sheets.Item (1-based, in the workbook's order).
int Excel_SheetsItem(CAObjHandle sheets, int index, CAObjHandle& worksheet);
// Sheets.Add after the last sheet: a new worksheet formatted as the template's
// first one (workbook_package.h, AddSheet); its handle goes to `worksheet`.
int Excel_SheetsAdd(CAObjHandle sheets, CAObjHandle& worksheet);
// Worksheet.Name put; XLE_INVALID_ARGUMENT for a name a spreadsheet program refuses.
int Excel_WorksheetSetName(CAObjHandle worksheet, const std::string& name);
// Freezes the worksheet's top `rows` rows (Window.FreezePanes below them).
int Excel_WorksheetFreezeRows(CAObjHandle worksheet, int rows);
// Range.AutoFilter on `range` ("A1:F20") of the worksheet.
int Excel_WorksheetAutoFilter(CAObjHandle worksheet, const std::string& range);
// Hyperlinks.Add: the cell at `row`, `column` of the worksheet opens `address`
// (relative to the workbook's folder, "/" between parts, or a file:// URI).
int Excel_WorksheetAddHyperlink(CAObjHandle worksheet, int row, int column,
                                const std::string& address);
// Columns(column).ColumnWidth put, in characters (1 to 255).
int Excel_WorksheetSetColumnWidth(CAObjHandle worksheet, int column, double width);
// Worksheet.PageSetup put, with the print titles (print_setup.h).
int Excel_WorksheetSetPrintSetup(CAObjHandle worksheet, const SheetPrintSetup& setup);
// Worksheet.Activate.
int Excel_WorksheetActivate(CAObjHandle worksheet);
// Worksheet.Range with Cell1 like "A1:BA20" or "C3".
int Excel_WorksheetRange(CAObjHandle worksheet, const std::string& cell1, CAObjHandle& range);
// Range.Item put: `row` and `column` are 1-based, relative to the range's top-left
// cell; the value is the text a person would type, which the cell takes as a
// spreadsheet program does: a number, a date or a text (workbook_package.h).
int Excel_RangeSetItem(CAObjHandle range, int row, int column, const std::string& value);
// Range.Item put with a number: the cell holds `value` in its template style.
int Excel_RangeSetNumber(CAObjHandle range, int row, int column, double value);
// Range.Item get, as the cell shows it.
int Excel_RangeGetItem(CAObjHandle range, int row, int column, std::string& value);
// Workbook.Title: the title among the workbook's document properties.
int Excel_WorkbookSetTitle(CAObjHandle workbook, const std::string& title);
// Workbook.SaveAs: writes the workbook to `fileName`, replacing an existing file
// only once the new one is complete. `accessMode` 1 = no change (the only one).
int Excel_WorkbookSaveAs(CAObjHandle workbook, const std::string& fileName, int accessMode);
// Workbook.Close; with saveChanges false nothing is written.
int Excel_WorkbookClose(CAObjHandle workbook, bool saveChanges);
// Application.Quit: closes its workbooks without saving; the application is gone.
int Excel_AppQuit(CAObjHandle application);

// ---- Test support -------------------------------------------------------------
// false: Excel_NewApp fails with XLE_NOT_AVAILABLE, as on a machine without a
// spreadsheet program. true restores it.
void Excel_SetAvailableForTesting(bool available);
// Every running application goes away, as when the user closes it by hand.
void Excel_SimulateUserClosedForTesting();
// After `writes` more cell writes that succeed, every Range.Item put fails
// with XLE_WRITE_FAILED (as when the application stops taking them); a
// negative count turns that off.
void Excel_FailCellWritesForTesting(int writes);
// Handles currently held.
int Excel_HeldHandleCountForTesting();
// Workbooks open in running applications.
int Excel_OpenWorkbookCountForTesting();
// Forgets every application and handle (handles already issued stay invalid).
void ResetSpreadsheetForTesting();
