// A failed read must be told apart from a port that no longer exists, so that
// a pulled cable ends a scan or an export with one message instead of one box
// per remaining object or test.
#pragma once

// True when the instrument's port can no longer carry anything (the device
// disappeared, the port was closed under the program).
bool InstrumentPortLost();

// A memory scan whose instrument went away: the link is closed, the loss
// logged and told; the caller lists nothing.
void ReportScanInterrupted();
