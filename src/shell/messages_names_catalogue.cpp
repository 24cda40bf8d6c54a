// The texts of the objects' names.
#include "shell/messages.h"

const MessageTable noms_abime = {
    "Certaines lignes du fichier des noms d'objets\n{path}\nsont illisibles ({count}). Les objets qu'elles désignent n'ont pas de nom ; ces lignes restent telles quelles dans le fichier.",
    "Some lines of the file of object names\n{path}\ncannot be read ({count}). The objects they name have no name; the lines stay in the file as they stand.",
    "Einige Zeilen der Datei der Objektnamen\n{path}\nsind nicht lesbar ({count}). Die betroffenen Objekte haben keinen Namen; die Zeilen bleiben unverändert in der Datei.",
    "Algunas líneas del archivo de nombres de objetos\n{path}\nno se pueden leer ({count}). Los objetos que designan no tienen nombre; las líneas se quedan tal cual en el archivo.",
    "Alcune righe del file dei nomi degli oggetti\n{path}\nnon sono leggibili ({count}). Gli oggetti che indicano non hanno nome; le righe restano invariate nel file."
};
const MessageTable noms_echec = {
    "Le fichier des noms d'objets\n{path}\nn'a pas pu être écrit. Il reste tel qu'il était : le nom n'est pas enregistré.",
    "The file of object names\n{path}\ncould not be written. It stays as it was: the name is not saved.",
    "Die Datei der Objektnamen\n{path}\nkonnte nicht geschrieben werden. Sie bleibt, wie sie war: der Name ist nicht gespeichert.",
    "El archivo de nombres de objetos\n{path}\nno se pudo escribir. Se queda como estaba: el nombre no se ha guardado.",
    "Il file dei nomi degli oggetti\n{path}\nnon è stato scritto. Resta com'era: il nome non è salvato."
};
const MessageTable noms_illisible = {
    "Le fichier des noms d'objets\n{path}\nn'a pas pu être lu. Les objets sont montrés sans nom et aucun nom n'est enregistré, pour ne pas effacer ceux du fichier.",
    "The file of object names\n{path}\ncould not be read. The objects are shown without names and no name is saved, so as not to wipe out those in the file.",
    "Die Datei der Objektnamen\n{path}\nkonnte nicht gelesen werden. Die Objekte werden ohne Namen gezeigt und kein Name wird gespeichert, damit die Namen der Datei nicht verloren gehen.",
    "El archivo de nombres de objetos\n{path}\nno se pudo leer. Los objetos se muestran sin nombre y no se guarda ningún nombre, para no borrar los del archivo.",
    "Il file dei nomi degli oggetti\n{path}\nnon è stato letto. Gli oggetti sono mostrati senza nome e nessun nome viene salvato, per non cancellare quelli del file."
};
const MessageTable objet_titre = {
    "Objet {object} — {name}",
    "Object {object} — {name}",
    "Objekt {object} — {name}",
    "Objeto {object} — {name}",
    "Oggetto {object} — {name}"
};
const MessageTable nom_objet = {
    "Nom de l'objet",
    "Name of the object",
    "Name des Objekts",
    "Nombre del objeto",
    "Nome dell'oggetto"
};
