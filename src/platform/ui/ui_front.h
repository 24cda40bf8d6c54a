// The user-interface front: what ui.h's functions find behind a panel handle
// and a control number, the same on every system. Each system's panel loader
// registers the panel and its numbered controls here; the front keeps their
// callbacks, a list's rows and the label texts the program set, and reaches
// the system's controls only through ui_native.h.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_native.h"

namespace ui_front {

struct Row {
    std::string label;
    int value = 0;
};

struct Control {
    ui_native::Kind kind = ui_native::Kind::Container;
    std::string callback;
    ui_native::Control* native = nullptr;  // owned by the system's panel
    std::vector<Row> rows;                 // a list's rows; the native list mirrors them
    std::string label_text;                // ATTR_LABEL_TEXT as the program set it
    bool label_text_set = false;
};

// A menu or an item of a menu bar.
struct MenuEntry {
    bool is_menu = false;
    int parent = 0;  // the number of the menu above, 0 under the bar
    std::string callback;
    std::string name;  // as the program set it ("__Datei"), or from the file
    bool tick = false;
    bool dimmed = false;
    ui_native::MenuEntry* native = nullptr;  // owned by the system's panel
};

struct MenuBar {
    int panel = 0;
    std::map<int, MenuEntry> entries;  // menus and items, by number
};

// Registers a panel the system has loaded under `parent` (0 for top level),
// with the control that acts when the user closes its window (0: none); its
// controls and menu bar follow.
void AddPanel(int handle, int parent, int close_control);
void AddControl(int panel, int number, ui_native::Kind kind, const std::string& callback,
                ui_native::Control* native);
// Gives the new menu bar's handle.
int AddMenuBar(int panel);
void AddMenuEntry(int menu_bar, int number, const MenuEntry& entry);
// The panel `handle` was loaded under, 0 for top level.
int ParentOf(int handle);
// The panels the front holds, loaded under `parent` (0 for top level).
std::vector<int> PanelsUnder(int parent);
std::vector<int> AllPanels();
// Before the system destroys the panel's controls.
void ForgetPanel(int handle);
void ForgetAllPanels();

// The popups, the one on top last.
std::vector<int>& Popups();

// nullptr with UIE_INVALID_HANDLE (a panel never issued, discarded or whose
// window is gone) or UIE_INVALID_CONTROL; else UIE_NO_ERROR.
Control* FindControl(int panel, int control, int& status);

// The panel's menu bar, 0 when it has none or the panel is not valid.
int MenuBarOf(int panel);
// nullptr when the menu bar's panel is not valid.
MenuBar* FindMenuBar(int handle);
// nullptr with UIE_INVALID_HANDLE or UIE_INVALID_CONTROL; else UIE_NO_ERROR.
MenuEntry* FindMenuEntry(int menu_bar, int number, int& status);

// Runs the control's callback (queued as ui_dispatch says); nothing for an
// unknown control, nor while the program itself changes a control.
void DispatchControlEvent(int panel, int control, int event);
// The user closed the panel's window (its close box, Escape): the panel's
// close control acts, instead of the window vanishing behind the program's back.
void CloseRequested(int panel);

// "__X" (the program's mark of the mnemonic X) as the systems write it, "&X",
// with a plain "&" as "&&"; and back.
std::string ShownMnemonic(const std::string& text);
std::string ProgramMnemonic(const std::string& text);

// Runs the item's callback when the user could choose it: the item and every
// menu above it undimmed.
void DispatchMenuItem(int menu_bar, int item);

}  // namespace ui_front
