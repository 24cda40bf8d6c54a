// The import panel's date filter: every test, or the tests of one day.
#pragma once

#include "store/store.h"

struct DateFilter {
    int all_dates = 1;
    int day = 0, month = 0, year = 0;
    // Day, month and year must all be equal; the time is not compared.
    bool Matches(const FicTest& test) const {
        return all_dates == 1 || (test.jour == day && test.mois == month && test.annee == year);
    }
};

// Reads the all-dates switch and, when it is off, the day, month and year fields.
DateFilter ReadDateFilter();
