// The benchmark behind scripts/bench-windows: the Windows program's set-up,
// memory scan and export of the sample memory under Wine, against the Linux
// emulator serving COM 7 at the real line rate, measured and printed as
// scripts/bench measures the Linux program (tests/bench/program_bench.h).
// The bytes on the line are counted by the program's serial layer.
//
//   windows_program_bench [--erase] [--summary]
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/program_bench.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"

namespace {

constexpr int kCom = 7;

double PeakMegabytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

WireCount Traffic() {
    const ComTraffic traffic = ComTrafficSoFar();
    return {traffic.sent, traffic.received};
}

}  // namespace

int main(int argc, char** argv) {
    InitUserInterface(argc, argv);
    const BenchSwitches switches = TakeBenchSwitches(argc, argv);
    const std::string programDir = MakeBenchProgramFolder(BRISKEL_PROGRAM_DIR);
    const std::string label = std::string("sample") + (switches.erase ? "+rm" : "") +
                              (switches.summary ? "+sum" : "");
    const int written =
        RunProgramBench(label, programDir, kCom, switches, BenchSystem{Traffic, PeakMegabytes});
    std::fprintf(stderr, "%s memory: %d workbooks written\n", label.c_str(), written);
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
    std::filesystem::remove_all(programDir, ec);
    return written > 0 ? 0 : 1;
}
