#include "import/test_download.h"

#include <string>

#include "import/import_messages.h"
#include "import/instrument_setup.h"
#include "import/measurement_display.h"
#include "import/port_lost.h"
#include "import/record_decoding.h"
#include "link/commands.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "store/store.h"

namespace {

int ImportPanel() {
    return Fen_princ[PANEL_IMPORT];
}

}  // namespace

int LectureTests(int object, int test, MeasuredRecord& record) {
    if (object < 0 || object >= NB_OBJECTS || test < 0 || test >= NB_TESTS) {
        return TEST_WITHOUT_READER;
    }
    int kind = Director[object].tests[test].type_mes;
    if (kind < 0 || kind >= NB_KINDS) return TEST_WITHOUT_READER;
    const bool readable = DumpDigitsNeeded(kind) != 0;
    // A kind without a reader would be downloaded only to be skipped.
    int downloaded = readable ? ZR8812_od(ProgramLink(), object, test, kind) : 0;
    SetCtrlVal(ImportPanel(), IMPORT_PROGRESS,
               "Obj:" + TwoDigits(object) + "/Test:" + TwoDigits(test) + " / " + KindName(kind));
    if (!readable) return TEST_WITHOUT_READER;
    // A failed or cut-off download is never decoded: its values would be
    // zeros or left-overs of the previous test.
    if (downloaded != 0 || !DumpHoldsRecord(kind, DownloadedDigits())) {
        // A port that has gone is told once for the whole export, by the loop.
        if (InstrumentPortLost()) return TEST_PORT_LOST;
        // An instrument that restarted answers nothing more in command mode:
        // without switching it back, every test after this one would fail.
        const int mode = BackToCommandMode(ProgramLink());
        if (mode == NO_SWITCH_REGISTER) Popup_erreur(ERROR_NO_RESPONSE);
        if (mode == NO_COMMAND_MODE || mode == NO_SWITCH_REGISTER) return TEST_COMMAND_MODE_LOST;
        if (mode == SWITCHED_BACK) {
            if (ZR8812_od(ProgramLink(), object, test, kind) != 0 ||
                !DumpHoldsRecord(kind, DownloadedDigits()))
                return InstrumentPortLost() ? TEST_PORT_LOST : TEST_COMMAND_MODE_LOST;
        } else {
            MessagePopup(Texte(titre_erreur), UnreadableTestText(object, test, kind));
            return TEST_UNREADABLE;
        }
    }
    record = ReadDownloadedRecord(kind);
    return TEST_DECODED;
}
