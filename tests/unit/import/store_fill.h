// Test helpers: a memory directory as the listings would fill it.
#pragma once

#include "store/store.h"

// Marks object `o` present (counted in nb_total the first time).
inline void AddObject(int o) {
    if (Director[o].present == 0) ++nb_total;
    Director[o].present = 1;
    Director[o].num_objet = o;
}

// Adds test `t` of kind `kind`, dated day-month-year, to object `o`.
inline void AddTest(int o, int t, int kind, int day = 5, int month = 11, int year = 2008) {
    AddObject(o);
    FicTest& test = Director[o].tests[t];
    if (test.present == 0) ++Director[o].nb_test;
    test = FicTest{};
    test.present = 1;
    test.num_objet = o;
    test.num_test = t;
    test.type_mes = kind;
    test.jour = day;
    test.mois = month;
    test.annee = year;
    test.heure = 12;
}
