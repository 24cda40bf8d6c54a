// Which window a panel belongs to. The program loads its progress, wait and
// scan panels without a parent; a top-level window without an owner gets a
// taskbar button of its own, and a click on the main window's button would
// bring the disabled main window over the popup that holds Stop. So a panel
// shown over the program's other windows is owned by the one it belongs to:
// it has no button, stays above it, goes with it when it is minimized, and
// opens centred over it (on its monitor). Only the main window has a button.
#include <windows.h>

#include <algorithm>

#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

bool IsMainWindow(const Panel& panel) { return panel.root->class_name == "QMainWindow"; }

// True when `window` is `candidate` or owns it, however far up: owning the
// candidate would close a loop.
bool Above(HWND window, HWND candidate) {
    for (HWND w = candidate; w != nullptr; w = GetWindow(w, GW_OWNER)) {
        if (w == window) return true;
    }
    return false;
}

bool CanOwn(const Panel* owner, const Panel& panel) {
    return owner != nullptr && owner->hwnd != panel.hwnd && !owner->splash && IsWindowVisible(owner->hwnd) &&
           !Above(panel.hwnd, owner->hwnd);
}

HWND MainWindowFor(const Panel& panel) {
    for (const auto& [handle, other] : Panels()) {
        if (IsMainWindow(other) && CanOwn(&other, panel)) return other.hwnd;
    }
    return nullptr;
}

// The popup below; else, for a popup, the program window the user works in
// (the export panel for the export's progress), for another panel the main
// window, so panels shown side by side can still be brought one over the other.
HWND OwnerFor(const Panel& panel, int below, bool popup) {
    if (const Panel* under = FindPanel(below); CanOwn(under, panel)) return under->hwnd;
    const Panel* active = PanelOfWindow(GetActiveWindow());
    if (popup && CanOwn(active, panel)) return active->hwnd;
    if (const HWND main = MainWindowFor(panel)) return main;
    return CanOwn(active, panel) ? active->hwnd : nullptr;
}

void SetOwner(HWND hwnd, HWND owner) {
    // GWLP_HWNDPARENT of a top-level window is its owner.
    SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

}  // namespace

void OwnBeforeShowing(Panel& panel, int below, bool popup) {
    // The main window and the splash (a tool window) stand alone; a panel
    // loaded with a parent has that parent as its owner for good.
    if (ui_front::ParentOf(panel.handle) == 0 && !panel.splash && !IsMainWindow(panel)) {
        const HWND owner = OwnerFor(panel, below, popup);
        const HWND current = GetWindow(panel.hwnd, GW_OWNER);
        if (owner != nullptr && owner != current) {
            // The taskbar looks at a window as it is shown: one shown with a
            // button loses it only when it is shown again.
            if (current == nullptr && IsWindowVisible(panel.hwnd)) ShowWindow(panel.hwnd, SW_HIDE);
            SetOwner(panel.hwnd, owner);
        }
    }
    if (!panel.placed && !IsWindowVisible(panel.hwnd)) CentreOver(panel, GetWindow(panel.hwnd, GW_OWNER));
    panel.placed = true;
}

void HandOverOwnedWindows(const Panel& panel) {
    // Windows destroys the windows a window owns with it, and would leave
    // them above a hidden one: they pass to its own owner.
    const HWND heir = GetWindow(panel.hwnd, GW_OWNER);
    for (const auto& [handle, other] : Panels()) {
        if (ui_front::ParentOf(other.handle) == 0 && other.hwnd != panel.hwnd &&
            GetWindow(other.hwnd, GW_OWNER) == panel.hwnd)
            SetOwner(other.hwnd, heir);
    }
}

void CentreOver(const Panel& panel, HWND over) {
    RECT window;
    GetWindowRect(panel.hwnd, &window);
    RECT area;
    if (over != nullptr && IsWindowVisible(over) && !IsIconic(over))
        GetWindowRect(over, &area);
    else
        area = MonitorInfo(MonitorFromWindow(panel.hwnd, MONITOR_DEFAULTTOPRIMARY)).rcWork;
    const int width = window.right - window.left, height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    const RECT work = MonitorInfo(MonitorFromRect(&area, MONITOR_DEFAULTTOPRIMARY)).rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(panel.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace ui_win
