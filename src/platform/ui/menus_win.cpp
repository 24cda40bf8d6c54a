// The native side of the menu bar (ui_native.h): a main window's menus and
// items made as a Windows menu from the file and registered with the front,
// what the program sets shown ("__X" and the file's "&X" both make X the
// mnemonic), and a user's choice handed to the front.
#include <windows.h>

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

// A menu is found in its owner by its popup handle: its position there.
UINT Position(const MenuEntry& menu) {
    const int count = GetMenuItemCount(menu.owner);
    for (int i = 0; i < count; ++i) {
        if (GetSubMenu(menu.owner, i) == menu.submenu) return static_cast<UINT>(i);
    }
    return static_cast<UINT>(-1);
}

// The entry as the file made it, kept by the panel and registered with the front.
void Register(Panel& panel, int number, const MenuEntry& native, ui_front::MenuEntry entry) {
    if (number <= 0) return;
    MenuEntry& stored = panel.menu_entries[number] = native;
    entry.native = &stored;
    ui_front::AddMenuEntry(ui_front::MenuBarOf(panel.handle), number, entry);
}

void AddItem(Panel& panel, const ui_description::Action& action, HMENU popup, int parent_number) {
    const ui_front::MenuEntry entry{.parent = parent_number,
                                    .callback = action.Text("callback"),
                                    .name = ProgramMnemonic(action.Text("text")),
                                    .tick = action.Number("checked", 0) != 0,
                                    .dimmed = action.Number("enabled", 1) == 0};
    const int number = action.Number("item", 0);
    const MenuEntry item{.owner = popup, .command = kMenuCommandBase + static_cast<UINT>(number)};
    const UINT state = (entry.tick ? MF_CHECKED : 0) | (entry.dimmed ? MF_GRAYED : 0);
    AppendMenuW(popup, MF_STRING | state, item.command, MnemonicText(entry.name).c_str());
    Register(panel, number, item, entry);
}

void AddMenu(Panel& panel, const Widget& menu, HMENU owner, int parent_number) {
    const MenuEntry native{.owner = owner, .submenu = CreatePopupMenu()};
    const ui_front::MenuEntry entry{.is_menu = true,
                                    .parent = parent_number,
                                    .callback = menu.Text("callback"),
                                    .name = ProgramMnemonic(menu.Text("title")),
                                    .dimmed = !menu.Flag("enabled", true)};
    const int number = menu.Number("item", 0);
    // A menu without a number stays as the file shows it.
    const UINT state = number > 0 && entry.dimmed ? MF_GRAYED : 0;
    AppendMenuW(owner, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(native.submenu),
                MnemonicText(entry.name).c_str());
    for (const std::string& name : menu.added_actions) {
        if (name == "separator") {
            AppendMenuW(native.submenu, MF_SEPARATOR, 0, nullptr);
        } else if (const Widget* submenu = ChildNamed(menu, name)) {
            AddMenu(panel, *submenu, native.submenu, number);
        } else if (const auto* action = ActionNamed(*panel.root, name)) {
            AddItem(panel, *action, native.submenu, number);
        }
    }
    Register(panel, number, native, entry);
}

void Redraw(int panel) {
    if (Panel* p = FindPanel(panel)) DrawMenuBar(p->hwnd);
}

}  // namespace

namespace ui_win {

void BuildMenuBar(Panel& panel) {
    const Widget* menu_bar = nullptr;
    for (const auto& child : panel.root->children) {
        if (child->class_name == "QMenuBar") menu_bar = child.get();
    }
    if (menu_bar == nullptr) return;
    ui_front::AddMenuBar(panel.handle);
    HMENU bar = CreateMenu();
    for (const std::string& name : menu_bar->added_actions) {
        if (const Widget* menu = ChildNamed(*menu_bar, name)) AddMenu(panel, *menu, bar, 0);
    }
    SetMenu(panel.hwnd, bar);
}

void MenuCommand(Panel& panel, UINT command) {
    if (command < kMenuCommandBase) return;
    ui_front::DispatchMenuItem(ui_front::MenuBarOf(panel.handle),
                               static_cast<int>(command - kMenuCommandBase));
}

}  // namespace ui_win

namespace ui_native {

void SetMenuTick(int panel, MenuEntry& entry, bool tick) {
    if (entry.submenu == nullptr)
        CheckMenuItem(entry.owner, entry.command,
                      MF_BYCOMMAND | (tick ? MF_CHECKED : MF_UNCHECKED));
    Redraw(panel);
}

void SetMenuDimmed(int panel, MenuEntry& entry, bool dimmed) {
    const UINT state = dimmed ? MF_GRAYED : MF_ENABLED;
    if (entry.submenu == nullptr)
        EnableMenuItem(entry.owner, entry.command, MF_BYCOMMAND | state);
    else
        EnableMenuItem(entry.owner, Position(entry), MF_BYPOSITION | state);
    Redraw(panel);
}

void RenameMenuEntry(int panel, MenuEntry& entry, const std::string& name) {
    const std::wstring text = MnemonicText(name);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    if (entry.submenu == nullptr)
        SetMenuItemInfoW(entry.owner, entry.command, FALSE, &info);
    else
        SetMenuItemInfoW(entry.owner, Position(entry), TRUE, &info);
    Redraw(panel);
}

}  // namespace ui_native
