// Start-up, the event loop and the shutdown of the program.
#include "shell/startup.h"

#include "platform/system/program_instance.h"
#include "platform/system/system.h"
#include "platform/ui/session.h"
#include "platform/ui/ui.h"
#include "shell/driver_check.h"
#include "shell/export_options.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/session_end.h"
#include "shell/settings.h"

std::string datecom;
std::string heurecom;
int err = 0;

namespace {
bool starting_up = false;
}

bool StartingUp() {
    return starting_up;
}

void SetStartingUpForTesting(bool startingUp) {
    starting_up = startingUp;
}

namespace {

// The day to export proposed on the import panel is today: tests are most
// often exported the day they were recorded.
void ProposeTodayForExport() {
    int month = 0, day = 0, year = 0;
    if (GetSystemDate(month, day, year) != 0) return;
    SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_DAY, day);
    SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_MONTH, month);
    SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_YEAR, year);
}


constexpr int NB_SHUTDOWN_STEPS = 6;
// Each shutdown step runs once per program exit, whichever way the loop ended.
bool shutdown_done[NB_SHUTDOWN_STEPS + 1] = {};

}  // namespace

void ShutdownStep(int step) {
    if (step < 1 || step > NB_SHUTDOWN_STEPS || shutdown_done[step]) return;
    shutdown_done[step] = true;
    switch (step) {
        case 1:  // reads the main window and the export panel: before they go
            Fin_prog();
            break;
        case 2:
            DiscardPanel(Fen_princ[PANEL_MAIN]);
            DiscardPanel(Fen_princ[PANEL_EXPORT]);
            DiscardPanel(Fen_princ[PANEL_IMPORT]);
            break;
        case 3:
            if (shell_hooks.power_off_instrument) shell_hooks.power_off_instrument();
            break;
        case 4:
            SetWaitCursor(0);
            ResetTimer(ALL_PANELS_AND_TIMERS, 0);
            break;
        case 5:
            if (Excel.started == 1 && shell_hooks.close_spreadsheet) shell_hooks.close_spreadsheet();
            break;
        case 6:
            if (ptLog > 0) CVI_CloseFile(ptLog);
            ptLog = 0;
            break;
        default:
            break;
    }
}

namespace {

// A second start finds this copy's main window brought forward.
void ComeForward() {
    BringPanelForward(Fen_princ[PANEL_MAIN]);
}

void CreateLog(const std::string& directory) {
    ptLog = CVI_OpenFile(directory + PathSeparator() + "ZR881x_9025.log", VAL_READ_WRITE,
                         VAL_TRUNCATE);
    // Without a log the program runs on; LogWrite skips the writes.
    if (ptLog <= 0) {
        ptLog = 0;
        return;
    }
    FmtFile(ptLog, "\t\tLOG BRISKEL VIEW \r\n");
    FmtFile(ptLog, datecom + " - " + heurecom + "\n");
}

}  // namespace

int ProgramMain() {
    // Before anything is shown or the port asked for: a copy already running
    // comes forward instead, and this one ends.
    std::string directory;
    GetProjectDir(directory);
    const ProgramInstance instance(directory, ComeForward);
    if (!instance.Claimed()) return 0;
    // 1
    SetWaitCursor(1);
    Excel.started = 0;
    Excel.base_name = "Briskel";
    Excel.sequence = 1;
    Mesure.link_flag = 0;
    langue = 1;
    // 2
    Fen_princ[PANEL_SPLASH] = LoadPanel(0, UIR_FILE, PANEL_SPLASH);
    if (Fen_princ[PANEL_SPLASH] < 0) {
        SetWaitCursor(0);
        MessagePopup("FATAL RUNTIME ERROR", "File BRISKEL.UIR not found !\n");
        return -1;
    }
    // 3
    InstallPopup(Fen_princ[PANEL_SPLASH]);
    ProcessDrawEvents();
    SetWaitCursor(1);
    // 4
    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    for (int control = MAIN_HIDDEN_FIRST; control <= MAIN_HIDDEN_LAST; ++control) {
        SetCtrlAttribute(Fen_princ[PANEL_MAIN], control, ATTR_VISIBLE, 0);
    }
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
    // 5
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    ProposeTodayForExport();
    // 6
    if (shell_hooks.init_import_flags) shell_hooks.init_import_flags();
    // 7
    heurecom = TimeStr();
    datecom = DateStr();
    // 8
    Excel.base_name = "Briskel";
    Delay(0.5);
    // 9
    CreateLog(directory);
    // 10
    RemovePopup(0);
    SetWaitCursor(0);
    DisplayPanel(Fen_princ[PANEL_MAIN]);
    // 11
    rep_ini = directory + PathSeparator() + "Briskel.ini";
    Charge_config();
    LoadExportOptions();
    // 12
    Mesure.link_flag = 0;
    // 13
    Gestion_options(menu, ITEM_FRENCH + langue, nullptr, Fen_princ[PANEL_MAIN]);
    // 14
    err = Gestion_OS_CP210();
    if (err == 1) return 0;
    // 15
    starting_up = true;
    if (shell_hooks.start_connection) {
        shell_hooks.start_connection(menu, ITEM_COMMUNICATION, nullptr, Fen_princ[PANEL_MAIN]);
    }
    starting_up = false;
    // 16
    RunUserInterface();

    // Shutdown: what Sortir has not already done.
    ShutdownStep(1);
    ShutdownStep(3);
    ShutdownStep(4);
    ShutdownStep(5);
    SessionEndDone();
    ShutdownStep(2);
    ShutdownStep(6);
    return 0;
}

int Sortir(int /*panel*/, int /*control*/, int event, void* /*callbackData*/, int /*eventData1*/,
           int /*eventData2*/) {
    if (event != EVENT_COMMIT) return 0;
    const int answer = GenericMessagePopup(Texte(quitter), Texte(confir1), TexteOui(), TexteNon(),
                                           "", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1,
                                           VAL_GENERIC_POPUP_BTN2);
    if (answer != VAL_GENERIC_POPUP_BTN1) return 0;
    ShutdownStep(1);
    ShutdownStep(3);
    ShutdownStep(4);
    QuitUserInterface(0);
    ShutdownStep(5);
    return 0;
}

void ResetShellForTesting() {
    if (ptLog > 0) CVI_CloseFile(ptLog);
    for (int& handle : Fen_princ) handle = 0;
    menu = 0;
    langue = 1;
    ptLog = 0;
    Mesure = MesureRecord{};
    Excel = ExcelRecord{};
    datecom.clear();
    heurecom.clear();
    err = 0;
    starting_up = false;
    giveup = 0;
    for (bool& done : shutdown_done) done = false;
    ResetSessionEndForTesting();
    ResetSettingsForTesting();
}
