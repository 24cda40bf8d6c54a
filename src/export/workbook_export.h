// The export panel's export button and the writing of one workbook per test:
// the proposed name, the save dialog, the overwrite question, a fresh copy of
// the template, the title and value rows of the test's kind, the save.
#pragma once

#include <cstddef>

#include "store/measurement_records.h"

// What became of one test's workbook. The export loop offers to erase a test on
// the instrument only when it was saved.
enum class SheetResult {
    Saved,
    NotSaved,  // the user chose not to (dialog cancelled, old file kept) or a stop came
    Failed,    // the workbook could not be written; the user was told
};

// The longest full path of a workbook that the common spreadsheet program
// (Excel) opens, in characters; a longer one is saved all the same, and the
// end of the export says so.
constexpr std::size_t MAX_SPREADSHEET_PATH = 218;

// Callback of the export button; acts on commit events; returns 0. Takes the
// base name (filtered as a part of a file name) and the working folder (as
// chosen) from the panel and runs the export loop; a folder that cannot take
// the workbooks is said instead, and nothing is downloaded.
int Exporter_excel(int panel, int control, int event, void* callbackData, int eventData1,
                   int eventData2);

// Writes the workbook of test `test` of object entry `object`, of kind `kind`,
// from its decoded record:
// through the save dialog, or, with "Name workbooks automatically" ticked,
// under the test's own name in the working folder. Each saved workbook gets
// its line in the export journal.
SheetResult Exporter_feuille(int object, int test, int kind, const MeasuredRecord& record);

// Callback of the export panel's open-folder button: shows the working folder
// in the desktop's file manager ("Working directory not found" when it is not there).
int OpenWorkingFolder(int panel, int control, int event, void* callbackData, int eventData1,
                      int eventData2);
