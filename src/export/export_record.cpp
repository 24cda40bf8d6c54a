#include "export/export_record.h"

#include <algorithm>

#include "export/test_outcomes.h"
#include "import/export_journal.h"
#include "import/measurement_display.h"
#include "import/object_names.h"
#include "import/scanned_instrument.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"

namespace {

std::string last_saved_workbook;
std::string export_folder;
bool journal_failure_told = false;
CurrentNames export_names;
std::vector<ReleasedName> released_by_last_export;

void TellNamesProblem(const std::string& problem) {
    if (problem.empty()) return;
    LogWrite(std::string(Texte(titre_erreur)) + " = " + problem + "\n");
    MessagePopup(Texte(titre_erreur), problem);
}

}  // namespace

void ReadExportObjectNames() {
    export_names = CurrentObjectNames(ObjectNamesPath(), InstrumentSerial(), Director, NB_OBJECTS);
    released_by_last_export.clear();
    TellNamesProblem(export_names.problem);
}

std::string ExportObjectName(int object) {
    if (object < 0 || object >= NB_OBJECTS) return "";
    return export_names.names[static_cast<std::size_t>(object)];
}

void ReleaseNamesOfEmptiedObjects(const std::vector<int>& emptied) {
    const NameRelease release = ReleaseObjectNames(ObjectNamesPath(), InstrumentSerial(), emptied);
    released_by_last_export = release.released;
    TellNamesProblem(release.problem);
}

const std::vector<ReleasedName>& NamesReleasedByLastExport() {
    return released_by_last_export;
}

void RenewNamesOfErasedObjects() {
    std::vector<int> named;
    for (int object = 0; object < NB_OBJECTS; ++object)
        if (!ExportObjectName(object).empty()) named.push_back(object);
    TellNamesProblem(
        RenewObjectNames(ObjectNamesPath(), InstrumentSerial(), named, Director, NB_OBJECTS));
}

void StartExportCounts(const std::string& folder) {
    export_folder = folder;
    journal_failure_told = false;
}

namespace {

int CountOutcomes(TestOutcome outcome) {
    const auto& outcomes = TestOutcomes();
    return static_cast<int>(std::count_if(outcomes.begin(), outcomes.end(),
                                          [&](const auto& r) { return r.outcome == outcome; }));
}

}  // namespace

ExportCounts CountsOfLastExport() {
    return {CountOutcomes(TestOutcome::Written) + CountOutcomes(TestOutcome::Erased) +
                CountOutcomes(TestOutcome::KeptInInstrument),
            CountOutcomes(TestOutcome::AlreadyExported), CountOutcomes(TestOutcome::Failed),
            export_folder};
}

namespace {

// The names the export's erasures released, each after its object's number:
// "04 Rue Haute 12, flat 3; 07 Garage".
std::string ReleasedNamesLine() {
    const auto& released = NamesReleasedByLastExport();
    if (released.empty()) return "";
    std::string names;
    for (const ReleasedName& each : released) {
        if (!names.empty()) names += "; ";
        names += TwoDigits(each.object) + " " + each.name;
    }
    return FillPlaceholders(Texte(bilan_noms_liberes), {{"names", names}});
}

// What the export did to the instrument's memory, told only when it was to
// erase: the box of a refused erase goes, the summary stays on screen.
std::string ErasureLines() {
    if (Excel.erase_after_export != 1) return "";
    std::string lines = FillPlaceholders(
        Texte(bilan_efface), {{"count", std::to_string(CountOutcomes(TestOutcome::Erased))}});
    const int kept = CountOutcomes(TestOutcome::KeptInInstrument);
    if (kept > 0)
        lines += FillPlaceholders(Texte(bilan_non_efface), {{"count", std::to_string(kept)}});
    return lines + ReleasedNamesLine();
}

}  // namespace

std::string ExportSummaryText() {
    const ExportCounts counts = CountsOfLastExport();
    return FillPlaceholders(Texte(bilan_export), {{"written", std::to_string(counts.written)},
                                                  {"skipped", std::to_string(counts.skipped)},
                                                  {"failed", std::to_string(counts.failed)},
                                                  {"erasures", ErasureLines()},
                                                  {"folder", counts.folder}});
}

void JournalSavedWorkbook(const FicTest& test, const std::string& workbook) {
    last_saved_workbook = workbook;
    const std::string folder = FolderOfPath(workbook);
    if (!folder.empty()) export_folder = folder;
    const std::string path = JournalPath();
    if (AppendToJournal(path, EntryFor(InstrumentSerial(), test, workbook,
                                       ExportObjectName(test.num_objet))) == 0)
        return;
    if (journal_failure_told) return;
    journal_failure_told = true;
    MessagePopup(Texte(journal_titre), FillPlaceholders(Texte(journal_echec), {{"path", path}}));
}

std::string TakeSavedWorkbook() {
    std::string workbook;
    workbook.swap(last_saved_workbook);
    return workbook;
}

void ResetExportRecordForTesting() {
    export_folder.clear();
    journal_failure_told = false;
    export_names = CurrentNames{};
    released_by_last_export.clear();
}
