// The message catalogue, continued: automatic workbook names, the export
// journal and the summary at the end of an export.
#include "shell/messages.h"

const MessageTable noms_auto = {
    "Nommer les classeurs automatiquement",
    "Name workbooks automatically",
    "Arbeitsmappen automatisch benennen",
    "Nombrar los libros automáticamente",
    "Denomina automaticamente le cartelle di lavoro"
};
const MessageTable ouvrir_dossier = {
    "Ouvrir le dossier",
    "Open folder",
    "Ordner öffnen",
    "Abrir carpeta",
    "Apri cartella"
};
const MessageTable dossier_absent = {
    "Le dossier de travail\n{folder}\nn'existe pas (ou n'est pas un dossier). Choisissez-en un autre avec Parcourir.",
    "The working folder\n{folder}\ndoes not exist (or is not a folder). Choose another one with Browse.",
    "Der Arbeitsordner\n{folder}\nexistiert nicht (oder ist kein Ordner). Wählen Sie mit Durchsuchen einen anderen.",
    "La carpeta de trabajo\n{folder}\nno existe (o no es una carpeta). Elija otra con Examinar.",
    "La cartella di lavoro\n{folder}\nnon esiste (o non è una cartella). Scegline un'altra con Sfoglia."
};
const MessageTable dossier_protege = {
    "Le dossier de travail\n{folder}\nn'accepte pas d'écriture : aucun classeur ne peut y être enregistré. Choisissez-en un autre avec Parcourir.",
    "The working folder\n{folder}\ncannot be written to: no workbook can be saved in it. Choose another one with Browse.",
    "In den Arbeitsordner\n{folder}\nkann nicht geschrieben werden: keine Arbeitsmappe kann dort gespeichert werden. Wählen Sie mit Durchsuchen einen anderen.",
    "En la carpeta de trabajo\n{folder}\nno se puede escribir: no se puede guardar ningún libro en ella. Elija otra con Examinar.",
    "Nella cartella di lavoro\n{folder}\nnon si può scrivere: nessuna cartella di lavoro può esservi salvata. Scegline un'altra con Sfoglia."
};
const MessageTable dossier_trop_long = {
    "Le chemin du dossier de travail\n{folder}\ncompte plus de {max} caractères, plus que le programme ne peut en garder. Choisissez un dossier au chemin plus court.",
    "The path of the working folder\n{folder}\nhas more than {max} characters, more than the program can keep. Choose a folder with a shorter path.",
    "Der Pfad des Arbeitsordners\n{folder}\nhat mehr als {max} Zeichen, mehr als das Programm speichern kann. Wählen Sie einen Ordner mit kürzerem Pfad.",
    "La ruta de la carpeta de trabajo\n{folder}\ntiene más de {max} caracteres, más de los que el programa puede guardar. Elija una carpeta con una ruta más corta.",
    "Il percorso della cartella di lavoro\n{folder}\nha più di {max} caratteri, più di quanti il programma possa conservarne. Scegli una cartella con un percorso più corto."
};
const MessageTable rien_exporte = {
    "\nRien n'a été téléchargé ni effacé : tous les tests restent dans l'appareil.",
    "\nNothing was downloaded or erased: every test stays in the instrument.",
    "\nEs wurde nichts heruntergeladen oder gelöscht: alle Tests bleiben im Gerät.",
    "\nNo se ha descargado ni borrado nada: todas las pruebas permanecen en el instrumento.",
    "\nNon è stato scaricato né cancellato nulla: tutte le prove restano nello strumento."
};
const MessageTable nouveaux_seuls = {
    "Seulement les tests pas encore exportés",
    "Only tests not exported yet",
    "Nur noch nicht exportierte Tests",
    "Solo las pruebas aún no exportadas",
    "Solo le prove non ancora esportate"
};
const MessageTable deja_exporte = {
    "{test}, déjà exporté",
    "{test}, already exported",
    "{test}, bereits exportiert",
    "{test}, ya exportada",
    "{test}, già esportata"
};
const MessageTable bilan_export = {
    "Classeurs enregistrés : {written}\nIgnorés, déjà exportés : {skipped}\nÉchecs : {failed}\nDossier : {folder}",
    "Workbooks written: {written}\nSkipped, already exported: {skipped}\nFailed: {failed}\nFolder: {folder}",
    "Geschriebene Arbeitsmappen: {written}\nÜbersprungen, bereits exportiert: {skipped}\nFehlgeschlagen: {failed}\nOrdner: {folder}",
    "Libros guardados: {written}\nOmitidas, ya exportadas: {skipped}\nFallidas: {failed}\nCarpeta: {folder}",
    "Cartelle di lavoro salvate: {written}\nSaltate, già esportate: {skipped}\nNon riuscite: {failed}\nCartella: {folder}"
};
const MessageTable classeur_echec = {
    "Le classeur du test {test} de l'objet {object} ({kind}) n'a pas pu être enregistré sous\n{path}\nRien n'a été effacé : le test reste dans l'appareil.",
    "The workbook of test {test} of object {object} ({kind}) could not be saved as\n{path}\nNothing was erased: the test stays in the instrument.",
    "Die Arbeitsmappe von Test {test} des Objekts {object} ({kind}) konnte nicht gespeichert werden als\n{path}\nEs wurde nichts gelöscht: der Test bleibt im Gerät.",
    "El libro de la prueba {test} del objeto {object} ({kind}) no se pudo guardar como\n{path}\nNo se ha borrado nada: la prueba permanece en el instrumento.",
    "La cartella di lavoro della prova {test} dell'oggetto {object} ({kind}) non è stata salvata come\n{path}\nNon è stato cancellato nulla: la prova resta nello strumento."
};
const MessageTable journal_echec = {
    "Le journal des exportations\n{path}\nn'a pas pu être écrit. Les classeurs sont enregistrés, mais « Seulement les tests pas encore exportés » ne les connaîtra pas.",
    "The export journal\n{path}\ncould not be written. The workbooks are saved, but \"Only tests not exported yet\" will not know about them.",
    "Das Exportprotokoll\n{path}\nkonnte nicht geschrieben werden. Die Arbeitsmappen sind gespeichert, aber „Nur noch nicht exportierte Tests“ kennt sie nicht.",
    "El registro de exportaciones\n{path}\nno se pudo escribir. Los libros están guardados, pero «Solo las pruebas aún no exportadas» no los tendrá en cuenta.",
    "Il registro delle esportazioni\n{path}\nnon è stato scritto. Le cartelle di lavoro sono salvate, ma «Solo le prove non ancora esportate» non ne terrà conto."
};
const MessageTable journal_abime = {
    "Certaines lignes du journal des exportations\n{path}\nsont illisibles ({count}). Elles ont été ignorées : les tests concernés comptent comme pas encore exportés.",
    "Some lines of the export journal\n{path}\ncannot be read ({count}). They were skipped: the tests they name count as not exported yet.",
    "Einige Zeilen des Exportprotokolls\n{path}\nsind nicht lesbar ({count}). Sie wurden übersprungen: die betroffenen Tests gelten als noch nicht exportiert.",
    "Algunas líneas del registro de exportaciones\n{path}\nno se pueden leer ({count}). Se han omitido: las pruebas afectadas cuentan como aún no exportadas.",
    "Alcune righe del registro delle esportazioni\n{path}\nnon sono leggibili ({count}). Sono state ignorate: le prove interessate contano come non ancora esportate."
};
const MessageTable journal_titre = {
    "Journal des exportations",
    "Export journal",
    "Exportprotokoll",
    "Registro de exportaciones",
    "Registro delle esportazioni"
};

std::string FillPlaceholders(std::string text,
                             std::initializer_list<std::pair<const char*, std::string>> values) {
    // One pass from left to right: a value that holds "{...}" (a folder name)
    // is never filled in again.
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        bool replaced = false;
        if (text[at] == '{') {
            for (const auto& [name, value] : values) {
                const std::string placeholder = std::string("{") + name + "}";
                if (text.compare(at, placeholder.size(), placeholder) == 0) {
                    out += value;
                    at += placeholder.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[at++];
    }
    return out;
}
