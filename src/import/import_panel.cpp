// The import panel's callbacks: export, update, close, all-dates switch, and
// the date check that decides whether the export panel opens.
#include <string>

#include "import/date_filter.h"
#include "import/import_workflow.h"
#include "import/instrument_setup.h"
#include "import/measurement_display.h"
#include "import/memory_scan.h"
#include "import/object_name_field.h"
#include "import/object_selection.h"
#include "link/status_identity.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "store/store.h"

namespace {

constexpr int SWITCH_ON_SETUP = 25;

int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}
int ExportPanel() {
    return Fen_princ[PANEL_EXPORT];
}

void OpenExportPanel() {
    HidePanel(ImportPanel());
    Traduc_excel();
    SetCtrlVal(ExportPanel(), EXPORT_FOLDER, Excel.working_folder);
    SetCtrlVal(ExportPanel(), EXPORT_BASE_NAME, Excel.base_name);
    SetCtrlVal(ExportPanel(), EXPORT_ERASE, static_cast<int>(Excel.erase_after_export));
    SetCtrlVal(ExportPanel(), EXPORT_AUTOMATIC_NAMES, static_cast<int>(Excel.automatic_names));
    flag_excel = 1;
    DisplayPanel(ExportPanel());
}

void ExportButton() {
    flag_stop = 1;
    // Importer_date reads the all-dates switch itself.
    if (Importer_date() == 0 || flag_excel == 1) return;
    OpenExportPanel();
}

bool SwitchOnSetup() {
    return SwitchPosition(ProgramLink()) == SWITCH_ON_SETUP;
}

void AskForSetup() {
    MessagePopup(Texte(position), Texte(posetup));
    SetWaitCursor(1);
    Delay(1.0);
}

// Four checks of the rotary switch, telling the user twice to turn it.
bool RotarySwitchOnSetup() {
    if (SwitchOnSetup()) return true;
    AskForSetup();
    if (SwitchOnSetup() || SwitchOnSetup()) return true;
    AskForSetup();
    return SwitchOnSetup();
}

void UpdateButton() {
    ClearListCtrl(ImportPanel(), IMPORT_OBJECTS);
    ClearListCtrl(ImportPanel(), IMPORT_TESTS);
    BlankDescription();
    ShowObjectName(-1);
    SetCtrlVal(ImportPanel(), IMPORT_PROGRESS, std::string(" "));
    HidePanel(ImportPanel());
    HidePanel(ExportPanel());
    if (Open_dev(ProgramLink(), ProgramLink().link_flag) != 0) return;
    if (!RotarySwitchOnSetup()) {
        Popup_erreur(ERROR_IMPOSSIBLE_COMMAND);
        return;
    }
    ScanInstrumentMemory();
}

void AllDatesSwitch() {
    int allDates = 0;
    GetCtrlVal(ImportPanel(), IMPORT_ALL_DATES, allDates);
    int dimmed = allDates == 1 ? 1 : 0;
    SetCtrlAttribute(ImportPanel(), IMPORT_DAY, ATTR_DIMMED, dimmed);
    SetCtrlAttribute(ImportPanel(), IMPORT_MONTH, ATTR_DIMMED, dimmed);
    SetCtrlAttribute(ImportPanel(), IMPORT_YEAR, ATTR_DIMMED, dimmed);
    ClearListCtrl(ImportPanel(), IMPORT_TESTS);
    BlankDescription();
    IndexObjet(ImportPanel(), IMPORT_OBJECTS, EVENT_VAL_CHANGED, nullptr, 0, 0);
}

}  // namespace

DateFilter ReadDateFilter() {
    DateFilter filter;
    GetCtrlVal(ImportPanel(), IMPORT_ALL_DATES, filter.all_dates);
    if (filter.all_dates == 0) {
        GetCtrlVal(ImportPanel(), IMPORT_DAY, filter.day);
        GetCtrlVal(ImportPanel(), IMPORT_MONTH, filter.month);
        GetCtrlVal(ImportPanel(), IMPORT_YEAR, filter.year);
    }
    return filter;
}

int Importer(int, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    switch (control) {
        case IMPORT_EXPORT:
            ExportButton();
            break;
        case IMPORT_UPDATE:
            UpdateButton();
            break;
        case IMPORT_QUIT:
            HidePanel(ImportPanel());
            break;
        case IMPORT_ALL_DATES:
            AllDatesSwitch();
            break;
        default:
            break;
    }
    SetWaitCursor(0);
    return 0;
}

int Importer_date() {
    DateFilter filter = ReadDateFilter();
    bool matched = false;
    ForEachObject([&](int o) {
        ForEachTest(o, [&](int t) {
            const FicTest& test = Director[o].tests[t];
            if (filter.Matches(test)) matched = true;
        });
    });
    if (!matched && filter.all_dates == 0) MessagePopup(Texte(exporter), Texte(fichedate));
    return matched ? 1 : 0;
}

int StopImport(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) flag_stop = 0;
    return 0;
}

int QuitterImporter(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(ImportPanel());
    return 0;
}
