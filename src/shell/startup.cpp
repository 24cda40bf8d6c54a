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
#include "shell/shutdown.h"

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

}  // namespace

namespace {

// A second start finds this copy's main window brought forward.
void ComeForward() {
    BringPanelForward(Fen_princ[PANEL_MAIN]);
}

// `started` is the session's start, "date - time", for the log's header.
void CreateLog(const std::string& directory, const std::string& started) {
    ptLog =
        CVI_OpenFile(directory + PathSeparator() + "ZR881x_9025.log", VAL_READ_WRITE, VAL_TRUNCATE);
    // Without a log the program runs on; LogWrite skips the writes.
    if (ptLog <= 0) {
        ptLog = 0;
        return;
    }
    FmtFile(ptLog, "\t\tLOG BRISKEL VIEW \r\n");
    FmtFile(ptLog, started + "\n");
}

// The start-up's steps, in the order ProgramMain runs them.

void SetStartValues() {
    ForgetShutdownSteps();
    SetWaitCursor(1);
    Excel.started = 0;
    Excel.base_name = "Briskel";
    Excel.sequence = 1;
    if (shell_hooks.link_down) shell_hooks.link_down();
    langue = 1;
}

// False when the program's panels cannot be read: it cannot go on.
bool ShowSplash() {
    Fen_princ[PANEL_SPLASH] = LoadPanel(0, UIR_FILE, PANEL_SPLASH);
    if (Fen_princ[PANEL_SPLASH] < 0) {
        SetWaitCursor(0);
        MessagePopup("FATAL RUNTIME ERROR", "File BRISKEL.UIR not found !\n");
        return false;
    }
    InstallPopup(Fen_princ[PANEL_SPLASH]);
    ProcessDrawEvents();
    SetWaitCursor(1);
    return true;
}

void LoadMainWindow() {
    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    for (int control = MAIN_HIDDEN_FIRST; control <= MAIN_HIDDEN_LAST; ++control) {
        SetCtrlAttribute(Fen_princ[PANEL_MAIN], control, ATTR_VISIBLE, 0);
    }
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
}

void LoadImportExportPanels() {
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    ProposeTodayForExport();
    if (shell_hooks.init_import_flags) shell_hooks.init_import_flags();
}

// The session's start as the log's header gives it, "date - time"; the
// splash stays up a moment so that it is seen, not flashed.
std::string NoteSessionStart() {
    const std::string heurecom = TimeStr();
    const std::string datecom = DateStr();
    Excel.base_name = "Briskel";
    Delay(0.5);
    return datecom + " - " + heurecom;
}

void ShowMainWindow() {
    RemovePopup(0);
    SetWaitCursor(0);
    DisplayPanel(Fen_princ[PANEL_MAIN]);
}

// The saved settings, then the language they name applied to every panel
// and menu; no link is up before the search for the instrument.
void ApplySettings() {
    Charge_config();
    LoadExportOptions();
    if (shell_hooks.link_down) shell_hooks.link_down();
    Gestion_options(menu, ITEM_FRENCH + langue, nullptr, Fen_princ[PANEL_MAIN]);
}

// While it runs, an instrument not found ends the program (StartingUp).
void SearchForTheInstrument() {
    starting_up = true;
    if (shell_hooks.start_connection) {
        shell_hooks.start_connection(menu, ITEM_COMMUNICATION, nullptr, Fen_princ[PANEL_MAIN]);
    }
    starting_up = false;
}

// What Sortir or the session's end has not already done.
void ShutDown() {
    ShutdownBeforeQuit();
    RunShutdownStep(Shutdown::CloseSpreadsheet);
    SessionEndDone();
    RunShutdownStep(Shutdown::DiscardPanels);
    RunShutdownStep(Shutdown::CloseLog);
}

}  // namespace

int ProgramMain() {
    // Before anything is shown or the port asked for: a copy already running
    // comes forward instead, and this one ends.
    std::string directory;
    GetProjectDir(directory);
    const ProgramInstance instance(directory, ComeForward);
    if (!instance.Claimed()) return 0;
    SetStartValues();
    if (!ShowSplash()) return -1;
    LoadMainWindow();
    LoadImportExportPanels();
    const std::string started = NoteSessionStart();
    CreateLog(directory, started);
    ShowMainWindow();
    ApplySettings();
    // The user chose to end the program rather than install the bridge's driver.
    if (Gestion_OS_CP210() == 1) return 0;
    SearchForTheInstrument();
    RunUserInterface();
    ShutDown();
    return 0;
}

int Sortir(int /*panel*/, int /*control*/, int event, void* /*callbackData*/, int /*eventData1*/,
           int /*eventData2*/) {
    if (event != EVENT_COMMIT) return 0;
    const int answer =
        GenericMessagePopup(Texte(quitter), Texte(confir1), TexteOui(), TexteNon(), "",
                            VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN2);
    if (answer != VAL_GENERIC_POPUP_BTN1) return 0;
    ShutdownBeforeQuit();
    QuitUserInterface(0);
    RunShutdownStep(Shutdown::CloseSpreadsheet);
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
    starting_up = false;
    ForgetShutdownSteps();
    ResetSessionEndForTesting();
    ResetSettingsForTesting();
}
