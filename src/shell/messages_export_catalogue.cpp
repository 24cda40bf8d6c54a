// The message catalogue, continued: automatic workbook names, the export
// journal, the summary at the end of an export and why a workbook or the
// working folder could not be written.
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
    "Classeurs enregistrés : {written}\nIgnorés, déjà exportés : {skipped}\nÉchecs : {failed}{erasures}\nDossier : {folder}",
    "Workbooks written: {written}\nSkipped, already exported: {skipped}\nFailed: {failed}{erasures}\nFolder: {folder}",
    "Geschriebene Arbeitsmappen: {written}\nÜbersprungen, bereits exportiert: {skipped}\nFehlgeschlagen: {failed}{erasures}\nOrdner: {folder}",
    "Libros guardados: {written}\nOmitidas, ya exportadas: {skipped}\nFallidas: {failed}{erasures}\nCarpeta: {folder}",
    "Cartelle di lavoro salvate: {written}\nSaltate, già esportate: {skipped}\nNon riuscite: {failed}{erasures}\nCartella: {folder}"
};
const MessageTable classeur_echec = {
    "Le classeur du test {test} de l'objet {object} ({kind}) n'a pas pu être enregistré sous\n{path}\nRien n'a été effacé : le test reste dans l'appareil.",
    "The workbook of test {test} of object {object} ({kind}) could not be saved as\n{path}\nNothing was erased: the test stays in the instrument.",
    "Die Arbeitsmappe von Test {test} des Objekts {object} ({kind}) konnte nicht gespeichert werden als\n{path}\nEs wurde nichts gelöscht: der Test bleibt im Gerät.",
    "El libro de la prueba {test} del objeto {object} ({kind}) no se pudo guardar como\n{path}\nNo se ha borrado nada: la prueba permanece en el instrumento.",
    "La cartella di lavoro della prova {test} dell'oggetto {object} ({kind}) non è stata salvata come\n{path}\nNon è stato cancellato nulla: la prova resta nello strumento."
};
const MessageTable classeur_ouvert = {
    "Le classeur\n{path}\nest ouvert dans un autre programme, qui ne le laisse pas remplacer. Fermez-le dans ce programme, puis exportez à nouveau. Rien n'a été effacé : le test reste dans l'appareil.",
    "The workbook\n{path}\nis open in another program, which does not let it be replaced. Close it there, then export again. Nothing was erased: the test stays in the instrument.",
    "Die Arbeitsmappe\n{path}\nist in einem anderen Programm geöffnet, das sie nicht ersetzen lässt. Schließen Sie sie dort und exportieren Sie erneut. Es wurde nichts gelöscht: der Test bleibt im Gerät.",
    "El libro\n{path}\nestá abierto en otro programa, que no deja reemplazarlo. Ciérrelo allí y vuelva a exportar. No se ha borrado nada: la prueba permanece en el instrumento.",
    "La cartella di lavoro\n{path}\nè aperta in un altro programma, che non la lascia sostituire. Chiudetela lì, poi esportate di nuovo. Non è stato cancellato nulla: la prova resta nello strumento."
};
const MessageTable classeur_lecture_seule = {
    "Le classeur\n{path}\nest marqué en lecture seule : il n'a pas été remplacé. Retirez cette marque (dans les propriétés du fichier) ou enregistrez sous un autre nom, puis exportez à nouveau. Rien n'a été effacé : le test reste dans l'appareil.",
    "The workbook\n{path}\nis marked read-only, so it was not replaced. Clear that mark (in the file's properties) or save under another name, then export again. Nothing was erased: the test stays in the instrument.",
    "Die Arbeitsmappe\n{path}\nist schreibgeschützt und wurde nicht ersetzt. Heben Sie den Schreibschutz auf (in den Eigenschaften der Datei) oder speichern Sie unter einem anderen Namen, und exportieren Sie erneut. Es wurde nichts gelöscht: der Test bleibt im Gerät.",
    "El libro\n{path}\nestá marcado como de solo lectura: no se ha reemplazado. Quite esa marca (en las propiedades del archivo) o guarde con otro nombre, y vuelva a exportar. No se ha borrado nada: la prueba permanece en el instrumento.",
    "La cartella di lavoro\n{path}\nè contrassegnata come di sola lettura: non è stata sostituita. Togli questo contrassegno (nelle proprietà del file) o salva con un altro nome, poi esporta di nuovo. Non è stato cancellato nulla: la prova resta nello strumento."
};
const MessageTable classeur_refuse = {
    "Le classeur\n{path}\nn'a pas pu être enregistré : le système ne laisse pas le programme écrire dans son dossier. {why}\nRien n'a été effacé : le test reste dans l'appareil.",
    "The workbook\n{path}\ncould not be saved: the system does not let the program write in its folder. {why}\nNothing was erased: the test stays in the instrument.",
    "Die Arbeitsmappe\n{path}\nkonnte nicht gespeichert werden: das System lässt das Programm nicht in ihren Ordner schreiben. {why}\nEs wurde nichts gelöscht: der Test bleibt im Gerät.",
    "El libro\n{path}\nno se pudo guardar: el sistema no permite al programa escribir en su carpeta. {why}\nNo se ha borrado nada: la prueba permanece en el instrumento.",
    "La cartella di lavoro\n{path}\nnon è stata salvata: il sistema non permette al programma di scrivere nella sua cartella. {why}\nNon è stato cancellato nulla: la prova resta nello strumento."
};
const MessageTable dossier_refuse = {
    "Le système ne laisse pas le programme écrire dans le dossier de travail\n{folder}\n{why}",
    "The system does not let the program write in the working folder\n{folder}\n{why}",
    "Das System lässt das Programm nicht in den Arbeitsordner schreiben:\n{folder}\n{why}",
    "El sistema no permite al programa escribir en la carpeta de trabajo\n{folder}\n{why}",
    "Il sistema non permette al programma di scrivere nella cartella di lavoro\n{folder}\n{why}"
};
const MessageTable refus_windows = {
    "Soit l'accès contrôlé aux dossiers le protège : autorisez Briskel View dans Sécurité Windows > Protection contre les virus et menaces > Protection contre les ransomware > Autoriser une application via l'accès contrôlé aux dossiers. Soit ses autorisations ne vous permettent pas d'y écrire : voyez l'onglet Sécurité des Propriétés du dossier. Autorisez-y le programme, ou choisissez un autre dossier.",
    "Either Controlled folder access protects it: allow Briskel View in Windows Security > Virus & threat protection > Ransomware protection > Allow an app through Controlled folder access. Or its access list does not let you write in it: see the Security tab of the folder's Properties. Allow the program there, or choose another folder.",
    "Entweder schützt ihn der überwachte Ordnerzugriff: lassen Sie Briskel View zu unter Windows-Sicherheit > Viren- & Bedrohungsschutz > Ransomware-Schutz > App durch überwachten Ordnerzugriff zulassen. Oder seine Berechtigungen erlauben Ihnen nicht, darin zu schreiben: siehe die Registerkarte Sicherheit in den Eigenschaften des Ordners. Lassen Sie das Programm dort zu, oder wählen Sie einen anderen Ordner.",
    "O bien el acceso controlado a carpetas la protege: permita Briskel View en Seguridad de Windows > Protección antivirus y contra amenazas > Protección contra ransomware > Permitir una aplicación a través del acceso controlado a carpetas. O bien sus permisos no le dejan escribir en ella: vea la pestaña Seguridad de las Propiedades de la carpeta. Permita allí el programa, o elija otra carpeta.",
    "O l'accesso alle cartelle controllato la protegge: consenti Briskel View in Sicurezza di Windows > Protezione da virus e minacce > Protezione ransomware > Consenti app tramite accesso alle cartelle controllato. Oppure le sue autorizzazioni non ti permettono di scriverci: vedi la scheda Sicurezza nelle Proprietà della cartella. Consenti lì il programma, oppure scegli un'altra cartella."
};
const MessageTable refus_linux = {
    "Ses permissions ne vous permettent pas d'y écrire, ou il se trouve sur un support en lecture seule. Changez ses permissions, ou choisissez un autre dossier.",
    "Its permissions do not let you write in it, or it lies on a read-only medium. Change its permissions, or choose another folder.",
    "Seine Berechtigungen erlauben Ihnen nicht, darin zu schreiben, oder er liegt auf einem schreibgeschützten Datenträger. Ändern Sie seine Berechtigungen, oder wählen Sie einen anderen Ordner.",
    "Sus permisos no le dejan escribir en ella, o está en un soporte de solo lectura. Cambie sus permisos, o elija otra carpeta.",
    "I suoi permessi non ti permettono di scriverci, o si trova su un supporto di sola lettura. Cambia i suoi permessi, oppure scegli un'altra cartella."
};
const MessageTable chemin_long = {
    "\nClasseurs au chemin de plus de {max} caractères : {count}. Votre tableur risque de ne pas les ouvrir (Excel n'ouvre que des chemins d'au plus {max} caractères) : choisissez un dossier de travail au chemin plus court, ou déplacez-les dans un tel dossier.",
    "\nWorkbooks with a path longer than {max} characters: {count}. Your spreadsheet program may not open them (Excel opens paths of at most {max} characters): choose a working folder with a shorter path, or move them to one.",
    "\nArbeitsmappen mit einem Pfad von mehr als {max} Zeichen: {count}. Ihr Tabellenprogramm öffnet sie möglicherweise nicht (Excel öffnet Pfade von höchstens {max} Zeichen): wählen Sie einen Arbeitsordner mit kürzerem Pfad, oder verschieben Sie sie in einen solchen Ordner.",
    "\nLibros con una ruta de más de {max} caracteres: {count}. Es posible que su programa de hojas de cálculo no los abra (Excel abre rutas de {max} caracteres como máximo): elija una carpeta de trabajo con una ruta más corta, o muévalos a una carpeta así.",
    "\nCartelle di lavoro con un percorso di più di {max} caratteri: {count}. Il tuo programma di fogli di calcolo potrebbe non aprirle (Excel apre percorsi di al massimo {max} caratteri): scegli una cartella di lavoro con un percorso più corto, oppure spostale in una cartella così."
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
