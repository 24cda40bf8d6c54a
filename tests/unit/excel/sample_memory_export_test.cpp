// The whole road of an export: the emulated instrument's sample memory is
// scanned, every test downloaded and decoded, and each supported test becomes
// a workbook, read back cell by cell and compared with values worked out by
// hand from the record fields the sample memory was built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <regex>

#include "excel/registration.h"
#include "excel/summary_workbook.h"
#include "excel/workbook.h"
#include "excel_test_support.h"
#include "export/summary_content.h"
#include "export/test_outcomes.h"
#include "export_fixture.h"
#include "import/registration.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

const std::string D = " --- ";

Texts Join(std::initializer_list<Texts> parts) {
    Texts all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// Row 2 from column D, by "object/test", as worked out from the sample records.
std::map<std::string, Texts> ExpectedValues() {
    const Texts ln = {" 0.420", "Ohm ", " 0.400", "Ohm ", "       0.5", " mH "};
    const Texts lpe = {" 0.610", "Ohm ", " 0.580", "Ohm ", "       0.7", " mH "};
    const Texts npe = {" 0.550", "Ohm ", " 0.520", "Ohm ", "       0.6", " mH "};
    const Texts v3 = {"231.2", "V", "230.8", "V", " 0.400", "V"};
    const Texts v4 = {"231.2", "V", "230.8", "V", " 0.400", "V", " 2.10", "V"};
    const Texts end = {"1", "     50.00", "Hz"};
    const Texts six = {D, D, D, D, D, D};
    return {
        {"1/1",
         {"     0.523", "A", "1", "     50.00", "Hz", "no clamp", "       8.7", "V", "      21.5",
          "°C"}},
        {"1/2",
         {"      4.56", "A", "0", "      0.00", "Hz", "1 / 1000", "       8.6", "V", "      21.7",
          "°C"}},
        {"1/3",
         {"      12.3", "A", "2", "     60.00", "Hz", "1 / 10000", "       8.6", "V", "      22.0",
          "°C"}},
        {"1/4", {"Earth 3P", "12.50", "Ohm ", " 1.350", " kOhm", " 2.21", "Ohm ", "1"}},
        {"1/5", {"Earth 2P", " 2.500", " kOhm", D, D, D, D, "0"}},
        {"1/7", {"     ", " 85.0", "Ohm ", D, D, D, D, "2"}},
        {"2/1", Join({{"ZLOOP Trip"}, ln, lpe, npe, v3, end})},
        {"2/2", Join({{"ZLOOP No Trip"},
                      ln,
                      {"15.01", "Ohm ", "14.80", "Ohm ", D, D},
                      {D, D, " 0.520", "Ohm ", D, D},
                      v3,
                      end})},
        {"2/3", Join({{"ZLINE", "15.00", "Ohm ", "14.60", "Ohm ", "       3.1", " mH "},
                      six,
                      six,
                      v3,
                      end})},
        {"2/4",
         Join({{"REarth Trip", "27.30", "Ohm ", "26.90", "Ohm ", D, D, "310.0", "Ohm "}, v4, end})},
        {"2/5", Join({{"REarth No Trip", D, D, "26.90", "Ohm ", D, D, "310.0", "Ohm "}, v4, end})},
        {"2/6",
         Join({{"REarth Trip Select.", " 1.200", " kOhm", " 1.185", " kOhm", D, D, "310.0", "Ohm "},
               v4,
               end})},
        {"2/8",
         Join({{"RCD ZLOOP No Trip", " 1.200", " kOhm", " 1.188", " kOhm", D, D, "230.8", "V"},
               end})},
        {"2/9", Join({{"RCD REarth No Trip", D, D, "26.90", "Ohm ", "310.0", "Ohm "}, v4, end})},
        {"4/1",
         {"RCD Trip Slope", "Full", "Pos", "30", " mA ", "21.500", " mA ", "      23.4", " ms "}},
        {"4/2",
         {"RCD Trip Pulse x2", "Full", "Neg", "30", " mA ", "60.000", " mA ", "      18.5",
          " ms "}},
        {"4/3", {"RCD Trip Pulse x5", "Half", "Pos", "30", " mA ", D, " mA ", D, " ms "}},
        {"4/5", {"RCD Trip Pulse 150mA", "Half", "Neg", "10", " mA ", D, " mA ", D, " ms "}},
        {"4/6",
         {"RCD Trip Pulse 250mA", "Half", "Neg", "300", " mA ", "250.000", " mA ", "      40.2",
          " ms "}},
        {"7/1",
         {"Voltage ", "230.4", "V", "229.8", "V", " 0.600", "V", "1", "     50.00", "Hz", " 2.500",
          " kOhm", "       8.4", "V", "      27.5", "°C"}},
        {"7/2",
         {"Voltage ", "  0.0", "V", "  0.0", "V", "  0.0", "V", "0", "      0.00", "Hz", "  0.0",
          "Ohm ", "       8.4", "V", "      27.8", "°C"}},
        {"7/3",
         {"Voltage ", "398.5", "V", "231.1", "V", "230.7", "V", "2", "     50.01", "Hz", "12.50",
          "Ohm ", "       8.4", "V", "      28.1", "°C"}},
    };
}

// The date column: month/day/year of the test; a listing that shows a time
// instead of a year (recent files) dates the test in the PC's current year.
std::string DateCell(std::time_t when, std::time_t clock) {
    std::tm fields{};
    localtime_r(&when, &fields);
    int year = fields.tm_year + 1900;
    if (clock - when < 150 * 24 * 3600) {
        int month = 0, day = 0;
        GetSystemDate(month, day, year);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", fields.tm_mon + 1, fields.tm_mday, year);
    return text;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// The text a cell shows of a text the sheet writers pass: a plain decimal
// number is shown without the blanks that padded it to its field; any other
// text is shown as it is.
bool IsPlainNumber(const std::string& text) {
    static const std::regex number(" *-?[0-9]+(\\.[0-9]+)? *");
    return std::regex_match(text, number);
}

std::string Shown(const std::string& text) {
    if (!IsPlainNumber(text)) return text;
    const auto first = text.find_first_not_of(' ');
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

Texts DropEmptyTail(Texts cells) {
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

class SampleMemoryExport : public ExportFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        if (blank_padded_days_) {
            zr8812::EmulatorOptions options = DefaultOptions();
            options.blank_padded_days = true;
            RestartInstrument(options);
        }
        LoadExportPanels();
        ConnectInCommandMode();
        UseWorkbookFolder();
        Excel.erase_after_export = 0;
    }
    // Exports every test of the sample memory, one workbook per supported
    // test, named after its object and test; the tests in export order.
    // `whole`: every test is written (no stop, no pulled cable).
    void ExportAll(bool summary = false, bool whole = true) {
        OpenExportOfAllTests();
        const int exportPanel = Fen_princ[PANEL_EXPORT];
        SetCtrlVal(exportPanel, EXPORT_SUMMARY, summary ? 1 : 0);
        SimulateCommit(exportPanel, EXPORT_RUN);
        ASSERT_EQ(Excel.started, 1) << "the export panel did not launch";
        for (const auto& t : zr8812::sample_tests(InstrumentClock()))
            if (t.supported()) exported_.push_back(t);
        for (const auto& t : exported_) {
            paths_.push_back(out_ + "/" + TwoDigits(t.object) + "-" + TwoDigits(t.test) + ".xlsx");
            recorder().QueueAnswer("file", "", {VAL_NEW_FILE_SELECTED, paths_.back()});
        }
        SimulateCommit(exportPanel, EXPORT_EXPORT);
        if (whole) {
            EXPECT_EQ(recorder().PendingAnswers(), 0u);
        }
    }
    // Row 2 of test `t` as the sheet writers pass it, worked out by hand.
    Texts TypedValues(const zr8812::SampleTest& t) const {
        Texts values = {DateCell(t.when, InstrumentClock()), TwoDigits(t.object),
                        TwoDigits(t.test)};
        const Texts rest =
            ExpectedValues().at(std::to_string(t.object) + "/" + std::to_string(t.test));
        values.insert(values.end(), rest.begin(), rest.end());
        return values;
    }
    std::vector<zr8812::SampleTest> exported_;
    std::vector<std::string> paths_;
    bool blank_padded_days_ = false;
};

// The same from an instrument whose listings pad a day below 10 with a zero
// ("Nov 05") and from one that pads it with a blank ("Nov  5").
class SampleMemoryExportOfEitherDayPadding : public SampleMemoryExport,
                                             public testing::WithParamInterface<bool> {
   protected:
    void SetUp() override {
        blank_padded_days_ = GetParam();
        SampleMemoryExport::SetUp();
    }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(DayPadding, SampleMemoryExportOfEitherDayPadding, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& padding) {
                             return std::string(padding.param ? "Blank" : "Zero");
                         });

TEST_P(SampleMemoryExportOfEitherDayPadding, EveryKindAndLayoutBecomesTheWorkbookWorkedOutByHand) {
    ExportAll();
    ASSERT_EQ(exported_.size(), ExpectedValues().size());
    const auto independent = ReadCellsWithOpenpyxl(paths_);
    ASSERT_EQ(independent.size(), paths_.size());
    for (std::size_t i = 0; i < exported_.size(); ++i) {
        const auto& t = exported_[i];
        SCOPED_TRACE(std::to_string(t.object) + "/" + std::to_string(t.test) + " " + t.description);
        const Texts titles = SavedRow(paths_[i], 1);
        const Texts values = SavedRow(paths_[i], 2);
        const Texts typed = TypedValues(t);
        EXPECT_EQ(Texts(titles.begin(), titles.begin() + 3),
                  (Texts{"Date of test", "Object", "Test"}));
        ASSERT_EQ(titles.size(), typed.size());
        ASSERT_EQ(values.size(), typed.size());
        // Numbers are numbers and the date a date, showing what was typed
        // (less the padding blanks); every other text is a text, unchanged.
        ASSERT_GE(independent[i].size(), 2u);
        const auto& readTitles = independent[i][0];
        const auto& readValues = independent[i][1];
        ASSERT_EQ(readTitles.size(), titles.size());
        ASSERT_EQ(readValues.size(), typed.size());
        for (std::size_t c = 0; c < typed.size(); ++c) {
            SCOPED_TRACE("column " + std::to_string(c + 1) + " typed '" + typed[c] + "'");
            EXPECT_EQ(values[c], Shown(typed[c]));
            EXPECT_EQ(readValues[c].shown, Shown(typed[c]));
            EXPECT_EQ(readValues[c].kind, c == 0 ? "d" : IsPlainNumber(typed[c]) ? "n" : "s");
            EXPECT_EQ(readTitles[c].kind, "s");
            EXPECT_EQ(readTitles[c].shown, titles[c]);
        }
        EXPECT_EQ(readValues[0].format, "mm\\/dd\\/yyyy");
        EXPECT_EQ(readValues[1].format, "00");
    }
    // Each test proposed the next number; the unsupported test took none.
    std::vector<std::string> proposals;
    for (const auto& p : popups())
        if (p.kind == "file") proposals.push_back(p.defaultFileName);
    ASSERT_EQ(proposals.size(), exported_.size());
    EXPECT_EQ(proposals.front(), "Briskel1");
    EXPECT_EQ(proposals.back(), "Briskel" + std::to_string(exported_.size()));
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()),
              static_cast<long>(exported_.size()));
    std::string message;
    GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_MESSAGE, message);
    EXPECT_EQ(message, "Sheet ready.\nWorkbooks written: " + std::to_string(exported_.size()) +
                           "\nSkipped, already exported: 0\nFailed: 0\nFolder: " + out_ + "/");
}

// LibreOffice shows every value of a full export as the program typed it,
// and computes with the numbers and dates: below the values of each workbook
// a row of formulas counts and sums the numbers and takes the date apart.
TEST_F(SampleMemoryExport, LibreOfficeShowsEveryValueAndComputesWithIt) {
    ExportAll();
    ASSERT_EQ(exported_.size(), ExpectedValues().size());
    std::vector<double> sums;
    std::vector<int> counts;
    for (std::size_t i = 0; i < exported_.size(); ++i) {
        double sum = 0;
        int count = 0;
        const Texts typed = TypedValues(exported_[i]);
        for (std::size_t c = 3; c < typed.size(); ++c)
            if (IsPlainNumber(typed[c])) sum += std::stod(typed[c]), ++count;
        sums.push_back(sum);
        counts.push_back(count);
        AddFormulaRow(paths_[i], {"MONTH(A2)", "DAY(A2)", "YEAR(A2)", "COUNT(D2:BA2)",
                                  "SUM(D2:BA2)", "ISTEXT(E2)"});
    }
    const auto books = ReadWithLibreOffice(paths_);
    ASSERT_EQ(books.size(), paths_.size());
    for (std::size_t i = 0; i < exported_.size(); ++i) {
        const auto& t = exported_[i];
        SCOPED_TRACE(std::to_string(t.object) + "/" + std::to_string(t.test) + " " + t.description);
        const Texts typed = TypedValues(t);
        ASSERT_EQ(books[i].size(), 3u);
        Texts shown;
        for (const auto& text : typed) shown.push_back(Shown(text));
        EXPECT_EQ(DropEmptyTail(books[i][1]), shown);
        EXPECT_EQ(DropEmptyTail(books[i][0]), SavedRow(paths_[i], 1));
        const Texts& computed = books[i][2];
        ASSERT_GE(computed.size(), 6u);
        const std::string date = typed[0];
        EXPECT_EQ(std::stoi(computed[0]), std::stoi(date.substr(0, 2)));
        EXPECT_EQ(std::stoi(computed[1]), std::stoi(date.substr(3, 2)));
        EXPECT_EQ(std::stoi(computed[2]), std::stoi(date.substr(6, 4)));
        EXPECT_EQ(std::stoi(computed[3]), counts[i]);
        EXPECT_NEAR(std::stod(computed[4]), sums[i], 1e-9 * (1 + std::abs(sums[i])));
        EXPECT_EQ(computed[5], IsPlainNumber(typed[4]) ? "FALSE" : "TRUE");
    }
}

namespace {

// Base units worked out here, apart from the program's table.
bool BaseFactor(const std::string& unitCell, std::string& symbol, double& factor) {
    static const std::map<std::string, std::pair<std::string, double>> units = {
        {"Ohm", {"Ω", 1}}, {"kOhm", {"Ω", 1000}}, {"V", {"V", 1}},      {"kV", {"V", 1000}},
        {"A", {"A", 1}},   {"mA", {"A", 0.001}},  {"ms", {"s", 0.001}}, {"Hz", {"Hz", 1}},
        {"°C", {"°C", 1}}, {"mH", {"H", 0.001}}};
    const auto first = unitCell.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const auto found =
        units.find(unitCell.substr(first, unitCell.find_last_not_of(' ') - first + 1));
    if (found == units.end()) return false;
    symbol = found->second.first;
    factor = found->second.second;
    return true;
}

std::string SummaryIn(const std::string& folder) {
    static const std::regex name(
        "Briskel_[0-9]{7}_summary_[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{4}\\.xlsx");
    std::string found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (std::regex_match(entry.path().filename().string(), name)) {
            EXPECT_TRUE(found.empty()) << "two summaries: " << found << " " << entry.path();
            found = entry.path().string();
        }
    return found;
}

bool SameCell(const ReadCell& a, const ReadCell& b) {
    return a.kind == b.kind && a.shown == b.shown && a.format == b.format;
}

// A workbook's row as the summary copies it: the object's name in a column of
// its own after the object's number.
std::vector<ReadCell> WithNameColumn(std::vector<ReadCell> row, const std::string& name) {
    ReadCell cell{"", "", "General"};  // a cell of no name, as openpyxl reads it
    if (!name.empty() && row.size() > 1) cell = row[1];
    cell.shown = name;
    if (row.size() >= 2) row.insert(row.begin() + 2, cell);
    return row;
}

std::string Describe(const std::vector<ReadCell>& cells) {
    std::string text;
    for (const auto& c : cells) text += "[" + c.kind + " '" + c.shown + "' " + c.format + "]";
    return text;
}

}  // namespace

// With "Summary workbook" ticked, one more workbook holds the whole export:
// its first sheet lists every test with a link to its workbook, then one sheet
// per layout holds each test's value row exactly as its own workbook has it
// (same texts, same typed numbers and dates, same formats), followed by the
// quantities in their base units. Read back by openpyxl and by LibreOffice.
TEST_F(SampleMemoryExport, SummaryHoldsEveryRowExactlyAsItsWorkbookHasIt) {
    ExportAll(true);
    ASSERT_EQ(exported_.size(), ExpectedValues().size());
    const std::string summary = SummaryIn(out_);
    ASSERT_FALSE(summary.empty()) << "no summary workbook in " << out_;
    // Nothing of it stays open; the application runs on.
    EXPECT_EQ(ProgramSpreadsheet().OpenWorkbookCountForTesting(), 0);
    EXPECT_EQ(ProgramSpreadsheet().Status(), 0);
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()),
              static_cast<long>(exported_.size() + 1));
    std::string message;
    GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_MESSAGE, message);
    EXPECT_NE(message.find("\nFolder: " + out_ +
                           "/\nSummary workbook: " + fs::path(summary).filename().string()),
              std::string::npos)
        << message;

    const auto sheets = ReadSheetsWithOpenpyxl(summary);
    const auto books = ReadCellsWithOpenpyxl(paths_);
    ASSERT_EQ(books.size(), paths_.size());

    // Sheet 1: every test looked at, in the walk's order, linked to its workbook.
    ASSERT_GE(sheets.size(), 2u);
    const ReadSheet& tests = sheets[0];
    EXPECT_EQ(tests.name, "Tests");
    const auto all = zr8812::sample_tests(InstrumentClock());
    ASSERT_EQ(tests.rows.size(), all.size() + 1);
    std::vector<std::string> titles;
    for (const auto& c : tests.rows[0]) titles.push_back(c.shown);
    EXPECT_EQ(titles, (Texts{"Object", "Name of the object", "Test", "Kind", "Date and time",
                             "Workbook", "What happened"}));
    EXPECT_EQ(tests.freeze, "A2");
    EXPECT_EQ(tests.filter, "A1:G" + std::to_string(all.size() + 1));
    std::size_t written = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto& row = tests.rows[i + 1];
        SCOPED_TRACE("row " + std::to_string(i + 2) + " " + all[i].description);
        ASSERT_GE(row.size(), 7u);
        EXPECT_EQ(row[0].shown, TwoDigits(all[i].object));
        EXPECT_EQ(row[2].shown, TwoDigits(all[i].test));
        const std::string cell = "F" + std::to_string(i + 2);
        if (!all[i].supported()) {
            EXPECT_EQ(row[6].shown, "Not written: no measured value (kind without a layout)");
            EXPECT_EQ(tests.links.count(cell), 0u);
            continue;
        }
        const std::string& path = paths_[written++];
        EXPECT_EQ(row[5].shown, fs::path(path).filename().string());
        EXPECT_EQ(row[6].shown, "Written");
        ASSERT_EQ(tests.links.count(cell), 1u);
        // Relative to the summary, so the folder can be moved as a whole.
        const std::string target = tests.links.at(cell);
        EXPECT_TRUE(fs::path(target).is_relative()) << target;
        const fs::path resolved = fs::path(summary).parent_path() / target;
        ASSERT_TRUE(fs::exists(resolved)) << target;
        EXPECT_TRUE(fs::equivalent(resolved, path)) << target;
    }
    EXPECT_EQ(written, paths_.size());

    // One sheet per distinct title row, in the order the walk met them.
    std::vector<std::vector<std::size_t>> layouts;  // workbook indices per layout
    for (std::size_t i = 0; i < books.size(); ++i) {
        auto same = std::find_if(layouts.begin(), layouts.end(), [&](const auto& l) {
            const auto& a = books[l[0]][0];
            const auto& b = books[i][0];
            return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameCell);
        });
        if (same == layouts.end()) {
            layouts.push_back({i});
        } else {
            same->push_back(i);
        }
    }
    ASSERT_EQ(sheets.size(), layouts.size() + 1);
    EXPECT_GE(layouts.size(), 7u) << "the sample memory holds every layout";
    for (std::size_t l = 0; l < layouts.size(); ++l) {
        const ReadSheet& sheet = sheets[l + 1];
        SCOPED_TRACE("sheet " + sheet.name);
        const auto bookTitles = WithNameColumn(books[layouts[l][0]][0], "Name of the object");
        const std::size_t copied = bookTitles.size();
        ASSERT_EQ(sheet.rows.size(), layouts[l].size() + 1);
        ASSERT_GE(sheet.rows[0].size(), copied);
        EXPECT_TRUE(
            std::equal(bookTitles.begin(), bookTitles.end(), sheet.rows[0].begin(), SameCell))
            << Describe(sheet.rows[0]) << "\n"
            << Describe(bookTitles);
        EXPECT_EQ(sheet.freeze, "A2");
        EXPECT_EQ(sheet.filter, "A1:" + ColumnLetters(static_cast<int>(sheet.rows[0].size())) +
                                    std::to_string(sheet.rows.size()));
        for (std::size_t c = 1; c <= sheet.rows[0].size(); ++c)
            EXPECT_GE(sheet.widths.count(ColumnLetters(static_cast<int>(c))), 1u) << c;
        for (std::size_t k = 0; k < layouts[l].size(); ++k) {
            const auto values = WithNameColumn(books[layouts[l][k]][1], "");
            const auto& row = sheet.rows[k + 1];
            SCOPED_TRACE(paths_[layouts[l][k]]);
            ASSERT_GE(row.size(), values.size());
            for (std::size_t c = 0; c < copied; ++c) {
                const ReadCell empty;
                const ReadCell& expected = c < values.size() ? values[c] : empty;
                EXPECT_TRUE(SameCell(row[c], expected))
                    << "column " << c + 1 << ": " << Describe({row[c]})
                    << " != " << Describe({expected});
            }
            // Each base-unit column: the copied value times its unit's factor.
            for (std::size_t b = copied; b < sheet.rows[0].size(); ++b) {
                const std::string title = sheet.rows[0][b].shown;
                const auto open = title.rfind(" (");
                ASSERT_NE(open, std::string::npos) << title;
                std::size_t q = 0;
                while (q + 1 < copied &&
                       !(bookTitles[q + 1].shown == "unit" &&
                         bookTitles[q].shown.find(title.substr(0, open)) != std::string::npos))
                    ++q;
                ASSERT_LT(q + 1, copied) << "no quantity for " << title;
                std::string symbol;
                double factor = 0;
                const bool number = q < values.size() && values[q].kind == "n";
                const bool unitKnown = q + 1 < values.size() &&
                                       BaseFactor(values[q + 1].shown, symbol, factor) &&
                                       title == title.substr(0, open) + " (" + symbol + ")";
                const ReadCell none;
                const ReadCell& got = b < row.size() ? row[b] : none;
                if (!number || !unitKnown) {
                    EXPECT_EQ(got.kind, "") << title << " of " << Describe(values);
                    continue;
                }
                ASSERT_EQ(got.kind, "n") << title;
                const double expected = std::stod(values[q].shown) * factor;
                EXPECT_NEAR(sheet.numbers[k + 1][b], expected, 1e-12 * (1 + std::abs(expected)))
                    << title;
            }
        }
    }

    // LibreOffice shows the same: each copied row as its workbook's row 2.
    std::vector<std::string> allPaths = paths_;
    const auto shownBooks = ReadWithLibreOffice(paths_);
    const auto shownSheets = ReadSheetsWithLibreOffice(summary);
    ASSERT_EQ(shownSheets.size(), sheets.size());
    for (std::size_t l = 0; l < layouts.size(); ++l) {
        const auto& sheet = shownSheets[l + 1];
        ASSERT_EQ(sheet.size(), layouts[l].size() + 1);
        for (std::size_t k = 0; k < layouts[l].size(); ++k) {
            Texts own = DropEmptyTail(shownBooks[layouts[l][k]][1]);
            own.insert(own.begin() + 2, "");
            const Texts copy(sheet[k + 1].begin(),
                             sheet[k + 1].begin() + std::min(own.size(), sheet[k + 1].size()));
            EXPECT_EQ(copy, own) << paths_[layouts[l][k]];
        }
    }
    EXPECT_EQ(shownSheets[0].size(), all.size() + 1);
}

// Printed, every summary sheet is landscape A4, one page wide while that keeps
// it at 60 % or more, else at 60 % with the columns that say which test a row
// is on every page across; the title row heads every page, also of a list of
// 1,000 tests; the footer names the workbook and the sheet and counts pages.
TEST_F(SampleMemoryExport, SummaryPrintsOnePageWideOrAtSixtyPercentTitlesOnEveryPage) {
    ExportAll(true);
    const std::string summary = SummaryIn(out_);
    // 1,000 tests listed by the summary's own functions, without an instrument.
    Excel.working_folder = out_ + "/long";
    Excel.base_name = "Dupont & Fils";  // "&" starts a code in a footer
    fs::create_directories(Excel.working_folder);
    StartTestOutcomes();
    StartSummary();
    for (int test = 0; test < 1000; ++test) {
        SetDirectoryTest(test / 100, test % 100, KIND_VOLTAGE);
        RecordTestOutcome(test / 100, test % 100, TestOutcome::NotWritten, OutcomeCause::Cancelled);
    }
    const std::string longSummary = WriteSummaryWorkbook(ProgramSpreadsheet(), SummaryOfExport());
    const auto printed = PrintWithLibreOffice({summary, longSummary});
    // Pages across as the widths give on 277 mm at 60 % (1 down), the column
    // of the objects' names among them; the "Tests" sheet prints at full size.
    const std::map<std::string, int> expected = {
        {"Tests", 1},      {"Current", 1},          {"Earth", 1}, {"Loop", 3},   {"Earth loop", 2},
        {"Loop short", 1}, {"Earth loop short", 2}, {"RCD", 1},   {"Voltage", 2}};
    ASSERT_EQ(printed.at(0).size(), 14u) << "pages of the sample memory's summary";
    std::map<std::string, int> pages;
    for (std::size_t p = 0; p < printed[0].size(); ++p) {
        const PrintedPage& page = printed[0][p];
        ++pages[page.centre];
        EXPECT_EQ(page.left, fs::path(summary).filename().string());
        EXPECT_EQ(page.right, "Page " + std::to_string(p + 1) + " of 14");
        const bool wide = expected.count(page.centre) == 1 && expected.at(page.centre) > 1;
        const std::string identity = p == 0 ? "Object Name of the object Test Kind Date and time"
                                     : wide ? "Date of test Object Name of the object Test MeasType"
                                            : "Date of test Object Name of the object Test";
        EXPECT_EQ(page.first.rfind(identity, 0), 0u) << page.centre << ": " << page.first;
        EXPECT_GE(page.height / printed[0][0].height, 0.595) << page.centre << " below 60 %";
    }
    EXPECT_EQ(pages, expected);
    ASSERT_GT(printed.at(1).size(), 20u);
    EXPECT_EQ(printed[1][0].left, fs::path(longSummary).filename().string());
    for (const PrintedPage& page : printed[1])
        EXPECT_EQ(page.first,
                  "Object Name of the object Test Kind Date and time Workbook What happened");
}

namespace {

// The first sheet of the summary in `folder`: its rows as shown.
std::vector<Texts> TestsSheetIn(const std::string& folder) {
    const std::string summary = SummaryIn(folder);
    EXPECT_FALSE(summary.empty()) << "no summary workbook in " << folder;
    if (summary.empty()) return {};
    const auto sheets = ReadSheetsWithOpenpyxl(summary);
    EXPECT_FALSE(sheets.empty());
    std::vector<Texts> rows;
    for (const auto& row : sheets.at(0).rows) {
        Texts cells;
        for (const auto& c : row) cells.push_back(c.shown);
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace

// A stopped export and one whose cable is pulled still get their summary,
// listing what was done and saying, below the list, how the export ended.
TEST_F(SampleMemoryExport, AStoppedOrCutExportStillWritesItsSummary) {
    int written = 0;
    SetPollHookForTesting([&] {
        written = static_cast<int>(std::distance(fs::directory_iterator(out_), {}));
        if (written == 3) flag_stop = 0;  // the operator presses Stop after the third
    });
    ExportAll(true, false);
    SetPollHookForTesting(nullptr);
    const std::vector<Texts> stopped = TestsSheetIn(out_);
    ASSERT_EQ(stopped.size(), 6u) << "titles, three tests, a blank row, the note";
    for (int row = 1; row <= 3; ++row) {
        ASSERT_GE(stopped[row].size(), 7u);
        EXPECT_EQ(stopped[row][2], TwoDigits(row));
        EXPECT_EQ(stopped[row][6], "Written");
    }
    EXPECT_EQ(stopped[5], (Texts{"Export stopped by the operator: the tests after the last one "
                                 "of this list were not exported."}));

    // Again, with the cable pulled during the fifth download.
    fs::remove_all(out_);
    fs::create_directories(out_);
    instrument().unplug_at("od -hxv /etc/mem/01/05", 60);
    recorder().Clear();
    const int exportPanel = Fen_princ[PANEL_EXPORT];
    SimulateCommit(exportPanel, EXPORT_QUIT);
    exported_.clear();
    paths_.clear();
    ExportAll(true, false);
    const std::vector<Texts> cut = TestsSheetIn(out_);
    const std::size_t supported = ExpectedValues().size();
    // Four written, the one being read and every later one failed, the note.
    ASSERT_EQ(cut.size(), 1 + supported + 2);
    for (std::size_t row = 1; row <= supported; ++row) {
        ASSERT_GE(cut[row].size(), 7u) << row;
        EXPECT_EQ(cut[row][6], row <= 4 ? "Written" : "Failed: the instrument went away") << row;
    }
    EXPECT_EQ(cut.back(), (Texts{"Export cut off: the instrument went away. The tests marked "
                                 "failed stay in the instrument."}));
}
