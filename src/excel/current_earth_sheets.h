// Sheets of the current test (kind 0) and of the earth resistance test (kind 2):
// the titles of row 1 from column D, and the values of row 2.
#pragma once

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

// The titles of row 1 from column D added to `cells`.
void MAJ_enteteExcel_courant(Cells& cells);
void MAJ_enteteExcel_Terre(Cells& cells);

// The cells of the test's sheet from column D on, titles and values, from its
// decoded record.
Cells CurrentCells(const AmpRecord& amp);
Cells EarthCells(const EarthRecord& earth);
