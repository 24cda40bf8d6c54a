#include "excel/current_earth_sheets.h"

#include <string>

#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/value_text.h"

namespace {

// The current's text carries more digits than the others (milliamperes).
constexpr int CURRENT_SLOT_CHARACTERS = 12;

std::string ClampType(long code) {
    switch (code) {
        case 0:
            return "no clamp";
        case 1:
            return "1 / 1000";
        case 2:
            return "1 / 10000";
        // An unknown clamp is shown as its code rather than as nothing.
        default:
            return "code " + std::to_string(code);
    }
}

std::string Current(double amperes) {
    const int decimals = amperes < 1 ? 3 : amperes < 10 ? 2 : 1;
    return FormatFixed(amperes, 10, decimals);
}

// A resistance in milliohms, in ohms with its own unit cell.
void PutResistance(CellRow& cell, int32_t milliohms) {
    const ValueText ohms = FormatValue(SlotReal(SlotTextOf(milliohms)) / 1000);
    cell.Put(ohms.text);
    cell.Put(ResistanceUnit(ohms.prefix));
}

}  // namespace

void MAJ_enteteExcel_courant(Cells& cells) {
    AddTitleRow(cells, {{Texte(Ecourant), WITH_UNIT},
                        {Texte(smooth)},
                        {Texte(Freq), WITH_UNIT},
                        {Texte(clamptype)},
                        {Texte(vbatt), WITH_UNIT},
                        {Texte(Tempr), WITH_UNIT}});
}

Cells CurrentCells(const AmpRecord& amp) {
    Cells cells;
    MAJ_enteteExcel_courant(cells);
    CellRow cell(cells, VALUE_ROW);
    cell.Put(Current(SlotReal(amp.current, CURRENT_SLOT_CHARACTERS) / 1000));
    cell.Put(AMPERE);
    cell.Put(std::to_string(amp.smoothing));
    PutFrequency(cell, amp.period);
    cell.Put(ClampType(amp.clamp));
    PutBatteryAndTemperature(cell, amp.battery, amp.temperature);
    return cells;
}

void MAJ_enteteExcel_Terre(Cells& cells) {
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Titre_colonne[TITRE_RE], WITH_UNIT},
                        {Titre_colonne[TITRE_RS], WITH_UNIT},
                        {Titre_colonne[TITRE_RH], WITH_UNIT},
                        {Texte(smooth)}});
}

Cells EarthCells(const EarthRecord& earth) {
    Cells cells;
    MAJ_enteteExcel_Terre(cells);
    // The method byte: 0 three-pole, 1 two-pole (no probe resistances).
    const int method = earth.method;
    CellRow cell(cells, VALUE_ROW);
    cell.Put(method == 0 ? "Earth 3P" : method == 1 ? "Earth 2P" : "     ");
    PutResistance(cell, earth.re);
    for (int32_t probe : {earth.rs, earth.rh}) {
        if (method == 0) {
            PutResistance(cell, probe);
        } else {
            cell.Put(NOT_APPLICABLE);
            cell.Put(NOT_APPLICABLE);
        }
    }
    cell.Put(std::to_string(earth.smoothing));
    return cells;
}
