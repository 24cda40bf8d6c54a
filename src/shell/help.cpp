// The Help menu: the user manual and the About box.
#include "shell/help.h"

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/panels.h"

#ifndef BRISKEL_VERSION
#define BRISKEL_VERSION "unknown"
#endif

void Gestion_aide(int /*menuBar*/, int menuItem, void* /*callbackData*/, int /*panel*/) {
    if (menuItem == ITEM_HELP) {
        std::string directory;
        GetProjectDir(directory);
        // The same document in every language; a missing document or viewer says nothing.
        OpenDocumentInDefaultViewer(directory + PathSeparator() + "BriskelView.pdf");
    } else if (menuItem == ITEM_ABOUT) {
        Fen_princ[PANEL_ABOUT] = LoadPanel(Fen_princ[PANEL_MAIN], UIR_FILE, PANEL_ABOUT);
        Traduc_pres();
        SetCtrlVal(Fen_princ[PANEL_ABOUT], ABOUT_VERSION, std::string("Version ") + BRISKEL_VERSION);
        Ctrl_menu(1);
        InstallPopup(Fen_princ[PANEL_ABOUT]);
    }
}

int Quitter_aide(int panel, int /*control*/, int event, void* /*callbackData*/, int /*eventData1*/,
                 int /*eventData2*/) {
    if (event != EVENT_COMMIT) return 0;
    RemovePopup(0);
    DiscardPanel(panel);
    Ctrl_menu(0);
    return 0;
}
