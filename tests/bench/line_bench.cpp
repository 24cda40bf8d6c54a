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

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/program_bench.h"
#include "emulator.h"
#include "platform/ui/ui.h"
#include "records.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCom = 7;

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

// Bytes on the line, counted as the instrument sees them. Its wire log is
// emptied as it goes: at the paced rate it holds one entry per byte or two,
// which would show in the peak memory of this process as if the program used it.
std::atomic<std::size_t> bytesIn{0}, bytesOut{0}, events{0};

void CountWire(zr8812::Emulator& instrument, const zr8812::WireEvent& event) {
    (event.incoming ? bytesIn : bytesOut) += event.bytes.size();
    if (++events % 1024 == 0) instrument.clear_log();
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InitUserInterface(argc, argv);
    const BenchSwitches switches = TakeBenchSwitches(argc, argv);
    const std::string memoryName = argc > 1 ? argv[1] : "sample";
    const int objects = argc > 2 ? std::atoi(argv[2]) : 20;
    const int testsPerObject = argc > 3 ? std::atoi(argv[3]) : 50;

    const std::string programDir = MakeBenchProgramFolder(BRISKEL_PROGRAM_DIR);
    const std::string memory = programDir + "/instrument-memory";
    const std::time_t now = std::time(nullptr);
    int expected = 0;
    if (memoryName == "large") {
        expected = MakeLargeMemory(memory, objects, testsPerObject, now);
    } else {
        zr8812::make_sample_memory(memory, now);
        for (const auto& t : zr8812::sample_tests(now)) expected += t.supported() ? 1 : 0;
    }

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

    const std::string label = std::string(memoryName == "large" ? "large" : "sample") +
                              (switches.erase ? "+rm" : "") + (switches.summary ? "+sum" : "");
    const BenchSystem system{[] { return WireCount{bytesIn, bytesOut}; }, PeakMegabytes};
    const int written = RunProgramBench(label, programDir, kCom, switches, system);
    std::fprintf(stderr, "%s memory: %d workbooks written of %d supported tests\n", label.c_str(),
                 written, expected);
    if (switches.erase) {
        int left = 0;
        for (const auto& entry : fs::recursive_directory_iterator(memory))
            if (entry.is_regular_file()) ++left;
        std::fprintf(stderr, "%s memory: %d test files left on the instrument\n", label.c_str(),
                     left);
    }

    instrument.stop();
    instrument.unregister_com();
    std::error_code ec;
    fs::current_path(fs::temp_directory_path(), ec);
    fs::remove_all(programDir, ec);
    return written == expected ? 0 : 1;
}
