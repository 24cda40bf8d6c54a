// The fixture of the fault tests: the whole program (link, import, workbook
// export) over the emulated instrument, which a test tells to fail at one
// step; and the checks every fault must pass afterwards: nothing erased that
// no saved workbook holds, no half-written workbook, settings and log whole,
// and Setup > Communication reconnecting once the instrument is back.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "support/instrument_fixture.h"

class FaultTest : public InstrumentFixture {
   protected:
    void SetUp() override;
    void TearDown() override;

    // File, Import/Export.
    void Scan();
    // Export, Run, Export on the import and export panels, every test of the
    // memory, "Delete after export" as `erase`; each save dialog gets a new
    // name, each erase question Yes.
    void Export(int erase, bool summary = false);
    // Seconds `action` took (at the test time scale).
    static double Seconds(const std::function<void()>& action);

    // The instrument's test files ("01/05.e").
    std::set<std::string> MemoryFiles() const;
    // "01/05" of every workbook in the working folder; fails the test for any
    // other file there (a half-written or temporary one).
    std::set<std::string> SavedTests() const;
    // What the summary workbook in the workbook folder says happened to each
    // test ("02/03" → "Written"); empty without exactly one summary.
    std::map<std::string, std::string> SummaryOutcomes() const;
    // Every test gone from the instrument is in a saved workbook, and each
    // "rm" of a test reached the instrument only once its workbook was on
    // disk and the journal held its line.
    void ExpectNothingErasedUnsaved(const std::set<std::string>& before) const;
    // The settings file written at exit reads back whole; every log line is
    // complete; the log holds `logged` when it is not empty.
    void ExpectSettingsAndLogWhole(const std::string& logged = {});
    // The cable back in, then Setup > Communication (Yes, COM 7, OK): the
    // link is up again and a scan lists the whole memory.
    void ExpectReconnectsThroughSetup();

    int CountTitled(const std::string& title) const;
    bool Shown(const std::string& title, const std::string& part) const;
    std::string Log();
    std::string out_;  // the working folder
    // What was on disk as each "rm" of a test reached the instrument.
    struct EraseMoment {
        int object = 0, test = 0;
        std::set<std::string> workbooks;  // file names in the working folder
        std::string journal;              // the journal's bytes
    };
    void OnWire(const zr8812::WireEvent& event) override;
    mutable std::mutex erase_moments_mutex_;
    std::string incoming_line_;
    std::vector<EraseMoment> erase_moments_;
    // Prints one row of the closing table of faults.
    void Report(const std::string& step, const std::string& fault, double seconds,
                const std::set<std::string>& memoryBefore);
};
