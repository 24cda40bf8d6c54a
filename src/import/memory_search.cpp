// The directory walk of the memory scan: list /etc/mem/ and each object's
// directory over the link, record what was found in Director and tell the
// person what could not be read. The question of an empty answer is asked
// here, between the listing and the listing again.
#include "import/memory_search.h"

#include <cstdio>
#include <string>

#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/commands.h"
#include "link/memory_listing.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "store/store.h"

namespace {

const char* const tab_dir = "cd /etc/mem/";
constexpr int ERROR_WALK_AT_NAME = 22;

// Placeholder {object}.
const MessageTable objet_illisible = {
    "L'objet {object} n'a pas pu être lu dans l'appareil : ses tests ne sont pas listés.\n"
    "Ils restent dans l'appareil.",
    "Object {object} could not be read from the instrument: its tests are not listed.\n"
    "They stay in the instrument.",
    "Objekt {object} konnte nicht aus dem Gerät gelesen werden: seine Tests werden nicht "
    "aufgeführt.\nSie bleiben im Gerät.",
    "El objeto {object} no se pudo leer del instrumento: sus pruebas no se muestran.\n"
    "Permanecen en el instrumento.",
    "L'oggetto {object} non è stato letto dallo strumento: le sue prove non sono elencate.\n"
    "Restano nello strumento.",
};

// The fields a directory entry and a test record both take from their listing line.
template <typename Record>
void TakeListedFields(const ListingEntry& e, Record& to) {
    to.present = e.present;
    to.mois = e.mois;
    to.jour = e.jour;
    to.annee = e.annee;
    if (e.time_shown) {
        int month = 0, day = 0, year = 0;
        GetSystemDate(month, day, year);
        to.annee = YearOfRecentEntry(e.mois, e.jour, month, day, year);
    }
    to.heure = e.heure;
    to.minute = e.minute;
    to.sans_heure = e.time_shown ? 0 : 1;
}

// One poll of the event queue: a commit on the scan panel's Stop button (or
// its other button) stops the search. True when the search may go on.
bool NoStopRequested() {
    int panel = 0;
    int control = 0;
    if (GetUserEvent(0, panel, control) == 1 &&
        (control == SCAN_STOP || control == SCAN_OTHER_BUTTON)) {
        flag_stop = 0;
    }
    return flag_stop == 1;
}

// Lists the current directory and leaves the filtered answer in rep_buf.
void ListCurrentDirectory(LinkContext& ctx) {
    const int scan = Fen_princ[PANEL_SCAN];
    SetCtrlAttribute(scan, SCAN_STOP, ATTR_VISIBLE, 0);
    SetCtrlVal(scan, SCAN_STATUS, std::string(Texte(attente_1)));
    ClearBytes(ctx.reponse, REPONSE_SIZE, 10000);
    ZR8812_ls(ctx);
    SetCtrlAttribute(scan, SCAN_STOP, ATTR_VISIBLE, 1);
    SetCtrlVal(scan, SCAN_STATUS, std::string(Texte(attente)));
    ZR8812_traduc_reponse(ctx);
}

bool AskGoOnWithEmptyMemory() {
    const int answer =
        GenericMessagePopup("", Texte(confir3), cmdOui[2 * langue + 1], cmdOui[2 * langue], "",
                            VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN2);
    return answer == VAL_GENERIC_POPUP_BTN1;
}

void ListAgainAfterEmptyAnswer(LinkContext& ctx) {
    const int scan = Fen_princ[PANEL_SCAN];
    SetCtrlAttribute(scan, SCAN_STOP, ATTR_VISIBLE, 0);
    SetCtrlVal(scan, SCAN_STATUS, std::string(Texte(attente_1)));
    const int progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(progress, PROGRESS_TEXT, std::string(erreur[ERROR_EMPTY_MEMORY][langue]));
    InstallPopup(progress);
    ZR8812_ls(ctx);
    RemovePopup(progress);
    DiscardPanel(progress);
}

}  // namespace

int ZR8812_search_dir(LinkContext& ctx) {
    const int year = CurrentYear();
    ClearBytes(ctx.reponse, REPONSE_SIZE, 10000);
    ZR8812_cd(ctx, "cd /");
    if (ZR8812_cd(ctx, tab_dir) != 0) return 0;

    if (!NoStopRequested()) {
        nb_total = 0;
        return 0;
    }
    ListCurrentDirectory(ctx);

    const DirectoryListing listing = ParseDirectoryListing(ctx.rep_buf, REP_BUF_SIZE, year);
    // The memory holds at most 100 objects: a longer listing is not this
    // instrument's, and none of it is taken.
    if (listing.nb_total > NB_OBJECTS) {
        nb_total = 0;
        Popup_erreur(ERROR_EMPTY_MEMORY);
        return 0;
    }
    for (const ListingEntry& e : listing.entries) {
        DirObjet& d = Director[e.number];
        d.num_objet = e.number;
        TakeListedFields(e, d);
    }
    nb_total = listing.nb_total;
    if (listing.ran_out_at_name) Popup_erreur(ERROR_WALK_AT_NAME);
    if (listing.ran_past_total) Popup_erreur(ERROR_EMPTY_MEMORY);
    return nb_total;
}

int ZR8812_search_fil(LinkContext& ctx, int object) {
    if (object < 0 || object >= NB_OBJECTS) return 0;
    const int year = CurrentYear();
    ClearBytes(ctx.reponse, REPONSE_SIZE, 10000);
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "cd /etc/mem/%02d/", object);
    if (ZR8812_cd(ctx, command) != 0) {
        // The instrument stayed in another folder: a listing now would record
        // that folder's tests under this object. A port that has gone is told
        // by the scan, once.
        if (ComPortLost(ctx.serial_port)) return 0;
        char number[4];
        std::snprintf(number, sizeof number, "%02d", object);
        MessagePopup(Texte(titre_erreur),
                     FillPlaceholders(Texte(objet_illisible), {{"object", number}}));
        return 0;
    }

    if (!NoStopRequested()) return 0;
    ListCurrentDirectory(ctx);

    if (std::string(ctx.rep_buf) <= std::string("ls-l")) {
        // A port that has gone lists nothing; that is no empty memory to ask about.
        if (ComPortLost(ctx.serial_port)) return 0;
        if (!AskGoOnWithEmptyMemory()) return 0;
        ListAgainAfterEmptyAnswer(ctx);
    }
    ZR8812_traduc_reponse(ctx);

    const TestListing listing = ParseTestListing(ctx.rep_buf, REP_BUF_SIZE, year);
    DirObjet& d = Director[object];
    // An object holds at most 100 tests: a larger count is not this
    // instrument's, and none of its tests is taken.
    if (listing.count > NB_TESTS) {
        d.nb_test = 0;
        Popup_erreur(ERROR_EMPTY_MEMORY);
        return 0;
    }
    d.nb_test = listing.count;
    if (listing.count == 0) {
        // Entries without "total" after them: the listing was cut short (a
        // prompt amid its lines, an answer that stopped), its tests uncounted.
        if (!listing.has_total &&
            FindNoCase(ctx.rep_buf, TextLength(ctx.rep_buf, REP_BUF_SIZE), "-r") >= 0)
            Popup_erreur(ERROR_EMPTY_MEMORY);
        return 0;
    }
    for (const ListingEntry& e : listing.entries) {
        FicTest& t = d.tests[e.number];
        t.num_test = e.number;
        t.type_mes = e.type_mes;
        TakeListedFields(e, t);
        t.num_objet = object;
    }
    // Entries that are no test of this object (a name that climbs out of it,
    // holds other characters, or a line cut short) are left out: say so.
    if (listing.entries.size() < static_cast<std::size_t>(listing.count))
        Popup_erreur(ERROR_EMPTY_MEMORY);
    return 0;
}
