// One test's workbook through the spreadsheet handles: the open workbooks, a
// fresh copy of the template with its first sheet and range, the title and
// value rows of the test's kind, and the handles released after it.
#pragma once

#include <string>

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

// `path` ending in the workbook's extension (in any case), else with it added.
std::string WithWorkbookExtension(const std::string& path);

// The application's workbooks into ExcelWorkbooksHandle; a negative status on failure.
int OpenWorkbooks();
// A fresh copy of the template of the program folder, its first sheet active
// and the range the layouts write; a negative status on failure (nothing told).
int OpenTemplateCopy();
// Clears the handles of one test's workbook.
void ReleasePerTestHandles();

// The cells of test `test` of object entry `object` from its decoded record:
// the identification cells and its layout's titles and values (only the
// identification for a record without a layout).
Cells SheetCells(int object, int test, const MeasuredRecord& record);
// Writes those cells.
void WriteKindRows(int object, int test, const MeasuredRecord& record);
