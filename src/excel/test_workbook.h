// One test's workbook: a fresh copy of the template with its first sheet
// chosen, and the title and value rows of the test's kind.
#pragma once

#include <string>

#include "excel/sheet_cells.h"
#include "excel/workbook.h"
#include "store/measurement_records.h"

// `path` ending in the workbook's extension (in any case), else with it added.
std::string WithWorkbookExtension(const std::string& path);

// Opens into `book` a fresh copy of the template of the program folder, its
// first sheet chosen; a negative status on failure (nothing told).
int OpenTemplateCopy(Workbook& book);

// The cells of test `test` of object entry `object` from its decoded record:
// the identification cells and its layout's titles and values (only the
// identification for a record without a layout).
Cells SheetCells(int object, int test, const MeasuredRecord& record);
// Writes those cells into `book`.
void WriteKindRows(Workbook& book, int object, int test, const MeasuredRecord& record);
