// The import panel's buttons and the export loop against the emulated
// instrument, with a stand-in sheet writer.
#include "export/export_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "import/import_workflow.h"
#include "platform/system/system.h"
#include "platform/ui/session.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_dispatch.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/registration.h"
#include "store/store.h"
#include "unit/import/import_flow_fixture.h"

namespace {

using Calls = std::vector<SheetCall>;

class ExportLoopTest : public ImportFlowTest {
   protected:
    void PressExport() { SimulateCommit(Fen_princ[PANEL_IMPORT], IMPORT_EXPORT); }
    void RunExport(int erase) {
        SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_ERASE, erase);
        Importer_memory();
    }
    void AnswerErase(int first, int second = 0) {
        recorder().QueueAnswer("generic", "Test File", {first, ""});
        if (second != 0)
            recorder().QueueAnswer("generic", "Erase Data in the instrument ?", {second, ""});
    }
};

TEST_F(ExportLoopTest, SampleMemoryExportsEverySupportedTest) {
    const std::time_t now = std::time(nullptr);
    UseSampleMemory(now);
    StartInstrument();
    Scan();
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (std::vector<std::string>{"01", "02", "04", "07"}));
    Calls expected;
    for (const zr8812::SampleTest& test : zr8812::sample_tests(now)) {
        if (!test.supported()) continue;
        std::string kinds = ".a.c.e.k.l.m.r.p.v";
        int kind = static_cast<int>(kinds.find(test.kind_letter)) / 2;
        expected.push_back({test.object, test.test, kind, ""});
    }
    std::sort(expected.begin(), expected.end(), [](const SheetCall& a, const SheetCall& b) {
        return a.object != b.object ? a.object < b.object : a.test < b.test;
    });
    SetDateFilter(1);
    RunExport(0);
    for (SheetCall& call : sheet_calls) call.slot1.clear();
    EXPECT_EQ(sheet_calls, expected);
    EXPECT_TRUE(popups().empty());
}

TEST_F(ExportLoopTest, DateCheckDecidesWhetherTheExportPanelOpens) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    SetDateFilter(0, 6, 11, 2008);
    PressExport();
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Export to EXCEL sheet");
    EXPECT_EQ(popups()[0].message, "No file on this date");
    EXPECT_FALSE(PanelVisible(PANEL_EXPORT));
    EXPECT_EQ(flag_excel, 0);

    Excel.working_folder = "/data/";
    Excel.base_name = "Briskel";
    SetDateFilter(0, 5, 11, 2008);
    PressExport();
    EXPECT_TRUE(PanelVisible(PANEL_EXPORT));
    EXPECT_FALSE(PanelVisible(PANEL_IMPORT));
    EXPECT_EQ(Text(PANEL_EXPORT, EXPORT_FOLDER), "/data/");
    EXPECT_EQ(Text(PANEL_EXPORT, EXPORT_BASE_NAME), "Briskel");
    EXPECT_EQ(flag_excel, 1);

    // A second press does nothing until a new scan.
    HidePanel(Fen_princ[PANEL_EXPORT]);
    PressExport();
    EXPECT_FALSE(PanelVisible(PANEL_EXPORT));
    Scan();
    EXPECT_EQ(flag_excel, 0);
    PressExport();
    EXPECT_TRUE(PanelVisible(PANEL_EXPORT));
    EXPECT_EQ(popups().size(), 1u);
}

TEST_F(ExportLoopTest, AllDatesWithoutAnyTestDoesNothingSilently) {
    AddEmptyObject(1, Date(2008, 11, 5));
    StartInstrument();
    Scan();
    recorder().Clear();
    SetDateFilter(1);
    PressExport();
    EXPECT_TRUE(popups().empty());
    EXPECT_FALSE(PanelVisible(PANEL_EXPORT));
}

TEST_F(ExportLoopTest, AllDatesSwitchDimsTheDateFieldsAndRefillsTheTests) {
    AddFile(1, 4, 'e', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    int panel = Fen_princ[PANEL_IMPORT];
    SetCtrlIndex(panel, IMPORT_OBJECTS, 0);
    SetCtrlVal(panel, IMPORT_ALL_DATES, 1);
    SimulateCommit(panel, IMPORT_ALL_DATES);
    for (int control : {IMPORT_DAY, IMPORT_MONTH, IMPORT_YEAR})
        EXPECT_TRUE(Dimmed(PANEL_IMPORT, control));
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"04"}));
    EXPECT_EQ(Text(PANEL_IMPORT, IMPORT_DESCRIPTION), "Earth  /  11-05-2008");
    SetCtrlVal(panel, IMPORT_ALL_DATES, 0);
    SimulateCommit(panel, IMPORT_ALL_DATES);
    for (int control : {IMPORT_DAY, IMPORT_MONTH, IMPORT_YEAR})
        EXPECT_FALSE(Dimmed(PANEL_IMPORT, control));
    EXPECT_EQ(GetWaitCursor(), 0);
}

TEST_F(ExportLoopTest, ExportsDecodableTestsOfTheChosenDayOnly) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 1, 'a', day);
    AddFile(1, 2, 'c', day);               // no reader: skipped silently
    AddFile(1, 3, 'e', Date(2009, 1, 2));  // another day
    AddFile(2, 1, 'r', day);
    AddFile(2, 5, 'v', day);
    StartInstrument();
    Scan();
    SetDateFilter(0, 5, 11, 2008);
    RunExport(0);
    EXPECT_EQ(sheet_calls, (Calls{{1, 1, KIND_CURRENT, "501"},
                                  {2, 1, KIND_RCD, "1"},
                                  {2, 5, KIND_VOLTAGE, "230005"}}));
    EXPECT_TRUE(popups().empty());  // no erase question with the flag off
    EXPECT_EQ(Received("od -hxv /etc/mem/01/03.e"), 0);
    EXPECT_EQ(Received("od -hxv /etc/mem/01/02.c"), 0);  // no reader: not downloaded
    EXPECT_EQ(Received("rm "), 0);
    EXPECT_EQ(Text(PANEL_IMPORT, IMPORT_PROGRESS), "Obj:02/Test:05 / Voltage");
    // Afterwards only the close-Excel button of the export panel is usable.
    EXPECT_TRUE(PanelVisible(PANEL_EXPORT));
    for (int control : {EXPORT_RUN, EXPORT_EXPORT, EXPORT_FOLDER, EXPORT_BROWSE}) {
        EXPECT_TRUE(Dimmed(PANEL_EXPORT, control));
    }
    EXPECT_FALSE(Dimmed(PANEL_EXPORT, EXPORT_QUIT));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_WAIT]));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_PROGRESS]));
}

TEST_F(ExportLoopTest, ErasesExactlyTheSavedTestsConfirmedTwice) {
    const std::time_t day = Date(2008, 11, 5);
    for (int test = 1; test <= 5; ++test) AddFile(3, test, 'a', day);
    StartInstrument();
    Scan();
    SetDateFilter(1);
    saves = {true, true, true, false, true};
    AnswerErase(1, 1);  // test 1: yes, yes
    AnswerErase(2);     // test 2: no at the first question
    AnswerErase(1, 2);  // test 3: yes, then no
    // test 4: not saved, so not asked
    AnswerErase(1, 1);  // test 5: yes, yes
    RunExport(1);
    EXPECT_EQ(sheet_calls.size(), 5u);
    EXPECT_EQ(recorder().PendingAnswers(), 0u);
    EXPECT_EQ(CountPopups("Test File"), 4);
    EXPECT_EQ(CountPopups("Erase Data in the instrument ?"), 3);
    for (const PopupRecord& popup : popups()) {
        EXPECT_EQ(popup.buttons[0], "Yes");
        EXPECT_EQ(popup.buttons[1], "No");
    }
    EXPECT_FALSE(FileOnInstrument(3, "01.a"));
    EXPECT_TRUE(FileOnInstrument(3, "02.a"));
    EXPECT_TRUE(FileOnInstrument(3, "03.a"));
    EXPECT_TRUE(FileOnInstrument(3, "04.a"));
    EXPECT_FALSE(FileOnInstrument(3, "05.a"));
    EXPECT_EQ(Received("rm /etc/mem/03/"), 2);
    EXPECT_EQ(Excel.erase_after_export, 1);

    // The erased tests are gone from the lists, and a second export does not
    // look for them on the instrument.
    SetCtrlIndex(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, 0);
    SimulateEvent(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, EVENT_VAL_CHANGED);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"02", "03", "04"}));
    sheet_calls.clear();
    recorder().Clear();
    RunExport(0);
    EXPECT_EQ(sheet_calls.size(), 3u);
    EXPECT_TRUE(popups().empty()) << popups().front().message;
}

TEST_F(ExportLoopTest, AFailedDownloadIsNeitherWrittenNorOfferedForErasure) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 1, 'a', day);
    AddFile(1, 2, 'l', day);
    AddFile(1, 3, 'a', day);
    StartInstrument();
    Scan();
    instrument().set_fault(zr8812::Fault::ErrorAnswer, "od -hxv /etc/mem/01/02.l");
    SetDateFilter(1);
    recorder().SetDefaultAnswer({1, ""});  // every question answered "Yes"
    RunExport(1);
    EXPECT_EQ(sheet_calls, (Calls{{1, 1, KIND_CURRENT, "501"}, {1, 3, KIND_CURRENT, "503"}}));
    EXPECT_TRUE(FileOnInstrument(1, "02.l"));
    EXPECT_FALSE(FileOnInstrument(1, "01.a"));
    EXPECT_FALSE(FileOnInstrument(1, "03.a"));
    int unreadable = 0;
    for (const PopupRecord& popup : popups()) {
        if (popup.message.find("could not be read") == std::string::npos) continue;
        ++unreadable;
        EXPECT_EQ(popup.message,
                  "Test 02 of object 01 (Loop) could not be read from the instrument.\n"
                  "It was not exported and stays in the instrument.");
    }
    EXPECT_EQ(unreadable, 1);
}

// An instrument that pauses longer than the time-out in the middle of a dump
// and then answers in neither mode: nothing of the dump is kept, and the
// export stops with one message naming the test, which stays on the instrument.
TEST_F(ExportLoopTest, APauseBeyondTheTimeOutInADumpIsReportedAndNothingOfItIsKept) {
    AddFile(1, 1, 'l', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    SetDateFilter(1);
    recorder().SetDefaultAnswer({1, ""});  // every question answered "Yes"
    // Longer than the download and the probes of both modes together.
    instrument().stall_next_answer(60.0 * TimeScale());
    RunExport(1);
    EXPECT_TRUE(sheet_calls.empty());
    EXPECT_TRUE(FileOnInstrument(1, "01.l"));
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups().front().message,
              "The instrument stopped answering in its command mode (it may have restarted). "
              "The export has stopped.\nThese tests were not exported and stay in the "
              "instrument:\nObj:01/Test:01 / Loop\n\nCheck the instrument, then use Setup, "
              "Communication.");
}

TEST_F(ExportLoopTest, ASilentInstrumentGivesNoWorkbook) {
    AddFile(1, 1, 'e', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    instrument().set_fault(zr8812::Fault::Silent, "od");
    SetDateFilter(1);
    recorder().SetDefaultAnswer({1, ""});
    RunExport(1);
    EXPECT_TRUE(sheet_calls.empty());
    EXPECT_EQ(CountPopups("Test File"), 0);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Error");
    EXPECT_TRUE(FileOnInstrument(1, "01.e"));
}

TEST_F(ExportLoopTest, AShortDumpIsNotDecoded) {
    AddFile(1, 1, 'v', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    instrument().set_fault(zr8812::Fault::StopMidAnswer, "od");
    SetDateFilter(1);
    langue = 0;
    RunExport(0);
    EXPECT_TRUE(sheet_calls.empty());
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].message.rfind("Le test 01 de l'objet 01 (Tension)", 0), 0u);
}

// The loop polls for Stop three times per test: before looking at it, before
// downloading it and after writing it.
TEST_F(ExportLoopTest, StopAtEachPollEndsTheLoopThere) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 1, 'a', day);
    AddFile(1, 2, 'a', day);
    StartInstrument();
    Scan();
    SetDateFilter(1);
    for (int stopAt = 1; stopAt <= 3; ++stopAt) {
        SCOPED_TRACE(stopAt);
        sheet_calls.clear();
        recorder().Clear();
        int polls = 0;
        SetPollHookForTesting([&] {
            if (++polls == stopAt) SimulateCommit(Fen_princ[PANEL_WAIT], WAIT_STOP);
        });
        RunExport(1);
        SetPollHookForTesting(nullptr);
        EXPECT_EQ(flag_stop, 0);
        EXPECT_EQ(sheet_calls.size(), stopAt == 3 ? 1u : 0u);
        EXPECT_EQ(CountPopups("Error n° -116"), 1);
        EXPECT_EQ(CountPopups("Test File"), 0);
    }
    EXPECT_TRUE(FileOnInstrument(1, "01.a"));
}

TEST_F(ExportLoopTest, StopWhileTheSheetIsWrittenEndsBeforeTheEraseQuestion) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    AddFile(1, 2, 'a', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    SetDateFilter(1);
    recorder().SetDefaultAnswer({1, ""});
    while_writing = [] { SimulateCommit(Fen_princ[PANEL_WAIT], WAIT_STOP); };
    RunExport(1);
    EXPECT_EQ(sheet_calls.size(), 1u);
    EXPECT_EQ(CountPopups("Test File"), 0);
    EXPECT_EQ(CountPopups("Error n° -116"), 1);
    EXPECT_TRUE(FileOnInstrument(1, "01.a"));
}

// Signing out while the first test is downloaded: the session is told to
// wait, with the reason; that test is finished, then the loop stops with no
// question or box left waiting, and the event loop is asked to end.
TEST_F(ExportLoopTest, TheSessionsEndFinishesTheTestUnderWayThenStops) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    AddFile(1, 2, 'a', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    SetDateFilter(1);
    RegisterShellCallbacks();
    bool may_end = true;
    int polls = 0;
    SetPollHookForTesting([&] {
        EXPECT_TRUE(SystemKeptAwake());
        if (++polls == 2) may_end = RaiseSessionEndForTesting();
    });
    RunExport(1);
    SetPollHookForTesting(nullptr);
    EXPECT_FALSE(may_end);
    EXPECT_EQ(SessionEndReason(), fin_session[1]);
    EXPECT_EQ(sheet_calls.size(), 1u);
    EXPECT_TRUE(popups().empty());
    EXPECT_TRUE(FileOnInstrument(1, "01.a"));
    EXPECT_FALSE(SystemKeptAwake());
    EXPECT_TRUE(ui_dispatch::Loop().quit_pending);
}

TEST_F(ExportLoopTest, UpdateRescansOnlyWithTheSwitchOnSetup) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    StartInstrument();
    instrument().set_rotary(3);
    SimulateCommit(Fen_princ[PANEL_IMPORT], IMPORT_UPDATE);
    EXPECT_EQ(CountPopups("Set of the rotator"), 2);
    EXPECT_EQ(CountPopups("Error n° -115"), 1);
    EXPECT_EQ(Received("ls -l"), 0);
    EXPECT_FALSE(PanelVisible(PANEL_IMPORT));

    recorder().Clear();
    instrument().set_rotary(25);
    SimulateCommit(Fen_princ[PANEL_IMPORT], IMPORT_UPDATE);
    EXPECT_EQ(CountPopups("Set of the rotator"), 0);
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (std::vector<std::string>{"01"}));
    EXPECT_TRUE(PanelVisible(PANEL_IMPORT));
    EXPECT_EQ(GetWaitCursor(), 0);
}

}  // namespace
