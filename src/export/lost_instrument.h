// What the export loop does when the instrument goes away under it, and when
// an erase is not confirmed: a failed read must be told apart from a port that
// no longer exists, so that a pulled cable ends the export with one message
// instead of one box per remaining test.
#pragma once

#include <string>

#include "import/date_filter.h"
#include "import/export_journal.h"

// Erases test `test` of object entry `object` on the instrument after its
// workbook was saved. When the instrument does not confirm it, the person is
// told (object and test named) and it is logged; when it does, the test is
// noted for the check of the object's listing (erase_check.h). False only
// when the port has gone: the caller then ends the export with
// ReportInstrumentLost.
bool EraseExportedTest(int object, int test, int kind);

// Why the export could not go on with the instrument.
enum class LossCause {
    Disconnected,     // its port went away (the cable pulled)
    CommandModeLost,  // it left command mode again after being switched back
};

// Ends an export whose instrument went away (or stopped answering in command
// mode, as `cause` says) at test `test` of object entry `object`: the link is
// closed (the next operation sets it up afresh), the loss is logged and one
// message names every test from this one on that passes `filter`, is not
// among the tests `done` left out, and was not exported; they stay on the
// instrument and count as failed in the summary.
// `eraseUnconfirmed`: this test was exported but its erasure not confirmed.
void ReportInstrumentLost(int object, int test, const DateFilter& filter, const ExportedTests& done,
                          bool eraseUnconfirmed, LossCause cause = LossCause::Disconnected);

// The texts, with their placeholders filled (exposed for the tests).
std::string EraseUnconfirmedText(int object, int test, int kind);
std::string InstrumentLostText(const std::string& tests, LossCause cause = LossCause::Disconnected);
