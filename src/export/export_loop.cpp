#include "export/export_loop.h"

#include <string>

#include "export/erase_check.h"
#include "export/export_record.h"
#include "export/lost_instrument.h"
#include "export/test_outcomes.h"
#include "import/date_filter.h"
#include "import/instrument_setup.h"
#include "import/measurement_display.h"
#include "import/memory_scan.h"
#include "import/scanned_instrument.h"
#include "import/stop_request.h"
#include "import/test_download.h"
#include "link/link_context.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/session_end.h"
#include "store/store.h"

namespace {

SheetWriter sheet_writer_for_testing = nullptr;

int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}
int ExportPanel() {
    return Fen_princ[PANEL_EXPORT];
}
int& MessagePanel() {
    return Fen_princ[PANEL_PROGRESS];
}
int& WaitPanel() {
    return Fen_princ[PANEL_WAIT];
}

void PrepareImportPanel() {
    SetCtrlVal(ImportPanel(), IMPORT_DESCRIPTION, std::string(" "));
    SetCtrlVal(ImportPanel(), IMPORT_PROGRESS, std::string(" "));
    SetCtrlAttribute(ImportPanel(), IMPORT_PROGRESS, ATTR_VISIBLE, 1);
    SetCtrlAttribute(ImportPanel(), IMPORT_DESCRIPTION, ATTR_VISIBLE, 0);
    ClearListCtrl(ImportPanel(), IMPORT_TESTS);
    DisplayPanel(ImportPanel());
}

void OpenPopups() {
    MessagePanel() = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(MessagePanel(), PROGRESS_TEXT, std::string(Texte(atten_exp)));
    InstallPopup(MessagePanel());
    WaitPanel() = LoadPanel(0, UIR_FILE, PANEL_WAIT);
    SetCtrlVal(WaitPanel(), WAIT_TEXT, std::string(Texte(attente)));
    InstallPopup(WaitPanel());
}

void ClosePopups() {
    for (int* panel : {&WaitPanel(), &MessagePanel()}) {
        RemovePopup(*panel);
        DiscardPanel(*panel);
        *panel = 0;
    }
}

// Only the close-Excel button stays usable once the loop is over.
void ShowExportPanelDone() {
    HidePanel(ExportPanel());
    for (int control : {EXPORT_RUN, EXPORT_EXPORT, EXPORT_FOLDER, EXPORT_BROWSE}) {
        SetCtrlAttribute(ExportPanel(), control, ATTR_DIMMED, 1);
    }
    SetCtrlAttribute(ExportPanel(), EXPORT_QUIT, ATTR_DIMMED, 0);
    DisplayPanel(ExportPanel());
}

bool StopArrived(int (*poll)() = PollStopRequest) {
    if (poll() != 0) return false;
    RecordExportEnd(ExportEnd::Stopped);
    Popup_erreur(ERROR_STOPPED_BY_OPERATOR);
    return true;
}

bool Answer(const MessageTable& title, const MessageTable& text) {
    const std::string yes = cmdOui[static_cast<std::size_t>(2 * langue + 1)];
    const std::string no = cmdOui[static_cast<std::size_t>(2 * langue)];
    return GenericMessagePopup(Texte(title), Texte(text), yes, no, "", VAL_GENERIC_POPUP_BTN1,
                               VAL_GENERIC_POPUP_BTN1,
                               VAL_GENERIC_POPUP_BTN2) == VAL_GENERIC_POPUP_BTN1;
}

bool UserConfirmsErase() {
    return Answer(titre_fiche, effac_appareil) && Answer(effac_appareil, etreSur);
}

// The tests to leave out: those of this instrument that the journal holds, when
// "Only tests not exported yet" is ticked; none otherwise.
ExportedTests ReadNewOnlyFilter() {
    int newOnly = 0;
    GetCtrlVal(ImportPanel(), IMPORT_NEW_ONLY, newOnly);
    return newOnly != 0 ? ExportedTestsOfInstrument() : ExportedTests{};
}

void RecordSheetResult(int object, int test, SheetResult result) {
    switch (result) {
        case SheetResult::Saved:
            RecordTestOutcome(object, test, TestOutcome::Written, OutcomeCause::None,
                              TakeSavedWorkbook());
            break;
        case SheetResult::Failed:
            RecordTestOutcome(object, test, TestOutcome::Failed, TakeSheetFailure());
            break;
        case SheetResult::NotSaved:
            RecordTestOutcome(object, test, TestOutcome::NotWritten,
                              flag_stop == 0 ? OutcomeCause::Stopped : OutcomeCause::Cancelled);
            break;
    }
}

// One test of the walk; false when a stop ends the loop.
bool ExportTest(int object, int test, const DateFilter& filter, const ExportedTests& done) {
    if (StopArrived(PollStopBetweenTests)) return false;
    const FicTest& record = Director[object].tests[test];
    if (!filter.Matches(record)) return true;
    if (done.Holds(record)) {
        RecordTestOutcome(object, test, TestOutcome::AlreadyExported, OutcomeCause::None,
                          done.WorkbookOf(record));
        return true;
    }

    flag_stop = 1;
    if (StopArrived()) return false;
    const int kind = record.type_mes;
    MeasuredRecord measured;
    const int read = LectureTests(object, test, measured);
    if (read == TEST_PORT_LOST || read == TEST_COMMAND_MODE_LOST) {
        ReportInstrumentLost(
            object, test, filter, done, false,
            read == TEST_PORT_LOST ? LossCause::Disconnected : LossCause::CommandModeLost);
        return false;
    }
    if (read == TEST_UNREADABLE) {
        RecordTestOutcome(object, test, TestOutcome::Failed, OutcomeCause::NotDownloaded);
    }
    if (read == TEST_WITHOUT_READER)
        RecordTestOutcome(object, test, TestOutcome::NotWritten, OutcomeCause::NoMeasuredValue);
    if (read != TEST_DECODED) return true;
    // No saved workbook, no erase question: the test must stay on the
    // instrument while it has no other copy.
    const SheetResult result = sheet_writer_for_testing != nullptr
                                   ? sheet_writer_for_testing(object, test, kind, measured)
                                   : Exporter_feuille(object, test, kind, measured);
    RecordSheetResult(object, test, result);
    const bool saved = result == SheetResult::Saved;
    if (StopArrived()) return false;
    // Nobody answers the erase questions while the session ends: the test stays.
    if (saved && Excel.erase_after_export == 1 && !SessionEnding() && UserConfirmsErase() &&
        !EraseExportedTest(object, test, kind)) {
        ReportInstrumentLost(object, test, filter, done, true);
        return false;
    }
    ProcessDrawEvents();
    return true;
}

void ExportMatchingTests(const DateFilter& filter, const ExportedTests& done) {
    bool going = true;
    ForEachObject([&](int o) {
        if (!going) return;
        int row = RowOfObject(o);
        if (row >= 0) SetCtrlIndex(ImportPanel(), IMPORT_OBJECTS, row);
        ForEachTest(o, [&](int t) {
            if (going) going = ExportTest(o, t, filter, done);
        });
        // Also after a stop: what was erased of this object is checked. Not
        // once the link is closed, after a lost instrument was told.
        if (ProgramLink().link_flag == 1 && !CheckErasures(o)) {
            ReportInstrumentLost(o + 1, 0, filter, done, false);
            going = false;
        }
    });
}

// The erased tests are no longer offered: not in the lists, not to the next export.
void ForgetErasedTestsInTheLists() {
    if (!ForgetErasedTests()) return;
    RenewNamesOfErasedObjects();
    ClearListCtrl(ImportPanel(), IMPORT_OBJECTS);
    ClearListCtrl(ImportPanel(), IMPORT_TESTS);
    FillImportLists();
}

}  // namespace

int Importer_memory() {
    const WorkUnderWay working;
    // A port gone since the scan is looked for once. When the instrument is
    // not back, the first download finds the port closed and the loop says,
    // once, which tests stay in the instrument.
    InstrumentPortBack(ProgramLink());
    flag_stop = 1;
    GetCtrlVal(ExportPanel(), EXPORT_ERASE, Excel.erase_after_export);
    DateFilter filter = ReadDateFilter();
    const ExportedTests done = ReadNewOnlyFilter();
    ReadExportObjectNames();
    StartExportCounts(Excel.working_folder);
    StartTestOutcomes();
    StartEraseCheck();
    PrepareImportPanel();
    OpenPopups();
    SetWaitCursor(0);
    ExportMatchingTests(filter, done);
    ClosePopups();
    ReleaseNamesOfEmptiedObjects(EmptiedObjects());
    ForgetErasedTestsInTheLists();
    ShowExportPanelDone();
    SetWaitCursor(0);
    return 0;
}

void SetSheetWriterForTesting(SheetWriter writer) {
    sheet_writer_for_testing = writer;
}
