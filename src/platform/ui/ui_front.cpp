// The front's table of panels and their numbered controls, the lookup every
// control function starts with, and the test hooks that act as a user would.
#include "platform/ui/ui_front.h"

#include "platform/ui/ui_dispatch.h"

namespace ui_front {
namespace {

std::map<int, std::map<int, Control>>& Panels() {
    static std::map<int, std::map<int, Control>> panels;
    return panels;
}

}  // namespace

void AddPanel(int handle) {
    Panels()[handle];
}

void AddControl(int panel, int number, ui_native::Kind kind, const std::string& callback,
                ui_native::Control* native) {
    Control& control = Panels()[panel][number];
    control.kind = kind;
    control.callback = callback;
    control.native = native;
}

void ForgetPanel(int handle) {
    Panels().erase(handle);
}
void ForgetAllPanels() {
    Panels().clear();
}

Control* FindControl(int panel, int control, int& status) {
    auto found = Panels().find(panel);
    if (found == Panels().end() || !ui_native::PanelAlive(panel)) {
        status = UIE_INVALID_HANDLE;
        return nullptr;
    }
    auto it = found->second.find(control);
    if (it == found->second.end() || !ui_native::Alive(*it->second.native)) {
        status = UIE_INVALID_CONTROL;
        return nullptr;
    }
    status = UIE_NO_ERROR;
    return &it->second;
}

void DispatchControlEvent(int panel, int control, int event) {
    int status;
    const Control* c = FindControl(panel, control, status);
    if (c == nullptr) return;
    // A copy: the callback may discard the panel, and the record with it.
    const std::string callback = c->callback;
    ui_dispatch::ControlEvent(callback, panel, control, event);
}

}  // namespace ui_front

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
