// The front's tables of panels with their numbered controls and of menu
// bars, the lookups every function of ui.h starts with, and the test hooks
// that act as a user would.
#include "platform/ui/ui_front.h"

#include "platform/ui/ui_dispatch.h"

namespace ui_front {
namespace {

struct Panel {
    int parent = 0;
    int close_control = 0;
    std::map<int, Control> controls;  // by the program's number
    int menu_bar = 0;
};

struct Tables {
    std::map<int, Panel> panels;
    std::map<int, MenuBar> menu_bars;
    std::vector<int> popups;
};

Tables& State() {
    static Tables tables;
    return tables;
}

// The entry of `number` with UIE_NO_ERROR, else nullptr with UIE_INVALID_CONTROL.
template <typename Entries>
typename Entries::mapped_type* Entry(Entries& entries, int number, int& status) {
    auto it = entries.find(number);
    status = it == entries.end() ? UIE_INVALID_CONTROL : UIE_NO_ERROR;
    return it == entries.end() ? nullptr : &it->second;
}

// nullptr for a handle never issued, discarded, or whose window is gone.
Panel* FindPanel(int handle) {
    auto it = State().panels.find(handle);
    if (it == State().panels.end() || !ui_native::PanelAlive(handle)) return nullptr;
    return &it->second;
}

}  // namespace

void AddPanel(int handle, int parent, int close_control) {
    Panel& panel = State().panels[handle];
    panel.parent = parent;
    panel.close_control = close_control;
}

int ParentOf(int handle) {
    auto it = State().panels.find(handle);
    return it == State().panels.end() ? 0 : it->second.parent;
}

void AddControl(int panel, int number, ui_native::Kind kind, const std::string& callback,
                ui_native::Control* native) {
    Control& control = State().panels[panel].controls[number];
    control.kind = kind;
    control.callback = callback;
    control.native = native;
}

int AddMenuBar(int panel) {
    const int handle = ui_dispatch::NewHandle();
    State().menu_bars[handle].panel = panel;
    State().panels[panel].menu_bar = handle;
    return handle;
}

void AddMenuEntry(int menu_bar, int number, const MenuEntry& entry) {
    State().menu_bars[menu_bar].entries[number] = entry;
}

std::vector<int> PanelsUnder(int parent) {
    std::vector<int> handles;
    for (const auto& [handle, panel] : State().panels) {
        if (panel.parent == parent) handles.push_back(handle);
    }
    return handles;
}

std::vector<int> AllPanels() {
    std::vector<int> handles;
    for (const auto& [handle, panel] : State().panels) handles.push_back(handle);
    return handles;
}

void ForgetPanel(int handle) {
    auto it = State().panels.find(handle);
    if (it == State().panels.end()) return;
    State().menu_bars.erase(it->second.menu_bar);
    State().panels.erase(it);
}

void ForgetAllPanels() {
    State().panels.clear();
    State().menu_bars.clear();
    State().popups.clear();
}

std::vector<int>& Popups() {
    return State().popups;
}

Control* FindControl(int panel, int control, int& status) {
    Panel* p = FindPanel(panel);
    status = UIE_INVALID_HANDLE;
    Control* found = p == nullptr ? nullptr : Entry(p->controls, control, status);
    if (found == nullptr || ui_native::Alive(*found->native)) return found;
    status = UIE_INVALID_CONTROL;  // the system destroyed it
    return nullptr;
}

int MenuBarOf(int panel) {
    const Panel* p = FindPanel(panel);
    return p == nullptr ? 0 : p->menu_bar;
}

MenuBar* FindMenuBar(int handle) {
    auto it = State().menu_bars.find(handle);
    if (it == State().menu_bars.end() || FindPanel(it->second.panel) == nullptr) return nullptr;
    return &it->second;
}

MenuEntry* FindMenuEntry(int menu_bar, int number, int& status) {
    MenuBar* bar = FindMenuBar(menu_bar);
    status = UIE_INVALID_HANDLE;
    return bar == nullptr ? nullptr : Entry(bar->entries, number, status);
}

void DispatchControlEvent(int panel, int control, int event) {
    if (ui_dispatch::ProgramChangeInProgress()) return;
    int status;
    const Control* c = FindControl(panel, control, status);
    if (c == nullptr) return;
    // A copy: the callback may discard the panel, and the record with it.
    const std::string callback = c->callback;
    ui_dispatch::ControlEvent(callback, panel, control, event);
}

void CloseRequested(int panel) {
    const Panel* p = FindPanel(panel);
    if (p != nullptr && p->close_control > 0)
        DispatchControlEvent(panel, p->close_control, EVENT_COMMIT);
}

}  // namespace ui_front

bool IsPanelValid(int panel) {
    return ui_front::FindPanel(panel) != nullptr;
}

int GetPanelMenuBar(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    const int bar = ui_front::MenuBarOf(panel);
    return bar > 0 ? bar : UIE_INVALID_CONTROL;
}

int SimulateCommit(int panel, int control) {
    return SimulateEvent(panel, control, EVENT_COMMIT);
}

int SimulateEvent(int panel, int control, int event) {
    int status;
    if (ui_front::FindControl(panel, control, status) == nullptr) return status;
    ui_front::DispatchControlEvent(panel, control, event);
    return UIE_NO_ERROR;
}

int ResetTimer(int panel, int control) {
    // The program has no timer controls; the call stays for the shutdown order.
    if (panel == ALL_PANELS_AND_TIMERS || panel == 0) return UIE_NO_ERROR;
    int status;
    return ui_front::FindControl(panel, control, status) ? UIE_NO_ERROR : status;
}
