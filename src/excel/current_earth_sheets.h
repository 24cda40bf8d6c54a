// Sheets of the current test (kind 0) and of the earth resistance test (kind 2):
// the titles of row 1 from column D, and the whole value row 2.
#pragma once

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

void MAJ_enteteExcel_courant();
void MAJ_enteteExcel_Terre();
// `object` and `test` are the test's indices in the directory; the values come
// from the text slots the current (earth) reader has just filled.
void Exporter_courant(int object, int test);
void Exporter_Terre(int object, int test);

// The cells of the test's sheet from column D on, titles and values, from its
// decoded record.
Cells CurrentCells(const AmpRecord& amp);
Cells EarthCells(const EarthRecord& earth);
