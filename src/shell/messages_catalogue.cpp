// The message catalogue. Texts keep their exact blanks and line breaks.
#include "shell/messages.h"

const MessageTable atten_exp = {
    "Exportation en cours... ",
    "Exportation in progress...   ",
    "Export läuft...   ",
    "Exportación en curso...   ",
    "Esportazione in corso...   "
};
const MessageTable attente = {
    "Attendre, s'il vous plait ...  <Stop> pour arrêter",
    "Please wait ...  <Stop> to abort",
    "Bitte warten ...  <Stop> zum Abbrechen",
    "Espere, por favor ...  <Stop> para interrumpir",
    "Attendere prego ...  <Stop> per interrompere"
};
const MessageTable attente_1 = {
    "Attendre, s'il vous plait ...  ",
    "Please wait ...  ",
    "Bitte warten ...  ",
    "Espere, por favor ...  ",
    "Attendere prego ...  "
};
const MessageTable AucunCOM = {
    "L'application n'a pas détecté l'appareil.\n Vérifier la connexion et suivre la procédure.\n\nProcédure :\n - Eteindre l'appareil.\n - Fermer l'application.\n - Laisser le cordon USB entre le PC et l'appareil.\n - Démarrer l'appareil en plaçant le commutateur sur la position 'SET- UP'. \n - Relancer l'application.",
    "The software has not detected the instrument.\n Verify connection and follow the procedure.\n\nProcedure :\n - Switch off the device.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",
    "Die Software hat das Gerät nicht erkannt.\n Prüfen Sie die Verbindung und befolgen Sie die Anleitung.\n\nVorgehensweise :\n - Gerät ausschalten.\n - Anwendung schließen.\n - USB-Kabel zwischen PC und Gerät gesteckt lassen.\n - Gerät in der Stellung 'SET- UP' einschalten.\n - Anwendung neu starten.",
    "El programa no ha detectado el aparato.\n Compruebe la conexión y siga el procedimiento.\n\nProcedimiento :\n - Apague el aparato.\n - Cierre la aplicación.\n - Deje el cable USB conectado entre el PC y el aparato.\n - Encienda el aparato en la posición 'SET- UP'.\n - Vuelva a iniciar la aplicación.",
    "Il programma non ha rilevato l'apparecchio.\n Verificare il collegamento e seguire la procedura.\n\nProcedura :\n - Spegnere l'apparecchio.\n - Chiudere l'applicazione.\n - Lasciare il cavo USB collegato tra il PC e l'apparecchio.\n - Accendere l'apparecchio con il commutatore in posizione 'SET- UP'.\n - Riavviare l'applicazione."
};
const MessageTable avertpos = {
    "L'appareil doit être en position SET-UP",
    "Instrument must be in set-up position",
    "Das Gerät muss in der Stellung SET-UP stehen",
    "El aparato debe estar en la posición SET-UP",
    "L'apparecchio deve essere in posizione SET-UP"
};
const MessageTable BadOS = {
    "Le système d'exploitation de votre ordinateur est trop ancien pour faire fonctionner ce programme.",
    "The operating system of this computer is too old to handle an upgrade of your installation controller.",
    "Das Betriebssystem dieses Computers ist zu alt, um dieses Programm auszuführen.",
    "El sistema operativo de este ordenador es demasiado antiguo para ejecutar este programa.",
    "Il sistema operativo di questo computer è troppo vecchio per eseguire questo programma."
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
    "Projektleiter :",
    "Jefe de proyecto :",
    "Responsabile\ndi progetto :"
};
const MessageTable clamptype = {
    // a workbook column heading: the same words in every language
    "Clamp type",
    "Clamp type",
    "Clamp type",
    "Clamp type",
    "Clamp type"
};
const MessageTable comcours = {
    "Communication en cours",
    "Communication in progress",
    "Kommunikation läuft",
    "Comunicación en curso",
    "Comunicazione in corso"
};
const MessageTable comok = {
    "Communication OK",
    "Communication OK",
    "Kommunikation OK",
    "Comunicación OK",
    "Comunicazione OK"
};
const MessageTable confir1 = {
    "Êtes-vous sûr de vouloir quitter ?\n",
    "Are you sure you want to quit ?\n",
    "Möchten Sie das Programm wirklich beenden ?\n",
    "¿Está seguro de que desea salir ?\n",
    "               Uscire ?\n"
};
const MessageTable confir3 = {
    "Mémoire vide ou erronée !   Voulez-vous continuer ?\n",
    "Empty or wrong memory !   Do you want to go on ?\n",
    "Speicher leer oder fehlerhaft !   Möchten Sie fortfahren ?\n",
    "¡Memoria vacía o errónea !   ¿Desea continuar ?\n",
    "Memoria vuota o errata !   Continuare ?\n"
};
const MessageTable CP210version = {
    "Le numéro de version du pilote de l'adaptateur USB / RS232 doit être au moins égal à 6,5.\n",
    "The version number of the driver of the USB adapter must be equal at least to 6,5.\n ",
    "Die Versionsnummer des Treibers des USB-Adapters muss mindestens 6,5 betragen.\n ",
    "El número de versión del controlador del adaptador USB debe ser como mínimo 6,5.\n ",
    "Il numero di versione del driver dell'adattatore USB deve essere almeno 6,5.\n "
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
    "Um den USB-Treiber zu installieren, starten Sie bitte folgendes Programm :\n",
    "Para instalar el controlador USB, ejecute el programa siguiente :\n",
    "Per installare il driver USB, avviare il programma seguente :\n"
};
const MessageTable develop = {
    "Développé par :",
    "Developed by :",
    "Entwickelt von :",
    "Desarrollado por :",
    "Realizzato da :"
};
const MessageTable DriverUSB = {
    "Pour une première utilisation, vérifier si le pilote de l'adaptateur USB / RS232 a été installé.\n Si ce n'est pas le cas, commencer par installer le pilote.\n Puis suivre la procédure.\n\nProcédure :\n - Eteindre l'appareil.\n - Fermer l'application.\n - Laisser le cordon USB entre le PC et l'appareil.\n - Démarrer l'appareil en plaçant le commutateur sur la position 'SET- UP'. \n - Relancer l'application.",
    "In the case of a first use, verify if the driver of the USB adapter / optical serial has been installed.\n If it is not, start by installing the driver.\n Then follow the procedure.\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",
    "Prüfen Sie bei der ersten Verwendung, ob der Treiber des USB-Adapters / optischen Schnittstellenkabels installiert ist.\n Falls nicht, installieren Sie zuerst den Treiber.\n Befolgen Sie dann die Anleitung.\n\nVorgehensweise :\n - Gerät ausschalten.\n - Anwendung schließen.\n - USB-Kabel zwischen PC und Gerät gesteckt lassen.\n - Gerät in der Stellung 'SET- UP' einschalten.\n - Anwendung neu starten.",
    "En caso de primera utilización, compruebe que el controlador del adaptador USB / serie óptico está instalado.\n Si no lo está, instale primero el controlador.\n A continuación, siga el procedimiento.\n\nProcedimiento :\n - Apague el aparato.\n - Cierre la aplicación.\n - Deje el cable USB conectado entre el PC y el aparato.\n - Encienda el aparato en la posición 'SET- UP'.\n - Vuelva a iniciar la aplicación.",
    "Al primo utilizzo, verificare che il driver dell'adattatore USB / seriale ottico sia installato.\n In caso contrario, installare prima il driver.\n Quindi seguire la procedura.\n\nProcedura :\n - Spegnere l'apparecchio.\n - Chiudere l'applicazione.\n - Lasciare il cavo USB collegato tra il PC e l'apparecchio.\n - Accendere l'apparecchio con il commutatore in posizione 'SET- UP'.\n - Riavviare l'applicazione."
};
const MessageTable Ecourant = {
    // a workbook column heading: the same words in every language
    "Current",
    "Current",
    "Current",
    "Current",
    "Current"
};
const MessageTable Edate = {
    // a workbook column heading: the same words in every language
    "Date of test",
    "Date of test",
    "Date of test",
    "Date of test",
    "Date of test"
};
const MessageTable effac_appareil = {
    "Effacer la mesure dans l'appareil ?",
    "Erase Data in the instrument ?",
    "Messung im Gerät löschen ?",
    "¿Borrar la medida en el aparato ?",
    "Cancellare la misura nell'apparecchio ?"
};
const MessageTable enregist = {
    "Enregistrer",
    "Save",
    "Speichern",
    "Guardar",
    "Salva"
};
const MessageTable Eobjet = {
    // a workbook column heading: the same words in every language
    "Object",
    "Object",
    "Object",
    "Object",
    "Object"
};
const MessageTable Etest = {
    // a workbook column heading: the same words in every language
    "Test",
    "Test",
    "Test",
    "Test",
    "Test"
};
const MessageTable etreSur = {
    "            Etes - vous sûr ?",
    "            Are - you sure ?",
    "            Sind Sie sicher ?",
    "            ¿Está seguro ?",
    "            Ne è sicuro ?"
};
const MessageTable exporte = {
    "Exporter",
    "Export",
    "Exportieren",
    "Exportar",
    "Esporta"
};
const MessageTable exporter = {
    "Exporter vers feuille EXCEL",
    "Export to EXCEL sheet",
    "In EXCEL-Blatt exportieren",
    "Exportar a hoja EXCEL",
    "Esporta in foglio EXCEL"
};
const MessageTable fichedate = {
    "Pas de fichier à cette date",
    "No file on this date",
    "Keine Datei an diesem Datum",
    "Ningún fichero en esta fecha",
    "Nessun file in questa data"
};
const MessageTable Freq = {
    // a workbook column heading: the same words in every language
    "Freq",
    "Freq",
    "Freq",
    "Freq",
    "Freq"
};
const MessageTable impomem = {
    "Exporte toute la mémoire",
    "Export all the memory",
    "Gesamten Speicher exportieren",
    "Exportar toda la memoria",
    "Esporta tutta la memoria"
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
    "__Starten",
    "__Iniciar",
    "__Avvia"
};
const MessageTable Lectmem = {
    "Lecture en cours",
    "Reading in progress",
    "Lesen läuft",
    "Lectura en curso",
    "Lettura in corso"
};
const MessageTable Meascurr = {
    // a workbook column heading: the same words in every language
    "Meas current",
    "Meas current",
    "Meas current",
    "Meas current",
    "Meas current"
};
const MessageTable messag_ecras = {
    "Feuille déja existante !    Ecraser les données ?\n",
    "Sheet already exist !    Overwrite Data ?\n",
    "Blatt bereits vorhanden !    Daten überschreiben ?\n",
    "¡La hoja ya existe !    ¿Sobrescribir los datos ?\n",
    "Foglio già esistente !    Sovrascrivere i dati ?\n"
};
const MessageTable messag_fin = {
    "Feuille prête.\n",
    "Sheet ready.\n",
    "Blatt fertig.\n",
    "Hoja lista.\n",
    "Foglio pronto.\n"
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
    "EXCEL bereit !\n",
    "¡EXCEL listo !\n",
    "EXCEL pronto !\n"
};
const MessageTable message = {
    "Message",
    "Message",
    "Meldung",
    "Mensaje",
    "Messaggio"
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
    "Blatt (*.XLS)",
    "Hoja (*.XLS)",
    "Foglio (*.XLS)"
};
const MessageTable nomtest = {
    "Fichier",
    "File",
    "Datei",
    "Fichero",
    "File"
};
const MessageTable Numport = {
    "Connaissez-vous le numéro du port de communication utilisé pour l'adaptateur USB / RS232 ?\n",
    "Do you know the number of the port of communication used for the USB adapter / optical serial ?\n ",
    "Kennen Sie die Nummer der Kommunikationsschnittstelle, die der USB-Adapter / das optische Schnittstellenkabel verwendet ?\n ",
    "¿Conoce el número del puerto de comunicación utilizado por el adaptador USB / serie óptico ?\n ",
    "Conosce il numero della porta di comunicazione utilizzata dall'adattatore USB / seriale ottico ?\n "
};
const MessageTable NumportAff = {
    "Le numéro du port de communication utilisé pour l'adaptateur USB / RS232 est: \n",
    "The number of the port of communication used for the USB adapter / optical serial is:\n ",
    "Die Nummer der Kommunikationsschnittstelle des USB-Adapters / optischen Schnittstellenkabels lautet:\n ",
    "El número del puerto de comunicación utilizado por el adaptador USB / serie óptico es:\n ",
    "Il numero della porta di comunicazione utilizzata dall'adattatore USB / seriale ottico è:\n "
};
const MessageTable objet = {
    "Objet",
    "Object",
    "Objekt",
    "Objeto",
    "Oggetto"
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
    "Durchsuchen",
    "Examinar",
    "Sfoglia"
};
const MessageTable PiloteLinux = {
    "L'adaptateur USB de l'appareil (Silicon Labs CP210x) n'a pas besoin de pilote à installer sous Linux : son pilote, cp210x, fait partie du noyau.\n La règle de périphérique du paquet donne à l'utilisateur connecté au poste l'accès au port de l'adaptateur (/dev/ttyUSB0 ou un numéro plus élevé). Sans le paquet, ou dans une session à distance, rejoindre le groupe dialout (sudo adduser $USER dialout), puis fermer la session et la rouvrir."
        "\n\nProcédure :\n - Eteindre l'appareil.\n - Fermer l'application.\n - Laisser le cordon USB entre le PC et l'appareil.\n - Démarrer l'appareil en plaçant le commutateur sur la position 'SET- UP'. \n - Relancer l'application.",
    "The USB adapter of the instrument (Silicon Labs CP210x) needs no driver installation on Linux: its driver, cp210x, is part of the kernel.\n The package's device rule gives the user logged in at the seat access to the adapter's port (/dev/ttyUSB0 or a higher number). Without the package, or in a remote session, join the dialout group (sudo adduser $USER dialout), then log out and in again."
        "\n\nProcedure :\n - Switch off the instrument.\n - Close the application.\n - Let USB cable between PC and device.\n - Start the device on 'SET- UP' position.\n - Run application.",
    "Der USB-Adapter des Geräts (Silicon Labs CP210x) braucht unter Linux keine Treiberinstallation: sein Treiber, cp210x, ist Teil des Kernels.\n Die Geräteregel des Pakets gibt dem am Arbeitsplatz angemeldeten Benutzer Zugriff auf den Port des Adapters (/dev/ttyUSB0 oder eine höhere Nummer). Ohne das Paket oder in einer entfernten Sitzung der Gruppe dialout beitreten (sudo adduser $USER dialout), dann ab- und wieder anmelden."
        "\n\nVorgehensweise :\n - Gerät ausschalten.\n - Anwendung schließen.\n - USB-Kabel zwischen PC und Gerät gesteckt lassen.\n - Gerät in der Stellung 'SET- UP' einschalten.\n - Anwendung neu starten.",
    "El adaptador USB del aparato (Silicon Labs CP210x) no necesita instalar ningún controlador en Linux: su controlador, cp210x, forma parte del núcleo.\n La regla de dispositivo del paquete da al usuario conectado en el puesto acceso al puerto del adaptador (/dev/ttyUSB0 o un número mayor). Sin el paquete, o en una sesión remota, únase al grupo dialout (sudo adduser $USER dialout) y después cierre la sesión y vuelva a abrirla."
        "\n\nProcedimiento :\n - Apague el aparato.\n - Cierre la aplicación.\n - Deje el cable USB conectado entre el PC y el aparato.\n - Encienda el aparato en la posición 'SET- UP'.\n - Vuelva a iniciar la aplicación.",
    "L'adattatore USB dell'apparecchio (Silicon Labs CP210x) non richiede l'installazione di un driver su Linux: il suo driver, cp210x, fa parte del kernel.\n La regola di dispositivo del pacchetto dà all'utente connesso alla postazione l'accesso alla porta dell'adattatore (/dev/ttyUSB0 o un numero più alto). Senza il pacchetto, o in una sessione remota, entrare nel gruppo dialout (sudo adduser $USER dialout), poi chiudere la sessione e riaprirla."
        "\n\nProcedura :\n - Spegnere l'apparecchio.\n - Chiudere l'applicazione.\n - Lasciare il cavo USB collegato tra il PC e l'apparecchio.\n - Accendere l'apparecchio con il commutatore in posizione 'SET- UP'.\n - Riavviare l'applicazione."
};
const MessageTable posetup = {
    "Laisser le commutateur sur SET-UP",
    "Let the rotator on SET-UP",
    "Drehschalter auf SET-UP lassen",
    "Deje el conmutador en SET-UP",
    "Lasciare il commutatore su SET-UP"
};
const MessageTable position = {
    "Position du commutateur",
    "Set of the rotator",
    "Stellung des Drehschalters",
    "Posición del conmutador",
    "Posizione del commutatore"
};
const MessageTable quitter = {
    "Quitter",
    "Quit",
    "Beenden",
    "Salir",
    "Esci"
};
const MessageTable Ratcurr = {
    // a workbook column heading: the same words in every language
    "Rated current",
    "Rated current",
    "Rated current",
    "Rated current",
    "Rated current"
};
const MessageTable Rodres = {
    // a workbook column heading: the same words in every language
    "Rod Resist",
    "Rod Resist",
    "Rod Resist",
    "Rod Resist",
    "Rod Resist"
};
const MessageTable smooth = {
    // a workbook column heading: the same words in every language
    "Smooth",
    "Smooth",
    "Smooth",
    "Smooth",
    "Smooth"
};
const MessageTable start = {
    // a workbook column heading: the same words in every language
    "Start",
    "Start",
    "Start",
    "Start",
    "Start"
};
const MessageTable suppression = {
    "suppression après exportation",
    "Delete after export",
    "Nach dem Export löschen",
    "Borrar después de exportar",
    "Cancella dopo l'esportazione"
};
const MessageTable Tannee = {
    "Année",
    "Year",
    "Jahr",
    "Año",
    "Anno"
};
const MessageTable Tempr = {
    // a workbook column heading: the same words in every language
    "Temp.",
    "Temp.",
    "Temp.",
    "Temp.",
    "Temp."
};
const MessageTable tension = {
    "Tension ",
    "Voltage ",
    "Spannung",
    "Tensión ",
    "Tensione"
};
const MessageTable Time = {
    // a workbook column heading: the same words in every language
    "Time",
    "Time",
    "Time",
    "Time",
    "Time"
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
    "Tag",
    "Día",
    "Giorno"
};
const MessageTable Tmois = {
    "Mois",
    "Month",
    "Monat",
    "Mes",
    "Mese"
};
const MessageTable travail = {
    "Répertoire de travail",
    "Working Directory",
    "Arbeitsverzeichnis",
    "Directorio de trabajo",
    "Cartella di lavoro"
};
const MessageTable typeMesure = {
    // a workbook column heading: the same words in every language
    "MeasType",
    "MeasType",
    "MeasType",
    "MeasType",
    "MeasType"
};
const MessageTable typetest = {
    "Mesure / Date du test",
    "Measurement / Date of test",
    "Messung / Prüfdatum",
    "Medida / Fecha de la prueba",
    "Misura / Data della prova"
};
const MessageTable unit = {
    // a workbook column heading: the same words in every language
    "unit",
    "unit",
    "unit",
    "unit",
    "unit"
};
const MessageTable update = {
    "Actualiser",
    "Update",
    "Aktualisieren",
    "Actualizar",
    "Aggiorna"
};
const MessageTable vbatt = {
    // a workbook column heading: the same words in every language
    "Vbatt",
    "Vbatt",
    "Vbatt",
    "Vbatt",
    "Vbatt"
};
const MessageTable wave = {
    // a workbook column heading: the same words in every language
    "Wave",
    "Wave",
    "Wave",
    "Wave",
    "Wave"
};

const std::array<const char*, 10> cmdOui = {"Non", "Oui", "No", "Yes", "Nein", "Ja", "No", "Si", "No", "Si"};

const std::array<MessageTable, NB_ERREURS> erreur = {{
    {"Fichier BRISKEL.INI introuvable", "File BRISKEL.INI not found", "Setup file BRISKEL.INI nicht gefunden", "Fichero BRISKEL.INI no encontrado", "Impossibile trovare il file BRISKEL.INI"},
    {"Impossible d'ouvrir d'autres Fenêtres", "Cannot open more Windows", "Maximale Fensteranzahl überschissen", "Impossible abrir otras ventanas", "Impossibile aprire altre finestre"},
    {"Icône de barre d'outils introuvable", "Toolbar icon not found", "Symbolleisten Icon nicht gefunden", "No se encuentra el icono de la barra de herramientas", "Impossibile trovare l’icona della barra strumenti"},
    {"Aucun graphe n'a été sélectionné", "No graph selected", "Wählen Sie einen Diagramm", "Seleccionar un gráfico", "Nessun grafico selezionato"},
    {"Répertoire de travail introuvable", "Working directory not found", "Arbeitsverzeichnis nicht gefunden", "Directorio de trabajo inexistente", "Directory di lavoro introvabile"},
    {"Impossible de lancer EXCEL", "Cannot launch EXCEL", "Fehler beim EXCEL starten", "Error en el lanzamiento de EXCEL", "Impossibile avviare EXCEL"},
    {"Erreur d'écriture vers EXCEL", "Error writing to EXCEL", "Fehler bei der Datenübertragung zum Blatt", "Error de escritura en EXCEL", "Errore di scrittura su EXCEL"},
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
