#include "export/test_outcomes.h"

#include <algorithm>

namespace {

std::vector<TestOutcomeRecord> outcomes;
ExportEnd export_end = ExportEnd::Complete;
OutcomeCause sheet_failure = OutcomeCause::None;

TestOutcomeRecord* Find(int object, int test) {
    // The latest tests are the ones updated: look from the end.
    const auto found = std::find_if(outcomes.rbegin(), outcomes.rend(), [&](const auto& r) {
        return r.object == object && r.test == test;
    });
    return found == outcomes.rend() ? nullptr : &*found;
}

}  // namespace

void StartTestOutcomes() {
    outcomes.clear();
    export_end = ExportEnd::Complete;
    sheet_failure = OutcomeCause::None;
}

void RecordTestOutcome(int object, int test, TestOutcome outcome, OutcomeCause cause,
                       const std::string& workbook) {
    if (object < 0 || object >= NB_OBJECTS || test < 0 || test >= NB_TESTS) return;
    TestOutcomeRecord* record = Find(object, test);
    if (record == nullptr) {
        record = &outcomes.emplace_back();
        record->object = object;
        record->test = test;
        record->listed = Director[object].tests[test];
    }
    record->outcome = outcome;
    record->cause = cause;
    if (!workbook.empty()) record->workbook = workbook;
}

void RecordErasure(int object, int test, TestOutcome outcome) {
    TestOutcomeRecord* record = Find(object, test);
    if (record == nullptr || record->outcome == TestOutcome::NotWritten ||
        record->outcome == TestOutcome::Failed || record->outcome == TestOutcome::AlreadyExported)
        return;
    record->outcome = outcome;
}

const std::vector<TestOutcomeRecord>& TestOutcomes() {
    return outcomes;
}

void RecordExportEnd(ExportEnd end) {
    export_end = end;
}

ExportEnd ExportEnding() {
    return export_end;
}

void NoteSheetFailure(OutcomeCause cause) {
    sheet_failure = cause;
}

OutcomeCause TakeSheetFailure() {
    const OutcomeCause cause =
        sheet_failure == OutcomeCause::None ? OutcomeCause::NotSaved : sheet_failure;
    sheet_failure = OutcomeCause::None;
    return cause;
}
