#include "import/object_selection.h"

#include "import/measurement_display.h"
#include "import/object_name_field.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"

int IndexObjet(int, int, int event, void*, int, int) {
    if (!IsListSelectionEvent(event)) return 0;
    int row = -1;
    GetCtrlIndex(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, row);
    if (row < 0) return 0;
    ClearListCtrl(Fen_princ[PANEL_IMPORT], IMPORT_TESTS);
    BlankDescription();
    int object = ObjectOfRow(row);
    ShowObjectName(object);
    if (object >= 0) Affiche_data(object);
    SetWaitCursor(0);
    return 0;
}
