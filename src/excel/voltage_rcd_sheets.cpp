#include "excel/voltage_rcd_sheets.h"

#include <cstdio>
#include <string>

#include "excel/sheet_cells.h"
#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/store.h"
#include "store/value_text.h"

int16_t parthaut = 0;
int16_t partbas = 0;

namespace {

// From this validity code on, the instrument has no current and time to show.
constexpr int RCD_NOT_MEASURED = 50;

// A voltage slot in millivolts, formatted in volts, then its unit.
void PutVoltage(CellCursor& cell, int slot) {
    cell.Put(FormatValue(SlotReal(slot) / 1000).text);
    cell.Put(VoltageUnit(tabdest));
}

std::string RcdLabel(int testMode, int multiplier) {
    if (testMode == 1) return "RCD Trip Slope";
    if (testMode != 2) return "";
    std::string label = "RCD Trip Pulse";
    switch (multiplier) {
        case 2:
            return label + " x2";
        case 5:
            return label + " x5";
        case 150:
            return label + " 150mA";
        case 250:
            return label + " 250mA";
        default:
            return label;
    }
}

// The shortest text that gives the value back (30, 0.5, 300).
std::string DefaultReal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace

void MAJ_enteteExcel_Tension() {
    WriteTitleRow({{Texte(typeMesure)},
                   {Titre_colonne[TITRE_V_LN], WITH_UNIT},
                   {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_V_NPE], WITH_UNIT},
                   {Texte(smooth)},
                   {Texte(Freq), WITH_UNIT},
                   {Texte(Rodres), WITH_UNIT},
                   {Texte(vbatt), WITH_UNIT},
                   {Texte(Tempr), WITH_UNIT}});
}

void Exporter_Tension(int object, int test) {
    WriteIdentificationCells(object, test);
    CellCursor cell(VALUE_ROW);
    cell.Put(Field(Texte(tension), 10));
    PutVoltage(cell, 1);
    PutVoltage(cell, 2);
    PutVoltage(cell, 3);
    cell.Put(SlotText(8));
    cell.Put(FormatFixed(FrequencyFromPeriod(SlotReal(6)), 10, 2));
    cell.Put(HERTZ);
    cell.Put(FormatValue(SlotReal(7)).text);
    cell.Put(ResistanceUnit(tabdest));
    cell.Put(FormatFixed(SlotReal(4) / 1000, 10, 1));
    cell.Put(VOLT);
    cell.Put(FormatFixed(SlotReal(5), 10, 1));
    cell.Put(DEGREE_CELSIUS);
}

void val_bcd(uint16_t code) {
    switch (code) {
        case 0x11:
            parthaut = 1, partbas = 1;
            break;
        case 0x10:
            parthaut = 1, partbas = 0;
            break;
        case 0x01:
            parthaut = 0, partbas = 1;
            break;
        default:
            parthaut = 0, partbas = 0;
            break;
    }
}

void MAJ_enteteExcel_RCD() {
    WriteTitleRow({{Texte(typeMesure)},
                   {Texte(wave)},
                   {Texte(start)},
                   {Texte(Ratcurr), WITH_UNIT},
                   {Texte(Meascurr), WITH_UNIT},
                   {Texte(Time), WITH_UNIT}});
}

void Exporter_RCD(int object, int test) {
    WriteIdentificationCells(object, test);
    val_bcd(rcd.wave_start);
    const double tripSeconds = SlotReal(3);
    const bool measured = rcd.validity < RCD_NOT_MEASURED;
    CellCursor cell(VALUE_ROW);
    cell.Put(RcdLabel(rcd.test_mode, rcd.multiplier));
    cell.Put(parthaut == 1 ? "Full" : "Half");
    cell.Put(partbas == 1 ? "Pos" : "Neg");
    cell.Put(DefaultReal(SlotReal(4) / 10));
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(SlotReal(1) / 10, 6, 3) : NOT_APPLICABLE);
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(tripSeconds * 1000, 10, 1) : NOT_APPLICABLE);
    cell.Put(MILLISECOND);
}

namespace {

// A voltage in millivolts, formatted in volts, then its unit.
void PutMillivolts(CellRow& cell, float millivolts) {
    const ValueText volts = FormatValue(SlotReal(millivolts) / 1000);
    cell.Put(volts.text);
    cell.Put(VoltageUnit(volts.prefix));
}

}  // namespace

Cells VoltageCells(const VoltRecord& record) {
    Cells cells;
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Titre_colonne[TITRE_V_LN], WITH_UNIT},
                        {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                        {Titre_colonne[TITRE_V_NPE], WITH_UNIT},
                        {Texte(smooth)},
                        {Texte(Freq), WITH_UNIT},
                        {Texte(Rodres), WITH_UNIT},
                        {Texte(vbatt), WITH_UNIT},
                        {Texte(Tempr), WITH_UNIT}});
    CellRow cell(cells, VALUE_ROW);
    cell.Put(Field(Texte(tension), 10));
    for (float millivolts : {record.v_ln, record.v_lpe, record.v_npe})
        PutMillivolts(cell, millivolts);
    cell.Put(std::to_string(record.smoothing));
    cell.Put(FormatFixed(FrequencyFromPeriod(SlotReal(SlotTextOf(record.period))), 10, 2));
    cell.Put(HERTZ);
    const ValueText rod = FormatValue(SlotReal(record.rod_resistance));
    cell.Put(rod.text);
    cell.Put(ResistanceUnit(rod.prefix));
    cell.Put(FormatFixed(SlotReal(record.battery) / 1000, 10, 1));
    cell.Put(VOLT);
    cell.Put(FormatFixed(SlotReal(record.temperature), 10, 1));
    cell.Put(DEGREE_CELSIUS);
    return cells;
}

WaveStart WaveAndStart(uint16_t code) {
    switch (code) {
        case 0x11:
            return {1, 1};
        case 0x10:
            return {1, 0};
        case 0x01:
            return {0, 1};
        default:
            return {0, 0};
    }
}

Cells RcdCells(const RcdRecord& record) {
    Cells cells;
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Texte(wave)},
                        {Texte(start)},
                        {Texte(Ratcurr), WITH_UNIT},
                        {Texte(Meascurr), WITH_UNIT},
                        {Texte(Time), WITH_UNIT}});
    const WaveStart code = WaveAndStart(record.wave_start);
    const bool measured = record.validity < RCD_NOT_MEASURED;
    CellRow cell(cells, VALUE_ROW);
    cell.Put(RcdLabel(record.test_mode, record.multiplier));
    cell.Put(code.parthaut == 1 ? "Full" : "Half");
    cell.Put(code.partbas == 1 ? "Pos" : "Neg");
    // The currents are kept in tenths of a milliampere.
    cell.Put(DefaultReal(static_cast<double>(record.rated_current) / 10));
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(static_cast<double>(record.measured_current) / 10, 6, 3)
                      : NOT_APPLICABLE);
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(SlotReal(record.trip_time) * 1000, 10, 1) : NOT_APPLICABLE);
    cell.Put(MILLISECOND);
    return cells;
}
