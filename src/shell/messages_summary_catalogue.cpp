// The message catalogue, continued: the summary workbook of an export.
#include "shell/messages.h"

const MessageTable synthese = {
    "Classeur de synthèse",
    "Summary workbook",
    "Übersichts-Arbeitsmappe",
    "Libro de resumen",
    "Cartella di riepilogo"
};
const MessageTable synthese_bilan = {
    "Classeur de synthèse : {name}",
    "Summary workbook: {name}",
    "Übersichts-Arbeitsmappe: {name}",
    "Libro de resumen: {name}",
    "Cartella di riepilogo: {name}"
};
const MessageTable synthese_echec = {
    "Le classeur de synthèse n'a pas pu être enregistré sous\n{path}\nLes classeurs des tests ne sont pas touchés.",
    "The summary workbook could not be saved as\n{path}\nThe workbooks of the tests are not affected.",
    "Die Übersichts-Arbeitsmappe konnte nicht gespeichert werden als\n{path}\nDie Arbeitsmappen der Tests sind davon nicht betroffen.",
    "El libro de resumen no se pudo guardar como\n{path}\nLos libros de las pruebas no se ven afectados.",
    "La cartella di riepilogo non è stata salvata come\n{path}\nLe cartelle di lavoro delle prove non sono interessate."
};
const MessageTable synthese_feuille = {
    "Tests",
    "Tests",
    "Tests",
    "Pruebas",
    "Prove"
};
const MessageTable synthese_genre = {
    "Genre",
    "Kind",
    "Art",
    "Tipo",
    "Tipo"
};
const MessageTable synthese_date = {
    "Date et heure",
    "Date and time",
    "Datum und Uhrzeit",
    "Fecha y hora",
    "Data e ora"
};
const MessageTable synthese_classeur = {
    "Classeur",
    "Workbook",
    "Arbeitsmappe",
    "Libro",
    "Cartella di lavoro"
};
const MessageTable synthese_resultat = {
    "Résultat",
    "What happened",
    "Ergebnis",
    "Resultado",
    "Esito"
};
const MessageTable synthese_ecrit = {
    "Enregistré",
    "Written",
    "Geschrieben",
    "Guardada",
    "Salvata"
};
const MessageTable synthese_efface = {
    "Enregistré, puis effacé de l'appareil",
    "Written, then erased from the instrument",
    "Geschrieben, dann im Gerät gelöscht",
    "Guardada y luego borrada del instrumento",
    "Salvata, poi cancellata dallo strumento"
};
const MessageTable synthese_garde = {
    "Enregistré ; effacement non confirmé, peut-être encore dans l'appareil",
    "Written; erasure not confirmed, it may still be in the instrument",
    "Geschrieben; Löschen nicht bestätigt, möglicherweise noch im Gerät",
    "Guardada; borrado no confirmado, puede que siga en el instrumento",
    "Salvata; cancellazione non confermata, potrebbe essere ancora nello strumento"
};
const MessageTable synthese_deja = {
    "Ignoré, déjà exporté",
    "Left out, already exported",
    "Ausgelassen, bereits exportiert",
    "Omitida, ya exportada",
    "Saltata, già esportata"
};
const MessageTable synthese_echoue = {
    "Échec : {why}",
    "Failed: {why}",
    "Fehlgeschlagen: {why}",
    "Fallida: {why}",
    "Non riuscita: {why}"
};
const MessageTable synthese_pas_ecrit = {
    "Pas enregistré : {why}",
    "Not written: {why}",
    "Nicht geschrieben: {why}",
    "No guardada: {why}",
    "Non salvata: {why}"
};
const MessageTable synthese_non_lu = {
    "téléchargement illisible",
    "could not be downloaded",
    "Download nicht lesbar",
    "no se pudo descargar",
    "scaricamento non riuscito"
};
const MessageTable synthese_sans_valeur = {
    "aucune valeur mesurée (genre sans disposition)",
    "no measured value (kind without a layout)",
    "kein Messwert (Art ohne Tabellenaufbau)",
    "ningún valor medido (tipo sin disposición)",
    "nessun valore misurato (tipo senza disposizione)"
};
const MessageTable synthese_non_enregistre = {
    "le classeur n'a pas pu être enregistré",
    "the workbook could not be saved",
    "die Arbeitsmappe konnte nicht gespeichert werden",
    "el libro no se pudo guardar",
    "la cartella di lavoro non è stata salvata"
};
const MessageTable synthese_perdu = {
    "l'appareil ne répondait plus",
    "the instrument went away",
    "das Gerät antwortete nicht mehr",
    "el instrumento dejó de responder",
    "lo strumento non rispondeva più"
};
const MessageTable synthese_annule = {
    "enregistrement annulé ou fichier existant gardé",
    "save cancelled or existing file kept",
    "Speichern abgebrochen oder vorhandene Datei behalten",
    "guardado cancelado o archivo existente conservado",
    "salvataggio annullato o file esistente mantenuto"
};
const MessageTable synthese_arrete = {
    "exportation arrêtée",
    "export stopped",
    "Export angehalten",
    "exportación detenida",
    "esportazione interrotta"
};
const MessageTable synthese_note_arret = {
    "Exportation arrêtée par l'opérateur : les tests après le dernier de cette liste n'ont pas été exportés.",
    "Export stopped by the operator: the tests after the last one of this list were not exported.",
    "Export vom Bediener angehalten: die Tests nach dem letzten dieser Liste wurden nicht exportiert.",
    "Exportación detenida por el operador: las pruebas posteriores a la última de esta lista no se exportaron.",
    "Esportazione interrotta dall'operatore: le prove dopo l'ultima di questo elenco non sono state esportate."
};
const MessageTable synthese_note_coupe = {
    "Exportation interrompue : l'appareil ne répondait plus. Les tests en échec restent dans l'appareil.",
    "Export cut off: the instrument went away. The tests marked failed stay in the instrument.",
    "Export abgebrochen: das Gerät antwortete nicht mehr. Die fehlgeschlagenen Tests bleiben im Gerät.",
    "Exportación interrumpida: el instrumento dejó de responder. Las pruebas fallidas siguen en el instrumento.",
    "Esportazione interrotta: lo strumento non rispondeva più. Le prove non riuscite restano nello strumento."
};
const MessageTable synthese_boucle_courte = {
    "Boucle courte",
    "Loop short",
    "Schleife kurz",
    "Bucle corto",
    "Anello breve"
};
const MessageTable synthese_boucle_terre = {
    "Boucle de terre",
    "Earth loop",
    "Erdschleife",
    "Bucle de tierra",
    "Anello di terra"
};
const MessageTable synthese_boucle_terre_courte = {
    "Boucle de terre courte",
    "Earth loop short",
    "Erdschleife kurz",
    "Bucle de tierra corto",
    "Anello di terra breve"
};
const MessageTable synthese_page = {
    "Page {page} sur {pages}",
    "Page {page} of {pages}",
    "Seite {page} von {pages}",
    "Página {page} de {pages}",
    "Pagina {page} di {pages}"
};
