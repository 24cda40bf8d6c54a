// "Only tests not exported yet" in the export loop: what the journal holds for
// this instrument is left out, the date filter still applies, the counts of the
// summary, and the marks of the test list.
#include <gtest/gtest.h>

#include "export/export_loop.h"
#include "export/export_record.h"
#include "import/export_journal.h"
#include "import/scanned_instrument.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "unit/import/import_flow_fixture.h"

namespace {

using Calls = std::vector<SheetCall>;

class NewOnlyFilter : public ImportFlowTest {
   protected:
    // The journal line of test `test` of object `object` as the scan read it.
    void Journal(int32_t serial, int object, int test, int minuteShift = 0) {
        FicTest record = Director[object].tests[test];
        record.minute += minuteShift;
        ASSERT_EQ(AppendToJournal(JournalPath(), EntryFor(serial, record, "/w/x.xlsx")), 0);
    }
    void RunExport(int newOnly) {
        SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_NEW_ONLY, newOnly);
        SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_ERASE, 0);
        Importer_memory();
    }
};

}  // namespace

TEST_F(NewOnlyFilter, LeavesOutWhatThisInstrumentExportedAndKeepsTheDateFilter) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 1, 'a', day);
    AddFile(1, 2, 'e', day);
    AddFile(1, 3, 'a', day);
    AddFile(2, 1, 'r', day);
    AddFile(2, 2, 'v', Date(2009, 1, 2));
    StartInstrument();
    Scan();
    ASSERT_TRUE(InstrumentSerialKnown());
    EXPECT_EQ(InstrumentSerial(), 123);
    Journal(123, 1, 1);
    Journal(123, 2, 1);
    Journal(4567, 1, 3);    // another instrument's test 01/03

    SetDateFilter(0, 5, 11, 2008);
    RunExport(1);
    for (SheetCall& call : sheet_calls) call.slot1.clear();
    EXPECT_EQ(sheet_calls, (Calls{{1, 2, KIND_EARTH, ""}, {1, 3, KIND_CURRENT, ""}}));
    EXPECT_EQ(CountsOfLastExport().skipped, 2);
    EXPECT_EQ(CountsOfLastExport().written, 2);
    EXPECT_EQ(CountsOfLastExport().failed, 0);
    EXPECT_EQ(Received("od -hxv /etc/mem/01/01.a"), 0) << "a skipped test is not even downloaded";

    // Unticked, the journal changes nothing.
    sheet_calls.clear();
    RunExport(0);
    EXPECT_EQ(sheet_calls.size(), 4u);
    EXPECT_EQ(CountsOfLastExport().skipped, 0);

    // The test list marks the tests exported, whether or not the box is ticked.
    SetCtrlIndex(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, 0);
    SimulateEvent(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, EVENT_VAL_CHANGED);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"01  \u2713", "02", "03"}));
}

// A test exported while it was recent is listed with its year instead of its
// time some six months later: it is the same test, and stays left out. One
// recorded again under the same number on the same day at another time, while
// both times are known, is a new one.
TEST_F(NewOnlyFilter, ATestListedWithItsYearMonthsLaterIsStillTheOneExported) {
    const std::time_t now = std::time(nullptr);
    AddFile(1, 1, 'a', now - 2 * 24 * 3600);
    AddFile(1, 2, 'e', now - 2 * 24 * 3600);
    StartInstrument();
    Scan();
    ASSERT_EQ(Director[1].tests[1].sans_heure, 0) << "listed with its time";
    Journal(123, 1, 1);
    Journal(123, 1, 2, 1);
    SetDateFilter(1);
    RunExport(1);
    for (SheetCall& call : sheet_calls) call.slot1.clear();
    EXPECT_EQ(sheet_calls, (Calls{{1, 2, KIND_EARTH, ""}}));

    RestartInstrument(now + 200 * 24 * 3600);
    Scan();
    ASSERT_NE(Director[1].tests[1].sans_heure, 0) << "listed with its year";
    sheet_calls.clear();
    RunExport(1);
    EXPECT_EQ(CountsOfLastExport().skipped, 2);
    EXPECT_TRUE(sheet_calls.empty()) << "01/0" << sheet_calls[0].test << " exported again";
}

// An instrument that does not tell its serial number, because "ident" fails or
// because its identity has none, is no instrument of the journal, not even the
// one read before: names and journal lines say that its number is unknown.
TEST_F(NewOnlyFilter, WithoutTheSerialNumberNothingCountsAsExported) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    Journal(123, 1, 1);
    const std::string withoutSerial =
        "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\n"
        "fab ident = 0101\r\nsub ident = 0002\r\nkorvid:/etc/mem/01$ ";
    for (bool answered : {false, true}) {
        SCOPED_TRACE(answered ? "an identity without serial number" : "an error answer");
        instrument().clear_fault(zr8812::Fault::ErrorAnswer);
        Scan();
        ASSERT_TRUE(InstrumentSerialKnown());
        if (answered) {
            instrument().forge_answer("ident", withoutSerial);
        } else {
            instrument().set_fault(zr8812::Fault::ErrorAnswer, "ident");
        }
        Scan();
        instrument().clear_forged_answers();
        EXPECT_FALSE(InstrumentSerialKnown());
        EXPECT_EQ(SerialText(InstrumentSerial()), "serial-unknown");
        SetDateFilter(1);
        sheet_calls.clear();
        RunExport(1);
        EXPECT_EQ(sheet_calls.size(), 1u) << "exported again rather than missed";
    }
}

TEST_F(NewOnlyFilter, AnUnreadableDownloadCountsAsFailed) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    AddFile(1, 2, 'a', Date(2008, 11, 5));
    StartInstrument();
    Scan();
    instrument().set_fault(zr8812::Fault::StopMidAnswer, "od", 1);
    SetDateFilter(1);
    RunExport(1);
    EXPECT_EQ(CountsOfLastExport().failed, 1);
    EXPECT_EQ(CountsOfLastExport().written, 1);
}
