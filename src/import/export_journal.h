// The export journal: one line per workbook saved, in the program folder, so
// that a later export can leave out the tests already exported and the test
// list can mark them. Each line names the instrument by its serial number, so
// several instruments share one journal without their tests being mixed up.
//
// A line (tab between the fields, CR LF at the end):
//   2026-12-07 11:54:38  0000123  O01  T03  Loop  2026-03-05 14:07  /path/Briskel_....xlsx
//   (when exported, serial number, object, test, kind, the test's date and time, workbook)
// followed, when the object had a name, by a tab and the name:
//   ...  /path/Briskel_0000123_O01_Rue Haute 12_T03_....xlsx  Rue Haute 12
// Lines written before names were kept end with the workbook and still read.
// The workbook is a ".xlsx" file: text after a tab that follows one is the name.
// A test listed with its year instead of a time has "time-unknown" for its
// time ("2008-11-05 time-unknown"); an instrument that did not tell its serial
// number has "serial-unknown" for it. Lines starting with "#" are comments.
// Anything else that does not read this way is skipped.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "store/file_tags.h"
#include "store/store.h"

extern const char* const JOURNAL_FILE;  // "Briskel_exports.txt"

struct JournalEntry {
    std::string exported_at;  // "YYYY-MM-DD HH:MM:SS"
    std::string serial;       // decimal digits, at least seven ("0000123"), or SERIAL_UNKNOWN_TEXT
    int object = 0, test = 0, kind = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;  // the test's date
    bool time_known = true;  // false: the listing showed no time, hour and minute are 0
    std::string workbook;
    std::string object_name;  // "" when the object had none
};

// The entry for test record `test` of the instrument `serial`, exported now
// into `workbook`, its object then named `object_name` ("" for none).
JournalEntry EntryFor(int32_t serial, const FicTest& test, const std::string& workbook,
                      const std::string& object_name = "");
std::string FormatJournalLine(const JournalEntry& entry);  // without line end
// False for a line that is not an entry (a comment, a damaged or foreign line).
bool ParseJournalLine(const std::string& line, JournalEntry& entry);

// The journal's path in the program folder.
std::string JournalPath();

struct JournalReading {
    std::vector<JournalEntry> entries;
    int unreadable_lines = 0;      // neither entries nor comments
    bool file_unreadable = false;  // exists but could not be read
};
JournalReading ReadJournal(const std::string& path);
// Appends one entry and waits until it is on the disk; a new journal starts
// with a comment line naming the fields. 0 on success, negative on failure.
int AppendToJournal(const std::string& path, const JournalEntry& entry);

// The tests of one instrument that a journal holds, by object, test, kind and
// date, and by the time where both the journal line and the listing have one:
// once a test is about six months old the listing shows its year instead of
// its time, and it is still the test that was exported. An instrument whose
// serial number is unknown holds nothing.
class ExportedTests {
   public:
    ExportedTests() = default;
    ExportedTests(const std::vector<JournalEntry>& entries, int32_t serial);
    bool Holds(const FicTest& test) const;
    // The workbook the journal names for a test it holds; "" for any other.
    std::string WorkbookOf(const FicTest& test) const;
    bool empty() const { return times_.empty(); }

   private:
    using Key = std::tuple<int, int, int, int, int, int>;  // object, test, kind, date
    static constexpr int NO_TIME = -1;
    const std::string* Find(const FicTest& test) const;
    // The times of day (minutes after midnight, NO_TIME when unknown) the
    // journal holds for each test, each with the workbook of its latest line.
    std::map<Key, std::map<int, std::string>> times_;
};
