// Sheets of the voltage test (kind 8) and of the residual-current device test
// (kind 6): the titles of row 1 from column D, and the values of row 2.
#pragma once

#include <cstdint>

#include "excel/sheet_cells.h"
#include "store/measurement_records.h"

// The titles of row 1 from column D added to `cells`.
void MAJ_enteteExcel_Tension(Cells& cells);
void MAJ_enteteExcel_RCD(Cells& cells);

// The cells of the test's sheet from column D on, titles and values, from its
// decoded record.
Cells VoltageCells(const VoltRecord& volt);
Cells RcdCells(const RcdRecord& rcd);

// The RCD record's wave and start code split: parthaut 1 full wave, 0 half
// wave; partbas 1 positive start, 0 negative start.
struct WaveStart {
    int16_t parthaut;
    int16_t partbas;
};
// 0x11 full/positive, 0x10 full/negative, 0x01 half/positive, anything else
// half/negative.
WaveStart val_bcd(uint16_t code);
