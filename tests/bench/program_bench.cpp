#include "program_bench.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <vector>

#include "excel/registration.h"
#include "excel/summary_workbook.h"
#include "export/registration.h"
#include "export/summary_content.h"
#include "import/instrument_setup.h"
#include "import/registration.h"
#include "link/registration.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "shell/startup.h"

namespace fs = std::filesystem;

namespace {

constexpr double kLineBytesPerSecond = 960.0;

void CopyResources(const fs::path& from, const fs::path& to) {
    for (const auto& entry : fs::directory_iterator(from)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("briskel-view", 0) == 0 || name.rfind("zr8812-emulator", 0) == 0 ||
            name == "Briskel.ini" || name == "ZR881x_9025.log" || name == "dosdevices" ||
            entry.path().extension() == ".xlsx")
            continue;
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory()) {
            fs::create_directories(target);
            CopyResources(entry.path(), target);
        } else if (entry.is_regular_file()) {
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
        }
    }
}

struct Phase {
    std::string name;
    double wall = 0;
    WireCount bytes;
    double peak_mb = 0;
};

template <typename Work>
Phase Measure(const std::string& name, const BenchSystem& system, Work work) {
    const WireCount before = system.wire();
    const auto start = std::chrono::steady_clock::now();
    work();
    Phase p;
    p.name = name;
    p.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const WireCount after = system.wire();
    p.bytes.to_instrument = after.to_instrument - before.to_instrument;
    p.bytes.from_instrument = after.from_instrument - before.from_instrument;
    p.peak_mb = system.peak_mb();
    return p;
}

void PrintRow(const std::string& memory, const Phase& p) {
    const double line = static_cast<double>(p.bytes.from_instrument) / kLineBytesPerSecond;
    std::printf("| %-9s | %-7s | %8.1f | %7zu | %8zu | %7.1f | %6.2f | %7.1f |\n", memory.c_str(),
                p.name.c_str(), p.wall, p.bytes.to_instrument, p.bytes.from_instrument, line,
                line > 0 ? p.wall / line : 0.0, p.peak_mb);
    std::fflush(stdout);
}

bool IsSummary(const fs::path& path) {
    return path.filename().string().find("_summary_") != std::string::npos;
}

int CountWorkbooks(const fs::path& dir) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".xlsx" && !IsSummary(entry.path())) ++n;
    return n;
}

// The summary's size, and the time its writing takes: it is written once
// more from the same export (as "... (2).xlsx"), timed alone.
void PrintSummary(const std::string& label, const fs::path& dir) {
    std::uintmax_t size = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        if (IsSummary(entry.path())) size = entry.file_size();
    const auto start = std::chrono::steady_clock::now();
    const std::string again = WriteSummaryWorkbook(ProgramSpreadsheet(), SummaryOfExport());
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "%s memory: summary workbook of %ju bytes; writing it takes %.3f s%s\n",
                 label.c_str(), size, seconds, again.empty() ? " (the second one FAILED)" : "");
}

// The program as it stands after start-up, living in `programDir`; every
// question answered at once by a person who takes the first button and the
// proposed name in every save dialog.
void SetUpProgram(const std::string& programDir, const std::string& workbooks, int com,
                  bool erase) {
    SetProjectDirForTesting(programDir);
    ResetUserInterfaceForTesting();
    ResetShellForTesting();
    ResetLinkStateForTesting();
    ResetImportStateForTesting();
    ResetExcelStateForTesting();
    ResetExportStateForTesting();
    RegisterLinkSubsystem();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    SetPopupResponder([workbooks](const PopupRecord& record) -> PopupAnswer {
        if (record.kind == "file")
            return {VAL_NEW_FILE_SELECTED, workbooks + PathSeparator() + record.defaultFileName +
                                               ".xlsx"};
        if (record.kind == "dir") return {VAL_DIRECTORY_SELECTED, workbooks};
        if (std::getenv("BRISKEL_BENCH_POPUPS") != nullptr)
            std::fprintf(stderr, "popup: %s: %s\n", record.title.c_str(), record.message.c_str());
        return {1, ""};
    });
    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    langue = 1;
    Excel.base_name = "Briskel";
    Excel.working_folder = workbooks;
    Excel.erase_after_export = erase ? 1 : 0;  // the responder answers Yes to both questions
    ProgramLink().serial_port = com;
}

}  // namespace

BenchSwitches TakeBenchSwitches(int& argc, char**& argv) {
    BenchSwitches switches;
    for (; argc > 1 && std::string(argv[1]).rfind("--", 0) == 0; --argc, ++argv) {
        switches.erase = switches.erase || std::string(argv[1]) == "--erase";
        switches.summary = switches.summary || std::string(argv[1]) == "--summary";
    }
    return switches;
}

std::string MakeBenchProgramFolder(const std::string& resources) {
    std::random_device random;
    fs::path folder;
    do {
        folder = fs::temp_directory_path() / ("briskel-bench-" + std::to_string(random()));
    } while (!fs::create_directory(folder));
    CopyResources(resources, folder);
    fs::create_directories(folder / "workbooks");
    return folder.string();
}

int RunProgramBench(const std::string& label, const std::string& programDir, int com,
                    const BenchSwitches& switches, const BenchSystem& system) {
    const fs::path workbooks = fs::path(programDir) / "workbooks";
    SetUpProgram(programDir, workbooks.string(), com, switches.erase);
    const bool summary = switches.summary;
    std::vector<Phase> phases;
    phases.push_back(Measure("set-up", system, [] { Open_dev(ProgramLink(), 0); }));
    phases.push_back(Measure("scan", system, [] { SimulateMenuItem(menu, ITEM_IMPORT); }));
    phases.push_back(Measure("export", system, [summary] {
        const int import = Fen_princ[PANEL_IMPORT], exportPanel = Fen_princ[PANEL_EXPORT];
        SetCtrlVal(import, IMPORT_ALL_DATES, 1);
        SimulateCommit(import, IMPORT_EXPORT);
        SetCtrlVal(exportPanel, EXPORT_SUMMARY, summary ? 1 : 0);
        SimulateCommit(exportPanel, EXPORT_RUN);
        SimulateCommit(exportPanel, EXPORT_EXPORT);
    }));
    Phase total;
    total.name = "total";
    for (const auto& p : phases) {
        PrintRow(label, p);
        total.wall += p.wall;
        total.bytes.to_instrument += p.bytes.to_instrument;
        total.bytes.from_instrument += p.bytes.from_instrument;
        total.peak_mb = p.peak_mb;
    }
    PrintRow(label, total);
    if (summary) PrintSummary(label, workbooks);
    SetPopupResponder(nullptr);
    return CountWorkbooks(workbooks);
}
