// The Options menu and the dimmed state of the menu bar.
#include "shell/menu_state.h"

#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/panels.h"

void Gestion_options(int menuBar, int menuItem, void* /*callbackData*/, int /*panel*/) {
    if (menuItem >= ITEM_FRENCH && menuItem <= ITEM_ITALIAN) {
        SetWaitCursor(1);
        for (int item = ITEM_FRENCH; item <= ITEM_ITALIAN; ++item) {
            SetMenuBarAttribute(menuBar, item, ATTR_CHECKED, 0);
        }
        langue = menuItem - ITEM_FRENCH;
        SetMenuBarAttribute(menuBar, menuItem, ATTR_CHECKED, 1);
        Changement_langue();
        SetWaitCursor(0);
    } else if (menuItem == ITEM_SAVE_ON_EXIT) {
        int ticked = 0;
        GetMenuBarAttribute(menuBar, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, ticked);
        SetMenuBarAttribute(menuBar, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, ticked == 0 ? 1 : 0);
    }
}

void Ctrl_menu(int flag) {
    SetMenuBarAttribute(menu, MENU_FILE, ATTR_DIMMED, flag);
    SetMenuBarAttribute(menu, MENU_SETUP, ATTR_DIMMED, flag);
    SetMenuBarAttribute(menu, MENU_OPTIONS, ATTR_DIMMED, flag);
    SetMenuBarAttribute(menu, MENU_HELP, ATTR_DIMMED, flag);
}
