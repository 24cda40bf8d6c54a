#include "unit/faults/fault_fixture.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "excel/registration.h"
#include "export/registration.h"
#include "import/export_journal.h"
#include "import/registration.h"
#include "link/link_context.h"
#include "platform/serial/serial.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "shell/settings.h"
#include "store/store.h"

namespace fs = std::filesystem;

namespace {
const char* const kLog = "ZR881x_9025.log";
}

void FaultTest::SetUp() {
    InstrumentFixture::SetUp();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    LoadMainPanel();
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    ptLog = CVI_OpenFile(ProgramPath(kLog), VAL_READ_WRITE, VAL_TRUNCATE);
    ASSERT_GT(ptLog, 0);
    Charge_config();
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 1);
    langue = 1;
    out_ = program_dir() + "/workbooks";
    fs::create_directory(out_);
    Excel.base_name = "Briskel";
    Excel.working_folder = out_;
}

void FaultTest::TearDown() {
    if (ptLog > 0) CVI_CloseFile(ptLog);
    ptLog = 0;
    InstrumentFixture::TearDown();
}

void FaultTest::Scan() {
    SimulateMenuItem(menu, ITEM_IMPORT);
}

void FaultTest::Export(int erase, bool summary) {
    const int import = Fen_princ[PANEL_IMPORT], exportPanel = Fen_princ[PANEL_EXPORT];
    SetCtrlVal(import, IMPORT_ALL_DATES, 1);
    SimulateCommit(import, IMPORT_EXPORT);
    SetCtrlVal(exportPanel, EXPORT_FOLDER, out_);
    SetCtrlVal(exportPanel, EXPORT_ERASE, erase);
    SetCtrlVal(exportPanel, EXPORT_SUMMARY, summary ? 1 : 0);
    SimulateCommit(exportPanel, EXPORT_RUN);
    ASSERT_EQ(Excel.started, 1) << "the export panel did not launch";
    for (int i = 1; i <= 30; ++i) {
        recorder().QueueAnswer(
            "file", "", {VAL_NEW_FILE_SELECTED, out_ + "/test" + std::to_string(i) + ".xlsx"});
    }
    SimulateCommit(exportPanel, EXPORT_EXPORT);
}

double FaultTest::Seconds(const std::function<void()>& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::set<std::string> FaultTest::MemoryFiles() const {
    std::set<std::string> files;
    for (const auto& object : fs::directory_iterator(memory_dir())) {
        if (!object.is_directory()) continue;
        for (const auto& test : fs::directory_iterator(object.path()))
            files.insert(object.path().filename().string() + "/" + test.path().filename().string());
    }
    return files;
}

std::set<std::string> FaultTest::SavedTests() const {
    std::set<std::string> tests;
    for (const auto& entry : fs::directory_iterator(out_)) {
        const std::string name = entry.path().filename().string();
        if (name.find("_summary_") != std::string::npos) continue;
        EXPECT_EQ(entry.path().extension(), ".xlsx") << "left behind: " << name;
        WorkbookPackage workbook;
        EXPECT_EQ(workbook.Open(entry.path().string()), 0) << name << " is no whole workbook";
        const std::string object = workbook.CellText(2, 2), test = workbook.CellText(2, 3);
        EXPECT_FALSE(workbook.CellText(2, 4).empty()) << name << " lacks its values";
        tests.insert(object.substr(0, 2) + "/" + test.substr(0, 2));
    }
    return tests;
}

std::map<std::string, std::string> FaultTest::SummaryOutcomes() const {
    std::vector<fs::path> summaries;
    for (const auto& entry : fs::directory_iterator(out_))
        if (entry.path().filename().string().find("_summary_") != std::string::npos)
            summaries.push_back(entry.path());
    EXPECT_EQ(summaries.size(), 1u);
    std::map<std::string, std::string> outcomes;
    WorkbookPackage summary;
    if (summaries.size() != 1 || summary.Open(summaries[0].string()) != 0) return outcomes;
    for (int row = 2; !summary.CellText(0, row, 1).empty(); ++row)
        outcomes[summary.CellText(0, row, 1) + "/" + summary.CellText(0, row, 3)] =
            summary.CellText(0, row, 7);
    return outcomes;
}

// On the instrument's thread: the program waits for the answer to an "rm"
// while this looks at the disk, so what it sees is what the program had
// written before it asked for the erasure.
void FaultTest::OnWire(const zr8812::WireEvent& event) {
    if (!event.incoming) return;
    std::lock_guard lock(erase_moments_mutex_);
    for (const char c : event.bytes) {
        if (c != '\r' && c != '\n') {
            incoming_line_ += c;
            continue;
        }
        // The NUL that follows each frame the program sends starts the next line here.
        const std::size_t rm = incoming_line_.find("rm /etc/mem/");
        EraseMoment moment;
        if (rm != std::string::npos &&
            std::sscanf(incoming_line_.c_str() + rm, "rm /etc/mem/%2d/%2d.", &moment.object,
                        &moment.test) == 2) {
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(out_, ec))
                moment.workbooks.insert(entry.path().filename().string());
            std::ifstream journal(JournalPath(), std::ios::binary);
            std::ostringstream bytes;
            bytes << journal.rdbuf();
            moment.journal = bytes.str();
            erase_moments_.push_back(moment);
        }
        incoming_line_.clear();
    }
}

void FaultTest::ExpectNothingErasedUnsaved(const std::set<std::string>& before) const {
    const std::set<std::string> after = MemoryFiles(), saved = SavedTests();
    for (const std::string& file : before) {
        if (after.count(file) == 0) {
            EXPECT_EQ(saved.count(file.substr(0, 5)), 1u) << file << " erased without a workbook";
        }
    }
    std::lock_guard lock(erase_moments_mutex_);
    const std::string copy = ProgramPath("journal-at-rm.txt");
    for (const EraseMoment& moment : erase_moments_) {
        std::ofstream(copy, std::ios::binary | std::ios::trunc) << moment.journal;
        const JournalReading journal = ReadJournal(copy);
        const JournalEntry* line = nullptr;
        for (const JournalEntry& entry : journal.entries)
            if (entry.object == moment.object && entry.test == moment.test) line = &entry;
        ASSERT_NE(line, nullptr) << "rm of " << moment.object << "/" << moment.test
                                 << " before its journal line";
        EXPECT_EQ(moment.workbooks.count(fs::path(line->workbook).filename().string()), 1u)
            << "rm of " << moment.object << "/" << moment.test << " before " << line->workbook
            << " was on disk";
    }
}

std::string FaultTest::Log() {
    CVI_CloseFile(ptLog);
    const std::string text = ReadProgramFile(kLog);
    ptLog = CVI_OpenFile(ProgramPath(kLog), VAL_READ_WRITE, VAL_APPEND);
    return text;
}

void FaultTest::ExpectSettingsAndLogWhole(const std::string& logged) {
    const std::string log = Log();
    EXPECT_TRUE(log.empty() || (log.size() >= 2 && log.substr(log.size() - 2) == "\r\n"))
        << "the log ends in the middle of a line";
    if (!logged.empty()) {
        EXPECT_NE(log.find(logged), std::string::npos) << log;
    }
    const int port = ProgramLink().serial_port;
    const int erase = Excel.erase_after_export;
    Fin_prog();
    SetWaitCursor(0);
    const std::string ini = ReadProgramFile("Briskel.ini");
    int lines = 0;
    for (std::size_t at = ini.find("\r\n"); at != std::string::npos; at = ini.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 13) << ini;
    ProgramLink().serial_port = 1;
    Excel.erase_after_export = 1 - erase;
    Charge_config();
    EXPECT_EQ(ProgramLink().serial_port, port);
    EXPECT_EQ(Excel.erase_after_export, erase);
}

void FaultTest::ExpectReconnectsThroughSetup() {
    if (!instrument().plugged()) {
        ASSERT_TRUE(instrument().plug_back());
    }
    instrument().set_fault(zr8812::Fault::None);
    recorder().Clear();
    recorder().QueueAnswer("generic", "", {VAL_GENERIC_POPUP_BTN1, ""});  // Yes, I know the port
    SimulateMenuItem(menu, ITEM_COMMUNICATION);
    if (ProgramLink().link_flag == 0) {
        ASSERT_TRUE(IsPanelValid(Fen_princ[PANEL_COM]));
        SetCtrlVal(Fen_princ[PANEL_COM], COM_NUMBER, kInstrumentCom);
        SimulateCommit(Fen_princ[PANEL_COM], COM_OK);
    } else if (IsPanelValid(Fen_princ[PANEL_COM])) {
        SimulateCommit(Fen_princ[PANEL_COM], COM_OK);
    }
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_FALSE(ComPortLost(kInstrumentCom));
    EXPECT_EQ(CountTitled("Communication"), 1) << "Communication OK";
    recorder().Clear();
    Scan();
    int tests = 0;
    ForEachObject([&](int o) { ForEachTest(o, [&](int) { ++tests; }); });
    EXPECT_EQ(tests, static_cast<int>(MemoryFiles().size()));
}

int FaultTest::CountTitled(const std::string& title) const {
    int n = 0;
    for (const PopupRecord& p : popups()) n += p.title == title;
    return n;
}

bool FaultTest::Shown(const std::string& title, const std::string& part) const {
    for (const PopupRecord& p : popups())
        if (p.title == title && p.message.find(part) != std::string::npos) return true;
    return false;
}

void FaultTest::Report(const std::string& step, const std::string& fault, double seconds,
                       const std::set<std::string>& memoryBefore) {
    std::string boxes;
    for (const PopupRecord& p : popups())
        if (p.kind == "message") boxes += "[" + p.title + ": " + p.message.substr(0, 60) + "] ";
    const std::set<std::string> after = MemoryFiles();
    std::size_t erased = 0;
    for (const auto& f : memoryBefore) erased += after.count(f) == 0;
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(out_)) ++files;
    std::cout << "FAULT-TABLE | " << step << " | " << fault << " | " << seconds << " s ("
              << seconds / TimeScale() << " s at full scale) | workbooks " << files << " | erased "
              << erased << " | " << boxes << "\n";
}
