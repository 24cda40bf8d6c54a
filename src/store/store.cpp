// The measurement store's definitions and the directory reset.
#include "store/store.h"

#include "shell/globals.h"

const char* const tab_type[15] = {".a", ".c", ".e", ".k", ".l", ".m", ".r", ".p", ".v"};
const char* const liste_mes[15] = {"amp", "c", "earth", "k", "loop", "m", "rcd", "p", "volt"};

// Row = kind, column = language (French, English, German, Spanish, Italian).
// Kinds the program does not import have an empty name; row 9 stays null.
const char* const table_type[50] = {
    "Courant", "Current", "Strom",    "Corriente", "Corrente",  // 0 .a
    "",        "",        "",         "",          "",          // 1 .c
    "Terre",   "Earth",   "Erdung",   "Tierra",    "Terra",     // 2 .e
    "",        "",        "",         "",          "",          // 3 .k
    "Boucle",  "Loop",    "Schleife", "Bucle",     "R anello",  // 4 .l
    "",        "",        "",         "",          "",          // 5 .m
    "RCD",     "RCD",     "RCD",      "RCD",       "RCD",       // 6 .r
    "",        "",        "",         "",          "",          // 7 .p
    "Tension", "Voltage", "Spannung", "Tensión ",  "Tensione",  // 8 .v
};

const char* KindName(int kind) {
    if (kind < 0 || kind >= NB_KINDS || langue < 0 || langue > 4) return "";
    const char* name = table_type[kind * 5 + langue];
    return name ? name : "";
}

DirObjet Director[150];
int32_t nb_total = 0;
int32_t flag_stop = 0;
int32_t flag_excel = 0;

int ZR8812_conf() {
    for (int o = 0; o < NB_OBJECTS; ++o) {
        DirObjet& entry = Director[o];
        entry.present = entry.jour = entry.mois = entry.annee = 0;
        entry.heure = entry.minute = entry.nb_test = entry.num_objet = entry.sans_heure = 0;
        // num_test and type_mes keep their values: nothing reads them while present is 0.
        for (FicTest& test : entry.tests) {
            test.num_objet = test.present = test.jour = test.mois = test.annee = 0;
            test.heure = test.minute = test.sans_heure = 0;
        }
    }
    return 100;
}
