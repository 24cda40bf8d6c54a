// The memory scan: link check, directory and file listings with progress and
// Stop, then the object list, the first object's tests and its description.
#include "import/memory_scan.h"

#include "import/instrument_setup.h"
#include "import/measurement_display.h"
#include "import/memory_search.h"
#include "import/object_name_field.h"
#include "import/port_lost.h"
#include "import/scanned_instrument.h"
#include "import/stop_request.h"
#include "link/memory_listing.h"
#include "link/modbus.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/session_end.h"
#include "shell/startup.h"
#include "store/store.h"

namespace {

int& MessagePanel() {
    return Fen_princ[PANEL_PROGRESS];
}
int& ScanPanel() {
    return Fen_princ[PANEL_SCAN];
}
int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}

void CloseMessagePopup() {
    RemovePopup(MessagePanel());
    DiscardPanel(MessagePanel());
    MessagePanel() = 0;
}

void OpenMessagePopup(const char* text) {
    MessagePanel() = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(MessagePanel(), PROGRESS_TEXT, std::string(text));
    InstallPopup(MessagePanel());
}

// The instrument answers CR LF with its prompt; when nothing at all could be
// written or read the link is reopened once. A port gone since the last
// exchange is looked for first. False when that fails too (already told).
bool LinkAnswers() {
    LinkContext& link = ProgramLink();
    if (InstrumentPortBack(link)) {
        if (EssaiCom(link, "\r\n") >= 0) return true;
        link.link_flag = 0;
        CloseCom(link.serial_port);
        if (Open_dev(link, link.link_flag) == 0) return true;
    } else {
        TellNotDetected();
    }
    SetWaitCursor(0);
    link.link_flag = 0;
    CloseCom(link.serial_port);
    flag_stop = 0;
    CloseMessagePopup();
    Ctrl_menu(0);
    return false;
}

void OpenScanPanel() {
    ScanPanel() = LoadPanel(0, UIR_FILE, PANEL_SCAN);
    SetCtrlAttribute(ScanPanel(), SCAN_PROGRESS, ATTR_VISIBLE, 1);
    SetCtrlAttribute(ScanPanel(), SCAN_STOP, ATTR_VISIBLE, 0);
    SetCtrlAttribute(ScanPanel(), SCAN_OTHER_BUTTON, ATTR_VISIBLE, 0);
    SetCtrlVal(ScanPanel(), SCAN_STATUS, std::string(Texte(attente_1)));
    InstallPopup(ScanPanel());
    Ctrl_menu(1);
    ProcessDrawEvents();
}

void ShowProgress(int percentage) {
    SetCtrlVal(ScanPanel(), SCAN_PROGRESS,
               std::string(Texte(Lectmem)) + " : " + std::to_string(percentage) + " ");
}

// Lists the test files of each present object, showing the share of the 100
// object entries passed. A stop does not end the walk: the listing itself skips
// its work while flag_stop is 0.
void ListObjectFiles(int objectCount) {
    int lastShown = 0, listed = 0;
    for (int j = 0; j < NB_OBJECTS && listed < objectCount; ++j) {
        int percentage = j * 100 / NB_OBJECTS;
        if (percentage > lastShown) {
            ShowProgress(percentage);
            lastShown = percentage;
        }
        PollStopBetweenTests();
        if (Director[j].present != 0) {
            ZR8812_search_fil(ProgramLink(), j);
            if (InstrumentPortLost()) return;  // the rest cannot be listed
            PollStopRequest();
            ++listed;
        }
    }
}

void PrepareImportPanel() {
    ClearListCtrl(ImportPanel(), IMPORT_OBJECTS);
    ClearListCtrl(ImportPanel(), IMPORT_TESTS);
    BlankDescription();
    ShowObjectName(-1);
    SetCtrlAttribute(ImportPanel(), IMPORT_PROGRESS, ATTR_VISIBLE, 0);
    SetCtrlAttribute(ImportPanel(), IMPORT_DESCRIPTION, ATTR_VISIBLE, 1);
}

void FinishScan() {
    SetCtrlAttribute(ScanPanel(), SCAN_PROGRESS, ATTR_VISIBLE, 0);
    SetCtrlAttribute(ScanPanel(), SCAN_OTHER_BUTTON, ATTR_VISIBLE, 1);
    RemovePopup(ScanPanel());
    DiscardPanel(ScanPanel());
    ScanPanel() = 0;
    CloseMessagePopup();
    SetWaitCursor(0);
    Ctrl_menu(0);
    flag_excel = 0;
    Traduc_import();
    if (flag_stop == 1) DisplayPanel(ImportPanel());
    ProcessDrawEvents();
}

}  // namespace

void FillImportLists() {
    int first = FillObjectList();
    ShowObjectName(first);
    if (first < 0) return;
    AppendTestRows(first);
    int test = TestOfRow(first, 0);
    if (test < 0) return;
    const FicTest& chosen = Director[first].tests[test];
    ShowDescription(chosen);
}

void ScanInstrumentMemory() {
    const WorkUnderWay working;
    flag_stop = 1;
    OpenMessagePopup(Texte(comcours));
    if (!LinkAnswers()) return;

    flag_stop = 1;
    OpenScanPanel();
    ReadInstrumentSerial();
    ZR8812_conf();
    int objectCount = ZR8812_search_dir(ProgramLink());
    if (objectCount > 0 && !InstrumentPortLost()) {
        PrepareImportPanel();
        ListObjectFiles(objectCount);
        if (!InstrumentPortLost() && flag_stop == 1 && PollStopRequest() == 1) FillImportLists();
    } else if (!InstrumentPortLost()) {
        Popup_erreur(ERROR_EMPTY_MEMORY);
    }
    // Part of a memory must not pass for the whole of it: nothing is listed.
    const bool lost = InstrumentPortLost();
    if (lost) {
        ZR8812_conf();
        nb_total = 0;
        flag_stop = 0;
    }
    FinishScan();
    if (lost) ReportScanInterrupted();
}

void Gestion_fichier(int, int menuItem, void*, int panel) {
    if (menuItem == ITEM_IMPORT) {
        ScanInstrumentMemory();
    } else if (menuItem == ITEM_EXIT) {
        Sortir(panel, 0, EVENT_COMMIT, nullptr, 0, 0);
    }
}
