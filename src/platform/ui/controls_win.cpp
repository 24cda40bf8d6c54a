// The native side of the controls (ui_native.h) over the Windows controls of
// a panel: their values, attributes and a list's mirrored rows.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

namespace ui_win {

int SpinValue(const Control& control) {
    std::string text = WindowText(control.hwnd);
    if (text.compare(0, control.prefix.size(), control.prefix) == 0) text.erase(0, control.prefix.size());
    const long value = std::strtol(text.c_str(), nullptr, 10);
    return std::clamp(static_cast<int>(value), control.minimum, control.maximum);
}

void ShowSpinValue(const Control& control, int value) {
    value = std::clamp(value, control.minimum, control.maximum);
    SetWindowTextW(control.hwnd, Utf16(control.prefix + std::to_string(value)).c_str());
}

// An edit ends its lines with "\r\n"; the program's texts end them with "\n".
std::wstring EditText(const std::string& text) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) lines += '\r';
        lines += text[i];
    }
    return Utf16(lines);
}

std::string LabelText(const Control& control) {
    std::string text = WindowText(control.hwnd);
    if (!control.selectable) return text;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

}  // namespace ui_win

namespace {

Panel* OwnerPanel(const Control& control) { return PanelOfWindow(GetParent(control.hwnd)); }

// A text or visibility change may need another layout.
void Relayout(const Control& control) {
    if (Panel* panel = OwnerPanel(control)) RefreshLayout(*panel);
}

bool ShowsNoSelection(const Control& list) {
    return (GetWindowLongW(list.hwnd, GWL_STYLE) & LBS_NOSEL) != 0;
}

void Show(HWND hwnd, bool visible) {
    if (hwnd != nullptr) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

// The window whose text names the control: a button's own, else its buddy label's.
HWND NamingWindow(const Control& c) {
    if (c.kind == Kind::Button || c.kind == Kind::CheckBox) return c.hwnd;
    return c.label != nullptr ? c.label->hwnd : nullptr;
}

}  // namespace

const std::vector<ui_front::Row>& ui_win::RowsOf(const Control& list) {
    static const std::vector<ui_front::Row> none;
    const Panel* panel = OwnerPanel(list);
    int status;
    const ui_front::Control* kept =
        panel ? ui_front::FindControl(panel->handle, list.number, status) : nullptr;
    return kept != nullptr ? kept->rows : none;
}

void ui_win::FitListExtent(const Control& list) {
    int widest = 0;
    HDC dc = GetDC(list.hwnd);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list.hwnd, WM_GETFONT, 0, 0)));
    for (const ui_front::Row& row : RowsOf(list)) {
        const std::wstring text = Utf16(row.label);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(list.hwnd, dc);
    // The row's text starts 2 pixels in (DrawListRow); as much again after it.
    SendMessageW(list.hwnd, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + 4 : 0, 0);
}

namespace ui_native {

bool PanelAlive(int panel) {
    return FindPanel(panel) != nullptr;
}
bool Alive(const Control& control) {
    return control.hwnd != nullptr;
}

void SetText(Control& c, const std::string& text) {
    switch (c.kind) {
        case Kind::Label:
            SetWindowTextW(c.hwnd, c.selectable ? EditText(text).c_str() : Utf16(text).c_str());
            InvalidateRect(c.hwnd, nullptr, TRUE);  // a label the panel draws too
            c.text_placed = false;
            Relayout(c);
            break;
        case Kind::Button:
        case Kind::CheckBox:
            SetWindowTextW(c.hwnd, MnemonicText(text).c_str());
            Relayout(c);
            break;
        default:
            SetWindowTextW(c.hwnd, Utf16(text).c_str());
            break;
    }
}

std::string Text(const Control& c) {
    return c.kind == Kind::Label ? ui_win::LabelText(c) : WindowText(c.hwnd);
}

void SetNumber(Control& c, double value) {
    switch (c.kind) {
        case Kind::Spin:
            ShowSpinValue(c, static_cast<int>(value));
            break;
        case Kind::CheckBox:
            SendMessageW(c.hwnd, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Kind::Progress:
            SendMessageW(c.hwnd, PBM_SETPOS, static_cast<int>(value), 0);
            break;
        default:
            break;
    }
}

double Number(const Control& c) {
    switch (c.kind) {
        case Kind::Spin:
            return SpinValue(c);
        case Kind::CheckBox:
            return SendMessageW(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
        case Kind::Progress:
            return static_cast<double>(SendMessageW(c.hwnd, PBM_GETPOS, 0, 0));
        default:
            return 0;
    }
}

void SetDimmed(Control& c, bool dimmed) {
    EnableWindow(c.hwnd, !dimmed);
    if (c.arrows) EnableWindow(c.arrows, !dimmed);
    if (c.label) EnableWindow(c.label->hwnd, !dimmed);
}

bool Dimmed(const Control& c) {
    return !IsWindowEnabled(c.hwnd);
}

void SetVisible(Control& c, bool visible) {
    Show(c.hwnd, visible);
    Show(c.arrows, visible);
    if (c.label) Show(c.label->hwnd, visible);
    Relayout(c);
}

bool Visible(const Control& c) {
    return (GetWindowLongW(c.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

bool SetLabelText(Control& c, const std::string& text) {
    const HWND shown = NamingWindow(c);
    if (shown == nullptr) return false;
    // The label's text is also the control's accessible name: the label made
    // just before the control names it for screen readers.
    SetWindowTextW(shown, MnemonicText(text).c_str());
    Relayout(c);
    return true;
}

bool LabelText(const Control& c, std::string& shown) {
    const HWND naming = NamingWindow(c);
    if (naming != nullptr) shown = WindowText(naming);
    return naming != nullptr;
}

void Focus(Control& c) {
    // The panel's window gets the keyboard back on this control: at once when
    // it has it, else when it is next shown or activated.
    if (Panel* p = OwnerPanel(c)) {
        p->focus = c.hwnd;
        if (GetActiveWindow() == p->hwnd) SetFocus(c.hwnd);
    }
}

void InsertRow(Control& list, int row, const std::string& label) {
    SendMessageW(list.hwnd, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(Utf16(label).c_str()));
    FitListExtent(list);
}

void ClearRows(Control& list) {
    SendMessageW(list.hwnd, LB_RESETCONTENT, 0, 0);
    FitListExtent(list);
}

int CurrentRow(const Control& list) {
    if (SendMessageW(list.hwnd, LB_GETCOUNT, 0, 0) == 0) return -1;
    // A list that shows no selection still has a current row: its caret.
    if (ShowsNoSelection(list))
        return static_cast<int>(SendMessageW(list.hwnd, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(list.hwnd, LB_GETCURSEL, 0, 0));
}

void SelectRow(Control& list, int row) {
    // A list that shows no selection (the instrument's identity) only moves its caret.
    if (ShowsNoSelection(list))
        SendMessageW(list.hwnd, LB_SETCARETINDEX, row, 0);
    else
        SendMessageW(list.hwnd, LB_SETCURSEL, row, 0);
}

void SetRowAccessibleName(Control& list, int row, const std::string& name) {
    // Screen readers read the list box's own text of the row; the row is drawn
    // from its label. The row goes back in its place, its selection kept.
    const int current = CurrentRow(list);
    SendMessageW(list.hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list.hwnd, LB_DELETESTRING, row, 0);
    SendMessageW(list.hwnd, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(Utf16(name).c_str()));
    if (current >= 0) SelectRow(list, current);
    SendMessageW(list.hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list.hwnd, nullptr, TRUE);
}

}  // namespace ui_native
