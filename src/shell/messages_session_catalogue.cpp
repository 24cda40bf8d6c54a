// What Windows shows for the program while it keeps the session from ending:
// short, the sign-out screen is read in a hurry.
#include "shell/messages.h"

const MessageTable fin_session = {
    "Termine l'échange avec l'appareil, puis se ferme.",
    "Finishing the exchange with the instrument, then closing.",
    "Beendet den Austausch mit dem Gerät und schließt sich dann.",
    "Termina el intercambio con el instrumento y luego se cierra.",
    "Termina lo scambio con lo strumento, poi si chiude."
};
