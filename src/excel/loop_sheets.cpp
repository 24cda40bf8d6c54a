#include "excel/loop_sheets.h"

#include <string>

#include "excel/sheet_cells.h"
#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/store.h"
#include "store/value_text.h"

int32_t flag_tiret = 0;

namespace {

// Loop slots, as the loop reader fills them.
constexpr int SLOT_SMOOTHING = 0;
constexpr int SLOT_Z_LN = 2, SLOT_R_LN = 3, SLOT_L_LN = 4;
constexpr int SLOT_Z_LPE = 5, SLOT_R_LPE = 6, SLOT_L_LPE = 7;
constexpr int SLOT_Z_NPE = 8, SLOT_R_NPE = 9, SLOT_L_NPE = 10;
constexpr int SLOT_V_LN = 11, SLOT_V_LPE = 12, SLOT_V_NPE = 13, SLOT_V_P = 14;
constexpr int SLOT_FREQUENCY = 15, SLOT_R_P = 17;
constexpr int SLOT_Z_E = 20, SLOT_R_E = 21, SLOT_L_E = 22;

// Above this impedance the instrument's inductance reading means nothing.
constexpr double INDUCTANCE_LIMIT_OHM = 15;

// The case of the loop layout: what was measured decides which lines apply.
enum LoopCase { CASE_TRIP = 0, CASE_NO_TRIP = 1, CASE_LINE = 2 };

struct LoopLabel {
    std::string text;
    LoopCase s;
};

LoopLabel LoopLayoutLabel() {
    switch (Selection.fonction_boucle) {
        case 0:
            if (Selection.mode_declench == 1) return {"ZLOOP No Trip", CASE_NO_TRIP};
            // A trip-select measurement trips the device like a trip measurement.
            if (Selection.mode_declench == 2) return {"ZLOOP Trip Select.", CASE_TRIP};
            return {"ZLOOP Trip", CASE_TRIP};
        case 1:
            return {"ZLINE", CASE_LINE};
        default:
            return {Field("RCD ZLOOP No Trip", 17), CASE_NO_TRIP};
    }
}

std::string EarthLoopLabel(int mode) {
    if (mode == LOOP_SHORT) return "RCD REarth No Trip";
    switch (Selection.mode_declench) {
        case 0:
            return "REarth Trip";
        case 1:
            return "REarth No Trip";
        case 2:
            return "REarth Trip Select.";
        default:
            return "";
    }
}

// Z rule: an impedance, which also decides whether its line's inductance shows.
void PutImpedance(CellCursor& cell, int slot) {
    const double ohms = SlotReal(slot);
    flag_tiret = ohms > INDUCTANCE_LIMIT_OHM ? 1 : 0;
    cell.Put(FormatValue(ohms).text);
}

// R rule: a resistance (or a voltage), formatted with its thousands prefix.
void PutScaled(CellCursor& cell, int slot) {
    cell.Put(FormatValue(SlotReal(slot)).text);
}

// Unit of the value just written.
void PutResistanceUnit(CellCursor& cell) {
    cell.Put(ResistanceUnit(tabdest));
}

// L rule and mH rule.
void PutInductance(CellCursor& cell, int slot) {
    const double millihenries = SlotReal(slot);
    cell.Put(flag_tiret == 1 ? NOT_APPLICABLE : FormatFixed(millihenries, 10, 1));
}
void PutInductanceUnit(CellCursor& cell) {
    cell.Put(flag_tiret == 1 ? NOT_APPLICABLE : MILLIHENRY);
}

void PutVoltage(CellCursor& cell, int slot) {
    PutScaled(cell, slot);
    cell.Put(VoltageUnit(tabdest));
}

void PutDashes(CellCursor& cell, int count) {
    for (int i = 0; i < count; ++i) cell.Put(NOT_APPLICABLE);
}

// Smoothing, frequency and its unit end both layouts.
void PutSmoothingAndFrequency(CellCursor& cell) {
    cell.Put(SlotText(SLOT_SMOOTHING));
    cell.Put(FormatFixed(SlotReal(SLOT_FREQUENCY), 10, 2));
    cell.Put(HERTZ);
}

}  // namespace

void Exporter_Loop(int object, int test) {
    WriteIdentificationCells(object, test);
}

void MAJ_enteteExcel_Loop(int mode) {
    constexpr int FULL_WITH_UNIT = WITH_UNIT | FULL_ONLY;
    WriteTitleRow({{Texte(typeMesure)},
                   {Titre_colonne[TITRE_Z_LN], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_R_LN], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_L_LN], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_Z_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_R_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_L_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_Z_NPE], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_R_NPE], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_L_NPE], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_V_LN], FULL_WITH_UNIT},
                   {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_V_NPE], FULL_WITH_UNIT},
                   {Texte(smooth)},
                   {Texte(Freq), WITH_UNIT}},
                  mode == LOOP_SHORT);
}

void Suite_Exporter_Loop(int mode) {
    const bool full = mode == LOOP_FULL;
    flag_tiret = 0;
    const LoopLabel label = LoopLayoutLabel();
    const LoopCase s = label.s;
    CellCursor cell(VALUE_ROW);
    cell.Put(label.text);
    if (full) {
        PutImpedance(cell, SLOT_Z_LN);
        PutResistanceUnit(cell);
        PutScaled(cell, SLOT_R_LN);
        PutResistanceUnit(cell);
        PutInductance(cell, SLOT_L_LN);
        PutInductanceUnit(cell);
    }
    if (s == CASE_LINE) {
        PutDashes(cell, 6);
    } else {
        PutImpedance(cell, SLOT_Z_LPE);
        PutResistanceUnit(cell);
        PutScaled(cell, SLOT_R_LPE);
        PutResistanceUnit(cell);
        PutInductance(cell, SLOT_L_LPE);
        PutInductanceUnit(cell);
    }
    if (full) {
        // Without tripping, the neutral-to-earth impedance and inductance are
        // not measured, while its resistance is.
        if (s != CASE_TRIP) {
            PutDashes(cell, 2);
        } else {
            PutImpedance(cell, SLOT_Z_NPE);
            PutResistanceUnit(cell);
        }
        if (s == CASE_LINE) {
            PutDashes(cell, 2);
        } else {
            PutScaled(cell, SLOT_R_NPE);
            PutResistanceUnit(cell);
        }
        if (s != CASE_TRIP) {
            PutDashes(cell, 2);
        } else {
            PutInductance(cell, SLOT_L_NPE);
            PutInductanceUnit(cell);
        }
        PutVoltage(cell, SLOT_V_LN);
    }
    PutVoltage(cell, SLOT_V_LPE);
    if (full) PutVoltage(cell, SLOT_V_NPE);
    PutSmoothingAndFrequency(cell);
}

void MAJ_enteteExcel_Loop_REarth(int mode) {
    WriteTitleRow({{Texte(typeMesure)},
                   {Titre_colonne[TITRE_Z_E], WITH_UNIT},
                   {Titre_colonne[TITRE_R_E], WITH_UNIT},
                   {Titre_colonne[TITRE_L_E], WITH_UNIT | FULL_ONLY},
                   {Titre_colonne[TITRE_R_P], WITH_UNIT},
                   {Titre_colonne[TITRE_V_LN], WITH_UNIT},
                   {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                   {Titre_colonne[TITRE_V_NPE], WITH_UNIT},
                   {Titre_colonne[TITRE_V_P], WITH_UNIT},
                   {Texte(smooth)},
                   {Texte(Freq), WITH_UNIT}},
                  mode == LOOP_SHORT);
}

void Suite_Exporter_REarth(int mode) {
    const bool full = mode == LOOP_FULL;
    // Without tripping the earth impedance and inductance are not measured.
    const bool noTrip = Selection.mode_declench == 1;
    CellCursor cell(VALUE_ROW);
    cell.Put(EarthLoopLabel(mode));
    if (noTrip) {
        PutDashes(cell, 2);
    } else {
        PutImpedance(cell, SLOT_Z_E);
        PutResistanceUnit(cell);
    }
    PutScaled(cell, SLOT_R_E);
    PutResistanceUnit(cell);
    if (full) {
        if (noTrip) {
            PutDashes(cell, 2);
        } else {
            PutInductance(cell, SLOT_L_E);
            PutInductanceUnit(cell);
        }
    }
    PutScaled(cell, SLOT_R_P);
    PutResistanceUnit(cell);
    for (int slot : {SLOT_V_LN, SLOT_V_LPE, SLOT_V_NPE, SLOT_V_P}) PutVoltage(cell, slot);
    PutSmoothingAndFrequency(cell);
}

namespace {

// The loop layouts over a decoded record: each line's inductance shows only
// while the impedance of the same line, written just before, is 15 ohms or less.
class LoopRow {
   public:
    LoopRow(Cells& cells) : cell_(cells, VALUE_ROW) {}
    void Put(const std::string& text) { cell_.Put(text); }
    void Dashes(int count) {
        for (int i = 0; i < count; ++i) cell_.Put(NOT_APPLICABLE);
    }
    // An impedance and its unit.
    void Impedance(float ohms) {
        const double read = SlotReal(ohms);
        dashed_ = read > INDUCTANCE_LIMIT_OHM;
        Scaled(read, ResistanceUnit);
    }
    // A resistance and its unit.
    void Resistance(float ohms) { Scaled(SlotReal(ohms), ResistanceUnit); }
    void Voltage(float volts) { Scaled(SlotReal(volts), VoltageUnit); }
    // An inductance and its unit.
    void Inductance(float millihenries) {
        cell_.Put(dashed_ ? NOT_APPLICABLE : FormatFixed(SlotReal(millihenries), 10, 1));
        cell_.Put(dashed_ ? NOT_APPLICABLE : MILLIHENRY);
    }
    void SmoothingAndFrequency(const LoopRecord& record) {
        cell_.Put(std::to_string(record.smoothing));
        cell_.Put(FormatFixed(SlotReal(record.frequency), 10, 2));
        cell_.Put(HERTZ);
    }

   private:
    void Scaled(double value, std::string (*unitOf)(const std::string&)) {
        const ValueText formatted = FormatValue(value);
        cell_.Put(formatted.text);
        cell_.Put(unitOf(formatted.prefix));
    }
    CellRow cell_;
    bool dashed_ = false;
};

LoopLabel LoopLayoutLabel(const LoopRecord& record) {
    const int mode = TripMode(record);
    switch (record.fonction_boucle) {
        case 0:
            if (mode == 1) return {"ZLOOP No Trip", CASE_NO_TRIP};
            // A trip-select measurement trips the device like a trip measurement.
            if (mode == 2) return {"ZLOOP Trip Select.", CASE_TRIP};
            return {"ZLOOP Trip", CASE_TRIP};
        case 1:
            return {"ZLINE", CASE_LINE};
        default:
            return {Field("RCD ZLOOP No Trip", 17), CASE_NO_TRIP};
    }
}

std::string EarthLoopLabel(const LoopRecord& record, int mode) {
    if (mode == LOOP_SHORT) return "RCD REarth No Trip";
    switch (TripMode(record)) {
        case 0:
            return "REarth Trip";
        case 1:
            return "REarth No Trip";
        default:
            return "REarth Trip Select.";
    }
}

void AddLoopRow(Cells& cells, const LoopRecord& record, int mode) {
    const bool full = mode == LOOP_FULL;
    const LoopLabel label = LoopLayoutLabel(record);
    const LoopCase s = label.s;
    LoopRow row(cells);
    row.Put(label.text);
    if (full) {
        row.Impedance(record.z_ln);
        row.Resistance(record.r_ln);
        row.Inductance(record.l_ln);
    }
    if (s == CASE_LINE) {
        row.Dashes(6);
    } else {
        row.Impedance(record.z_lpe);
        row.Resistance(record.r_lpe);
        row.Inductance(record.l_lpe);
    }
    if (full) {
        // Without tripping, the neutral-to-earth impedance and inductance are
        // not measured, while its resistance is.
        if (s != CASE_TRIP) {
            row.Dashes(2);
        } else {
            row.Impedance(record.z_npe);
        }
        if (s == CASE_LINE) {
            row.Dashes(2);
        } else {
            row.Resistance(record.r_npe);
        }
        if (s != CASE_TRIP) {
            row.Dashes(2);
        } else {
            row.Inductance(record.l_npe);
        }
        row.Voltage(record.v_ln);
    }
    row.Voltage(record.v_lpe);
    if (full) row.Voltage(record.v_npe);
    row.SmoothingAndFrequency(record);
}

void AddEarthLoopRow(Cells& cells, const LoopRecord& record, int mode) {
    // Without tripping the earth impedance and inductance are not measured.
    const bool noTrip = TripMode(record) == 1;
    LoopRow row(cells);
    row.Put(EarthLoopLabel(record, mode));
    if (noTrip) {
        row.Dashes(2);
    } else {
        row.Impedance(record.z_e);
    }
    row.Resistance(record.r_e);
    if (mode == LOOP_FULL) {
        if (noTrip) {
            row.Dashes(2);
        } else {
            row.Inductance(record.l_e);
        }
    }
    row.Resistance(record.r_p);
    for (float volts : {record.v_ln, record.v_lpe, record.v_npe, record.v_p}) row.Voltage(volts);
    row.SmoothingAndFrequency(record);
}

void AddLoopTitles(Cells& cells, int mode) {
    constexpr int FULL_WITH_UNIT = WITH_UNIT | FULL_ONLY;
    AddTitleRow(cells,
                {{Texte(typeMesure)},
                 {Titre_colonne[TITRE_Z_LN], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_R_LN], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_L_LN], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_Z_LPE], WITH_UNIT},
                 {Titre_colonne[TITRE_R_LPE], WITH_UNIT},
                 {Titre_colonne[TITRE_L_LPE], WITH_UNIT},
                 {Titre_colonne[TITRE_Z_NPE], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_R_NPE], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_L_NPE], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_V_LN], FULL_WITH_UNIT},
                 {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                 {Titre_colonne[TITRE_V_NPE], FULL_WITH_UNIT},
                 {Texte(smooth)},
                 {Texte(Freq), WITH_UNIT}},
                mode == LOOP_SHORT);
}

void AddEarthLoopTitles(Cells& cells, int mode) {
    AddTitleRow(cells,
                {{Texte(typeMesure)},
                 {Titre_colonne[TITRE_Z_E], WITH_UNIT},
                 {Titre_colonne[TITRE_R_E], WITH_UNIT},
                 {Titre_colonne[TITRE_L_E], WITH_UNIT | FULL_ONLY},
                 {Titre_colonne[TITRE_R_P], WITH_UNIT},
                 {Titre_colonne[TITRE_V_LN], WITH_UNIT},
                 {Titre_colonne[TITRE_V_LPE], WITH_UNIT},
                 {Titre_colonne[TITRE_V_NPE], WITH_UNIT},
                 {Titre_colonne[TITRE_V_P], WITH_UNIT},
                 {Texte(smooth)},
                 {Texte(Freq), WITH_UNIT}},
                mode == LOOP_SHORT);
}

}  // namespace

Cells LoopCells(const LoopRecord& record) {
    Cells cells;
    const int function = record.fonction_boucle;
    const int mode = function == 3 ? LOOP_SHORT : LOOP_FULL;
    // Function 2, and 3 with the earth variant, measure the earth record.
    const bool earthLoop = function == 2 || (function == 3 && record.variante_terre != 0);
    if (function > 3) return cells;
    if (earthLoop) {
        AddEarthLoopTitles(cells, mode);
        AddEarthLoopRow(cells, record, mode);
    } else {
        AddLoopTitles(cells, mode);
        AddLoopRow(cells, record, mode);
    }
    return cells;
}
