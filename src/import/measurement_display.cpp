// The object and test lists of the import panel and the test description.
#include "import/measurement_display.h"

#include <cstdio>

#include "import/object_names.h"
#include "import/scanned_instrument.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

constexpr int ENGLISH = 1;
// Beside the number of a test the export journal holds.
const char* const EXPORTED_MARK = "  \u2713";
// Any text of blanks clears the description.
const char* const BLANK = " ";

int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}

}  // namespace

bool IsListSelectionEvent(int event) {
    return event == EVENT_VAL_CHANGED || event == EVENT_LEFT_CLICK;
}

std::string TwoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string DateText(const FicTest& test) {
    char text[48];
    if (langue == ENGLISH) {
        std::snprintf(text, sizeof text, "%02d-%02d-%04d", test.mois, test.jour, test.annee);
    } else {
        std::snprintf(text, sizeof text, "%02d-%02d-%04d", test.jour, test.mois, test.annee);
    }
    return text;
}

std::string Description(const FicTest& test) {
    return std::string(KindName(test.type_mes)) + "  /  " + DateText(test);
}

int ObjectOfRow(int row) {
    int found = -1, listed = 0;
    ForEachObject([&](int o) {
        if (found >= 0 || Director[o].nb_test < 1) return;
        if (listed++ == row) found = o;
    });
    return found;
}

int RowOfObject(int object) {
    int row = -1, listed = 0;
    ForEachObject([&](int o) {
        if (Director[o].nb_test < 1) return;
        if (o == object) row = listed;
        ++listed;
    });
    return row;
}

int TestOfRow(int object, int row) {
    int found = -1, listed = 0;
    ForEachTest(object, [&](int t) {
        if (found < 0 && listed++ == row) found = t;
    });
    return found;
}

CurrentNames ListedObjectNames() {
    if (!InstrumentSerialKnown()) return {};
    CurrentNames names =
        CurrentObjectNames(ObjectNamesPath(), InstrumentSerial(), Director, NB_OBJECTS);
    if (!names.problem.empty()) MessagePopup(Texte(titre_erreur), names.problem);
    return names;
}

std::string ObjectRowText(int number, const CurrentNames& names) {
    const std::string digits = TwoDigits(number);
    if (number < 0 || number >= NB_OBJECTS || names.names[number].empty()) return digits;
    return digits + "  " + names.names[number];
}

int FillObjectList() {
    int first = -1, rows = 0;
    const CurrentNames names = ListedObjectNames();
    ForEachObject([&](int o) {
        if (Director[o].nb_test < 1) return;
        if (first < 0) first = o;
        InsertListItem(ImportPanel(), IMPORT_OBJECTS, -1,
                       ObjectRowText(Director[o].num_objet, names), rows++);
    });
    return first;
}

int AppendTestRows(int object) {
    const ExportedTests exported = ExportedTestsOfInstrument();
    int rows = 0;
    ForEachTest(object, [&](int t) {
        const FicTest& test = Director[object].tests[t];
        const std::string number = TwoDigits(test.num_test);
        const bool marked = exported.Holds(test);
        InsertListItem(ImportPanel(), IMPORT_TESTS, -1, marked ? number + EXPORTED_MARK : number,
                       rows);
        if (marked) {
            SetListItemAccessibleName(ImportPanel(), IMPORT_TESTS, rows,
                                      FillPlaceholders(Texte(deja_exporte), {{"test", number}}));
        }
        ++rows;
    });
    return rows;
}

void BlankDescription() {
    SetCtrlVal(ImportPanel(), IMPORT_DESCRIPTION, std::string(BLANK));
}

void ShowDescription(const FicTest& test) {
    SetCtrlVal(ImportPanel(), IMPORT_DESCRIPTION, Description(test));
}

int Affiche_data(int object) {
    SetWaitCursor(1);
    if (object < 0 || object >= NB_OBJECTS || Director[object].nb_test == 0) {
        ClearListCtrl(ImportPanel(), IMPORT_TESTS);
        BlankDescription();
        return 0;
    }
    if (AppendTestRows(object) == 0) {
        BlankDescription();
        return 0;
    }
    ShowDescription(Director[object].tests[TestOfRow(object, 0)]);
    return 0;
}

int IndexTest(int, int, int event, void*, int, int) {
    if (!IsListSelectionEvent(event)) return 0;
    int objectRow = -1, testRow = -1;
    GetCtrlIndex(ImportPanel(), IMPORT_OBJECTS, objectRow);
    GetCtrlIndex(ImportPanel(), IMPORT_TESTS, testRow);
    if (objectRow < 0 || testRow < 0) return -1;
    int object = ObjectOfRow(objectRow);
    if (object < 0 || Director[object].nb_test == 0) return 0;
    int test = TestOfRow(object, testRow);
    if (test < 0) return 0;
    const FicTest& chosen = Director[object].tests[test];
    ShowDescription(chosen);
    return 0;
}
