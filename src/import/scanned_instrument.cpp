#include "import/scanned_instrument.h"

#include <string>

#include "link/status_identity.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "store/store.h"

namespace {

bool serial_known = false;
int32_t scanned_serial = SERIAL_UNKNOWN;
// Unreadable journal lines already reported in this run.
int reported_unreadable = 0;

void ReportUnreadableLines(const JournalReading& reading, const std::string& path) {
    const int count = reading.file_unreadable ? 1 : reading.unreadable_lines;
    if (count <= reported_unreadable) return;
    reported_unreadable = count;
    MessagePopup(
        Texte(journal_titre),
        FillPlaceholders(Texte(journal_abime), {{"path", path}, {"count", std::to_string(count)}}));
}

}  // namespace

void ReadInstrumentSerial() {
    // The identity panel clears the serial number of Mesure when it closes;
    // the export keeps its own copy.
    serial_known = ZR8812_Identify(ProgramLink()) == 0 && ProgramLink().serial_number_read;
    scanned_serial = serial_known ? Mesure.serial_number : SERIAL_UNKNOWN;
}

bool InstrumentSerialKnown() {
    return serial_known;
}
int32_t InstrumentSerial() {
    return scanned_serial;
}

void SetInstrumentSerialForTesting(bool known, int32_t serial) {
    serial_known = known;
    scanned_serial = known ? serial : SERIAL_UNKNOWN;
}

ExportedTests ExportedTestsOfInstrument() {
    if (!serial_known) return {};
    const std::string path = JournalPath();
    const JournalReading reading = ReadJournal(path);
    ReportUnreadableLines(reading, path);
    return ExportedTests(reading.entries, scanned_serial);
}

void ResetScannedInstrumentForTesting() {
    serial_known = false;
    scanned_serial = SERIAL_UNKNOWN;
    reported_unreadable = 0;
}
