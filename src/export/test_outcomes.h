// What became of each test an export looked at, in the order of the walk:
// written (then perhaps erased, or still in the instrument), not written,
// failed and why, or left out as already exported. The summary workbook's
// first sheet lists them; the counts at the end of the export agree with them.
#pragma once

#include <string>
#include <vector>

#include "store/store.h"

enum class TestOutcome {
    Written,           // its workbook was saved
    Erased,            // saved, then erased: the instrument took the "rm" (and, where its
                       // folder could be listed again, no longer lists it)
    KeptInInstrument,  // saved; its erasure was not confirmed, it may still be in the instrument
    NotWritten,        // no workbook, by the user's choice or a stop, or a kind without a layout
    Failed,            // no workbook although one was wanted
    AlreadyExported,   // left out: the journal holds it
};

// Why a test has no workbook.
enum class OutcomeCause {
    None,
    NotDownloaded,    // the download or its decoding failed
    NoMeasuredValue,  // its kind or loop function has no layout
    NotSaved,         // the workbook could not be written
    InstrumentLost,   // the instrument went away while it was read
    Cancelled,        // the save dialog was cancelled, or an existing file kept
    Stopped,          // a stop came while it was written
};

struct TestOutcomeRecord {
    int object = 0, test = 0;  // entry indices of Director
    FicTest listed;            // the test as the memory scan listed it
    TestOutcome outcome = TestOutcome::NotWritten;
    OutcomeCause cause = OutcomeCause::None;
    std::string workbook;  // its workbook (or the journal's for one already exported)
};

// How an export ended.
enum class ExportEnd { Complete, Stopped, InstrumentLost };

// Forgets the previous export.
void StartTestOutcomes();
// Test entry `test` of object entry `object` was looked at with this outcome.
// A test already recorded keeps its place and takes the new outcome.
void RecordTestOutcome(int object, int test, TestOutcome outcome,
                       OutcomeCause cause = OutcomeCause::None, const std::string& workbook = "");
// A written test's erasure: Erased or KeptInInstrument (a test not recorded
// as written is left as it is).
void RecordErasure(int object, int test, TestOutcome outcome);
const std::vector<TestOutcomeRecord>& TestOutcomes();

void RecordExportEnd(ExportEnd end);
ExportEnd ExportEnding();

// The sheet writer tells why a workbook failed, before it returns; the export
// loop takes it (NotSaved when nothing was told).
void NoteSheetFailure(OutcomeCause cause);
OutcomeCause TakeSheetFailure();
