// The import panel's two lists (objects, tests of the selected object) and the
// one-line description of the selected test.
#pragma once

#include <string>

#include "import/object_names.h"
#include "store/store.h"

// Two decimal digits, zero padded ("07").
std::string TwoDigits(int number);
// The test's date: day-month-year ("05-11-2008"), in English month-day-year
// ("11-05-2008").
std::string DateText(const FicTest& test);
// The kind's name in the current language, "  /  ", the date text.
std::string Description(const FicTest& test);

// The object entry shown on row `row` of the object list (the row-th counted
// object that has at least one test), or -1.
int ObjectOfRow(int row);
// The row of object entry `object` in the object list, or -1 when not listed.
int RowOfObject(int object);
// The test index shown on row `row` of the test list of `object`, or -1.
int TestOfRow(int object, int row);

// The current names of the listed objects of the scanned instrument, by
// object number; none while its serial number is unknown. A damaged names
// file is told here.
CurrentNames ListedObjectNames();
// The object list's row: the number first (the list's order and its keyboard
// search stay by number), then the current name: "04  Rue Haute 12, flat 3".
std::string ObjectRowText(int number, const CurrentNames& names);

// Fills the import panel's object list: one row per counted object with tests,
// its number and its current name.
// Returns the first listed object entry, or -1.
int FillObjectList();
// Appends the tests of `object` to the test list; returns how many were appended.
int AppendTestRows(int object);
// Blanks the description text.
void BlankDescription();
void ShowDescription(const FicTest& test);

// Fills the test list of `object` and shows the first test's description.
int Affiche_data(int object);
// A change of a list's selection: its value changed, or a left click.
bool IsListSelectionEvent(int event);
// Callback of the test list (value changed, left click); -1 when no object or
// no test row is selected, else 0.
int IndexTest(int panel, int control, int event, void* callbackData, int eventData1,
              int eventData2);
