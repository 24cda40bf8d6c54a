// The export loop hands each decoded test to the sheet writer through this hook,
// so the import does not depend on the spreadsheet subsystem (which registers
// its `Exporter_feuille` here at start-up).
#pragma once

// Writes one workbook for the test just decoded (object and test entry indices
// of `Director`, measurement kind). Returns true only when the workbook was
// saved: the export loop offers to erase a test on the instrument only then.
using SheetWriter = bool (*)(int object, int test, int kind);

// nullptr removes the writer.
void SetSheetWriter(SheetWriter writer);

// Runs the registered writer; false (nothing saved) when there is none.
bool WriteSheet(int object, int test, int kind);
