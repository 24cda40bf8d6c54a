// What Windows shows for the program while it keeps the session from ending.
#include "shell/messages.h"

const MessageTable fin_session = {
    "Termine l'échange en cours avec l'appareil, puis enregistre les réglages et se ferme.",
    "Finishing the exchange with the instrument under way, then saving the settings and closing.",
    "Beendet den laufenden Austausch mit dem Gerät, speichert dann die Einstellungen und schließt sich.",
    "Termina el intercambio en curso con el instrumento, luego guarda la configuración y se cierra.",
    "Termina lo scambio in corso con lo strumento, poi salva le impostazioni e si chiude."
};
