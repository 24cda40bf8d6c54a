// Texts of the link: what to do when the instrument is not found once the
// program runs, and a serial number the instrument did not give.
#include "shell/messages.h"

// The start-up box says to close the program, which ends there anyway; later
// the program stays open and Setup, Communication looks for the instrument again.
const MessageTable AucunCOM_ouvert = {
    "L'application n'a pas détecté l'appareil.\n L'application reste ouverte : vérifier la "
    "connexion et suivre la procédure.\n\nProcédure :\n - Vérifier le cordon USB entre le PC et "
    "l'appareil.\n - Vérifier que l'appareil est allumé, le commutateur sur la position "
    "'SET- UP'.\n - Choisir Configuration, Communication.",
    "The software has not detected the instrument.\n The application stays open: verify "
    "connection and follow the procedure.\n\nProcedure :\n - Check the USB cable between PC and "
    "device.\n - Check that the device is on, its switch on 'SET- UP' position.\n - Choose "
    "Setup, Communication.",
    "Die Software hat das Gerät nicht erkannt.\n Die Anwendung bleibt geöffnet: Prüfen Sie die "
    "Verbindung und befolgen Sie die Anleitung.\n\nVorgehensweise :\n - USB-Kabel zwischen PC "
    "und Gerät prüfen.\n - Prüfen, ob das Gerät eingeschaltet ist und der Schalter auf "
    "'SET- UP' steht.\n - Setup, Kommunikation wählen.",
    "El programa no ha detectado el aparato.\n La aplicación sigue abierta: compruebe la "
    "conexión y siga el procedimiento.\n\nProcedimiento :\n - Compruebe el cable USB entre el PC "
    "y el aparato.\n - Compruebe que el aparato está encendido, con el conmutador en la "
    "posición 'SET- UP'.\n - Elija Parametrizado, Communicación.",
    "Il programma non ha rilevato l'apparecchio.\n L'applicazione resta aperta: verificare il "
    "collegamento e seguire la procedura.\n\nProcedura :\n - Controllare il cavo USB tra il PC e "
    "l'apparecchio.\n - Controllare che l'apparecchio sia acceso, con il commutatore in "
    "posizione 'SET- UP'.\n - Scegliere Parametro, Comunicazione."
};
const MessageTable serie_inconnue = {
    "inconnu",
    "unknown",
    "unbekannt",
    "desconocido",
    "sconosciuto"
};
