#include "import/import_messages.h"

#include "store/store.h"
#include "import/measurement_display.h"

const MessageTable test_illisible = {
    "Le test {test} de l'objet {object} ({kind}) n'a pas pu être lu dans l'appareil.\n"
    "Il n'a pas été exporté et reste dans l'appareil.",
    "Test {test} of object {object} ({kind}) could not be read from the instrument.\n"
    "It was not exported and stays in the instrument.",
    "Test {test} von Objekt {object} ({kind}) konnte nicht aus dem Gerät gelesen werden.\n"
    "Er wurde nicht exportiert und bleibt im Gerät.",
    "La prueba {test} del objeto {object} ({kind}) no se pudo leer del instrumento.\n"
    "No se ha exportado y permanece en el instrumento.",
    "La prova {test} dell'oggetto {object} ({kind}) non è stata letta dallo strumento.\n"
    "Non è stata esportata e resta nello strumento.",
};

namespace {

void Replace(std::string& text, const std::string& placeholder, const std::string& value) {
    std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

}  // namespace

std::string FillTestPlaceholders(const MessageTable& table, int object, int test, int kind) {
    std::string text = Texte(table);
    Replace(text, "{object}", TwoDigits(object));
    Replace(text, "{test}", TwoDigits(test));
    Replace(text, "{kind}", KindName(kind));
    return text;
}

std::string UnreadableTestText(int object, int test, int kind) {
    return FillTestPlaceholders(test_illisible, object, test, kind);
}
