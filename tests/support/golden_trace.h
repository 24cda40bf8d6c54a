// Golden traces: a scripted run of the program written out as text (what went
// over the wire, the popups and their answers, every file written, the panels'
// texts) and compared with its copy checked in under tests/golden/traces/, so
// that a change meant to keep the behaviour shows that it did. Only what
// depends on today's clock or on the temporary folder is replaced by a
// placeholder; every other byte counts.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "emulator.h"
#include "platform/ui/ui.h"

class TraceWriter {
   public:
    // `folder` (the temporary program folder) becomes <DIR>; today's date,
    // with a time of day after it, becomes <TODAY> <TIME> for the days between
    // `started` and now.
    TraceWriter(std::string folder, std::time_t started);

    void Section(const std::string& title);
    void Line(const std::string& text);
    // What the program sent, one message a line ("> "), then what the
    // instrument sent, one line a line ("< ").
    void Wire(const std::vector<zr8812::WireEvent>& events);
    void Popup(const PopupRecord& popup, const PopupAnswer& answer);
    // A workbook: each part's name and a hash of its bytes (clock and folder
    // normalised), then every cell of every sheet. Another file: its text.
    void File(const std::string& name, const std::string& bytes);

    std::string Normalise(std::string text) const;
    const std::string& text() const { return text_; }

   private:
    void Workbook(const std::string& bytes);

    std::string folder_;
    std::vector<std::string> days_;  // "YYYY-MM-DD" of every day of the run
    std::string text_;
};

// Compares `trace` with tests/golden/traces/<name>.trace, printing a unified
// diff of the first lines that differ; with BRISKEL_RECORD_GOLDEN=1 in the
// environment it writes the file instead.
void ExpectGoldenTrace(const std::string& name, const std::string& trace);
