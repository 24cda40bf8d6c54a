// The event loop over Windows' messages (ui_native.h), and the panels' window
// procedure: the controls' notifications handed to the front, which runs
// their callbacks (ui_dispatch.h), the layout on every size or DPI change,
// closing as the panel's close control, the wait cursor.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

bool exit_loop = false;

Control* ControlById(Panel& panel, int id) {
    const int index = id - kControlIdBase;
    if (index < 0 || index >= static_cast<int>(panel.widgets.size())) return nullptr;
    return panel.widgets[static_cast<size_t>(index)].get();
}

Control* ControlByWindow(Panel& panel, HWND hwnd) {
    for (auto& control : panel.widgets) {
        if (control->hwnd == hwnd || (control->arrows != nullptr && control->arrows == hwnd))
            return control.get();
    }
    return nullptr;
}

// Hands one message to its window; keys of a panel go through the dialog
// manager first (Tab, Shift+Tab, Enter, Escape, Alt+mnemonic).
void Deliver(MSG& msg) {
    HWND root = msg.hwnd != nullptr ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root != nullptr && PanelOfWindow(root) != nullptr && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool AnyPanelWindow() {
    for (auto& [handle, panel] : Panels()) {
        if (IsWindow(panel.hwnd)) return true;
    }
    return false;
}

// WM_GETDLGCODE's question "do you take this Enter?": a control that answers
// yes gets the key instead of the panel's default button.
bool AsksForEnter(LPARAM lparam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lparam);
    return msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN;
}

// The user's event on the numbered control `hwnd` shows.
void DispatchFrom(HWND hwnd, int event) {
    Panel* panel = PanelOfWindow(GetParent(hwnd));
    const Control* control = panel != nullptr ? ControlByWindow(*panel, hwnd) : nullptr;
    if (control != nullptr && control->number > 0)
        DispatchControlEvent(panel->handle, control->number, event);
}

// A list row chosen by the user: its value changed; a click, then, or a
// double click or Enter (a commit).
LRESULT CALLBACK ListProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            if (AsksForEnter(lparam)) return DLGC_WANTMESSAGE | DefSubclassProc(hwnd, message, wparam, lparam);
            break;
        case WM_KEYDOWN:
            if (wparam == VK_RETURN) {
                SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), LBN_DBLCLK),
                             reinterpret_cast<LPARAM>(hwnd));
                return 0;
            }
            break;
        case WM_LBUTTONUP: {
            const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
            DispatchFrom(hwnd, EVENT_LEFT_CLICK);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

// Enter in a field that has a callback is that field's commit, not the
// panel's default button; its character is not typed (no beep either).
LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            if (AsksForEnter(lparam)) return DLGC_WANTMESSAGE | DefSubclassProc(hwnd, message, wparam, lparam);
            break;
        case WM_KEYDOWN:
            if (wparam != VK_RETURN) break;
            SendMessageW(hwnd, EM_SETMODIFY, FALSE, 0);
            DispatchFrom(hwnd, EVENT_COMMIT);
            return 0;
        case WM_CHAR:
            if (wparam == L'\r' || wparam == L'\n') return 0;
            break;
        default: break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

// A selectable label is a multi-line edit, which would keep Enter, Escape and
// Tab: they go to the panel (its buttons, its close control, the next field)
// as from a label. Selecting text shows no caret: nothing is typed there.
LRESULT CALLBACK SelectableProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_GETDLGCODE:
            return DefSubclassProc(hwnd, message, wparam, lparam) & ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        case WM_SETFOCUS: {
            const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
            HideCaret(hwnd);
            return result;
        }
        default: break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

void Command(Panel& panel, WPARAM wparam, LPARAM lparam) {
    const int id = LOWORD(wparam);
    const int code = HIWORD(wparam);
    if (id == IDCANCEL) {
        // Escape closes a dialog panel, as the close box does; a main window stays.
        if (panel.root->class_name != "QMainWindow") ui_front::CloseRequested(panel.handle);
        return;
    }
    if (lparam == 0 && code == 0) {
        MenuCommand(panel, static_cast<UINT>(id));
        return;
    }
    Control* control = ControlById(panel, id);
    if (control == nullptr || control->number <= 0) return;
    const int handle = panel.handle, number = control->number;
    switch (control->kind) {
        case Kind::Button:
        case Kind::CheckBox:
            if (code == BN_CLICKED) DispatchControlEvent(handle, number, EVENT_COMMIT);
            break;
        case Kind::Edit:
            // Left after the user changed its text (as Qt's editing finished).
            if (code == EN_KILLFOCUS && !control->callback.empty() &&
                SendMessageW(control->hwnd, EM_GETMODIFY, 0, 0) != 0) {
                SendMessageW(control->hwnd, EM_SETMODIFY, FALSE, 0);
                DispatchControlEvent(handle, number, EVENT_VAL_CHANGED);
            }
            break;
        case Kind::List:
            if (code == LBN_SELCHANGE) DispatchControlEvent(handle, number, EVENT_VAL_CHANGED);
            if (code == LBN_DBLCLK) DispatchControlEvent(handle, number, EVENT_COMMIT);
            break;
        default: break;
    }
}

// The spin box's arrows step its value within its range; the text keeps its prefix.
void SpinStep(Panel& panel, const NMUPDOWN& change) {
    Control* control = ControlByWindow(panel, change.hdr.hwndFrom);
    if (control == nullptr || control->kind != Kind::Spin) return;
    ShowSpinValue(*control, SpinValue(*control) + change.iDelta);
}

LRESULT Colour(Panel& panel, HDC dc, LRESULT fallback) {
    if (!panel.splash) return fallback;
    SetTextColor(dc, panel.foreground);
    SetBkColor(dc, panel.background);
    return reinterpret_cast<LRESULT>(panel.background_brush);
}

void DpiChanged(Panel& panel, WPARAM wparam, const RECT& suggested) {
    panel.dpi = HIWORD(wparam);
    RefreshFonts(panel);
    SetWindowPos(panel.hwnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RefreshLayout(panel);
}

bool SameFont(HFONT a, HFONT b) {
    LOGFONTW one{}, other{};
    GetObjectW(a, sizeof one, &one);
    GetObjectW(b, sizeof other, &other);
    return one.lfHeight == other.lfHeight && one.lfWeight == other.lfWeight &&
           one.lfItalic == other.lfItalic && wcscmp(one.lfFaceName, other.lfFaceName) == 0;
}

// A change of the system's text size (Settings, Accessibility, Text size) or
// of its message font: the panel's fonts are made again and it is laid out
// anew, as when it moves to another monitor's scale. Windows sends this
// message for many other settings too, which leave the font as it is.
void SettingChanged(Panel& panel) {
    HFONT now = MessageFont(panel.dpi);
    const bool same = panel.message_font != nullptr && SameFont(now, panel.message_font);
    DeleteObject(now);
    if (same) return;
    ForgetMeasuredTexts();
    RefreshFonts(panel);
    RefreshLayout(panel);
    InvalidateRect(panel.hwnd, nullptr, TRUE);
}

// What Enter presses: the focused push button, as Qt's buttons are "auto
// default", else the panel's default button; nothing when it is dimmed.
LRESULT DefaultButton(Panel& panel) {
    HWND focus = GetFocus();
    for (auto& control : panel.widgets) {
        if (control->kind == Kind::Button && control->hwnd == focus && control->widget->Flag("autoDefault", true))
            return MAKELRESULT(control->id, DC_HASDEFID);
    }
    for (auto& control : panel.widgets) {
        if (control->kind == Kind::Button && control->widget->Flag("default", false) && IsWindowEnabled(control->hwnd))
            return MAKELRESULT(control->id, DC_HASDEFID);
    }
    return 0;
}

}  // namespace

void WatchKeys(const Control& control) {
    if (control.kind == Kind::List)
        SetWindowSubclass(control.hwnd, ListProc, 1, 0);
    else if (control.selectable)
        SetWindowSubclass(control.hwnd, SelectableProc, 1, 0);
    else if (control.kind == Kind::Edit && !control.callback.empty())
        SetWindowSubclass(control.hwnd, FieldProc, 1, 0);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    Panel* panel = PanelOfWindow(hwnd);
    if (panel == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (LRESULT answer = 0; SessionMessage(message, wparam, answer)) return answer;
    switch (message) {
        case WM_COMMAND: Command(*panel, wparam, lparam); return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lparam)->code == UDN_DELTAPOS) {
                SpinStep(*panel, *reinterpret_cast<NMUPDOWN*>(lparam));
                return 1;  // the arrows keep no position of their own
            }
            break;
        case WM_CLOSE:
            ui_front::CloseRequested(panel->handle);
            return 0;
        case WM_ACTIVATE:
            // As a dialog: the focused control is remembered when the window
            // loses the keyboard (a message box over it) and gets it back.
            if (LOWORD(wparam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd, focus)) panel->focus = focus;
            } else if (HIWORD(wparam) == 0) {
                FocusPanel(*panel);
            }
            return 0;
        case WM_SIZE:
            if (wparam != SIZE_MINIMIZED) ArrangePanel(*panel);
            return 0;
        case WM_GETMINMAXINFO: {
            const ui_layout::Size minimum = MinimumClient(*panel);
            const RECT frame = FrameAround(hwnd, RECT{0, 0, minimum.width, minimum.height}, panel->dpi);
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        case WM_DPICHANGED: DpiChanged(*panel, wparam, *reinterpret_cast<RECT*>(lparam)); return 0;
        case WM_SETTINGCHANGE: SettingChanged(*panel); break;
        case DM_GETDEFID: return DefaultButton(*panel);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return Colour(*panel, reinterpret_cast<HDC>(wparam), DefWindowProcW(hwnd, message, wparam, lparam));
        case WM_ERASEBKGND:
            if (panel->splash) {
                RECT client;
                GetClientRect(hwnd, &client);
                FillRect(reinterpret_cast<HDC>(wparam), &client, panel->background_brush);
                return 1;
            }
            break;
        case WM_MEASUREITEM:
            // Until the fonts are set (then the rows take their font's height).
            reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)->itemHeight = static_cast<UINT>(MulDiv(16, panel->dpi, 96));
            return TRUE;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
            if (Control* control = ControlById(*panel, static_cast<int>(wparam))) {
                if (control->kind == Kind::List) DrawListRow(*item, *control);
                else if (control->kind == Kind::Label) DrawMarginLabel(*item, *control, *panel);
                else DrawPicture(*item, *control);
            }
            return TRUE;
        }
        case WM_SETCURSOR:
            if (ui_dispatch::WaitCursorFlag() && LOWORD(lparam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

void ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) Deliver(msg);
}

}  // namespace ui_win

using namespace ui_win;

namespace ui_native {

int RunLoop() {
    exit_loop = false;
    MSG msg;
    while (!exit_loop && GetMessageW(&msg, nullptr, 0, 0) > 0) Deliver(msg);
    exit_loop = false;
    return ui_dispatch::Loop().quit_code;
}

void ExitLoop(int) {
    exit_loop = true;
    // Wakes the loop if it waits for a message.
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void ProcessEvents() {
    ProcessPendingMessages();
}

bool WaitForEvents() {
    if (exit_loop || !AnyPanelWindow()) return false;
    WaitMessage();
    ProcessPendingMessages();
    return true;
}

void ShowWaitCursor(bool on) {
    // Shown at once over the program's windows; WM_SETCURSOR keeps it there.
    POINT point;
    GetCursorPos(&point);
    HWND under = WindowFromPoint(point);
    if (under != nullptr && PanelOfWindow(GetAncestor(under, GA_ROOT)) != nullptr) {
        SetCursor(LoadCursorW(nullptr, on ? IDC_WAIT : IDC_ARROW));
    }
}

}  // namespace ui_native

void ui_native::PaintNow() {
    // Paints now; the user's clicks and keys wait for the program's own polls.
    for (auto& [handle, p] : Panels()) {
        if (IsWindowVisible(p.hwnd))
            RedrawWindow(p.hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    ProcessPaintAndTimerMessages();
}

void ui_native::ResetForTesting() {
    Panels().clear();
    exit_loop = false;
    SetDpiOverrideForTesting(0);
}
