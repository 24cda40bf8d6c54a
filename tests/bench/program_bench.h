// The benchmark's run of the program, the same on both systems: the program
// set up in a folder of its own, then its connection set-up, memory scan and
// export of every test, each phase timed and printed as one row of the
// table. What differs per system (where the emulated instrument runs, how its
// bytes are counted, how the peak memory is read) comes in `BenchSystem`.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

struct BenchSwitches {
    bool erase = false;    // "Erase after export" ticked, Yes to both questions
    bool summary = false;  // "Summary workbook" ticked
};

// Takes the leading --erase and --summary from the arguments.
BenchSwitches TakeBenchSwitches(int& argc, char**& argv);

struct WireCount {
    std::size_t to_instrument = 0, from_instrument = 0;
};

struct BenchSystem {
    std::function<WireCount()> wire;  // bytes on the line so far
    std::function<double()> peak_mb;  // largest resident size of the process so far
};

// A fresh program folder below the system's temporary folder, holding the
// program's resources (from `resources`) and an empty "workbooks" folder.
std::string MakeBenchProgramFolder(const std::string& resources);

// Runs the three phases against the instrument on COM `com` (already
// listening), the program living in `programDir` and saving into
// `programDir`/workbooks, and prints a row per phase and the total under
// `label`. Returns the number of test workbooks written.
int RunProgramBench(const std::string& label, const std::string& programDir, int com,
                    const BenchSwitches& switches, const BenchSystem& system);
