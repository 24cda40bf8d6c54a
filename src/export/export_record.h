// What an export keeps of itself: the names of the exported objects, the
// journal entries of its saved workbooks, and the counts that the summary at
// the end of an export shows.
#pragma once

#include <string>
#include <vector>

#include "import/object_names.h"
#include "store/store.h"

// Reads the current names of the scanned instrument's objects as an export
// starts (a stale name goes into no file); a names file that is damaged or
// cannot be read is told. The export's workbook names, journal lines, summary
// and titles then take the names from ExportObjectName.
void ReadExportObjectNames();
// The name the export gives object number `object`; "" for none.
std::string ExportObjectName(int object);
// Takes away the names of the objects the export emptied on the instrument,
// noted for the end summary (NamesReleasedByLastExport); a file that could not
// be written is told.
void ReleaseNamesOfEmptiedObjects(const std::vector<int>& emptied);
// The names the last export released, for its end summary; empty before any
// export and after one that released none.
const std::vector<ReleasedName>& NamesReleasedByLastExport();

// After the erased tests left the store: the objects named when the export
// started keep their names for the tests they still hold.
void RenewNamesOfErasedObjects();

// Counts of one export, shown at its end, as its test outcomes give them.
struct ExportCounts {
    int written = 0;     // saved, whether erased afterwards or not
    int skipped = 0;     // already exported
    int failed = 0;      // not downloaded, not saved, or left when the instrument went away
    std::string folder;  // where the last workbook went
};
// Starts the record of an export whose workbooks go to `folder`.
void StartExportCounts(const std::string& folder);
ExportCounts CountsOfLastExport();
// The summary in the current language; after an export that was to erase,
// with the tests erased and those the instrument may still hold.
std::string ExportSummaryText();

// Notes a saved workbook in the journal (and in the counts' folder). A journal
// that cannot be written is reported once per export; the export goes on.
void JournalSavedWorkbook(const FicTest& test, const std::string& workbook);
// The workbook last noted by JournalSavedWorkbook, and forgets it.
std::string TakeSavedWorkbook();

// Resets what the record remembers between exports (tests).
void ResetExportRecordForTesting();
