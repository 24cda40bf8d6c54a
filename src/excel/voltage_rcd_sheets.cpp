#include "excel/voltage_rcd_sheets.h"

#include <cstdio>
#include <string>

#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/value_text.h"

namespace {

// From this validity code on, the instrument has no current and time to show.
constexpr int RCD_NOT_MEASURED = 50;

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

// A voltage in millivolts, formatted in volts, then its unit.
void PutMillivolts(CellRow& cell, float millivolts) {
    const ValueText volts = FormatValue(SlotReal(millivolts) / 1000);
    cell.Put(volts.text);
    cell.Put(VoltageUnit(volts.prefix));
}

}  // namespace

void MAJ_enteteExcel_Tension(Cells& cells) {
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Titre_colonne[TITRE_V_LN], WITH_UNIT},
                        {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                        {Titre_colonne[TITRE_V_NPE], WITH_UNIT},
                        {Texte(smooth)},
                        {Texte(Freq), WITH_UNIT},
                        {Texte(Rodres), WITH_UNIT},
                        {Texte(vbatt), WITH_UNIT},
                        {Texte(Tempr), WITH_UNIT}});
}

Cells VoltageCells(const VoltRecord& volt) {
    Cells cells;
    MAJ_enteteExcel_Tension(cells);
    CellRow cell(cells, VALUE_ROW);
    cell.Put(Field(Texte(tension), 10));
    for (float millivolts : {volt.v_ln, volt.v_lpe, volt.v_npe}) PutMillivolts(cell, millivolts);
    cell.Put(std::to_string(volt.smoothing));
    PutFrequency(cell, volt.period);
    const ValueText rod = FormatValue(SlotReal(volt.rod_resistance));
    cell.Put(rod.text);
    cell.Put(ResistanceUnit(rod.prefix));
    PutBatteryAndTemperature(cell, volt.battery, volt.temperature);
    return cells;
}

WaveStart val_bcd(uint16_t code) {
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

void MAJ_enteteExcel_RCD(Cells& cells) {
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Texte(wave)},
                        {Texte(start)},
                        {Texte(Ratcurr), WITH_UNIT},
                        {Texte(Meascurr), WITH_UNIT},
                        {Texte(Time), WITH_UNIT}});
}

Cells RcdCells(const RcdRecord& rcd) {
    Cells cells;
    MAJ_enteteExcel_RCD(cells);
    const WaveStart code = val_bcd(rcd.wave_start);
    const bool measured = rcd.validity < RCD_NOT_MEASURED;
    CellRow cell(cells, VALUE_ROW);
    cell.Put(RcdLabel(rcd.test_mode, rcd.multiplier));
    cell.Put(code.parthaut == 1 ? "Full" : "Half");
    cell.Put(code.partbas == 1 ? "Pos" : "Neg");
    // The currents are kept in tenths of a milliampere.
    cell.Put(DefaultReal(static_cast<double>(rcd.rated_current) / 10));
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(static_cast<double>(rcd.measured_current) / 10, 6, 3)
                      : NOT_APPLICABLE);
    cell.Put(MILLIAMPERE);
    cell.Put(measured ? FormatFixed(SlotReal(rcd.trip_time) * 1000, 10, 1) : NOT_APPLICABLE);
    cell.Put(MILLISECOND);
    return cells;
}
