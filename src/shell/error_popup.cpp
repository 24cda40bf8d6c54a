#include "shell/error_popup.h"

#include <cstdio>
#include <string>

#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/session_end.h"

namespace {

// At most `max` characters (not bytes) of UTF-8 text.
std::string FirstCharacters(const std::string& text, std::size_t max) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == max) {
            return text.substr(0, i);
        }
    }
    return text;
}

}  // namespace

void Popup_erreur(int code) {
    char title[64];
    std::snprintf(title, sizeof title, "%s n° %i", Texte(titre_erreur), -(100 + code));
    // Codes outside the table have no text of their own.
    const char* text = code >= 0 && code < NB_ERREURS ? Texte(erreur[code]) : "";
    // Nobody is there to close it while the session ends: the log keeps it.
    if (SessionEnding()) {
        LogWrite(std::string(title) + " " + text + "\n");
        return;
    }
    MessagePopup(FirstCharacters(title, 19), FirstCharacters(std::string(text) + "\n", 199));
}
