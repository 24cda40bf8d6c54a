// The measurement store: the instrument's memory directory `Director`, the
// kinds of measurement and the run/stop flags.
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
