// The menu bar of a main window as a Windows menu: menus and items by number,
// their ticks, dimming and names ("__X" and the file's "&X" both make X the
// mnemonic). The tick is the program's: choosing an item only runs its callback.
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

namespace {

const Widget* ChildNamed(const Widget& parent, const std::string& name) {
    for (const auto& child : parent.children) {
        if (child->name == name) return child.get();
    }
    return nullptr;
}

const ui_description::Action* ActionNamed(const Widget& root, const std::string& name) {
    for (const auto& action : root.actions) {
        if (action.name == name) return &action;
    }
    return nullptr;
}

void Flag(const MenuEntry& entry) {
    if (entry.submenu == nullptr) {
        CheckMenuItem(entry.owner, entry.command, MF_BYCOMMAND | (entry.tick ? MF_CHECKED : MF_UNCHECKED));
        EnableMenuItem(entry.owner, entry.command, MF_BYCOMMAND | (entry.dimmed ? MF_GRAYED : MF_ENABLED));
        return;
    }
    // A menu is found in its owner by its popup handle.
    const int count = GetMenuItemCount(entry.owner);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(entry.owner, i) == entry.submenu) {
            EnableMenuItem(entry.owner, static_cast<UINT>(i), MF_BYPOSITION | (entry.dimmed ? MF_GRAYED : MF_ENABLED));
        }
    }
}

void Rename(const MenuEntry& entry) {
    const std::wstring text = MnemonicText(entry.name);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    if (entry.submenu == nullptr) {
        SetMenuItemInfoW(entry.owner, entry.command, FALSE, &info);
        return;
    }
    const int count = GetMenuItemCount(entry.owner);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(entry.owner, i) == entry.submenu) SetMenuItemInfoW(entry.owner, static_cast<UINT>(i), TRUE, &info);
    }
}

void AddMenu(MenuBar& bar, const Widget& root, const Widget& menu, HMENU owner, int parent_number) {
    HMENU popup = CreatePopupMenu();
    MenuEntry entry;
    entry.owner = owner;
    entry.submenu = popup;
    entry.parent_number = parent_number;
    entry.name = ProgramMnemonic(menu.Text("title"));
    entry.callback = menu.Text("callback");
    entry.dimmed = !menu.Flag("enabled", true);
    const int number = menu.Number("item", 0);
    AppendMenuW(owner, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), MnemonicText(entry.name).c_str());
    if (number > 0) bar.entries[number] = entry;
    for (const std::string& name : menu.added_actions) {
        if (name == "separator") {
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        } else if (const Widget* submenu = ChildNamed(menu, name)) {
            AddMenu(bar, root, *submenu, popup, number);
        } else if (const auto* action = ActionNamed(root, name)) {
            MenuEntry item;
            item.owner = popup;
            item.parent_number = number;
            const auto find = [&](const char* key) { return action->properties.find(key); };
            auto text = find("text");
            item.name = ProgramMnemonic(text == action->properties.end() ? std::string() : text->second.text);
            auto callback = find("callback");
            if (callback != action->properties.end()) item.callback = callback->second.text;
            auto checked = find("checked");
            item.tick = checked != action->properties.end() && checked->second.number != 0;
            auto enabled = find("enabled");
            item.dimmed = enabled != action->properties.end() && enabled->second.number == 0;
            auto item_number = find("item");
            const int n = item_number == action->properties.end() ? 0 : item_number->second.number;
            item.command = kMenuCommandBase + static_cast<UINT>(n);
            AppendMenuW(popup, MF_STRING, item.command, MnemonicText(item.name).c_str());
            Flag(item);
            if (n > 0) bar.entries[n] = item;
        }
    }
    if (number > 0) Flag(bar.entries[number]);
}

// An item can be chosen only when it and every menu above it are undimmed.
bool Reachable(const MenuBar& bar, int number) {
    for (int depth = 0; number > 0 && depth < 8; ++depth) {
        auto it = bar.entries.find(number);
        if (it == bar.entries.end()) return true;
        if (it->second.dimmed) return false;
        number = it->second.parent_number;
    }
    return true;
}

MenuEntry* FindEntry(int menuBar, int number, int& status) {
    MenuBar* bar = FindMenuBar(menuBar);
    if (bar == nullptr) {
        status = UIE_INVALID_HANDLE;
        return nullptr;
    }
    auto it = bar->entries.find(number);
    if (it == bar->entries.end()) {
        status = UIE_INVALID_CONTROL;
        return nullptr;
    }
    status = UIE_NO_ERROR;
    return &it->second;
}

}  // namespace

namespace ui_win {

void BuildMenuBar(Panel& panel) {
    const Widget* menu_bar = nullptr;
    for (const auto& child : panel.root->children) {
        if (child->class_name == "QMenuBar") menu_bar = child.get();
    }
    if (menu_bar == nullptr) return;
    MenuBar bar;
    bar.handle = ui_dispatch::NewHandle();
    bar.panel = panel.handle;
    bar.menu = CreateMenu();
    for (const std::string& name : menu_bar->added_actions) {
        if (const Widget* menu = ChildNamed(*menu_bar, name)) AddMenu(bar, *panel.root, *menu, bar.menu, 0);
    }
    SetMenu(panel.hwnd, bar.menu);
    panel.menu_bar = bar.handle;
    MenuBars()[bar.handle] = std::move(bar);
}

void MenuCommand(Panel& panel, UINT command) {
    if (command < kMenuCommandBase) return;
    DispatchMenuItem(panel.menu_bar, static_cast<int>(command - kMenuCommandBase));
}

void DispatchMenuItem(int menu_bar, int item) {
    MenuBar* bar = FindMenuBar(menu_bar);
    if (bar == nullptr) return;
    auto it = bar->entries.find(item);
    if (it == bar->entries.end() || !Reachable(*bar, item)) return;
    ui_dispatch::MenuEvent(it->second.callback, menu_bar, item, bar->panel);
}

}  // namespace ui_win

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value) {
    int status;
    MenuEntry* entry = FindEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    switch (attribute) {
        case ATTR_CHECKED: entry->tick = value != 0; break;
        case ATTR_DIMMED: entry->dimmed = value != 0; break;
        default: return UIE_INVALID_ATTRIBUTE;
    }
    MenuBar* bar = FindMenuBar(menuBar);
    Flag(*entry);
    if (Panel* panel = FindPanel(bar->panel)) DrawMenuBar(panel->hwnd);
    return UIE_NO_ERROR;
}

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const std::string& value) {
    int status;
    MenuEntry* entry = FindEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    if (attribute == ATTR_MENU_NAME && entry->submenu == nullptr) return UIE_INVALID_ATTRIBUTE;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    entry->name = value;
    Rename(*entry);
    if (Panel* panel = FindPanel(FindMenuBar(menuBar)->panel)) DrawMenuBar(panel->hwnd);
    return UIE_NO_ERROR;
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int& value) {
    int status;
    MenuEntry* entry = FindEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    switch (attribute) {
        case ATTR_CHECKED: value = entry->tick ? 1 : 0; return UIE_NO_ERROR;
        case ATTR_DIMMED: value = entry->dimmed ? 1 : 0; return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, std::string& value) {
    int status;
    MenuEntry* entry = FindEntry(menuBar, menuOrItem, status);
    if (entry == nullptr) return status;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    value = entry->name;
    return UIE_NO_ERROR;
}
