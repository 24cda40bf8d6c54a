#include "import/port_lost.h"

#include <string>

#include "link/link_context.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"

namespace {

const MessageTable lecture_interrompue = {
    "L'appareil a été déconnecté pendant la lecture de sa mémoire : rien n'a été lu.\n"
    "Reconnectez l'appareil, puis Configuration, Communication.",
    "The instrument was disconnected while its memory was being read: nothing was read.\n"
    "Connect the instrument again, then use Setup, Communication.",
    "Das Gerät wurde beim Lesen seines Speichers getrennt: nichts wurde gelesen.\n"
    "Schließen Sie das Gerät wieder an und wählen Sie Setup, Kommunikation.",
    "El instrumento se ha desconectado mientras se leía su memoria: no se ha leído nada.\n"
    "Vuelva a conectar el instrumento y use Parametrizado, Communicación.",
    "Lo strumento è stato scollegato durante la lettura della sua memoria: non è stato letto "
    "nulla.\nRicollegare lo strumento, poi Parametro, Comunicazione.",
};

}  // namespace

bool InstrumentPortLost() {
    return ComPortLost(ProgramLink().serial_port);
}

void ReportScanInterrupted() {
    ProgramLink().link_flag = 0;
    CloseCom(ProgramLink().serial_port);
    const std::string text = Texte(lecture_interrompue);
    LogWrite(std::string(Texte(titre_erreur)) + " = " + text + "\n");
    MessagePopup(Texte(titre_erreur), text);
}
