// The menu bar, the same on every system: menus and items by number, their
// ticks, dimming and names, kept here; the system's menu shows them. The tick
// is the program's: choosing an item only runs its callback.
#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_front.h"

using ui_front::MenuEntry;

namespace {

// An item can be chosen only when it and every menu above it are undimmed.
bool Reachable(const ui_front::MenuBar& bar, int number) {
    for (int depth = 0; number > 0 && depth < 8; ++depth) {
        auto it = bar.entries.find(number);
        if (it == bar.entries.end()) return true;
        if (it->second.dimmed) return false;
        number = it->second.parent;
    }
    return true;
}

}  // namespace

namespace ui_front {

void DispatchMenuItem(int menu_bar, int item) {
    MenuBar* bar = FindMenuBar(menu_bar);
    if (bar == nullptr) return;
    auto it = bar->entries.find(item);
    if (it == bar->entries.end() || !Reachable(*bar, item)) return;
    // A copy: the callback may discard the panel, and the menu bar with it.
    const std::string callback = it->second.callback;
    ui_dispatch::MenuEvent(callback, menu_bar, item, bar->panel);
}

}  // namespace ui_front

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value) {
    int status;
    MenuEntry* entry = ui_front::FindMenuEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    const int panel = ui_front::FindMenuBar(menuBar)->panel;
    switch (attribute) {
        case ATTR_CHECKED:
            entry->tick = value != 0;
            ui_native::SetMenuTick(panel, *entry->native, entry->tick);
            return UIE_NO_ERROR;
        case ATTR_DIMMED:
            entry->dimmed = value != 0;
            ui_native::SetMenuDimmed(panel, *entry->native, entry->dimmed);
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const std::string& value) {
    int status;
    MenuEntry* entry = ui_front::FindMenuEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    if (attribute == ATTR_MENU_NAME && !entry->is_menu) return UIE_INVALID_ATTRIBUTE;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    entry->name = value;
    ui_native::RenameMenuEntry(ui_front::FindMenuBar(menuBar)->panel, *entry->native, value);
    return UIE_NO_ERROR;
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int& value) {
    int status;
    const MenuEntry* entry = ui_front::FindMenuEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    switch (attribute) {
        case ATTR_CHECKED:
            value = entry->tick ? 1 : 0;
            return UIE_NO_ERROR;
        case ATTR_DIMMED:
            value = entry->dimmed ? 1 : 0;
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, std::string& value) {
    int status;
    const MenuEntry* entry = ui_front::FindMenuEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    value = entry->name;
    return UIE_NO_ERROR;
}

int SimulateMenuItem(int menuBar, int menuItem) {
    int status;
    if (ui_front::FindMenuEntry(menuBar, menuItem, status) == nullptr) return status;
    ui_front::DispatchMenuItem(menuBar, menuItem);
    return UIE_NO_ERROR;
}
