#include "excel/loop_sheets.h"

#include <string>

#include "excel/value_format.h"
#include "shell/messages.h"
#include "store/value_text.h"

namespace {

// Above this impedance the instrument's inductance reading means nothing.
constexpr double INDUCTANCE_LIMIT_OHM = 15;

// The case of the loop layout: what was measured decides which lines apply.
enum LoopCase { CASE_TRIP = 0, CASE_NO_TRIP = 1, CASE_LINE = 2 };

struct LoopLabel {
    std::string text;
    LoopCase s;
};

// The loop layouts over a decoded record: each line's inductance shows only
// while the impedance of the same line, written just before, is 15 ohms or less.
class LoopRow {
   public:
    explicit LoopRow(Cells& cells) : cell_(cells, VALUE_ROW) {}
    void Put(const std::string& text) { cell_.Put(text); }
    void Dashes(int count) {
        for (int i = 0; i < count; ++i) cell_.Put(NOT_APPLICABLE);
    }
    // An impedance and its unit.
    void Impedance(float ohms) {
        const double read = SlotReal(ohms);
        flag_tiret_ = read > INDUCTANCE_LIMIT_OHM;
        Scaled(read, ResistanceUnit);
    }
    // A resistance and its unit.
    void Resistance(float ohms) { Scaled(SlotReal(ohms), ResistanceUnit); }
    void Voltage(float volts) { Scaled(SlotReal(volts), VoltageUnit); }
    // An inductance and its unit.
    void Inductance(float millihenries) {
        cell_.Put(flag_tiret_ ? NOT_APPLICABLE : FormatFixed(SlotReal(millihenries), 10, 1));
        cell_.Put(flag_tiret_ ? NOT_APPLICABLE : MILLIHENRY);
    }
    void SmoothingAndFrequency(const LoopRecord& loop) {
        cell_.Put(std::to_string(loop.smoothing));
        cell_.Put(FormatFixed(SlotReal(loop.frequency), 10, 2));
        cell_.Put(HERTZ);
    }

   private:
    void Scaled(double value, std::string (*unitOf)(const std::string&)) {
        const ValueText formatted = FormatValue(value);
        cell_.Put(formatted.text);
        cell_.Put(unitOf(formatted.prefix));
    }
    CellRow cell_;
    bool flag_tiret_ = false;
};

LoopLabel LoopLayoutLabel(const LoopRecord& loop) {
    const int mode = TripMode(loop);
    switch (loop.fonction_boucle) {
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

std::string EarthLoopLabel(const LoopRecord& loop, int mode) {
    if (mode == LOOP_SHORT) return "RCD REarth No Trip";
    switch (TripMode(loop)) {
        case 0:
            return "REarth Trip";
        case 1:
            return "REarth No Trip";
        default:
            return "REarth Trip Select.";
    }
}

void Suite_Exporter_Loop(Cells& cells, const LoopRecord& loop, int mode) {
    const bool full = mode == LOOP_FULL;
    const LoopLabel label = LoopLayoutLabel(loop);
    const LoopCase s = label.s;
    LoopRow row(cells);
    row.Put(label.text);
    if (full) {
        row.Impedance(loop.z_ln);
        row.Resistance(loop.r_ln);
        row.Inductance(loop.l_ln);
    }
    if (s == CASE_LINE) {
        row.Dashes(6);
    } else {
        row.Impedance(loop.z_lpe);
        row.Resistance(loop.r_lpe);
        row.Inductance(loop.l_lpe);
    }
    if (full) {
        // Without tripping, the neutral-to-earth impedance and inductance are
        // not measured, while its resistance is.
        if (s != CASE_TRIP) {
            row.Dashes(2);
        } else {
            row.Impedance(loop.z_npe);
        }
        if (s == CASE_LINE) {
            row.Dashes(2);
        } else {
            row.Resistance(loop.r_npe);
        }
        if (s != CASE_TRIP) {
            row.Dashes(2);
        } else {
            row.Inductance(loop.l_npe);
        }
        row.Voltage(loop.v_ln);
    }
    row.Voltage(loop.v_lpe);
    if (full) row.Voltage(loop.v_npe);
    row.SmoothingAndFrequency(loop);
}

void Suite_Exporter_REarth(Cells& cells, const LoopRecord& loop, int mode) {
    // Without tripping the earth impedance and inductance are not measured.
    const bool noTrip = TripMode(loop) == 1;
    LoopRow row(cells);
    row.Put(EarthLoopLabel(loop, mode));
    if (noTrip) {
        row.Dashes(2);
    } else {
        row.Impedance(loop.z_e);
    }
    row.Resistance(loop.r_e);
    if (mode == LOOP_FULL) {
        if (noTrip) {
            row.Dashes(2);
        } else {
            row.Inductance(loop.l_e);
        }
    }
    row.Resistance(loop.r_p);
    for (float volts : {loop.v_ln, loop.v_lpe, loop.v_npe, loop.v_p}) row.Voltage(volts);
    row.SmoothingAndFrequency(loop);
}

}  // namespace

void MAJ_enteteExcel_Loop(Cells& cells, int mode) {
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

void MAJ_enteteExcel_Loop_REarth(Cells& cells, int mode) {
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

Cells LoopCells(const LoopRecord& loop) {
    Cells cells;
    const int function = loop.fonction_boucle;
    const int mode = function == 3 ? LOOP_SHORT : LOOP_FULL;
    // Function 2, and 3 with the earth variant, measure the earth loop.
    const bool earthLoop = function == 2 || (function == 3 && loop.variante_terre != 0);
    if (function > 3) return cells;
    if (earthLoop) {
        MAJ_enteteExcel_Loop_REarth(cells, mode);
        Suite_Exporter_REarth(cells, loop, mode);
    } else {
        MAJ_enteteExcel_Loop(cells, mode);
        Suite_Exporter_Loop(cells, loop, mode);
    }
    return cells;
}
