// The benchmark behind scripts/bench: the program's set-up, memory scan and
// export, headless, against the emulated instrument paced at the real line
// rate (960 bytes/s), every popup answered at once (the save dialogs with the
// proposed name). For each phase it prints the wall time, the bytes each way,
// the time the instrument's answers need on the line, their ratio and the peak
// memory of the process so far.
//
//   briskel_bench sample            the sample memory
//   briskel_bench large [O T]       O objects of T tests (default 20 of 50),
//                                   each a copy of a supported sample test
//   briskel_bench --erase ...       the same with "Erase after export" ticked,
//                                   both questions answered Yes, so the export
//                                   phase shows what the erasing costs
//   briskel_bench --summary ...     the same with "Summary workbook" ticked; the
//                                   summary's size and the time its writing
//                                   took are printed after the table
#include <sys/resource.h>

#include <QApplication>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "emulator.h"
#include "excel/registration.h"
#include "excel/summary_workbook.h"
#include "import/registration.h"
#include "link/connection.h"
#include "link/registration.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "shell/startup.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCom = 7;
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

// The large memory: every object holds `tests` copies of the supported sample
// tests in turn, dated within the last weeks.
int MakeLargeMemory(const std::string& dir, int objects, int tests, std::time_t now) {
    std::vector<zr8812::SampleTest> supported;
    for (const auto& t : zr8812::sample_tests(now))
        if (t.supported()) supported.push_back(t);
    int written = 0;
    for (int o = 1; o <= objects; ++o) {
        zr8812::write_object(dir, o, now - 3600);
        for (int t = 1; t <= tests; ++t) {
            const auto& s = supported[static_cast<std::size_t>(written) % supported.size()];
            if (zr8812::write_test(dir, o, t, s.kind_letter, s.bytes, now - 7200 - 60 * t))
                ++written;
        }
    }
    return written;
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

struct Phase {
    std::string name;
    double wall = 0;
    std::size_t to_instrument = 0, from_instrument = 0;
    double peak_mb = 0;
};

// Bytes on the line, counted as the instrument sees them. Its wire log is
// emptied as it goes: at the paced rate it holds one entry per byte or two,
// which would show in the peak memory of this process as if the program used it.
std::atomic<std::size_t> bytesIn{0}, bytesOut{0}, events{0};

void CountWire(zr8812::Emulator& instrument, const zr8812::WireEvent& event) {
    (event.incoming ? bytesIn : bytesOut) += event.bytes.size();
    if (++events % 1024 == 0) instrument.clear_log();
}

template <typename Work>
Phase Measure(const std::string& name, Work work) {
    const std::size_t in = bytesIn, out = bytesOut;
    const auto start = std::chrono::steady_clock::now();
    work();
    Phase p;
    p.name = name;
    p.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    p.to_instrument = bytesIn - in;
    p.from_instrument = bytesOut - out;
    p.peak_mb = PeakMegabytes();
    return p;
}

void PrintRow(const std::string& memory, const Phase& p) {
    const double line = static_cast<double>(p.from_instrument) / kLineBytesPerSecond;
    std::printf("| %-9s | %-7s | %8.1f | %7zu | %8zu | %7.1f | %6.2f | %7.1f |\n", memory.c_str(),
                p.name.c_str(), p.wall, p.to_instrument, p.from_instrument, line,
                line > 0 ? p.wall / line : 0.0, p.peak_mb);
    std::fflush(stdout);
}

bool IsSummary(const fs::path& path) {
    return path.filename().string().find("_summary_") != std::string::npos;
}

int CountWorkbooks(const std::string& dir) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().extension() == ".xlsx" && !IsSummary(entry.path())) ++n;
    return n;
}

// The summary's size, and the time its writing takes: it is written once
// more from the same export (as "... (2).xlsx"), timed alone.
void PrintSummary(const std::string& label, const std::string& dir) {
    std::uintmax_t size = 0;
    for (const auto& entry : fs::directory_iterator(dir))
        if (IsSummary(entry.path())) size = entry.file_size();
    const auto start = std::chrono::steady_clock::now();
    const std::string again = WriteSummaryWorkbook();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "%s memory: summary workbook of %ju bytes; writing it takes %.3f s%s\n",
                 label.c_str(), size, seconds, again.empty() ? " (the second one FAILED)" : "");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool erase = false, summary = false;
    for (; argc > 1 && std::string(argv[1]).rfind("--", 0) == 0; --argc, ++argv) {
        erase = erase || std::string(argv[1]) == "--erase";
        summary = summary || std::string(argv[1]) == "--summary";
    }
    const std::string memoryName = argc > 1 ? argv[1] : "sample";
    const int objects = argc > 2 ? std::atoi(argv[2]) : 20;
    const int testsPerObject = argc > 3 ? std::atoi(argv[3]) : 50;

    std::string pattern = (fs::temp_directory_path() / "briskel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 2;
    const std::string programDir = pattern;
    const std::string memory = programDir + "/instrument-memory";
    const std::string workbooks = programDir + "/workbooks";
    CopyResources(BRISKEL_PROGRAM_DIR, programDir);
    fs::create_directories(workbooks);

    const std::time_t now = std::time(nullptr);
    int expected = 0;
    if (memoryName == "large") {
        expected = MakeLargeMemory(memory, objects, testsPerObject, now);
    } else {
        zr8812::make_sample_memory(memory, now);
        for (const auto& t : zr8812::sample_tests(now)) expected += t.supported() ? 1 : 0;
    }

    SetProjectDirForTesting(programDir);
    ResetUserInterfaceForTesting();
    ResetShellForTesting();
    ResetLinkStateForTesting();
    ResetImportStateForTesting();
    ResetExcelStateForTesting();
    RegisterLinkSubsystem();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    // A person who answers every question at once: the first button, and the
    // proposed name in every save dialog.
    SetPopupResponder([&](const PopupRecord& record) -> PopupAnswer {
        if (record.kind == "file")
            return {VAL_NEW_FILE_SELECTED, workbooks + "/" + record.defaultFileName + ".xlsx"};
        if (record.kind == "dir") return {VAL_DIRECTORY_SELECTED, workbooks};
        if (std::getenv("BRISKEL_BENCH_POPUPS") != nullptr)
            std::fprintf(stderr, "popup: %s: %s\n", record.title.c_str(), record.message.c_str());
        return {1, ""};
    });

    zr8812::EmulatorOptions options;
    options.memory_dir = memory;
    options.paced = true;
    zr8812::Emulator* emulator = nullptr;
    options.monitor = [&emulator](const zr8812::WireEvent& event) {
        if (emulator != nullptr) CountWire(*emulator, event);
    };
    zr8812::Emulator instrument(options);
    emulator = &instrument;
    if (!instrument.start() || !instrument.register_com(programDir, kCom)) return 2;

    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    langue = 1;
    Excel.base_name = "Briskel";
    Excel.working_folder = workbooks;
    // The responder answers Yes to both erase questions.
    Excel.erase_after_export = erase ? 1 : 0;
    Mesure.serial_port = kCom;

    const std::string label = std::string(memoryName == "large" ? "large" : "sample") +
                              (erase ? "+rm" : "") + (summary ? "+sum" : "");
    std::vector<Phase> phases;
    phases.push_back(Measure("set-up", [] { Open_dev(0); }));
    phases.push_back(Measure("scan", [] { SimulateMenuItem(menu, ITEM_IMPORT); }));
    phases.push_back(Measure("export", [summary] {
        const int import = Fen_princ[PANEL_IMPORT], exportPanel = Fen_princ[PANEL_EXPORT];
        SetCtrlVal(import, IMPORT_ALL_DATES, 1);
        SimulateCommit(import, IMPORT_EXPORT);
        SetCtrlVal(exportPanel, EXPORT_SUMMARY, summary ? 1 : 0);
        SimulateCommit(exportPanel, EXPORT_RUN);
        SimulateCommit(exportPanel, EXPORT_EXPORT);
    }));
    Phase total{"total"};
    for (const auto& p : phases) {
        PrintRow(label, p);
        total.wall += p.wall;
        total.to_instrument += p.to_instrument;
        total.from_instrument += p.from_instrument;
        total.peak_mb = p.peak_mb;
    }
    PrintRow(label, total);
    const int written = CountWorkbooks(workbooks);
    std::fprintf(stderr, "%s memory: %d workbooks written of %d supported tests\n", label.c_str(),
                 written, expected);
    if (summary) PrintSummary(label, workbooks);
    if (erase) {
        int left = 0;
        for (const auto& entry : fs::recursive_directory_iterator(memory))
            if (entry.is_regular_file()) ++left;
        std::fprintf(stderr, "%s memory: %d test files left on the instrument\n", label.c_str(),
                     left);
    }

    SetPopupResponder(nullptr);
    instrument.stop();
    instrument.unregister_com();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(programDir, ec);
    return written == expected ? 0 : 1;
}
