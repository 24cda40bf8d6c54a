// The message catalogue. Texts keep their exact blanks and line breaks.
#include "shell/messages.h"

const MessageTable atten_exp = {
    "Exportation en cours... ",
    "Exportation in progress...   ",
    "Exportation in progress...   ",  // TODO translate
    "Exportation in progress...   ",  // TODO translate
    "Exportation in progress...   "  // TODO translate
};
const MessageTable attente = {
    "Attendre, s'il vous plait ...  <Stop> pour arrêter",
    "Please wait ...  <Stop> to abort",
    "Please wait ...  <Stop> to abort",  // TODO translate
    "Please wait ...  <Stop> to abort",  // TODO translate
    "Please wait ...  <Stop> to abort"  // TODO translate
};
const MessageTable attente_1 = {
    "Attendre, s'il vous plait ...  ",
    "Please wait ...  ",
    "Please wait ...  ",  // TODO translate
    "Please wait ...  ",  // TODO translate
    "Please wait ...  "  // TODO translate
};
const MessageTable AucunCOM = {
    "L'application n'a pas détecté l'appareil.\n Vérifier la connexion et suivre la procédure.\n\nProcédure :\n - Eteindre l'appareil.\n - Fermer l'application.\n - Laisser le cordon USB entre le PC et l'appareil.\n - Démarrer l'appareil en plaçant le commutateur sur la position 'SET- UP'. \n - Relancer l'application.",
    "The software has not detected the instrument.\n Verify connection and follow the procedure.\n\nProcedure :\n - Switch off the device.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",
    "The software has not detected the instrument.\n Verify connection and follow the procedure.\n\nProcedure :\n - Switch off the device.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",  // TODO translate
    "The software has not detected the instrument.\n Verify connection and follow the procedure.\n\nProcedure :\n - Switch off the device.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",  // TODO translate
    "The software has not detected the instrument.\n Verify connection and follow the procedure.\n\nProcedure :\n - Switch off the device.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application."  // TODO translate
};
const MessageTable avertpos = {
    "L'appareil doit être en position SET-UP",
    "Instrument must be in set-up position",
    "Instrument must be in set-up position",  // TODO translate
    "Instrument must be in set-up position",  // TODO translate
    "Instrument must be in set-up position"  // TODO translate
};
const MessageTable BadOS = {
    "Le système d'exploitation de votre ordinateur est trop ancien pour faire fonctionner ce programme.",
    "The operating system of this computer is too old to handle an upgrade of your installation controller.",
    "The operating system of this computer is too old to handle an upgrade of your installation controller.",  // TODO translate
    "The operating system of this computer is too old to handle an upgrade of your installation controller.",  // TODO translate
    "The operating system of this computer is too old to handle an upgrade of your installation controller."  // TODO translate
};
const MessageTable barre_fichier = {
    "__Fichier",
    "__File",
    "__Datei",
    "__Fichero",
    "__File"
};
const MessageTable barre_options = {
    "__Options",
    "__Options",
    "__Optionen",
    "__Optiones",
    "__Opzioni"
};
const MessageTable barre_parametre = {
    "__Configuration",
    "__Setup",
    "__Setup",
    "__Parametrizado",
    "__Parametro"
};
const MessageTable chefpro = {
    "Chef de projet :",
    "Project leader :",
    "Project leader :",  // TODO translate
    "Project leader :",  // TODO translate
    "Project leader :"  // TODO translate
};
const MessageTable clamptype = {
    "Clamp type",
    "Clamp type",
    "Clamp type",  // TODO translate
    "Clamp type",  // TODO translate
    "Clamp type"  // TODO translate
};
const MessageTable comcours = {
    "Communication en cours",
    "Communication in progress",
    "Communication in progress",  // TODO translate
    "Communication in progress",  // TODO translate
    "Communication in progress"  // TODO translate
};
const MessageTable comok = {
    "Communication OK",
    "Communication OK",
    "Communication OK",  // TODO translate
    "Communication OK",  // TODO translate
    "Communication OK"  // TODO translate
};
const MessageTable confir1 = {
    "Êtes-vous sûr de vouloir quitter ?\n",
    "Are you sure you want to quit ?\n",
    "Are you sure you want to quit ?\n",  // TODO translate
    "Are you sure you want to quit ?\n",  // TODO translate
    "Are you sure you want to quit ?\n"  // TODO translate
};
const MessageTable confir3 = {
    "Mémoire vide ou erronée !   Voulez-vous continuer ?\n",
    "Empty or wrong memory !   Do you want to go on ?\n",
    "Empty or wrong memory !   Do you want to go on ?\n",  // TODO translate
    "Empty or wrong memory !   Do you want to go on ?\n",  // TODO translate
    "Empty or wrong memory !   Do you want to go on ?\n"  // TODO translate
};
const MessageTable CP210version = {
    "Le numéro de version du pilote de l'adaptateur USB / RS232 doit être au moins égal à 6,5.\n",
    "The version number of the driver of the USB adapter must be equal at least to 6,5.\n ",
    "The version number of the driver of the USB adapter must be equal at least to 6,5.\n ",  // TODO translate
    "The version number of the driver of the USB adapter must be equal at least to 6,5.\n ",  // TODO translate
    "The version number of the driver of the USB adapter must be equal at least to 6,5.\n "  // TODO translate
};
const MessageTable date = {
    "Date ",
    "Date ",
    "Datum",
    "Fecha",
    "Data "
};
const MessageTable DebDriver = {
    "Pour installer le driver USB, lancer le programme suivant :\n",
    "Please run the following program to install the USB driver :\n",
    "Please run the following program to install the USB driver :\n",  // TODO translate
    "Please run the following program to install the USB driver :\n",  // TODO translate
    "Please run the following program to install the USB driver :\n"  // TODO translate
};
const MessageTable develop = {
    "Développé par :",
    "Developed by :",
    "Developed by :",  // TODO translate
    "Developed by :",  // TODO translate
    "Developed by :"  // TODO translate
};
const MessageTable DriverUSB = {
    "Pour une première utilisation, vérifier si le pilote de l'adaptateur USB / RS232 a été installé.\n Si ce n'est pas le cas, commencer par installer le pilote.\n Puis suivre la procédure.\n\nProcédure :\n - Eteindre l'appareil.\n - Fermer l'application.\n - Laisser le cordon USB entre le PC et l'appareil.\n - Démarrer l'appareil en plaçant le commutateur sur la position 'SET- UP'. \n - Relancer l'application.",
    "In the case of a first use, verify if the driver of the USB adapter / optical serial has been installed.\n If it is not, start by installing the driver.\n Then follow the procedure.\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",
    "In the case of a first use, verify if the driver of the USB adapter / optical serial has been installed.\n If it is not, start by installing the driver.\n Then follow the procedure.\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",  // TODO translate
    "In the case of a first use, verify if the driver of the USB adapter / optical serial has been installed.\n If it is not, start by installing the driver.\n Then follow the procedure.\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",  // TODO translate
    "In the case of a first use, verify if the driver of the USB adapter / optical serial has been installed.\n If it is not, start by installing the driver.\n Then follow the procedure.\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application."  // TODO translate
};
const MessageTable Ecourant = {
    "Current",
    "Current",
    "Current",  // TODO translate
    "Current",  // TODO translate
    "Current"  // TODO translate
};
const MessageTable Edate = {
    "Date of test",
    "Date of test",
    "Date of test",  // TODO translate
    "Date of test",  // TODO translate
    "Date of test"  // TODO translate
};
const MessageTable effac_appareil = {
    "Effacer la mesure dans l'appareil ?",
    "Erase Data in the instrument ?",
    "Erase Data in the instrument ?",  // TODO translate
    "Erase Data in the instrument ?",  // TODO translate
    "Erase Data in the instrument ?"  // TODO translate
};
const MessageTable enregist = {
    "Enregistrer",
    "Save",
    "Save",  // TODO translate
    "Save",  // TODO translate
    "Save"  // TODO translate
};
const MessageTable Eobjet = {
    "Object",
    "Object",
    "Object",  // TODO translate
    "Object",  // TODO translate
    "Object"  // TODO translate
};
const MessageTable Etest = {
    "Test",
    "Test",
    "Test",  // TODO translate
    "Test",  // TODO translate
    "Test"  // TODO translate
};
const MessageTable etreSur = {
    "            Etes - vous sûr ?",
    "            Are - you sure ?",
    "            Are - you sure ?",  // TODO translate
    "            Are - you sure ?",  // TODO translate
    "            Are - you sure ?"  // TODO translate
};
const MessageTable exporte = {
    "Exporter",
    "Export",
    "Export",  // TODO translate
    "Export",  // TODO translate
    "Export"  // TODO translate
};
const MessageTable exporter = {
    "Exporter vers feuille EXCEL",
    "Export to EXCEL sheet",
    "Export to EXCEL sheet",  // TODO translate
    "Export to EXCEL sheet",  // TODO translate
    "Export to EXCEL sheet"  // TODO translate
};
const MessageTable fichedate = {
    "Pas de fichier à cette date",
    "No file on this date",
    "No file on this date",  // TODO translate
    "No file on this date",  // TODO translate
    "No file on this date"  // TODO translate
};
const MessageTable Freq = {
    "Freq",
    "Freq",
    "Freq",  // TODO translate
    "Freq",  // TODO translate
    "Freq"  // TODO translate
};
const MessageTable impomem = {
    "Exporte toute la mémoire",
    "Export all the memory",
    "Export all the memory",  // TODO translate
    "Export all the memory",  // TODO translate
    "Export all the memory"  // TODO translate
};
const MessageTable import_exp = {
    "Importer / Exporter ",
    "Import / Export ",
    "Importieren / Exportieren ",
    "Importar / Exportar ",
    "Importa / Esporta "
};
const MessageTable item_aproposd = {
    "A __propos de ...",
    "__About ...",
    "__Info über ...",
    "__Acerca de ...",
    "__Informazioni su ..."
};
const MessageTable item_communic = {
    "__Communication ...",
    "__Communication ...",
    "__Kommunikation ...",
    "__Communicación ...",
    "__Comunicazione ..."
};
const MessageTable item_config = {
    "__Appareil ...",
    "__Instrument ...",
    "__Gerät ...",
    "__Aparato ...",
    "__Apparecchio ..."
};
const MessageTable item_enregist2 = {
    "__Enregistrer la configuration en quittant",
    "__Save settings on exit",
    "__Konfiguration beim Beenden speichern",
    "__Grabar la configuación antes de salir",
    "__Salva la configurazione ed esci"
};
const MessageTable item_importer = {
    "__Importer_Exporter les mesures vers EXCEL",
    "__Import_Export the measurements to EXCEL",
    "__Messungen in Excel Importieren_Exportieren",
    "__Importar_Exportar medidas hacia EXCEL",
    "__Importare_Esportare le misure in EXCEL"
};
const MessageTable item_index = {
    "__Aide sur ...",
    "__Search for Help on ...",
    "In__halt",
    "__Ayuda ...",
    "__Aiuto su ..."
};
const MessageTable item_langue = {
    "__Langue",
    "__Language",
    "__Sprache",
    "__Idioma",
    "__Lingua"
};
const MessageTable item_quitter = {
    "__Quitter",
    "E__xit",
    "__Beenden",
    "Sali__r",
    "__Esci"
};
const MessageTable lancer = {
    "__Lancer",
    "__Run",
    "__Run",  // TODO translate
    "__Run",  // TODO translate
    "__Run"  // TODO translate
};
const MessageTable Lectmem = {
    "Lecture en cours",
    "Reading in progress",
    "Reading in progress",  // TODO translate
    "Reading in progress",  // TODO translate
    "Reading in progress"  // TODO translate
};
const MessageTable Meascurr = {
    "Meas current",
    "Meas current",
    "Meas current",  // TODO translate
    "Meas current",  // TODO translate
    "Meas current"  // TODO translate
};
const MessageTable messag_ecras = {
    "Feuille déja existante !    Ecraser les données ?\n",
    "Sheet already exist !    Overwrite Data ?\n",
    "Sheet already exist !    Overwrite Data ?\n",  // TODO translate
    "Sheet already exist !    Overwrite Data ?\n",  // TODO translate
    "Sheet already exist !    Overwrite Data ?\n"  // TODO translate
};
const MessageTable messag_fin = {
    "Feuille prête.\n",
    "Sheet ready.\n",
    "Sheet ready.\n",  // TODO translate
    "Sheet ready.\n",  // TODO translate
    "Sheet ready.\n"  // TODO translate
};
const MessageTable messag_Info = {
    "Identité Appareil",
    "Instrument identity",
    "Geräte-Identifikation",
    "Identificación del aparato",
    "ID apparecchio"
};
const MessageTable messag_pret = {
    "EXCEL Prêt !\n",
    "EXCEL Ready !\n",
    "EXCEL Ready !\n",  // TODO translate
    "EXCEL Ready !\n",  // TODO translate
    "EXCEL Ready !\n"  // TODO translate
};
const MessageTable message = {
    "Message",
    "Message",
    "Message",  // TODO translate
    "Message",  // TODO translate
    "Message"  // TODO translate
};
const MessageTable MsgAttention = {
    "ATTENTION !",
    "WARNING !",
    "ACHTUNG !",
    "¡CUIDADO!",
    "ATTENZIONE !"
};
const MessageTable nom_feuil = {
    "Feuille (*.XLS)",
    "Sheet (*.XLS)",
    "Sheet (*.XLS)",  // TODO translate
    "Sheet (*.XLS)",  // TODO translate
    "Sheet (*.XLS)"  // TODO translate
};
const MessageTable nomtest = {
    "Fichier",
    "File",
    "File",  // TODO translate
    "File",  // TODO translate
    "File"  // TODO translate
};
const MessageTable Numport = {
    "Connaissez-vous le numéro du port de communication utilisé pour l'adaptateur USB / RS232 ?\n",
    "Do you know the number of the port of communication used for the USB adapter / optical serial ?\n ",
    "Do you know the number of the port of communication used for the USB adapter / optical serial ?\n ",  // TODO translate
    "Do you know the number of the port of communication used for the USB adapter / optical serial ?\n ",  // TODO translate
    "Do you know the number of the port of communication used for the USB adapter / optical serial ?\n "  // TODO translate
};
const MessageTable NumportAff = {
    "Le numéro du port de communication utilisé pour l'adaptateur USB / RS232 est: \n",
    "The number of the port of communication used for the USB adapter / optical serial is:\n ",
    "The number of the port of communication used for the USB adapter / optical serial is:\n ",  // TODO translate
    "The number of the port of communication used for the USB adapter / optical serial is:\n ",  // TODO translate
    "The number of the port of communication used for the USB adapter / optical serial is:\n "  // TODO translate
};
const MessageTable objet = {
    "Objet",
    "Object",
    "Object",  // TODO translate
    "Object",  // TODO translate
    "Object"  // TODO translate
};
const MessageTable panel_com = {
    "Communication",
    "Communication",
    "Kommunikation",
    "Communicación",
    "Comunicazione"
};
const MessageTable parcour = {
    "Parcourir",
    "Browse",
    "Browse",  // TODO translate
    "Browse",  // TODO translate
    "Browse"  // TODO translate
};
const MessageTable posetup = {
    "Laisser le commutateur sur SET-UP",
    "Let the rotator on SET-UP",
    "Let the rotator on SET-UP",  // TODO translate
    "Let the rotator on SET-UP",  // TODO translate
    "Let the rotator on SET-UP"  // TODO translate
};
const MessageTable position = {
    "Position du commutateur",
    "Set of the rotator",
    "Set of the rotator",  // TODO translate
    "Set of the rotator",  // TODO translate
    "Set of the rotator"  // TODO translate
};
const MessageTable quitter = {
    "Quitter",
    "Quit",
    "Beenden",
    "Salir",
    "Esci"
};
const MessageTable Ratcurr = {
    "Rated current",
    "Rated current",
    "Rated current",  // TODO translate
    "Rated current",  // TODO translate
    "Rated current"  // TODO translate
};
const MessageTable Rodres = {
    "Rod Resist",
    "Rod Resist",
    "Rod Resist",  // TODO translate
    "Rod Resist",  // TODO translate
    "Rod Resist"  // TODO translate
};
const MessageTable smooth = {
    "Smooth",
    "Smooth",
    "Smooth",  // TODO translate
    "Smooth",  // TODO translate
    "Smooth"  // TODO translate
};
const MessageTable start = {
    "Start",
    "Start",
    "Start",  // TODO translate
    "Start",  // TODO translate
    "Start"  // TODO translate
};
const MessageTable suppression = {
    "suppression après exportation",
    "Delete after export",
    "Delete after export",  // TODO translate
    "Delete after export",  // TODO translate
    "Delete after export"  // TODO translate
};
const MessageTable Tannee = {
    "Année",
    "Year",
    "Year",  // TODO translate
    "Year",  // TODO translate
    "Year"  // TODO translate
};
const MessageTable Tempr = {
    "Temp.",
    "Temp.",
    "Temp.",  // TODO translate
    "Temp.",  // TODO translate
    "Temp."  // TODO translate
};
const MessageTable tension = {
    "Tension ",
    "Voltage ",
    "Spannung",
    "Tensión ",
    "Tensione"
};
const MessageTable Time = {
    "Time",
    "Time",
    "Time",  // TODO translate
    "Time",  // TODO translate
    "Time"  // TODO translate
};
const MessageTable titre_erreur = {
    "Erreur",
    "Error",
    "Fehler",
    "Error",
    "Errore"
};
const MessageTable titre_feuille = {
    "Feuille EXCEL",
    "EXCEL Sheet",
    "EXCEL Blatt",
    "Hoja de EXCEL",
    "Foglio EXCEL"
};
const MessageTable titre_fiche = {
    "Fichier Test",
    "Test File",
    "Test-Datei",
    "Fichero de prueba",
    "File di testo"
};
const MessageTable Tjour = {
    "Jour",
    "Day",
    "Day",  // TODO translate
    "Day",  // TODO translate
    "Day"  // TODO translate
};
const MessageTable Tmois = {
    "Mois",
    "Month",
    "Month",  // TODO translate
    "Month",  // TODO translate
    "Month"  // TODO translate
};
const MessageTable travail = {
    "Répertoire de travail",
    "Working Directory",
    "Working Directory",  // TODO translate
    "Working Directory",  // TODO translate
    "Working Directory"  // TODO translate
};
const MessageTable typeMesure = {
    "MeasType",
    "MeasType",
    "MeasType",  // TODO translate
    "MeasType",  // TODO translate
    "MeasType"  // TODO translate
};
const MessageTable typetest = {
    "Mesure / Date du test",
    "Measurement / Date of test",
    "Measurement / Date of test",  // TODO translate
    "Measurement / Date of test",  // TODO translate
    "Measurement / Date of test"  // TODO translate
};
const MessageTable unit = {
    "unit",
    "unit",
    "unit",  // TODO translate
    "unit",  // TODO translate
    "unit"  // TODO translate
};
const MessageTable update = {
    "Actualiser",
    "Update",
    "Update",  // TODO translate
    "Update",  // TODO translate
    "Update"  // TODO translate
};
const MessageTable vbatt = {
    "Vbatt",
    "Vbatt",
    "Vbatt",  // TODO translate
    "Vbatt",  // TODO translate
    "Vbatt"  // TODO translate
};
const MessageTable wave = {
    "Wave",
    "Wave",
    "Wave",  // TODO translate
    "Wave",  // TODO translate
    "Wave"  // TODO translate
};

const std::array<const char*, 10> cmdOui = {"Non", "Oui", "No", "Yes", "Nein", "Ja", "No", "Si", "No", "Si"};

const std::array<MessageTable, NB_ERREURS> erreur = {{
    {"Fichier BRISKEL.INI introuvable", "File BRISKEL.INI not found", "Setup file BRISKEL.INI nicht gefunden", "Fichero BRISKEL.INI no encontrado", "Impossibile trovare il file BRISKEL.INI"},
    {"Impossible d'ouvrir d'autres Fenêtres", "Cannot open more Windows", "Maximale Fensteranzahl überschissen", "Impossible abrir otras ventanas", "Impossibile aprire altre finestre"},
    {"Icône de barre d'outils introuvable", "Toolbar icon not found", "Symbolleisten Icon nicht gefunden", "No se encuentra el icono de la barra de herramientas", "Impossibile trovare l’icona della barra strumenti"},
    {"Aucun graphe n'a été sélectionné", "No graph selected", "Wählen Sie einen Diagramm", "Seleccionar un gráfico", "Nessun grafico selezionato"},
    {"Répertoire de travail introuvable", "Working directory not found", "Arbeitsverzeichnis nicht gefunden", "Directorio de trabajo inexistente", "Directory di lavoro introvabile"},
    {"Impossible de lancer EXCEL", "Cannot launch EXCEL", "Fehler beim EXCEL starten", "Error en el lanzamiento de EXCEL", "Impossibile avviare EXCEL"},
    {"Erreur d'écriture vers EXCEL", "Error writing to EXCEL", "Fehler bei der Datenübertragung zum Blatt", "Error writing to EXCEL" /* TODO translate */, "Errore di scrittura su EXCEL"},
    {"Attention !  Fermeture d'EXCEL", "Warning !  EXCEL will be closed", "Achtung !  EXCEL beenden", "Cuidado !  EXCEL cerrado", "Attenzione !  Chiusura di EXCEL"},
    {"Fichier introuvable", "No file found", "File nicht gefunden", "Fichero no encontrado", "File non trovato"},
    {"Nom de fichier incorrect", "Bad Filename", "Falscher Filename", "Nombre de fichero incorrecto", "Nome di file errato"},
    {"Pas de réponse de l'appareil", "No response from the instrument", "Keine Antwort des Geräts", "No hay respuesta del aparato", "Assenza di risposta del apparecchio"},
    {"Numéro de port série invalide", "Invalid serial port number", "Nummer der seriellen Schnittstelle ungültig", "Número de puerto serie inválido", "Numero di porta seriale non valido"},
    {"Port série occupé", "Serial port busy", "Serielle Schnittstelle belegt", "Puerto serie ocupado", "Porta seriale occupata"},
    {"Mémoire vide ou erronée", "Empty or wrong memory", "Leerer oder Falscher Speicher", "Memoria incorrecta", "Memoria errata"},
    {"Enregistrer la mesure dans l'appareil :Opération impossible", "Record measurement in the instrument :Impossible to do this command", "Die Messung im Gerät aufzeichnen :Befehl unmöglich", "Registrar la medida en el aparato :Mando impossible", "Registra la misura nell'apparecchio :Operazione impossibile"},
    {"Opération impossible", "Impossible to do this command", "Befehl unmöglich", "Mando impossible", "Operazione impossibile"},
    {"Abandon par opérateur", "Stop asked by operator", "Durch Benutzer abgebrochen", "Interrumpido por el usuario", "Annullamento dell'utente"},
    {"Communication erronée", "Wrong communication", "Falscher Kommunikation", "Communicación incorrecta", "Comunicazione errata"},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
    {"", "", "", "", ""},
}};
