// The export journal: its lines, durable appends, damaged and foreign lines,
// and several instruments in one journal.
#include "import/export_journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "import/object_names.h"
#include "import/scanned_instrument.h"
#include "platform/system/system.h"
#include "shell/globals.h"
#include "support/app_fixture.h"
#include "support/listed_test.h"

namespace fs = std::filesystem;

namespace {

std::string Content(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Adds `text` at the end of the file, as a crash or another program leaves it.
void AppendBytes(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

class ExportJournal : public AppFixture {
   protected:
    std::string path() const { return program_dir() + "/" + JOURNAL_FILE; }
};

}  // namespace

TEST(JournalLine, ReadsBackWhatIsWrittenForEveryKind) {
    for (int kind = 0; kind < NB_KINDS; ++kind) {
        JournalEntry entry = EntryFor(123, ListedTest(1, 3, kind), "/data/Briskel\tx.xlsx");
        entry.exported_at = "2026-12-07 11:54:38";
        const std::string line = FormatJournalLine(entry);
        JournalEntry back;
        ASSERT_TRUE(ParseJournalLine(line, back)) << line;
        EXPECT_EQ(back.serial, "0000123");
        EXPECT_EQ(std::tie(back.object, back.test, back.kind, back.year, back.month, back.day,
                           back.hour, back.minute),
                  std::make_tuple(1, 3, kind, 2026, 3, 5, 14, 7));
        EXPECT_EQ(back.workbook, "/data/Briskel\tx.xlsx") << "a tab in the path stays in it";
    }
    JournalEntry loopTest = EntryFor(123, ListedTest(1, 3, KIND_LOOP), "/w/b.xlsx");
    loopTest.exported_at = "2026-12-07 11:54:38";
    EXPECT_EQ(FormatJournalLine(loopTest),
              "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05 14:07\t/w/b.xlsx");
    // A test listed with its year: its time is not known, and not 12:00.
    FicTest old = ListedTest(4, 1, KIND_RCD, 12, 0);
    old.sans_heure = 1;
    JournalEntry oldTest = EntryFor(123, old, "/w/c.xlsx");
    oldTest.exported_at = "2026-12-07 11:54:38";
    const std::string line = FormatJournalLine(oldTest);
    EXPECT_EQ(line,
              "2026-12-07 11:54:38\t0000123\tO04\tT01\tRCD\t2026-03-05 time-unknown\t/w/c.xlsx");
    JournalEntry back;
    ASSERT_TRUE(ParseJournalLine(line, back));
    EXPECT_FALSE(back.time_known);
    EXPECT_EQ(std::tie(back.year, back.month, back.day), std::make_tuple(2026, 3, 5));
}

// A test is the one the journal holds when object, test, kind and date agree,
// and the time too where both the journal line and the listing have one: a
// test listed with its year is the one exported while its time was listed,
// also by lines that earlier versions wrote with 12:00 for it.
TEST(JournalMatch, TheTimeCountsOnlyWhereBothHaveOne) {
    struct Row {
        const char* what;
        const char* date;  // the journal line's
        bool listedWithTime;
        int hour, minute;  // the listing's
        bool held;
    };
    const std::vector<Row> rows = {
        {"same time", "2026-03-05 14:07", true, 14, 7, true},
        {"another minute", "2026-03-05 14:08", true, 14, 7, false},
        {"listed with its year now", "2026-03-05 14:07", false, 12, 0, true},
        {"journal without time", "2026-03-05 time-unknown", true, 9, 30, true},
        {"neither has a time", "2026-03-05 time-unknown", false, 12, 0, true},
        {"older line with 12:00", "2026-03-05 12:00", false, 12, 0, true},
        {"another day, no time", "2026-03-06 time-unknown", false, 12, 0, false},
        {"another day, listed with its year", "2026-03-04 14:07", false, 12, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        JournalEntry entry;
        ASSERT_TRUE(ParseJournalLine(std::string("2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t") +
                                         row.date + "\t/w/b.xlsx",
                                     entry));
        FicTest listed = ListedTest(1, 3, KIND_LOOP, row.hour, row.minute);
        listed.sans_heure = row.listedWithTime ? 0 : 1;
        EXPECT_EQ(ExportedTests({entry}, 123).Holds(listed), row.held);
    }
}

// The object's name ends the line when there is one; lines without it, written
// before names were kept, read as ever, also with a tab in their workbook's path.
TEST(JournalLine, TheObjectsNameIsAnOptionalLastFieldWithoutTabsOrLineBreaks) {
    const std::string start = "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05 14:07\t";
    const struct {
        std::string path, name, written;
    } rows[] = {
        {"/w/b.xlsx", "", "/w/b.xlsx"},
        {"/w/a\tb.xlsx", "", "/w/a\tb.xlsx"},
        {"/w/a\tb.xlsx", "Rue Haute\t12,\r\nflat 3", "/w/a\tb.xlsx\tRue Haute 12, flat 3"},
        {"/w/b.XLSX", "Église Saint-Jean", "/w/b.XLSX\tÉglise Saint-Jean"},
    };
    for (const auto& row : rows) {
        JournalEntry entry = EntryFor(123, ListedTest(1, 3, KIND_LOOP), row.path, row.name);
        entry.exported_at = "2026-12-07 11:54:38";
        EXPECT_EQ(FormatJournalLine(entry), start + row.written);
        JournalEntry back;
        ASSERT_TRUE(ParseJournalLine(start + row.written, back)) << row.written;
        EXPECT_EQ(back.workbook, row.path);
        EXPECT_EQ(back.object_name, CleanObjectName(row.name));
    }
}

TEST(JournalLine, DamagedAndForeignLinesAreNotEntries) {
    const char* lines[] = {
        "",
        "# a comment",
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05 14:07",  // no workbook
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05 14:07\t",
        "2026-12-07 11:54\t0000123\tO01\tT03\tLoop\t2026-03-05 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t12a\tO01\tT03\tLoop\t2026-03-05 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO1\tT03\tLoop\t2026-03-05 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO01\tX03\tLoop\t2026-03-05 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tBoucle\t2026-03-05 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t05-03-2026 14:07\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05 unknown\t/w/b.xlsx",
        "2026-12-07 11:54:38\t0000123\tO01\tT03\tLoop\t2026-03-05\t/w/b.xlsx",
        "2026-12-07 11:54:38 0000123 O01 T03 Loop 2026-03-05 14:07 /w/b.xlsx",
        "2026-12-07 11:54:38\t99999999999\tO01\tT03\tLoop\t2026-03-05 14:07\t/w/b.xlsx",
        "\x01\x02\xff garbage",
    };
    for (const char* line : lines) {
        JournalEntry entry;
        EXPECT_FALSE(ParseJournalLine(line, entry)) << line;
    }
}

TEST_F(ExportJournal, AppendsAreOnDiskAtOnceAndANewJournalNamesItsFields) {
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(1, 3, KIND_LOOP), "/w/a.xlsx")), 0);
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(1, 4, KIND_RCD), "/w/b.xlsx")), 0);
    const std::string text = Content(path());
    EXPECT_EQ(text.rfind("# Briskel View export journal", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    const JournalReading reading = ReadJournal(path());
    ASSERT_EQ(reading.entries.size(), 2u);
    EXPECT_EQ(reading.entries[1].workbook, "/w/b.xlsx");
    EXPECT_EQ(reading.unreadable_lines, 0);
}

TEST_F(ExportJournal, ALineCutShortByACrashIsSkippedAndTheNextStartsAfreshLine) {
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(1, 3, KIND_LOOP), "/w/a.xlsx")), 0);
    AppendBytes(path(), "2026-12-07 11:54:38\t0000123\tO01\tT0");  // cut short
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(1, 5, KIND_EARTH), "/w/c.xlsx")), 0);
    AppendBytes(path(), "somebody else's notes\n\n");
    const JournalReading reading = ReadJournal(path());
    ASSERT_EQ(reading.entries.size(), 2u);
    EXPECT_EQ(reading.entries[1].test, 5);
    EXPECT_EQ(reading.unreadable_lines, 2);
}

TEST_F(ExportJournal, AJournalThatCannotBeWrittenOrReadIsAFailureNotACrash) {
    EXPECT_LT(AppendToJournal(program_dir() + "/no/such/folder/j.txt",
                              EntryFor(1, ListedTest(1, 1, 0), "/w/a.xlsx")),
              0);
    fs::create_directory(path());  // a folder where the journal should be
    EXPECT_LT(AppendToJournal(path(), EntryFor(1, ListedTest(1, 1, 0), "/w/a.xlsx")), 0);
    EXPECT_TRUE(ReadJournal(path()).file_unreadable);
    EXPECT_TRUE(ReadJournal(program_dir() + "/missing.txt").entries.empty());
    EXPECT_FALSE(ReadJournal(program_dir() + "/missing.txt").file_unreadable);
}

TEST_F(ExportJournal, EachInstrumentFindsOnlyItsOwnTests) {
    for (int32_t serial : {123, 4560123}) {
        ASSERT_EQ(
            AppendToJournal(path(), EntryFor(serial, ListedTest(1, 3, KIND_LOOP), "/w/a.xlsx")), 0);
    }
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(2, 1, KIND_RCD), "/w/b.xlsx")), 0);
    const JournalReading reading = ReadJournal(path());
    const ExportedTests first(reading.entries, 123), second(reading.entries, 4560123),
        third(reading.entries, 77);
    EXPECT_TRUE(first.Holds(ListedTest(1, 3, KIND_LOOP)));
    EXPECT_TRUE(first.Holds(ListedTest(2, 1, KIND_RCD)));
    EXPECT_TRUE(second.Holds(ListedTest(1, 3, KIND_LOOP)));
    EXPECT_FALSE(second.Holds(ListedTest(2, 1, KIND_RCD)));
    EXPECT_TRUE(third.empty());
    // Lines of an instrument that did not tell its number belong to none.
    ASSERT_EQ(
        AppendToJournal(path(), EntryFor(SERIAL_UNKNOWN, ListedTest(2, 2, KIND_RCD), "/w/c.xlsx")),
        0);
    const JournalReading again = ReadJournal(path());
    ASSERT_EQ(again.entries.size(), 4u);
    EXPECT_EQ(again.entries[3].serial, "serial-unknown");
    EXPECT_FALSE(ExportedTests(again.entries, 123).Holds(ListedTest(2, 2, KIND_RCD)));
    EXPECT_TRUE(ExportedTests(again.entries, SERIAL_UNKNOWN).empty());
    // Same numbers, another kind, day or minute: another test.
    EXPECT_FALSE(first.Holds(ListedTest(1, 3, KIND_RCD)));
    EXPECT_FALSE(first.Holds(ListedTest(1, 3, KIND_LOOP, 14, 8)));
    FicTest otherDay = ListedTest(1, 3, KIND_LOOP);
    otherDay.jour = 6;
    EXPECT_FALSE(first.Holds(otherDay));
}

TEST_F(ExportJournal, UnreadableLinesAreReportedOnceUntilMoreAppear) {
    SetInstrumentSerialForTesting(true, 123);
    ASSERT_EQ(AppendToJournal(path(), EntryFor(123, ListedTest(1, 3, KIND_LOOP), "/w/a.xlsx")), 0);
    AppendBytes(path(), "damaged line\r\n");
    EXPECT_TRUE(ExportedTestsOfInstrument().Holds(ListedTest(1, 3, KIND_LOOP)));
    ExportedTestsOfInstrument();
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Export journal");
    EXPECT_NE(popups()[0].message.find("cannot be read (1)"), std::string::npos);
    AppendBytes(path(), "another\r\n");
    ExportedTestsOfInstrument();
    EXPECT_EQ(popups().size(), 2u);
    // Without the instrument's serial number no test counts as exported.
    SetInstrumentSerialForTesting(false, 0);
    EXPECT_TRUE(ExportedTestsOfInstrument().empty());
}

namespace {

// Object 04 as a scan lists it: tests 03 (a loop) and 07 (an RCD).
DirObjet Listed(int hour = 14) {
    DirObjet object;
    object.present = 1;
    object.num_objet = 4;
    object.nb_test = 2;
    object.tests[3] = ListedTest(4, 3, KIND_LOOP, hour);
    object.tests[7] = ListedTest(4, 7, KIND_RCD, hour);
    return object;
}

}  // namespace

// The names file as a person or another copy of the program may leave it: a
// byte-order mark, CR LF, a damaged line (told once, kept as it stands), a full
// disk (the old file stays whole and the name is told as not saved).
TEST_F(ExportJournal, TheNamesFileKeepsWhatItCannotReadAndSurvivesAFullDisk) {
    const std::string names = program_dir() + "/" + OBJECT_NAMES_FILE;
    const std::string entry = "0000123\tO04\tRue Haute 12, flat 3\tT03 Loop 2026-03-05 14:07";
    {
        std::ofstream file(names, std::ios::binary);
        file << "\xEF\xBB\xBF" << entry << "\r\nO05 half a line\r\n";
    }
    NameLookup found = LookUpObjectName(names, 123, Listed());
    EXPECT_EQ(found.name.state, NameState::Current);
    EXPECT_EQ(found.name.name, "Rue Haute 12, flat 3");
    EXPECT_NE(found.problem.find("cannot be read (1)"), std::string::npos) << found.problem;
    EXPECT_EQ(LookUpObjectName(names, 123, Listed()).problem, "") << "told once";

    DirObjet five = Listed();
    five.num_objet = 5;
    ASSERT_TRUE(NameObject(names, 123, five, "Place du Marché").written);
    const std::string kept = Content(names);
    EXPECT_NE(kept.find(entry + "\r\nO05 half a line\r\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("0000123\tO05\tPlace du Marché\tT03 Loop 2026-03-05 14:07, T07 RCD "
                        "2026-03-05 14:07\r\n"),
              std::string::npos)
        << kept;

    SetWriteLimitForTesting(10);
    const NameChange full = NameObject(names, 123, Listed(), "");
    SetWriteLimitForTesting(-1);
    EXPECT_FALSE(full.written);
    EXPECT_EQ(full.name.name, "Rue Haute 12, flat 3");
    EXPECT_NE(full.problem.find("could not be written"), std::string::npos) << full.problem;
    EXPECT_EQ(Content(names), kept);
}

// A name holds while a test it was given with is still listed (also once the
// listing shows the test's year instead of its time); then it is stale and goes
// into no file until given again. An emptied object's name is released; an
// instrument without a serial number has none.
TEST_F(ExportJournal, ANameIsCurrentStaleOrReleasedByWhatTheScanLists) {
    const std::string names = program_dir() + "/" + OBJECT_NAMES_FILE;
    ASSERT_TRUE(NameObject(names, 123, Listed(), "  Rue Haute\t12 ").written);
    ASSERT_TRUE(NameObject(names, 456, Listed(), "Other instrument").written);
    DirObjet aged = Listed(0);
    for (FicTest& t : aged.tests) t.sans_heure = 1;
    DirObjet reused = Listed(9);  // the same numbers, other tests
    DirObjet oneLeft = Listed();
    oneLeft.tests[3] = FicTest{};
    oneLeft.nb_test = 1;
    const struct {
        const char* what;
        DirObjet listed;
        NameState state;
    } rows[] = {
        {"as named", Listed(), NameState::Current},
        {"one test left", oneLeft, NameState::Current},
        {"listed with the year", aged, NameState::Current},
        {"memory reused", reused, NameState::Stale},
    };
    for (const auto& row : rows) {
        const NameLookup found = LookUpObjectName(names, 123, row.listed);
        EXPECT_EQ(found.name.state, row.state) << row.what;
        EXPECT_EQ(found.name.name, "Rue Haute 12") << row.what;
        EXPECT_EQ(CurrentObjectNames(names, 123, &row.listed, 1).names[4],
                  row.state == NameState::Current ? "Rue Haute 12" : "")
            << row.what;
    }
    // Given again, the stale name belongs to the tests listed now.
    EXPECT_EQ(NameObject(names, 123, reused, "Rue Haute 12").name.state, NameState::Current);
    EXPECT_EQ(LookUpObjectName(names, 123, Listed()).name.state, NameState::Stale);
    EXPECT_EQ(LookUpObjectName(names, SERIAL_UNKNOWN, Listed()).name.state, NameState::None);
    EXPECT_FALSE(NameObject(names, SERIAL_UNKNOWN, Listed(), "x").written);

    const NameRelease release = ReleaseObjectNames(names, 123, {4});
    ASSERT_EQ(release.released.size(), 1u);
    EXPECT_EQ(release.released[0].name, "Rue Haute 12");
    EXPECT_EQ(LookUpObjectName(names, 123, reused).name.state, NameState::None);
    EXPECT_EQ(LookUpObjectName(names, 456, Listed()).name.name, "Other instrument");
}
