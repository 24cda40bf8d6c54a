// The listing parsers over "ls -l" answers, passed through the answer filter
// as the program does.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "link/answer_filter.h"
#include "link/memory_listing.h"
#include "store/store.h"

namespace {

constexpr int kThisYear = 2026;

std::string Filtered(const std::string& answer) {
    std::vector<char> out(40000);
    FilterAnswer(answer.data(), answer.size(), out.data(), out.size());
    return out.data();
}

DirectoryListing Directories(const std::string& lines) {
    const std::string text = Filtered("ls -l\r\n" + lines + "korvid:/etc/mem$ ");
    return ParseDirectoryListing(text.data(), text.size(), kThisYear);
}

TestListing Tests(const std::string& lines) {
    const std::string text = Filtered("ls -l\r\n" + lines + "korvid:/etc/mem/03$ ");
    return ParseTestListing(text.data(), text.size(), kThisYear);
}

std::string DirLine(const std::string& when, const std::string& name) {
    return "drwxr-xr-x    1 0        0               0 " + when + " " + name + "\r\n";
}

std::string FileLine(int size, const std::string& when, const std::string& name) {
    char line[128];
    std::snprintf(line, sizeof line, "-rw-r--r--    1 0        0        %8d %s %s\r\n", size,
                  when.c_str(), name.c_str());
    return line;
}

TEST(MonthNames, EnglishAbbreviationsIgnoringCase) {
    const std::pair<const char*, int> rows[] = {{"Jan", 1}, {"jan", 1}, {"DEC", 12}, {"Sep", 9},
                                                {"Foo", 0}, {"", 0},    {"Janu", 0}};
    for (const auto& [name, month] : rows) EXPECT_EQ(chermois(name), month) << name;
}

TEST(DirectoryListingParser, ReadsEveryObjectWithItsDate) {
    const DirectoryListing l =
        Directories(DirLine("Mar 05 10:25", "01") + DirLine("Nov 05  2009", "02") +
                    DirLine("jan 31 23:59", "17") + "total 3\r\n");
    ASSERT_EQ(l.nb_total, 3);
    EXPECT_FALSE(l.ran_past_total);
    EXPECT_FALSE(l.ran_out_at_name);
    ASSERT_EQ(l.entries.size(), 3u);
    const ListingEntry &a = l.entries[0], &b = l.entries[1];
    EXPECT_EQ(std::tie(a.number, a.mois, a.jour, a.heure, a.minute, a.annee),
              std::make_tuple(1, 3, 5, 10, 25, kThisYear));
    EXPECT_NE(a.present, 0);
    EXPECT_EQ(std::tie(b.number, b.mois, b.annee, b.heure, b.minute),
              std::make_tuple(2, 11, 2009, 12, 0));
    EXPECT_EQ(std::tie(l.entries[2].number, l.entries[2].mois), std::make_tuple(17, 1));
}

TEST(DirectoryListingParser, FailuresGiveNoDirectories) {
    struct Row {
        const char* what;
        std::string text;  // already filtered
        bool pastTotal;
        bool atName;
    };
    const std::vector<Row> rows = {
        {"error answer", Filtered("ls -l\r\nls: Error: d\r\nkorvid$"), false, false},
        {"no d at all", "ls-ltotal0k", false, false},
        {"no total", Filtered("ls -l\r\n" + DirLine("Mar 05 10:25", "01") + "korvid"), false,
         false},
        {"count above the entries",
         Filtered("ls -l\r\n" + DirLine("Mar 05 10:25", "01") + "total 2\r\nkorvid"), true, false},
        {"name missing before total", "ls-ldrwxr-xr-x1000Mar051025total1k", true, true},
        {"empty", "", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const DirectoryListing l =
            ParseDirectoryListing(row.text.data(), row.text.size(), kThisYear);
        EXPECT_EQ(l.nb_total, 0);
        EXPECT_EQ(l.ran_past_total, row.pastTotal);
        EXPECT_EQ(l.ran_out_at_name, row.atName);
    }
}

TEST(DirectoryListingParser, EmptyMemoryListsNothingWithoutError) {
    const DirectoryListing l = Directories("total 0\r\n");
    EXPECT_EQ(l.nb_total, 0);
    EXPECT_FALSE(l.ran_past_total);
}

TEST(TestListingParser, ReadsNumbersKindsAndDates) {
    const TestListing l =
        Tests(FileLine(118, "Nov 05  2008", "12.l") + FileLine(50, "Mar 05 10:25", "07.a") +
              FileLine(150, "Feb 28  2009", "99.v") + "total 3\r\n");
    EXPECT_EQ(l.count, 3);
    ASSERT_EQ(l.entries.size(), 3u);
    const ListingEntry &a = l.entries[0], &b = l.entries[1], &c = l.entries[2];
    EXPECT_EQ(std::tie(a.number, a.type_mes, a.annee, a.mois, a.heure, a.time_shown),
              std::make_tuple(12, KIND_LOOP, 2008, 11, 12, false));
    EXPECT_EQ(std::tie(b.number, b.type_mes, b.heure, b.minute, b.annee, b.time_shown),
              std::make_tuple(7, KIND_CURRENT, 10, 25, kThisYear, true));
    EXPECT_EQ(std::tie(c.number, c.type_mes, c.jour), std::make_tuple(99, KIND_VOLTAGE, 28));
    for (const ListingEntry& e : l.entries) EXPECT_NE(e.present, 0);
}

// "ls -l" pads a day below 10 with a zero or, as most ls programs do, with a
// blank; the filter takes the blanks away. Either form is read right, with a
// time or with a year, by both parsers.
TEST(ListingParsers, ReadTheDayPaddedWithAZeroOrWithABlank) {
    struct Row {
        const char* when;
        int day, month, year, hour, minute;
        bool time_shown;
    };
    const std::vector<Row> rows = {
        {"Dec 04 09:05", 4, 12, kThisYear, 9, 5, true},
        {"Dec  4 09:05", 4, 12, kThisYear, 9, 5, true},
        {"Dec 04  2008", 4, 12, 2008, 12, 0, false},
        {"Dec  4  2008", 4, 12, 2008, 12, 0, false},
        {"Dec 14 19:05", 14, 12, kThisYear, 19, 5, true},
        {"Dec 14  2008", 14, 12, 2008, 12, 0, false},
        {"Jan  1 00:00", 1, 1, kThisYear, 0, 0, true},
        {"Jan  1  2019", 1, 1, 2019, 12, 0, false},
        {"Jan 12  2020", 12, 1, 2020, 12, 0, false},
        {"Jan  2  2020", 2, 1, 2020, 12, 0, false},
        {"Jan 20  2019", 20, 1, 2019, 12, 0, false},
        {"Feb  9  1999", 9, 2, 1999, 12, 0, false},
        {"Feb 21  1999", 21, 2, 1999, 12, 0, false},
        {"Mar 31 23:59", 31, 3, kThisYear, 23, 59, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.when);
        const DirectoryListing d = Directories(DirLine(row.when, "03") + "total 1\r\n");
        const TestListing t =
            Tests(FileLine(118, row.when, "12.l") + FileLine(50, row.when, "07.a") + "total 2\r\n");
        ASSERT_EQ(d.nb_total, 1);
        ASSERT_EQ(t.entries.size(), 2u);
        EXPECT_EQ(std::tie(d.entries[0].number, t.entries[0].number, t.entries[1].number,
                           t.entries[1].type_mes),
                  std::make_tuple(3, 12, 7, KIND_CURRENT));
        for (const ListingEntry& e : {d.entries[0], t.entries[0], t.entries[1]}) {
            EXPECT_EQ(std::make_tuple(e.jour, e.mois, e.annee, e.heure, e.minute),
                      std::make_tuple(row.day, row.month, row.year, row.hour, row.minute));
            EXPECT_EQ(e.time_shown, row.time_shown);
        }
    }
}

// An entry listed with a time is recent: a month and day well ahead of today
// are last year's, across the turn of the year; a few days ahead are the two
// clocks disagreeing.
TEST(ListedYear, IsLastYearForDatesWellAheadOfToday) {
    struct Row {
        int month, day, todayMonth, todayDay, want;
    };
    for (const Row& r :
         std::vector<Row>{{3, 5, 3, 5, 2026},      // today
                          {12, 20, 1, 4, 2025},    // last December, seen in January
                          {7, 10, 1, 4, 2025},     // six months ago
                          {7, 10, 12, 30, 2026},   // July, seen at the year's end
                          {1, 10, 1, 4, 2026}}) {  // instrument clock a few days ahead
        SCOPED_TRACE(std::to_string(r.month) + "/" + std::to_string(r.day));
        EXPECT_EQ(YearOfRecentEntry(r.month, r.day, r.todayMonth, r.todayDay, 2026), r.want);
    }
}

TEST(TestListingParser, NamesWithoutTwoDigitsOrWithUnknownKindsAreSkipped) {
    const TestListing l =
        Tests(FileLine(118, "Nov 05  2008", "7.l") + FileLine(118, "Nov 05  2008", "08.z") +
              FileLine(118, "Nov  5  2008", "6.l") + FileLine(118, "Nov 15  2008", "5.l") +
              FileLine(16, "Nov 05  2008", "09.r") + "total 5\r\n");
    EXPECT_EQ(l.count, 5);
    ASSERT_EQ(l.entries.size(), 1u);
    EXPECT_EQ(std::tie(l.entries[0].number, l.entries[0].type_mes), std::make_tuple(9, KIND_RCD));
}

TEST(TestListingParser, CountComesFromTheTotalAtTheEnd) {
    EXPECT_EQ(Tests("total 0\r\n").count, 0);
    EXPECT_EQ(Tests("").count, 0);  // no "total"
    // A "t" near the end that does not start "total".
    const std::string text = "ls-ltotal1-rw-r--r--100118Nov05200812.lxtx";
    EXPECT_EQ(ParseTestListing(text.data(), text.size(), kThisYear).count, 0);
    // More entries announced than listed: the walk simply finds nothing more.
    const TestListing l = Tests(FileLine(118, "Nov 05  2008", "12.l") + "total 5\r\n");
    EXPECT_EQ(std::make_tuple(l.count, l.entries.size()), std::make_tuple(5, 1u));
}

TEST(ListingParsers, AFullMemoryIsReadWhole) {
    // A hundred objects, and a hundred tests in one object, with their counts.
    std::string dirs, files;
    for (int n = 0; n < 100; ++n) {
        char name[8];
        std::snprintf(name, sizeof name, "%02d", n);
        dirs += DirLine("Mar 05 10:25", name);
        std::snprintf(name, sizeof name, "%02d.v", n);
        files += FileLine(150, "Nov 05  2008", name);
    }
    const DirectoryListing d = Directories(dirs + "total 100\r\n");
    EXPECT_EQ(d.nb_total, 100);
    ASSERT_EQ(d.entries.size(), 100u);
    EXPECT_EQ(d.entries.back().number, 99);

    const TestListing t = Tests(files + "total 100\r\n");
    EXPECT_EQ(t.count, 100);
    ASSERT_EQ(t.entries.size(), 100u);
    EXPECT_EQ(std::tie(t.entries.back().number, t.entries.back().type_mes),
              std::make_tuple(99, KIND_VOLTAGE));
}

}  // namespace
