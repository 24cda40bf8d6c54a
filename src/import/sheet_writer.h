// The export loop hands each decoded test to the sheet writer through this hook,
// so the import does not depend on the spreadsheet subsystem (which registers
// its `Exporter_feuille` here at start-up).
#pragma once

// What became of one test's workbook. The export loop offers to erase a test on
// the instrument only when it was saved.
enum class SheetResult {
    Saved,
    NotSaved,  // the user chose not to (dialog cancelled, old file kept) or a stop came
    Failed,    // the workbook could not be written; the user was told
};

// Writes one workbook for the test just decoded (object and test entry indices
// of `Director`, measurement kind).
using SheetWriter = SheetResult (*)(int object, int test, int kind);

// nullptr removes the writer.
void SetSheetWriter(SheetWriter writer);

// Runs the registered writer; NotSaved when there is none.
SheetResult WriteSheet(int object, int test, int kind);
