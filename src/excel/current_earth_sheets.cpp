#include "excel/current_earth_sheets.h"

#include <string>

#include "excel/sheet_cells.h"
#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/store.h"
#include "store/value_text.h"

namespace {

// The current slot carries more digits than the others (milliamperes).
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

}  // namespace

void MAJ_enteteExcel_courant() {
    WriteTitleRow({{Texte(Ecourant), WITH_UNIT},
                   {Texte(smooth)},
                   {Texte(Freq), WITH_UNIT},
                   {Texte(clamptype)},
                   {Texte(vbatt), WITH_UNIT},
                   {Texte(Tempr), WITH_UNIT}});
}

void Exporter_courant(int object, int test) {
    WriteIdentificationCells(object, test);
    CellCursor cell(VALUE_ROW);
    cell.Put(Current(SlotReal(1, CURRENT_SLOT_CHARACTERS) / 1000));
    cell.Put(AMPERE);
    cell.Put(SlotText(5));
    cell.Put(FormatFixed(FrequencyFromPeriod(SlotReal(4)), 10, 2));
    cell.Put(HERTZ);
    cell.Put(ClampType(SlotInteger(6)));
    cell.Put(FormatFixed(SlotReal(2) / 1000, 10, 1));
    cell.Put(VOLT);
    cell.Put(FormatFixed(SlotReal(3), 10, 1));
    cell.Put(DEGREE_CELSIUS);
}

void MAJ_enteteExcel_Terre() {
    WriteTitleRow({{Texte(typeMesure)},
                   {Titre_colonne[TITRE_RE], WITH_UNIT},
                   {Titre_colonne[TITRE_RS], WITH_UNIT},
                   {Titre_colonne[TITRE_RH], WITH_UNIT},
                   {Texte(smooth)}});
}

void Exporter_Terre(int object, int test) {
    WriteIdentificationCells(object, test);
    // The method byte: 0 three-pole, 1 two-pole (no probe resistances).
    const int method = earth.method;
    CellCursor cell(VALUE_ROW);
    cell.Put(method == 0 ? "Earth 3P" : method == 1 ? "Earth 2P" : "     ");
    // Each resistance is followed by its own unit cell: FormatValue clears the
    // thousands prefix before every value.
    cell.Put(FormatValue(SlotReal(1) / 1000).text);
    cell.Put(ResistanceUnit(tabdest));
    for (int slot : {2, 3}) {
        if (method == 0) {
            cell.Put(FormatValue(SlotReal(slot) / 1000).text);
            cell.Put(ResistanceUnit(tabdest));
        } else {
            cell.Put(NOT_APPLICABLE);
            cell.Put(NOT_APPLICABLE);
        }
    }
    cell.Put(SlotText(4));
}

Cells CurrentCells(const AmpRecord& record) {
    Cells cells;
    AddTitleRow(cells, {{Texte(Ecourant), WITH_UNIT},
                        {Texte(smooth)},
                        {Texte(Freq), WITH_UNIT},
                        {Texte(clamptype)},
                        {Texte(vbatt), WITH_UNIT},
                        {Texte(Tempr), WITH_UNIT}});
    CellRow cell(cells, VALUE_ROW);
    cell.Put(Current(SlotReal(record.current, CURRENT_SLOT_CHARACTERS) / 1000));
    cell.Put(AMPERE);
    cell.Put(std::to_string(record.smoothing));
    cell.Put(FormatFixed(FrequencyFromPeriod(SlotReal(SlotTextOf(record.period))), 10, 2));
    cell.Put(HERTZ);
    cell.Put(ClampType(record.clamp));
    cell.Put(FormatFixed(SlotReal(record.battery) / 1000, 10, 1));
    cell.Put(VOLT);
    cell.Put(FormatFixed(SlotReal(record.temperature), 10, 1));
    cell.Put(DEGREE_CELSIUS);
    return cells;
}

namespace {

// A resistance in milliohms, in ohms with its own unit cell.
void PutResistance(CellRow& cell, int32_t milliohms) {
    const ValueText ohms = FormatValue(SlotReal(SlotTextOf(milliohms)) / 1000);
    cell.Put(ohms.text);
    cell.Put(ResistanceUnit(ohms.prefix));
}

}  // namespace

Cells EarthCells(const EarthRecord& record) {
    Cells cells;
    AddTitleRow(cells, {{Texte(typeMesure)},
                        {Titre_colonne[TITRE_RE], WITH_UNIT},
                        {Titre_colonne[TITRE_RS], WITH_UNIT},
                        {Titre_colonne[TITRE_RH], WITH_UNIT},
                        {Texte(smooth)}});
    // The method byte: 0 three-pole, 1 two-pole (no probe resistances).
    const int method = record.method;
    CellRow cell(cells, VALUE_ROW);
    cell.Put(method == 0 ? "Earth 3P" : method == 1 ? "Earth 2P" : "     ");
    PutResistance(cell, record.re);
    for (int32_t probe : {record.rs, record.rh}) {
        if (method == 0) {
            PutResistance(cell, probe);
        } else {
            cell.Put(NOT_APPLICABLE);
            cell.Put(NOT_APPLICABLE);
        }
    }
    cell.Put(std::to_string(record.smoothing));
    return cells;
}
