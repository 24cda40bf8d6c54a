// The measurement store: the instrument's memory directory `Director`, the
// current test `Selection`, the decoded records of the five supported kinds,
// the text slots `tamp` the sheet writers read, and the run/stop flags.
// Static, fixed-size, zero at start; one instance of each.
#pragma once

#include <cstdint>

// ---- Measurement kinds (index of the extension in tab_type) ----
constexpr int NB_KINDS = 9;
constexpr int KIND_CURRENT = 0;
constexpr int KIND_EARTH = 2;
constexpr int KIND_LOOP = 4;
constexpr int KIND_RCD = 6;
constexpr int KIND_VOLTAGE = 8;
extern const char* const tab_type[15];    // ".a", ".c", ".e", ".k", ".l", ".m", ".r", ".p", ".v"
extern const char* const liste_mes[15];   // "amp", "c", "earth", ...
extern const char* const table_type[50];  // row = kind, column = language; row 9 null
// The kind's display name in the current language ("" for kinds without one).
const char* KindName(int kind);

// ---- Directory ----
struct FicTest {
    int32_t num_objet = 0;
    int32_t num_test = 0;
    int32_t present = 0;
    int32_t jour = 0;
    int32_t mois = 0;
    int32_t annee = 0;
    int32_t heure = 0;
    int32_t minute = 0;
    int32_t sans_declench = 0;
    int32_t mode_declench = 0;
    int32_t fonction_boucle = 0;
    int32_t select_declench = 0;
    int32_t variante_terre = 0;
    int32_t type_mes = 0;
    // Nonzero when the listing showed the year instead of a time (entries
    // older than about six months): `heure` and `minute` are then not the
    // test's, and nothing may be matched or named by them.
    int32_t sans_heure = 0;
};

constexpr int NB_OBJECTS = 100;
constexpr int NB_TESTS = 100;
struct DirObjet {
    int32_t present = 0;
    int32_t jour = 0;
    int32_t mois = 0;
    int32_t annee = 0;
    int32_t heure = 0;
    int32_t minute = 0;
    int32_t nb_test = 0;
    int32_t num_objet = 0;
    int32_t sans_heure = 0;  // as in FicTest
    FicTest tests[NB_TESTS];
};
extern DirObjet Director[150];
extern FicTest Selection;
extern int32_t nb_total;
extern int32_t flag_stop;
extern int32_t flag_excel;

// Resets entries 0 to 99 before a scan; returns 100.
int ZR8812_conf();

// ---- Walking the directory ----
// Every consumer walks objects and tests this way: ascending indices, present
// entries only, at most nb_total objects and nb_test tests of each.
// Calls visit(objectIndex) for each counted object, in order.
template <typename Visit>
void ForEachObject(Visit visit) {
    int counted = 0;
    for (int o = 0; o < NB_OBJECTS && counted < nb_total; ++o) {
        if (Director[o].present == 0) continue;
        ++counted;
        visit(o);
    }
}
// Calls visit(testIndex) for each counted test of object entry `o`, in order.
template <typename Visit>
void ForEachTest(int o, Visit visit) {
    if (o < 0 || o >= NB_OBJECTS) return;
    int counted = 0;
    for (int t = 0; t < NB_TESTS && counted < Director[o].nb_test; ++t) {
        if (Director[o].tests[t].present == 0) continue;
        ++counted;
        visit(t);
    }
}

// ---- Decoded records ----
// Fields in file order. Units are the instrument's; the sheet writers scale the
// slot texts. Comments give the text slot each field is written to.
struct AmpRecord {
    uint16_t header = 0;    // slot 0
    float current = 0;      // slot 1, milliamperes
    float battery = 0;      // slot 2, millivolts
    float temperature = 0;  // slot 3, degrees Celsius
    int32_t period = 0;     // slot 4, tenths of a microsecond (0 = no frequency)
    uint8_t smoothing = 0;  // slot 5
    uint8_t clamp = 0;      // slot 6: 0 no clamp, 1 "1 / 1000", 2 "1 / 10000"
    uint8_t reserved = 0;   // slot 7, never read from the file
};
struct EarthRecord {
    uint16_t header = 0;    // slot 0
    int32_t re = 0;         // slot 1, milliohms
    int32_t rs = 0;         // slot 2, milliohms
    int32_t rh = 0;         // slot 3, milliohms
    uint8_t smoothing = 0;  // slot 4
    uint8_t method = 0;     // slot 5: 0 three-pole, 1 two-pole
    uint16_t trailer = 0;   // slot 6
};
struct LoopRecord {
    uint8_t smoothing = 0;                  // slot 0
    uint8_t fonction_boucle = 0;            // slot 1: 0 ZLOOP, 1 ZLINE, 2 REarth, 3 RCD variant
    uint8_t sans_declench = 0;              // slot 19, nonzero = measured without tripping
    float z_ln = 0, r_ln = 0, l_ln = 0;     // slots 2, 3, 4 (ohms, ohms, millihenries)
    float z_lpe = 0, r_lpe = 0, l_lpe = 0;  // slots 5, 6, 7
    float z_npe = 0, r_npe = 0, l_npe = 0;  // slots 8, 9, 10
    float l_e = 0;                          // slot 22
    float z_e = 0;                          // slot 20
    float r_e = 0;                          // slot 21
    float v_ln = 0, v_lpe = 0, v_npe = 0, v_p = 0;  // slots 11 to 14, volts
    float frequency = 0;                            // slot 15, hertz
    uint16_t word16 = 0;                            // slot 16
    float r_p = 0;                                  // slot 17
    uint8_t variante_terre = 0;                     // slot 23
    uint8_t select_declench = 0;                    // slot 18
};
struct RcdRecord {
    uint16_t validity = 0;          // slot 0: 50 or more = current and time not shown
    uint16_t measured_current = 0;  // slot 1, tenths of a milliampere
    uint16_t word2 = 0;             // slot 2
    float trip_time = 0;            // slot 3, seconds
    uint16_t rated_current = 0;     // slot 4, tenths of a milliampere
    uint8_t test_mode = 0;          // slot 5: 1 slope, 2 pulse
    uint8_t multiplier = 0;         // slot 6
    uint16_t wave_start = 0;        // slot 7, only the low byte is ever set
};
struct VoltRecord {
    uint16_t header = 0;                   // slot 0
    float v_ln = 0, v_lpe = 0, v_npe = 0;  // slots 1, 2, 3, millivolts
    float battery = 0;                     // slot 4, millivolts
    float temperature = 0;                 // slot 5, degrees Celsius
    int32_t period = 0;                    // slot 6, tenths of a microsecond
    float rod_resistance = 0;              // slot 7, ohms
    uint8_t smoothing = 0;                 // slot 8
    uint8_t trailer = 0;                   // slot 9
};
extern AmpRecord amp;
extern EarthRecord earth;
extern LoopRecord loop;
extern RcdRecord rcd;
extern VoltRecord volt;

// ---- Text slots ----
constexpr int NB_SLOTS = 500;
constexpr int SLOT_SIZE = 100;
extern char tamp[NB_SLOTS * SLOT_SIZE];
// Slot i as a text.
inline const char* Slot(int i) {
    return &tamp[i * SLOT_SIZE];
}
