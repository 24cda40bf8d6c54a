// Sheets of the loop test (kind 4). Two layouts, each in a full and a short
// mode: the loop layout (line, neutral and protective-earth impedances with
// their resistances, inductances and voltages) and the earth-loop layout (earth
// impedance and voltages). The mode and layout come from the loop fields of
// `Selection`.
#pragma once

#include <cstdint>

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

constexpr int LOOP_FULL = 0;
constexpr int LOOP_SHORT = 1;

// The 15-ohm flag: 1 when the impedance just read is above 15 ohms; the
// inductance of the same line and its unit are then not shown.
extern int32_t flag_tiret;

// Row 2, columns A to C only.
void Exporter_Loop(int object, int test);
// Titles of row 1 from column D (mode LOOP_FULL or LOOP_SHORT).
void MAJ_enteteExcel_Loop(int mode);
void MAJ_enteteExcel_Loop_REarth(int mode);
// Values of row 2 from column D, from the loop slots and `Selection`.
void Suite_Exporter_Loop(int mode);
void Suite_Exporter_REarth(int mode);

// The cells of the loop test's sheet from column D on, titles and values: the
// layout and mode its function and earth variant choose (none for a function
// without a layout).
Cells LoopCells(const LoopRecord& loop);
