// The texts of the import panel's name field (its label is nom_objet) and
// the summary's line of the names an export released.
#include "shell/messages.h"

const MessageTable nom_precedent = {
    "Nom précédent de l'objet",
    "Previous name of the object",
    "Früherer Name des Objekts",
    "Nombre anterior del objeto",
    "Nome precedente dell'oggetto"
};
const MessageTable nom_precedent_note = {
    "L'appareil n'a plus les tests auxquels ce nom a été donné. Entrée le garde pour les tests "
    "de cet objet ; un autre texte le remplace.",
    "The instrument no longer holds the tests this name was given with. Enter keeps it for this "
    "object's tests; any other text replaces it.",
    "Das Gerät enthält die Tests nicht mehr, mit denen dieser Name vergeben wurde. Die "
    "Eingabetaste behält ihn für die Tests dieses Objekts; ein anderer Text ersetzt ihn.",
    "El instrumento ya no contiene las pruebas con las que se dio este nombre. Intro lo conserva "
    "para las pruebas de este objeto; otro texto lo sustituye.",
    "Lo strumento non contiene più le prove con cui è stato dato questo nome. Invio lo mantiene "
    "per le prove di questo oggetto; un altro testo lo sostituisce."
};
const MessageTable nom_sans_serie = {
    "L'appareil ne donne pas son numéro de série : ses objets ne peuvent pas être nommés.",
    "The instrument does not give its serial number: its objects cannot be named.",
    "Das Gerät gibt seine Seriennummer nicht an: seine Objekte können nicht benannt werden.",
    "El instrumento no da su número de serie: sus objetos no se pueden nombrar.",
    "Lo strumento non fornisce il suo numero di serie: i suoi oggetti non possono essere nominati."
};
const MessageTable bilan_noms_liberes = {
    "\nNoms libérés, leurs objets vidés : {names}",
    "\nNames released, their objects emptied: {names}",
    "\nFreigegebene Namen, ihre Objekte geleert: {names}",
    "\nNombres liberados, sus objetos vaciados: {names}",
    "\nNomi liberati, i loro oggetti svuotati: {names}"
};
