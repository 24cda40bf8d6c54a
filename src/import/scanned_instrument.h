// What the program knows of the instrument its memory scan read: its serial
// number, and the tests of it that the export journal holds (the test list
// marks them, and an export of new tests only leaves them out).
#pragma once

#include <cstdint>

#include "import/export_journal.h"

// Reads the instrument's serial number ("ident") after a memory scan. Until
// it is read (or when the instrument does not tell it), no test counts as
// exported: a test is then exported again rather than missed.
void ReadInstrumentSerial();
bool InstrumentSerialKnown();
// The serial number read, SERIAL_UNKNOWN while none is.
int32_t InstrumentSerial();
void SetInstrumentSerialForTesting(bool known, int32_t serial);

// The tests of the scanned instrument that the journal holds; empty while its
// serial number is unknown. Lines of the journal that cannot be read are
// reported once per run (and again only when more of them appear).
ExportedTests ExportedTestsOfInstrument();

// Forgets the serial number and the journal lines reported (tests).
void ResetScannedInstrumentForTesting();
