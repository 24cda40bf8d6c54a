#include "export/lost_instrument.h"

#include "export/erase_check.h"
#include "export/export_record.h"
#include "export/test_outcomes.h"
#include "import/measurement_display.h"
#include "import/port_lost.h"
#include "link/commands.h"
#include "link/link_context.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "store/store.h"

namespace {

// Placeholders {object}, {test}, {kind}.
const MessageTable effacement_non_confirme = {
    "Le test {test} de l'objet {object} ({kind}) a été exporté, mais l'appareil n'a pas "
    "confirmé son effacement : il est peut-être encore dans l'appareil.",
    "Test {test} of object {object} ({kind}) was exported, but the instrument did not confirm "
    "its erasure: it may still be in the instrument.",
    "Test {test} von Objekt {object} ({kind}) wurde exportiert, aber das Gerät hat das Löschen "
    "nicht bestätigt: er ist möglicherweise noch im Gerät.",
    "La prueba {test} del objeto {object} ({kind}) se ha exportado, pero el instrumento no ha "
    "confirmado su borrado: puede que siga en el instrumento.",
    "La prova {test} dell'oggetto {object} ({kind}) è stata esportata, ma lo strumento non ne ha "
    "confermato la cancellazione: potrebbe essere ancora nello strumento.",
};

// Placeholder {tests}: one test a line.
const MessageTable appareil_deconnecte = {
    "L'appareil a été déconnecté. L'exportation est arrêtée.\n"
    "Ces tests n'ont pas été exportés et restent dans l'appareil :\n{tests}\n"
    "Reconnectez l'appareil, puis Configuration, Communication.",
    "The instrument was disconnected. The export has stopped.\n"
    "These tests were not exported and stay in the instrument:\n{tests}\n"
    "Connect the instrument again, then use Setup, Communication.",
    "Das Gerät wurde getrennt. Der Export wurde abgebrochen.\n"
    "Diese Tests wurden nicht exportiert und bleiben im Gerät:\n{tests}\n"
    "Schließen Sie das Gerät wieder an und wählen Sie Setup, Kommunikation.",
    "El instrumento se ha desconectado. La exportación se ha detenido.\n"
    "Estas pruebas no se han exportado y permanecen en el instrumento:\n{tests}\n"
    "Vuelva a conectar el instrumento y use Parametrizado, Communicación.",
    "Lo strumento è stato scollegato. L'esportazione è stata interrotta.\n"
    "Queste prove non sono state esportate e restano nello strumento:\n{tests}\n"
    "Ricollegare lo strumento, poi Parametro, Comunicazione.",
};

// Placeholder {tests}: one test a line.
const MessageTable mode_commande_perdu = {
    "L'appareil ne répond plus dans son mode commande (il a peut-être redémarré). "
    "L'exportation est arrêtée.\n"
    "Ces tests n'ont pas été exportés et restent dans l'appareil :\n{tests}\n"
    "Vérifiez l'appareil, puis Configuration, Communication.",
    "The instrument stopped answering in its command mode (it may have restarted). "
    "The export has stopped.\n"
    "These tests were not exported and stay in the instrument:\n{tests}\n"
    "Check the instrument, then use Setup, Communication.",
    "Das Gerät antwortet nicht mehr in seinem Befehlsmodus (es wurde möglicherweise neu "
    "gestartet). Der Export wurde abgebrochen.\n"
    "Diese Tests wurden nicht exportiert und bleiben im Gerät:\n{tests}\n"
    "Prüfen Sie das Gerät und wählen Sie dann Setup, Kommunikation.",
    "El instrumento ha dejado de responder en su modo de comandos (puede que se haya "
    "reiniciado). La exportación se ha detenido.\n"
    "Estas pruebas no se han exportado y permanecen en el instrumento:\n{tests}\n"
    "Compruebe el instrumento y use Parametrizado, Communicación.",
    "Lo strumento non risponde più nella modalità comandi (potrebbe essersi riavviato). "
    "L'esportazione è stata interrotta.\n"
    "Queste prove non sono state esportate e restano nello strumento:\n{tests}\n"
    "Controllare lo strumento, poi Parametro, Comunicazione.",
};

// A whole memory would make a box taller than the screen.
constexpr int LISTED_TESTS = 12;

void Replace(std::string& text, const std::string& placeholder, const std::string& value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

bool Exportable(int kind) {
    return kind == KIND_CURRENT || kind == KIND_EARTH || kind == KIND_LOOP || kind == KIND_RCD ||
           kind == KIND_VOLTAGE;
}

std::string TestName(const FicTest& t) {
    return "Obj:" + TwoDigits(t.num_objet) + "/Test:" + TwoDigits(t.num_test) + " / " +
           KindName(t.type_mes);
}

// The tests of the walk from (object, test) on that the export would have
// written, one a line; `count` takes how many there are.
std::string RemainingTests(int object, int test, const DateFilter& filter,
                           const ExportedTests& done, int& count) {
    std::string lines;
    count = 0;
    ForEachObject([&](int o) {
        if (o < object) return;
        ForEachTest(o, [&](int t) {
            const FicTest& record = Director[o].tests[t];
            if ((o == object && t < test) || !filter.Matches(record) ||
                !Exportable(record.type_mes) || done.Holds(record))
                return;
            RecordTestOutcome(o, t, TestOutcome::Failed, OutcomeCause::InstrumentLost);
            if (count++ < LISTED_TESTS) lines += TestName(record) + "\n";
        });
    });
    if (count > LISTED_TESTS) lines += "(+" + std::to_string(count - LISTED_TESTS) + ")\n";
    return lines;
}

}  // namespace

std::string EraseUnconfirmedText(int object, int test, int kind) {
    std::string text = Texte(effacement_non_confirme);
    Replace(text, "{object}", TwoDigits(object));
    Replace(text, "{test}", TwoDigits(test));
    Replace(text, "{kind}", KindName(kind));
    return text;
}

std::string InstrumentLostText(const std::string& tests, LossCause cause) {
    std::string text =
        Texte(cause == LossCause::Disconnected ? appareil_deconnecte : mode_commande_perdu);
    Replace(text, "{tests}", tests);
    return text;
}

bool EraseExportedTest(int object, int test, int kind) {
    if (ZR8812_delete(ProgramLink(), object, test, kind) == 0) {
        RecordErasure(object, test, TestOutcome::Erased);
        NoteErased(object, test);  // the object's listing shows whether it went
        return true;
    }
    if (InstrumentPortLost()) return false;
    RecordErasure(object, test, TestOutcome::KeptInInstrument);
    const std::string text = EraseUnconfirmedText(object, test, kind);
    LogWrite(std::string(Texte(titre_erreur)) + " = " + text + "\n");
    MessagePopup(Texte(titre_erreur), text);
    return true;
}

void ReportInstrumentLost(int object, int test, const DateFilter& filter, const ExportedTests& done,
                          bool eraseUnconfirmed, LossCause cause) {
    // The next memory operation or Setup, Communication then sets the link up
    // afresh, on whatever device the port number names by then.
    ProgramLink().link_flag = 0;
    CloseCom(ProgramLink().serial_port);
    RecordExportEnd(ExportEnd::InstrumentLost);
    if (eraseUnconfirmed) RecordErasure(object, test, TestOutcome::KeptInInstrument);
    const FicTest& current = Director[object].tests[test];
    std::string text;
    int left = 0;
    if (eraseUnconfirmed) {
        text = EraseUnconfirmedText(object, current.num_test, current.type_mes) + "\n\n";
        // This test was exported: it is not among those left out.
        text += InstrumentLostText(RemainingTests(object, test + 1, filter, done, left), cause);
    } else {
        text = InstrumentLostText(RemainingTests(object, test, filter, done, left), cause);
    }
    LogWrite(std::string(Texte(titre_erreur)) + " = " + text + "\n");
    MessagePopup(Texte(titre_erreur), text);
}
