// Answers a foreign or damaged device could send, through the whole road of
// an export with erase after export on: the scan, the downloads, the
// workbooks and the erase. Each answer ends in a message the person can read,
// no workbook is written from it and nothing is erased that is not in a saved
// workbook; the program never names a path outside /etc/mem/. And the keys
// that answer every question the program asks on that road.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>
#include <tuple>

#include "excel/registration.h"
#include "export_fixture.h"
#include "import/instrument_setup.h"
#include "import/registration.h"
#include "link/link_context.h"
#include "memory_fs.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/driver_check.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/settings.h"
#include "shell/startup.h"

namespace fs = std::filesystem;

namespace {

const std::string kEmptyMemory = "Empty or wrong memory";
const std::string kCurrentUnreadable =
    "Test 01 of object 01 (Current) could not be read from the instrument.";

std::string Prompt(const std::string& directory) {
    return "korvid:" + directory + "$ ";
}

// A listing line as the instrument prints it, dated in 2008.
std::string Entry(bool directory, const std::string& name) {
    return zr8812::format_listing_entry(directory, directory ? 0 : 50,
                                        zr8812::local_time(2008, 11, 5, 10, 0), name,
                                        zr8812::local_time(2026, 3, 31, 12, 0)) +
           "\r\n";
}

class HostileAnswers : public ExportFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        LoadExportPanels();
        // Object 01 holds a current test and an earth test.
        fs::remove_all(memory_dir());
        const std::time_t when = zr8812::local_time(2008, 11, 5, 10, 0);
        ASSERT_TRUE(zr8812::write_test(memory_dir(), 1, 1, 'a', zr8812::build_current({}), when));
        ASSERT_TRUE(zr8812::write_test(memory_dir(), 1, 2, 'e', zr8812::build_earth({}), when));
        RestartInstrument(DefaultOptions());
        ConnectInCommandMode();
        UseWorkbookFolder();
    }

    // File, Import/Export, then Export of all tests with erase after export
    // on: each save dialog gets a workbook name, each erase question a Yes.
    void ScanAndExportAll() {
        OpenExportOfAllTests();
        const int exportPanel = Fen_princ[PANEL_EXPORT];
        if (!PanelIsShown(exportPanel)) return;  // nothing to export
        SimulateCommit(exportPanel, EXPORT_RUN);
        SetCtrlVal(exportPanel, EXPORT_ERASE, 1);
        for (int i = 1; i <= 2; ++i)
            recorder().QueueAnswer("file", "", {VAL_NEW_FILE_SELECTED, out_ + "/t" + std::to_string(i) + ".xlsx"});
        SimulateCommit(exportPanel, EXPORT_EXPORT);
    }
    static bool PanelIsShown(int panel) {
        int visible = 0;
        GetPanelAttribute(panel, ATTR_VISIBLE, visible);
        return visible != 0;
    }

    std::vector<std::string> Workbooks() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(out_)) names.push_back(e.path().filename());
        return names;
    }
    bool OnInstrument(const std::string& name) const {
        return fs::exists(memory_dir() + "/01/" + name);
    }
    std::string Messages() const {
        std::string all;
        for (const auto& p : popups()) all += "[" + p.title + "] " + p.message + "\n";
        return all;
    }
    bool Told(const std::string& text) const {
        for (const auto& p : popups())
            if (p.message.find(text) != std::string::npos) return true;
        return false;
    }
    // Every path the program sent lies in /etc/mem/ and names an object, or a
    // test of an object, by its two-digit numbers.
    void ExpectOnlyPathsOfTheMemory() {
        const std::regex command(R"((?:cd|ls -l|od -hxv|rm) ?(\S*))");
        const std::regex allowed(R"(|/|/etc/mem/|/etc/mem/\d\d/|/etc/mem/\d\d/\d\d\.[acekmlrpv])");
        std::istringstream wire(Wire());
        for (std::string line; std::getline(wire, line);) {
            std::erase_if(line, [](char c) { return c == '\r' || c == '\0'; });
            std::smatch m;
            if (std::regex_match(line, m, command)) {
                EXPECT_TRUE(std::regex_match(m[1].str(), allowed)) << line;
            }
        }
    }

};

// One forged answer: to the download of the current test ("od"), or to the
// listing of /etc/mem/ or of object 01 ("ls -l").
struct Hostile {
    std::string what;
    std::string command;
    std::string directory;
    std::string answer;
    std::string message;  // what the person is told
};

void PrintTo(const Hostile& h, std::ostream* os) {
    *os << h.what;
}

// The dump of the current test as the instrument prints it, line by line.
std::vector<std::string> CurrentDumpLines() {
    const std::vector<uint8_t> bytes = zr8812::build_current({});
    std::vector<std::string> lines;
    std::istringstream in(zr8812::format_dump(std::string(bytes.begin(), bytes.end())));
    for (std::string line; std::getline(in, line);) lines.push_back(line + "\n");
    return lines;
}

Hostile Dump(const std::string& what, const std::vector<std::string>& lines) {
    std::string answer = "od -hxv /etc/mem/01/01.a\r\n";
    for (const std::string& line : lines) answer += line;
    return {what, "od -hxv /etc/mem/01/01.a", "", answer + Prompt("/etc/mem/01"),
            kCurrentUnreadable};
}

std::vector<Hostile> Dumps() {
    const std::vector<std::string> lines = CurrentDumpLines();  // 4 of data, the final offset
    std::vector<std::string> repeated = lines;
    repeated.insert(repeated.begin() + 2, lines[1]);
    std::vector<std::string> backwards = lines;
    std::swap(backwards[1], backwards[2]);
    std::vector<std::string> prompt_amid = lines;
    prompt_amid.insert(prompt_amid.begin() + 2, Prompt("/etc/mem/01") + "\r\n");
    return {Dump("dump_line_repeated", repeated), Dump("dump_lines_backwards", backwards),
            Dump("dump_prompt_amid_data", prompt_amid),
            Dump("dump_60KB_without_line_end", {std::string(60000, '7')})};
}

Hostile Objects(const std::string& what, const std::string& lines) {
    return {what, "ls -l", "/etc/mem", "ls -l\r\n" + lines, kEmptyMemory};
}

std::vector<Hostile> DirectoryListings() {
    const std::string prompt = Prompt("/etc/mem");
    std::string hundred_and_twenty;
    for (int i = 0; i < 120; ++i) hundred_and_twenty += Entry(true, std::to_string(10 + i % 90));
    return {
        Objects("objects_climbing_out",
                Entry(true, "../../../bin") + Entry(true, "..") + "total 2\r\n" + prompt),
        Objects("objects_with_control_characters",
                Entry(true, "\x1b[2J\x07") + Entry(true, "\r\r\t") + "total 2\r\n" + prompt),
        Objects("objects_counted_999", Entry(true, "01") + "total 999\r\n" + prompt),
        Objects("objects_120", hundred_and_twenty + "total 120\r\n" + prompt),
        Objects("objects_60KB_without_line_end", std::string(60000, 'd')),
        Objects("objects_prompt_amid_data",
                Entry(true, "01") + prompt + Entry(true, "02") + "total 2\r\n" + prompt),
    };
}

Hostile Tests(const std::string& what, const std::string& lines, const std::string& message) {
    return {what, "ls -l", "/etc/mem/01", "ls -l\r\n" + lines + Prompt("/etc/mem/01"), message};
}

std::vector<Hostile> TestListings() {
    // Names that climb out of the object or hold control characters are no
    // test names: left out, and the person told.
    return {
        Tests("tests_climbing_out",
              Entry(false, "../../../../bin/05.l") + Entry(false, "../01.a/../../x") +
                  "total 2\r\n",
              kEmptyMemory),
        Tests("tests_with_control_characters",
              Entry(false, "\x1b[1m0\x07" "5.l") + Entry(false, "01.a\x7f\t\r.e") +
                  "total 2\r\n",
              kEmptyMemory),
        Tests("tests_counted_150", Entry(false, "01.a") + Entry(false, "02.e") + "total 150\r\n",
              kEmptyMemory),
        Tests("tests_prompt_amid_data",
              Entry(false, "01.a") + Prompt("/etc/mem/01") + Entry(false, "02.e") + "total 2\r\n",
              kEmptyMemory),
        Tests("tests_60KB_without_line_end", Entry(false, "01.a") + std::string(60000, '-'),
              kEmptyMemory),
    };
}

class HostileAnswer : public HostileAnswers, public ::testing::WithParamInterface<Hostile> {};

TEST_P(HostileAnswer, IsToldAndNothingIsWrittenOrErasedFromIt) {
    const Hostile& h = GetParam();
    instrument().forge_answer(h.command, h.answer, 0, h.directory);
    ScanAndExportAll();
    EXPECT_TRUE(Told(h.message)) << Messages();
    EXPECT_TRUE(OnInstrument("01.a"));
    const std::string wire = Wire();
    EXPECT_EQ(wire.find("rm /etc/mem/01/01.a"), std::string::npos);
    if (h.command == "od -hxv /etc/mem/01/01.a") {
        // The earth test goes on as usual: saved, then erased.
        EXPECT_EQ(Workbooks(), std::vector<std::string>{"t1.xlsx"});
        EXPECT_FALSE(OnInstrument("02.e"));
    } else {
        EXPECT_TRUE(Workbooks().empty());
        EXPECT_TRUE(OnInstrument("02.e"));
        EXPECT_EQ(wire.find("rm "), std::string::npos);
    }
    ExpectOnlyPathsOfTheMemory();
}

std::string CaseName(const ::testing::TestParamInfo<Hostile>& info) {
    return info.param.what;
}

INSTANTIATE_TEST_SUITE_P(Dumps, HostileAnswer, ::testing::ValuesIn(Dumps()), CaseName);
INSTANTIATE_TEST_SUITE_P(DirectoryListings, HostileAnswer,
                         ::testing::ValuesIn(DirectoryListings()), CaseName);
INSTANTIATE_TEST_SUITE_P(TestListings, HostileAnswer, ::testing::ValuesIn(TestListings()),
                         CaseName);

// Enter gives "Yes" and Escape "No" at every question the program asks: an
// Escape that said yes would overwrite a workbook or erase a test.
TEST_F(HostileAnswers, EveryQuestionGivesYesToEnterAndNoToEscape) {
    const auto no = [this] { recorder().QueueButton(VAL_GENERIC_POPUP_BTN2); };
    const std::tuple<std::string, const MessageTable&, std::function<void()>> questions[] = {
        {"", confir3, [&] {  // an empty listing, then an older workbook and the erasure
             instrument().forge_answer("ls -l", "ls -l\r\n", 1, "/etc/mem/01");
             WriteProgramFile("workbooks/t1.xlsx", "an older workbook");
             ScanAndExportAll();
         }},
        {titre_feuille[1], messag_ecras, nullptr},
        {titre_fiche[1], effac_appareil, nullptr},
        {effac_appareil[1], etreSur, nullptr},
        {quitter[1], confir1, [] { FirstInstall = 1; Gestion_OS_CP210(); }},  // the first start
        {quitter[1], confir1, [&] { no(); Sortir(0, 0, EVENT_COMMIT, nullptr, 0, 0); }},
        {"", Numport, [&] {
             no();
             ProgramLink().link_flag = 0;
             Gestion_parametre(menu, ITEM_COMMUNICATION, nullptr, Fen_princ[PANEL_MAIN]);
         }},
    };
    for (const auto& [title, text, ask] : questions) {
        SCOPED_TRACE(text[1]);
        if (ask) {
            recorder().Clear();
            ask();
        }
        const auto asked = std::find_if(popups().begin(), popups().end(), [&](const auto& p) {
            return p.title == title && p.message == text[1];
        });
        ASSERT_NE(asked, popups().end()) << Messages();
        EXPECT_EQ(std::tuple(asked->buttons[0], asked->buttons[1], asked->buttons[2],
                             asked->enterButton, asked->escapeButton),
                  std::tuple("Yes", "No", "", 1, 2));
    }
}

}  // namespace
