// Faults at every step of the road, through the real procedures: the cable
// pulled, the instrument silent, answering noise or cut short, restarted in
// Modbus mode; a spreadsheet that stops taking cells, a folder that is gone.
// Each ends in the error path it names, within its time-outs, with nothing
// erased that no saved workbook holds, settings and log whole, and the link
// back through Setup > Communication once the instrument is.
#include <gtest/gtest.h>

#include <filesystem>

#include "excel/workbook.h"
#include "export/export_record.h"
#include "export/lost_instrument.h"
#include "import/instrument_setup.h"
#include "import/object_names.h"
#include "import/scanned_instrument.h"
#include "link/link_context.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"
#include "unit/faults/fault_fixture.h"

namespace fs = std::filesystem;
using zr8812::Fault;

namespace {

const std::string kNotDetected = "The software has not detected the instrument.";
const std::string kDisconnected = "The instrument was disconnected. The export has stopped.";
const std::string kExcelError = "Error writing to EXCEL";

// Every exchange of a set-up or an export ends at its time-out: at the test
// time scale a step that waits on a dead line for more than this hangs.
constexpr double kBoundSeconds = 20.0;

TEST_F(FaultTest, SetUpWithTheCablePulledDuringTheModbusSwitch) {
    const auto before = MemoryFiles();
    instrument().unplug_at("10");  // the switch code write
    recorder().QueueAnswer("generic", "", {VAL_GENERIC_POPUP_BTN1, ""});
    SimulateMenuItem(menu, ITEM_COMMUNICATION);
    SetCtrlVal(Fen_princ[PANEL_COM], COM_NUMBER, kInstrumentCom);
    const double seconds = Seconds([&] { SimulateCommit(Fen_princ[PANEL_COM], COM_OK); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_TRUE(Shown("Error", kNotDetected));
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    Report("set-up", "cable pulled (Modbus switch)", seconds, before);
    ExpectSettingsAndLogWhole();
    ExpectReconnectsThroughSetup();
}

TEST_F(FaultTest, DiscoveryWithTheCablePulledEndsAsANotDetectedInstrument) {
    const auto before = MemoryFiles();
    instrument().unplug_at("");
    recorder().QueueAnswer("generic", "", {VAL_GENERIC_POPUP_BTN2, ""});  // No: search
    const double seconds =
        Seconds([&] { Gestion_parametre(menu, ITEM_COMMUNICATION, nullptr, 0); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_TRUE(Shown("Error", kNotDetected));
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    Report("discovery", "cable pulled (first exchange)", seconds, before);
    ExpectSettingsAndLogWhole("Error = " + kNotDetected);
    ExpectReconnectsThroughSetup();
}

TEST_F(FaultTest, IdentityWithTheCablePulledIsReportedAndTheLinkCloses) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    instrument().unplug_at("ident");
    const double seconds = Seconds([&] { SimulateMenuItem(menu, ITEM_INSTRUMENT); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_TRUE(Shown("Error", kNotDetected));
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    Report("identity", "cable pulled (ident)", seconds, before);
    ExpectSettingsAndLogWhole();
    ExpectReconnectsThroughSetup();
}

TEST_F(FaultTest, ScanWithTheCablePulledListsNothingAsComplete) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    instrument().unplug_at("cd /etc/mem/02");
    const double seconds = Seconds([&] { Scan(); });
    EXPECT_LT(seconds, kBoundSeconds);
    ASSERT_EQ(popups().size(), 1u) << "no question about an empty memory";
    EXPECT_TRUE(Shown("Error", "The instrument was disconnected while its memory was being read"));
    EXPECT_EQ(nb_total, 0);
    EXPECT_EQ(ProgramLink().link_flag, 0);
    int shown = 1;
    GetPanelAttribute(Fen_princ[PANEL_IMPORT], ATTR_VISIBLE, shown);
    EXPECT_EQ(shown, 0) << "no list passes for the whole memory";
    Report("scan", "cable pulled (listing of object 02)", seconds, before);
    EXPECT_EQ(MemoryFiles(), before);
    ExpectSettingsAndLogWhole();
    ExpectReconnectsThroughSetup();
}

// The road of the issue: erase after export on, the cable pulled in the
// middle of the fifth download.
TEST_F(FaultTest, DownloadWithTheCablePulledStopsTheExportWithOneMessage) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    Scan();
    instrument().unplug_at("od -hxv /etc/mem/01/05", 60);
    recorder().Clear();
    const double seconds = Seconds([&] { Export(1); });
    EXPECT_LT(seconds, kBoundSeconds);
    ASSERT_EQ(CountTitled("Error"), 1) << "one message, not one per remaining test";
    EXPECT_TRUE(Shown("Error", kDisconnected));
    EXPECT_TRUE(Shown("Error", "Obj:01/Test:05 / Earth\nObj:01/Test:07"));
    EXPECT_TRUE(Shown("Error", "Obj:02/Test:01 / Loop\n"));
    EXPECT_FALSE(Shown("Error", "Obj:01/Test:04")) << "exported tests are not listed";
    const std::set<std::string> saved = SavedTests();
    EXPECT_EQ(saved, (std::set<std::string>{"01/01", "01/02", "01/03", "01/04"}));
    // The summary does not read as if all went well: the 18 other supported
    // tests of the sample memory count as failed.
    std::string summary;
    GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_MESSAGE, summary);
    EXPECT_NE(summary.find("Workbooks written: 4\nSkipped, already exported: 0\nFailed: 18\n"),
              std::string::npos) << summary;
    // Those four were saved and erased; everything else stays.
    std::set<std::string> expected = before;
    for (const char* gone : {"01/01.a", "01/02.a", "01/03.a", "01/04.e"}) expected.erase(gone);
    EXPECT_EQ(MemoryFiles(), expected);
    ExpectNothingErasedUnsaved(before);
    EXPECT_EQ(ProgramLink().link_flag, 0);
    Report("download", "cable pulled (5th od, erase on)", seconds, before);
    ExpectSettingsAndLogWhole(kDisconnected);
    ExpectReconnectsThroughSetup();
}

// The cable pulled while nothing is exchanged: the next action looks for the
// instrument once, on every bridge present, before it tells anything.
class PulledWhileIdle : public FaultTest {
   protected:
    void PullTheCable() {
        instrument().unplug();
        ASSERT_TRUE(instrument().wait_unplugged());
        recorder().Clear();
    }
    // Back in, under another COM number.
    void PlugBackAs(int com) {
        ASSERT_TRUE(instrument().plug_back());
        ASSERT_TRUE(instrument().register_com(program_dir(), com));
    }
};

TEST_F(PulledWhileIdle, BackUnderAnotherNumberTheScanAndTheExportGoOnWithoutAMessage) {
    ConnectInCommandMode();
    PullTheCable();
    PlugBackAs(8);
    double seconds = Seconds([&] { Scan(); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_TRUE(popups().empty()) << popups().front().title << ": " << popups().front().message;
    EXPECT_EQ(ProgramLink().serial_port, 8);
    int tests = 0;
    ForEachObject([&](int o) { ForEachTest(o, [&](int) { ++tests; }); });
    EXPECT_EQ(tests, static_cast<int>(MemoryFiles().size()));
    PullTheCable();
    PlugBackAs(9);
    seconds = Seconds([&] { Export(0); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_EQ(CountTitled("Error"), 0);
    EXPECT_EQ(SavedTests().size(), 22u);
    EXPECT_EQ(ProgramLink().link_flag, 1);
    ExpectSettingsAndLogWhole("optical serial is:\r\n  = 9");
}

TEST_F(PulledWhileIdle, NotBackTheScanSaysSoOnceAndTheNumberStays) {
    ConnectInCommandMode();
    PullTheCable();
    const double seconds = Seconds([&] { Scan(); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_EQ(popups().size(), 1u) << "one message";
    EXPECT_TRUE(Shown("Error", kNotDetected));
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_EQ(ProgramLink().serial_port, kInstrumentCom);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    ExpectSettingsAndLogWhole("Error = " + kNotDetected);
    ExpectReconnectsThroughSetup();
}

class BadDownload : public FaultTest {
   protected:
    // `fault` on the download of one test (04/02, an RCD test).
    void Check(Fault fault, const std::string& name) {
        const auto before = MemoryFiles();
        ConnectInCommandMode();
        Scan();
        instrument().set_fault(fault, "od -hxv /etc/mem/04/02");
        recorder().Clear();
        const double seconds = Seconds([&] { Export(0); });
        EXPECT_LT(seconds, kBoundSeconds);
        EXPECT_EQ(CountTitled("Error"), 1);
        EXPECT_TRUE(Shown("Error", "Test 02 of object 04 (RCD) could not be read"));
        EXPECT_EQ(SavedTests().size(), 21u) << "every other test was exported";
        EXPECT_EQ(MemoryFiles(), before);
        EXPECT_EQ(ProgramLink().link_flag, 1);
        Report("download", name + " (one od)", seconds, before);
        ExpectSettingsAndLogWhole();
        ExpectReconnectsThroughSetup();
    }
};

TEST_F(BadDownload, NoiseIsToldForThatTestAndTheLoopGoesOn) {
    Check(Fault::Garbage, "noise");
}
TEST_F(BadDownload, ACutAnswerIsToldForThatTestAndTheLoopGoesOn) {
    Check(Fault::StopMidAnswer, "cut answer");
}
TEST_F(BadDownload, SilenceIsToldForThatTestAndTheLoopGoesOn) {
    Check(Fault::Silent, "silent");
}

// An instrument that restarts in Modbus mode under a download is switched back
// to command mode and the download tried once more; restarting again stops
// the export with one message, as a pulled cable does.
class RestartedInstrument : public FaultTest {
   protected:
    void Check(int restarts) {
        const auto before = MemoryFiles();
        ConnectInCommandMode();
        Scan();
        instrument().set_fault(Fault::ModbusRestart, "od -hxv /etc/mem/02/05", restarts);
        recorder().Clear();
        const double seconds = Seconds([&] { Export(1); });
        EXPECT_LT(seconds, kBoundSeconds);
        ExpectNothingErasedUnsaved(before);
        std::string summary;
        GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_MESSAGE, summary);
        if (restarts == 1) {
            EXPECT_EQ(CountTitled("Error"), 0);
            EXPECT_TRUE(SavedTests().count("02/05"));
            EXPECT_EQ(MemoryFiles(), (std::set<std::string>{"02/10.c"}));
            EXPECT_NE(summary.find("Workbooks written: 22\n"), std::string::npos) << summary;
        } else {
            ASSERT_EQ(CountTitled("Error"), 1) << "one message, not one per remaining test";
            EXPECT_TRUE(Shown("Error", "The instrument stopped answering in its command mode"));
            EXPECT_TRUE(Shown("Error", "Obj:02/Test:05 / Loop\nObj:02/Test:06 / Loop\n"));
            EXPECT_FALSE(SavedTests().count("02/05"));
            EXPECT_TRUE(MemoryFiles().count("02/05.l"));
            EXPECT_EQ(ProgramLink().link_flag, 0);
        }
        Report("download",
               "restart in Modbus mode x" + std::to_string(restarts) + " (od 02/05, erase on)",
               seconds, before);
        ExpectSettingsAndLogWhole();
        ExpectReconnectsThroughSetup();
    }
};

TEST_F(RestartedInstrument, OnceIsSwitchedBackAndTheTestExported) {
    Check(1);
}
TEST_F(RestartedInstrument, TwiceStopsTheExportWithOneMessage) {
    Check(2);
}

TEST_F(FaultTest, WorkbookThatLacksACellIsNotSavedAndItsTestNotErased) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    Scan();
    // The first workbook takes its titles, then the spreadsheet stops taking cells.
    SpreadsheetFaultsForTesting().cell_writes_before_failure = 8;
    recorder().Clear();
    const double seconds = Seconds([&] { Export(1); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_TRUE(Shown("Error n° -106", kExcelError));
    EXPECT_EQ(CountTitled("Test File"), 0) << "no erase question without a saved workbook";
    EXPECT_TRUE(SavedTests().empty());
    EXPECT_EQ(MemoryFiles(), before);
    Report("workbook save", "cell writes refused", seconds, before);
    SpreadsheetFaultsForTesting().cell_writes_before_failure = -1;
    ExpectSettingsAndLogWhole();
    ExpectReconnectsThroughSetup();
}

TEST_F(FaultTest, WorkbookWhoseFolderIsGoneIsNotSavedAndItsTestNotErased) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    Scan();
    const int import = Fen_princ[PANEL_IMPORT], exportPanel = Fen_princ[PANEL_EXPORT];
    SetCtrlVal(import, IMPORT_ALL_DATES, 1);
    SimulateCommit(import, IMPORT_EXPORT);
    SetCtrlVal(exportPanel, EXPORT_FOLDER, out_);
    SetCtrlVal(exportPanel, EXPORT_ERASE, 1);
    SimulateCommit(exportPanel, EXPORT_RUN);
    recorder().Clear();
    for (int i = 0; i < 30; ++i)
        recorder().QueueAnswer("file", "", {VAL_NEW_FILE_SELECTED, out_ + "/gone/t" + std::to_string(i)});
    const double seconds = Seconds([&] { SimulateCommit(exportPanel, EXPORT_EXPORT); });
    EXPECT_LT(seconds, kBoundSeconds);
    EXPECT_EQ(CountTitled("Error n° -106"), 22);
    EXPECT_EQ(CountTitled("Test File"), 0);
    EXPECT_FALSE(fs::exists(out_ + "/gone"));
    EXPECT_EQ(MemoryFiles(), before);
    Report("workbook save", "folder gone", seconds, before);
    ExpectSettingsAndLogWhole();
    ExpectReconnectsThroughSetup();
}

class UnconfirmedErase : public FaultTest {
   protected:
    // `fault` on the erasure of one test (02/03, a loop test).
    void Check(Fault fault, const std::string& name, bool refused) {
        ConnectInCommandMode();
        Scan();
        const auto before = MemoryFiles();
        // Object 01 ends empty and its name is released; 02 keeps a test and
        // its name, also though the test it was named with (01) is erased.
        DirObjet* second = nullptr;
        for (DirObjet& object : Director) {
            if (object.present == 0 || (object.num_objet != 1 && object.num_objet != 2)) continue;
            DirObjet named = object;
            if (object.num_objet == 2) {
                second = &object;
                for (int t = 2; t < NB_TESTS; ++t) named.tests[t].present = 0;
            }
            NameObject(ObjectNamesPath(), InstrumentSerial(), named,
                       "Site " + std::to_string(object.num_objet));
        }
        ASSERT_NE(second, nullptr);
        instrument().set_fault(fault, "rm /etc/mem/02/03");
        recorder().Clear();
        const double seconds = Seconds([&] { Export(1, true); });
        EXPECT_LT(seconds, kBoundSeconds);
        EXPECT_EQ(CountTitled("Error"), 1);
        EXPECT_TRUE(Shown("Error", EraseUnconfirmedText(2, 3, KIND_LOOP)));
        // The summary says the same of each test as the messages did.
        const std::map<std::string, std::string> outcomes = SummaryOutcomes();
        EXPECT_EQ(outcomes.size(), 23u);
        const std::vector<ReleasedName>& released = NamesReleasedByLastExport();
        ASSERT_EQ(released.size(), 1u);
        EXPECT_EQ(released[0].object, 1);
        EXPECT_EQ(released[0].name, "Site 1");
        EXPECT_EQ(LookUpObjectName(ObjectNamesPath(), InstrumentSerial(), *second).name.state,
                  NameState::Current);
        for (const auto& [test, outcome] : outcomes) {
            const char* expected =
                test == "02/03"   ? "Written; erasure not confirmed, it may still be in the instrument"
                : test == "02/10" ? "Not written: no measured value (kind without a layout)"
                                  : "Written, then erased from the instrument";
            EXPECT_EQ(outcome, expected) << test;
        }
        // So does the message field, which stays on screen after the box.
        std::string summary;
        GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_MESSAGE, summary);
        EXPECT_NE(summary.find("Failed: 0\nTests erased from the instrument: 21\nErasure not "
                               "confirmed, may still be in the instrument: 1\nNames released, their "
                               "objects emptied: 01 Site 1\nFolder: "),
                  std::string::npos) << summary;
        // Left: the test of a kind without a reader, and the one whose erasure
        // was refused (noise hides whether it was carried out).
        std::set<std::string> left{"02/10.c"};
        if (refused) left.insert("02/03.l");
        EXPECT_EQ(MemoryFiles(), left);
        ExpectNothingErasedUnsaved(before);
        Report("erase", name, seconds, before);
        ExpectSettingsAndLogWhole("Test 03 of object 02 (Loop) was exported, but the instrument");
        ExpectReconnectsThroughSetup();
    }
};

TEST_F(UnconfirmedErase, AnErrorAnswerIsToldAndTheLoopGoesOn) {
    Check(Fault::ErrorAnswer, "error answer", true);
}
TEST_F(UnconfirmedErase, NoiseIsToldAndTheLoopGoesOn) {
    Check(Fault::Garbage, "noise", false);
}
// A refusal worded without "Error" (a read-only file system): the listing of
// the object after its erases still shows the test.
TEST_F(UnconfirmedErase, ARefusalWithoutTheWordErrorIsToldAndTheLoopGoesOn) {
    Check(Fault::RefusedErase, "refused, read-only file system", true);
}

TEST_F(FaultTest, EraseWithTheCablePulledStopsTheExportAndSaysSo) {
    const auto before = MemoryFiles();
    ConnectInCommandMode();
    Scan();
    instrument().unplug_at("rm /etc/mem/01/02");
    recorder().Clear();
    const double seconds = Seconds([&] { Export(1); });
    EXPECT_LT(seconds, kBoundSeconds);
    ASSERT_EQ(CountTitled("Error"), 1);
    EXPECT_TRUE(Shown("Error", EraseUnconfirmedText(1, 2, KIND_CURRENT)));
    EXPECT_TRUE(Shown("Error", kDisconnected + "\nThese tests were not exported and stay in "
                                               "the instrument:\nObj:01/Test:03 / Current\n"));
    EXPECT_EQ(SavedTests(), (std::set<std::string>{"01/01", "01/02"}));
    ExpectNothingErasedUnsaved(before);
    Report("erase", "cable pulled (2nd rm)", seconds, before);
    ExpectSettingsAndLogWhole(kDisconnected);
    ExpectReconnectsThroughSetup();
}

}  // namespace
