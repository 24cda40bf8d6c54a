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

const MessageTable test_sans_mesure = {
    "Le test {test} de l'objet {object} ({kind}) contient une mesure que ce programme ne sait "
    "pas présenter : aucun classeur n'a été écrit.\n"
    "Il n'a pas été exporté et reste dans l'appareil.",
    "Test {test} of object {object} ({kind}) holds a measurement this program cannot lay out: "
    "no workbook was written.\n"
    "It was not exported and stays in the instrument.",
    "Test {test} von Objekt {object} ({kind}) enthält eine Messung, die dieses Programm nicht "
    "darstellen kann: es wurde keine Arbeitsmappe geschrieben.\n"
    "Er wurde nicht exportiert und bleibt im Gerät.",
    "La prueba {test} del objeto {object} ({kind}) contiene una medida que este programa no "
    "sabe presentar: no se ha escrito ningún libro.\n"
    "No se ha exportado y permanece en el instrumento.",
    "La prova {test} dell'oggetto {object} ({kind}) contiene una misura che questo programma "
    "non sa presentare: non è stata scritta alcuna cartella.\n"
    "Non è stata esportata e resta nello strumento.",
};

namespace {

void Replace(std::string& text, const std::string& placeholder, const std::string& value) {
    std::size_t at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, placeholder.size(), value);
}

std::string FillTestPlaceholders(const MessageTable& table, int object, int test, int kind) {
    std::string text = Texte(table);
    Replace(text, "{object}", TwoDigits(object));
    Replace(text, "{test}", TwoDigits(test));
    Replace(text, "{kind}", KindName(kind));
    return text;
}

}  // namespace

std::string UnreadableTestText(int object, int test, int kind) {
    return FillTestPlaceholders(test_illisible, object, test, kind);
}

std::string UnknownMeasurementText(int object, int test, int kind) {
    return FillTestPlaceholders(test_sans_mesure, object, test, kind);
}
