// Panels as Windows windows: each panel of the resource file becomes a
// top-level window whose widgets are child controls made in the file's
// order, so the Tab order and the labels screen readers name the fields by
// follow the file. The native side of the panels (ui_native.h): loaded,
// shown, hidden and destroyed as the front asks.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "platform/system/system.h"
#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

// "#splashPanel { background: #1f3b57; } #splashPanel QLabel { color: white; }"
COLORREF StyleColour(const std::string& sheet, const std::string& key, COLORREF fallback) {
    size_t at = sheet.find(key + ":");
    if (at == std::string::npos) return fallback;
    at = sheet.find_first_not_of(' ', at + key.size() + 1);
    if (at == std::string::npos) return fallback;
    if (sheet.compare(at, 5, "white") == 0) return RGB(255, 255, 255);
    if (sheet.compare(at, 5, "black") == 0) return RGB(0, 0, 0);
    if (sheet[at] != '#' || at + 7 > sheet.size()) return fallback;
    const std::string digits = sheet.substr(at + 1, 6);
    char* end = nullptr;
    const unsigned long rgb = std::strtoul(digits.c_str(), &end, 16);
    if (end != digits.c_str() + digits.size()) return fallback;  // not a colour: keep the system's
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

DWORD PanelStyle(const Panel& panel) {
    if (panel.splash) return WS_POPUP;  // no frame, as the Linux splash
    if (panel.root->class_name == "QMainWindow") return WS_OVERLAPPEDWINDOW;
    // A dialog: a caption with its close box, and a frame to resize it by.
    return WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
}

bool IsDescendant(const Panel& panel, int ancestor) {
    for (const Panel* p = &panel; p != nullptr; p = FindPanel(ui_front::ParentOf(p->handle))) {
        if (p->handle == ancestor) return true;
    }
    return false;
}

void FreePanel(Panel& panel) {
    for (auto& control : panel.widgets) {
        if (control->font) DeleteObject(control->font);
        if (control->picture) DeleteObject(control->picture);
    }
    if (panel.message_font) DeleteObject(panel.message_font);
    if (panel.background_brush) DeleteObject(panel.background_brush);
}

bool TakesFocus(HWND hwnd) { return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd); }

// The first control in Tab order (the file's order) that can take the keyboard.
HWND FirstTabStop(const Panel& panel) {
    for (const auto& control : panel.widgets) {
        if (control->hwnd != nullptr && (GetWindowLongW(control->hwnd, GWL_STYLE) & WS_TABSTOP) != 0 &&
            TakesFocus(control->hwnd))
            return control->hwnd;
    }
    return nullptr;
}

// A panel just shown as the active window gives the keyboard to a control at
// once, so what the user types goes somewhere.
void FocusWhenActive(Panel& panel) {
    const HWND focus = GetFocus();
    if (GetActiveWindow() == panel.hwnd && (focus == nullptr || !IsChild(panel.hwnd, focus))) FocusPanel(panel);
}

// Every visible panel painted afresh, its controls included. The system's own
// repaint of what a hidden panel uncovers is not enough under Wine: after the
// export panel went and a message box came and went over the import panel,
// that panel stayed half painted (a label cut, a strip of background over a list).
void RepaintVisiblePanels() {
    for (auto& [handle, panel] : Panels()) {
        if (IsWindowVisible(panel.hwnd))
            RedrawWindow(panel.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

}  // namespace

void FocusPanel(Panel& panel) {
    if (panel.focus != nullptr && IsChild(panel.hwnd, panel.focus) && TakesFocus(panel.focus)) {
        SetFocus(panel.focus);
        return;
    }
    const HWND first = FirstTabStop(panel);
    if (first == nullptr) {
        SetFocus(panel.hwnd);  // the keys still reach the panel: its menus, Escape
        return;
    }
    SetFocus(first);
    // A field reached first has its text selected, as in a dialog: what the
    // user types replaces it.
    wchar_t window_class[16] = {};
    GetClassNameW(first, window_class, 16);
    if (lstrcmpiW(window_class, WC_EDITW) == 0) SendMessageW(first, EM_SETSEL, 0, -1);
}

// An application-modal popup leaves only itself (and its own child panels)
// usable; without popups every panel the program has not dimmed is.
void ApplyModality() {
    const int top = ui_front::Popups().empty() ? 0 : ui_front::Popups().back();
    for (auto& [handle, panel] : Panels()) {
        EnableWindow(panel.hwnd, !panel.dimmed && (top == 0 || IsDescendant(panel, top)));
    }
    if (top != 0) {
        if (Panel* popup = FindPanel(top)) SetActiveWindow(popup->hwnd);
    }
}

MONITORINFO MonitorInfo(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    return info;
}

RECT InsideWorkArea(RECT frame) {
    const RECT area = MonitorInfo(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST)).rcWork;
    int dx = 0, dy = 0;
    if (frame.right > area.right) dx = area.right - frame.right;
    if (frame.left + dx < area.left) dx = area.left - frame.left;
    if (frame.bottom > area.bottom) dy = area.bottom - frame.bottom;
    if (frame.top + dy < area.top) dy = area.top - frame.top;
    OffsetRect(&frame, dx, dy);
    return frame;
}

void KeepInWorkArea(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return;
    const RECT inside = InsideWorkArea(frame);
    if (!EqualRect(&frame, &inside))
        SetWindowPos(window, nullptr, inside.left, inside.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::map<int, Panel>& Panels() {
    static std::map<int, Panel> panels;
    return panels;
}

Panel* FindPanel(int handle) {
    auto it = Panels().find(handle);
    if (it == Panels().end() || !IsWindow(it->second.hwnd)) return nullptr;
    return &it->second;
}

Panel* PanelOfWindow(HWND hwnd) {
    const int handle = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return handle > 0 ? FindPanel(handle) : nullptr;
}

Control* FindControl(int panel, int control, int& status) {
    const ui_front::Control* c = ui_front::FindControl(panel, control, status);
    return c == nullptr ? nullptr : c->native;
}

}  // namespace ui_win

using namespace ui_win;

namespace ui_native {

int LoadPanel(int parent_handle, const std::string& path,
              const std::shared_ptr<const ui_description::ResourceFile>& file,
              const ui_description::Panel& description) {
    Panel* parent = FindPanel(parent_handle);
    Panel panel;
    panel.handle = ui_dispatch::NewHandle();
    panel.file = file;
    panel.folder = FolderOfPath(path);
    panel.root = description.root.get();
    panel.splash = panel.root->Text("windowKind") == "splash";
    Panel& stored = Panels()[panel.handle] = std::move(panel);

    const std::wstring title = Utf16(stored.root->Text("windowTitle"));
    const DWORD ex_style = WS_EX_CONTROLPARENT | (stored.splash ? WS_EX_TOOLWINDOW : 0);
    stored.hwnd = CreateWindowExW(ex_style, kPanelClass, title.c_str(), PanelStyle(stored), CW_USEDEFAULT,
                                  CW_USEDEFAULT, 200, 100, parent ? parent->hwnd : nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (stored.hwnd == nullptr) {
        Panels().erase(stored.handle);
        return UIE_FILE_NOT_FOUND;
    }
    SetWindowLongPtrW(stored.hwnd, GWLP_USERDATA, stored.handle);
    ui_front::AddPanel(stored.handle, parent_handle, stored.root->Number("closeControl", 0));
    stored.dpi = PanelDpi(stored.hwnd);
    if (stored.splash) {
        const std::string sheet = stored.root->Text("styleSheet");
        stored.background = StyleColour(sheet, "background", GetSysColor(COLOR_BTNFACE));
        stored.foreground = StyleColour(sheet, "color", GetSysColor(COLOR_BTNTEXT));
        stored.background_brush = CreateSolidBrush(stored.background);
    }
    BuildControls(stored);
    RefreshFonts(stored);
    BuildMenuBar(stored);
    FitPanel(stored);
    ArrangePanel(stored);
    CentreOver(stored, parent ? parent->hwnd : nullptr);
    return stored.handle;
}

void ShowPanel(int panel, int below, bool popup) {
    Panel* p = FindPanel(panel);
    // Shown above the window it belongs to, its whole frame on the screen.
    OwnBeforeShowing(*p, below, popup);
    if (!IsIconic(p->hwnd) && !IsZoomed(p->hwnd)) KeepInWorkArea(p->hwnd);
    ShowWindow(p->hwnd, SW_SHOW);
    SetWindowPos(p->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (popup) {
        ApplyModality();
        SetForegroundWindow(p->hwnd);
    }
    FocusWhenActive(*p);
    // A panel shown again after the program changed it under other windows
    // is painted whole.
    if (popup)
        UpdateWindow(p->hwnd);
    else
        RedrawWindow(p->hwnd, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HidePanel(int panel) {
    // The windows a popup left disabled are enabled first: the one below
    // it, not another program, becomes active as it goes.
    ApplyModality();
    if (Panel* p = FindPanel(panel)) {
        HandOverOwnedWindows(*p);
        ShowWindow(p->hwnd, SW_HIDE);
    }
    RepaintVisiblePanels();
}

void DestroyPanel(int panel) {
    Panel* p = FindPanel(panel);
    const HWND hwnd = p->hwnd;
    // The window may be discarded from one of its own controls' callbacks:
    // the window's messages find no panel any more.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    HandOverOwnedWindows(*p);
    ShowWindow(hwnd, SW_HIDE);
    DestroyWindow(hwnd);
    FreePanel(*p);
    Panels().erase(panel);
    ApplyModality();
    RepaintVisiblePanels();
}

bool ActivateActiveWindow() {
    const Panel* active = PanelOfWindow(GetActiveWindow());
    if (active != nullptr) ActivatePanel(active->handle);
    return active != nullptr;
}

void ActivatePanel(int panel) {
    const HWND window = FindPanel(panel)->hwnd;
    SetForegroundWindow(window);
    BringWindowToTop(window);
}

}  // namespace ui_native

QWidget* ui_native::PanelWidget(int) {
    return nullptr;
}
