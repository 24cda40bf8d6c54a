// A test as a memory scan records it: listed on 5 March 2026 at 14:07 unless
// another time is given.
#pragma once

#include "store/store.h"

inline FicTest ListedTest(int object, int test, int kind, int hour = 14, int minute = 7) {
    FicTest t;
    t.num_objet = object;
    t.num_test = test;
    t.type_mes = kind;
    t.present = 1;
    t.annee = 2026;
    t.mois = 3;
    t.jour = 5;
    t.heure = hour;
    t.minute = minute;
    return t;
}
