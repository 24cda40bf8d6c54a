// Sheets of the loop test (kind 4). Two layouts, each in a full and a short
// mode: the loop layout (line, neutral and protective-earth impedances with
// their resistances, inductances and voltages) and the earth-loop layout (earth
// impedance and voltages). The loop's function and earth variant choose the
// layout and mode.
#pragma once

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

constexpr int LOOP_FULL = 0;
constexpr int LOOP_SHORT = 1;

// Titles of row 1 from column D (mode LOOP_FULL or LOOP_SHORT) added to `cells`.
void MAJ_enteteExcel_Loop(Cells& cells, int mode);
void MAJ_enteteExcel_Loop_REarth(Cells& cells, int mode);

// The cells of the loop test's sheet from column D on, titles and values: the
// layout and mode its function and earth variant choose (none for a function
// without a layout).
Cells LoopCells(const LoopRecord& loop);
