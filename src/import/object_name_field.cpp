#include "import/object_name_field.h"

#include "import/measurement_display.h"
#include "import/scanned_instrument.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

// What the field shows now: the name is given to this object, and leaving the
// field with this text unchanged gives nothing.
struct ShownName {
    int object = -1;
    NameState state = NameState::None;
    std::string text;
};
ShownName shown;

int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}

void Tell(const std::string& problem) {
    if (!problem.empty()) MessagePopup(Texte(titre_erreur), problem);
}

// The label tells the state, so that a screen reader names the field
// "Previous name of the object" when it shows a stale name; the note below
// says what the state means.
void ShowState(bool dimmed) {
    const int p = ImportPanel();
    const bool stale = shown.state == NameState::Stale;
    const bool unknown = !InstrumentSerialKnown() && shown.object >= 0;
    SetCtrlAttribute(p, IMPORT_NAME_FIELD, ATTR_LABEL_TEXT,
                     Texte(stale ? nom_precedent : nom_objet));
    SetCtrlAttribute(p, IMPORT_NAME_FIELD, ATTR_DIMMED, dimmed ? 1 : 0);
    SetCtrlVal(p, IMPORT_NAME_NOTE,
               std::string(stale     ? Texte(nom_precedent_note)
                           : unknown ? Texte(nom_sans_serie)
                                     : ""));
    SetCtrlAttribute(p, IMPORT_NAME_NOTE, ATTR_VISIBLE, stale || unknown ? 1 : 0);
}

// The list's rows again, with the object's new name, its row still selected.
void RefreshObjectRow(int object) {
    const int row = RowOfObject(object);
    ClearListCtrl(ImportPanel(), IMPORT_OBJECTS);
    FillObjectList();
    if (row >= 0) SetCtrlIndex(ImportPanel(), IMPORT_OBJECTS, row);
}

}  // namespace

void ShowObjectName(int object) {
    shown = ShownName{};
    if (object < 0 || object >= NB_OBJECTS || Director[object].nb_test < 1) {
        SetCtrlVal(ImportPanel(), IMPORT_NAME_FIELD, std::string());
        ShowState(true);
        return;
    }
    shown.object = object;
    if (InstrumentSerialKnown()) {
        const NameLookup lookup =
            LookUpObjectName(ObjectNamesPath(), InstrumentSerial(), Director[object]);
        shown.state = lookup.name.state;
        shown.text = lookup.name.name;
        Tell(lookup.problem);
    }
    SetCtrlVal(ImportPanel(), IMPORT_NAME_FIELD, shown.text);
    ShowState(!InstrumentSerialKnown());
}

void RelabelObjectName() {
    ShowState(shown.object < 0 || !InstrumentSerialKnown());
}

int NommerObjet(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT && event != EVENT_VAL_CHANGED) return 0;
    if (shown.object < 0 || !InstrumentSerialKnown()) return 0;
    std::string typed;
    GetCtrlVal(ImportPanel(), IMPORT_NAME_FIELD, typed);
    // Leaving the field confirms nothing: only a changed text is given.
    if (event == EVENT_VAL_CHANGED && CleanObjectName(typed) == shown.text) return 0;
    const int object = shown.object;
    const NameChange change =
        NameObject(ObjectNamesPath(), InstrumentSerial(), Director[object], typed);
    Tell(change.problem);
    RefreshObjectRow(object);
    ShowObjectName(object);
    return 0;
}
