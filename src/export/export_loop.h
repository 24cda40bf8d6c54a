// The export loop: every test that passes the date filter is downloaded,
// decoded, written into its workbook and, once that is saved and the user has
// confirmed twice, erased on the instrument.
#pragma once

#include "export/workbook_export.h"

// The export loop; called by the export panel's export button. Returns 0.
int Importer_memory();

// Tests of the loop alone put a stand-in in the place of Exporter_feuille;
// nullptr gives the loop back its own writer.
using SheetWriter = SheetResult (*)(int object, int test, int kind, const MeasuredRecord& record);
void SetSheetWriterForTesting(SheetWriter writer);
