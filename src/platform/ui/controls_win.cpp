// Controls addressed by number: values, attributes and list operations, over
// the Windows controls of a panel.
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

using ui_dispatch::ProgramChange;

Panel* OwnerPanel(const Control& control) { return PanelOfWindow(GetParent(control.hwnd)); }

// A text or visibility change may need another layout.
void Relayout(const Control& control) {
    if (Panel* panel = OwnerPanel(control)) RefreshLayout(*panel);
}

int SetText(Control& c, const std::string& text) {
    ProgramChange change;
    switch (c.kind) {
        case Kind::Label:
            SetWindowTextW(c.hwnd, c.selectable ? EditText(text).c_str() : Utf16(text).c_str());
            InvalidateRect(c.hwnd, nullptr, TRUE);  // a label the panel draws too
            c.text_placed = false;
            Relayout(c);
            return UIE_NO_ERROR;
        case Kind::Edit: SetWindowTextW(c.hwnd, Utf16(text).c_str()); return UIE_NO_ERROR;
        case Kind::Button:
        case Kind::CheckBox:
            SetWindowTextW(c.hwnd, MnemonicText(text).c_str());
            Relayout(c);
            return UIE_NO_ERROR;
        default: return UIE_WRONG_TYPE;
    }
}

int ListCount(const Control& c) { return static_cast<int>(SendMessageW(c.hwnd, LB_GETCOUNT, 0, 0)); }
int ListCurrent(const Control& c) {
    if (ListCount(c) == 0) return -1;
    // A list that shows no selection still has a current row: its caret.
    if ((GetWindowLongW(c.hwnd, GWL_STYLE) & LBS_NOSEL) != 0)
        return static_cast<int>(SendMessageW(c.hwnd, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageW(c.hwnd, LB_GETCURSEL, 0, 0));
}
void ListSelect(Control& c, int row) {
    // A list that shows no selection (the instrument's identity) only moves its caret.
    if ((GetWindowLongW(c.hwnd, GWL_STYLE) & LBS_NOSEL) != 0) SendMessageW(c.hwnd, LB_SETCARETINDEX, row, 0);
    else SendMessageW(c.hwnd, LB_SETCURSEL, row, 0);
}

std::string ListLabel(const Control& c, int row) {
    return row >= 0 && row < static_cast<int>(c.labels.size()) ? c.labels[static_cast<size_t>(row)] : std::string();
}

int SetNumber(Control& c, double value) {
    ProgramChange change;
    switch (c.kind) {
        case Kind::Spin: {
            const int number = std::clamp(static_cast<int>(value), c.minimum, c.maximum);
            SetWindowTextW(c.hwnd, Utf16(c.prefix + std::to_string(number)).c_str());
            return UIE_NO_ERROR;
        }
        case Kind::CheckBox:
            SendMessageW(c.hwnd, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
            return UIE_NO_ERROR;
        case Kind::Progress: SendMessageW(c.hwnd, PBM_SETPOS, static_cast<int>(value), 0); return UIE_NO_ERROR;
        case Kind::List: {
            // A list's value selects the row carrying it.
            const auto it = std::find(c.values.begin(), c.values.end(), static_cast<int>(value));
            if (it == c.values.end()) return UIE_INVALID_INDEX;
            ListSelect(c, static_cast<int>(it - c.values.begin()));
            return UIE_NO_ERROR;
        }
        default: {
            char text[64];
            snprintf(text, sizeof text, "%g", value);
            return SetText(c, text);
        }
    }
}

int GetText(const Control& c, std::string& value) {
    switch (c.kind) {
        case Kind::Label: value = LabelText(c); return UIE_NO_ERROR;
        case Kind::Edit:
        case Kind::Spin:
        case Kind::Button:
        case Kind::CheckBox: value = WindowText(c.hwnd); return UIE_NO_ERROR;
        case Kind::List: {
            const int row = ListCurrent(c);
            value = row >= 0 ? ListLabel(c, row) : std::string();
            return UIE_NO_ERROR;
        }
        default: return UIE_WRONG_TYPE;
    }
}

int GetNumber(const Control& c, double& value) {
    switch (c.kind) {
        case Kind::Spin: value = SpinValue(c); return UIE_NO_ERROR;
        case Kind::CheckBox:
            value = SendMessageW(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
            return UIE_NO_ERROR;
        case Kind::Progress: value = static_cast<double>(SendMessageW(c.hwnd, PBM_GETPOS, 0, 0)); return UIE_NO_ERROR;
        case Kind::List: {
            const int row = ListCurrent(c);
            if (row < 0) return UIE_INVALID_INDEX;
            value = c.values[static_cast<size_t>(row)];
            return UIE_NO_ERROR;
        }
        default: {
            std::string text;
            const int status = GetText(c, text);
            if (status != UIE_NO_ERROR) return status;
            char* end = nullptr;
            value = std::strtod(text.c_str(), &end);
            if (end == text.c_str()) value = 0;
            return UIE_NO_ERROR;
        }
    }
}

Control* FindList(int panel, int control, int& status) {
    Control* c = FindControl(panel, control, status);
    if (c != nullptr && c->kind != Kind::List) {
        status = UIE_WRONG_TYPE;
        return nullptr;
    }
    return c;
}

void Show(HWND hwnd, bool visible) {
    if (hwnd != nullptr) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

bool IsButton(const Control& c) { return c.kind == Kind::Button || c.kind == Kind::CheckBox; }

}  // namespace

int SetCtrlVal(int panel, int control, int value) {
    int status;
    Control* c = FindControl(panel, control, status);
    return c ? SetNumber(*c, value) : status;
}

int SetCtrlVal(int panel, int control, double value) {
    int status;
    Control* c = FindControl(panel, control, status);
    return c ? SetNumber(*c, value) : status;
}

int SetCtrlVal(int panel, int control, const std::string& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    return c ? SetText(*c, value) : status;
}

int GetCtrlVal(int panel, int control, int& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    double number = 0;
    status = GetNumber(*c, number);
    if (status == UIE_NO_ERROR) value = static_cast<int>(number);
    return status;
}

int GetCtrlVal(int panel, int control, double& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    return c ? GetNumber(*c, value) : status;
}

int GetCtrlVal(int panel, int control, std::string& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    return c ? GetText(*c, value) : status;
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    switch (attribute) {
        case ATTR_DIMMED:
            EnableWindow(c->hwnd, value == 0);
            if (c->arrows) EnableWindow(c->arrows, value == 0);
            if (c->label) EnableWindow(c->label->hwnd, value == 0);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            Show(c->hwnd, value != 0);
            Show(c->arrows, value != 0);
            if (c->label) Show(c->label->hwnd, value != 0);
            Relayout(*c);
            return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, const std::string& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
    HWND shown = IsButton(*c) ? c->hwnd : (c->label ? c->label->hwnd : nullptr);
    if (shown == nullptr) return UIE_INVALID_ATTRIBUTE;
    c->label_text = value;
    c->label_text_set = true;
    // The label's text is also the control's accessible name: the label made
    // just before the control names it for screen readers.
    SetWindowTextW(shown, MnemonicText(value).c_str());
    Relayout(*c);
    return UIE_NO_ERROR;
}

int GetCtrlAttribute(int panel, int control, int attribute, int& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    switch (attribute) {
        case ATTR_DIMMED: value = IsWindowEnabled(c->hwnd) ? 0 : 1; return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            value = (GetWindowLongW(c->hwnd, GWL_STYLE) & WS_VISIBLE) != 0 ? 1 : 0;
            return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
}


int GetCtrlAttribute(int panel, int control, int attribute, std::string& value) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
    if (c->label_text_set) value = c->label_text;
    else if (IsButton(*c)) value = ProgramMnemonic(WindowText(c->hwnd));
    else if (c->label) value = ProgramMnemonic(WindowText(c->label->hwnd));
    else return UIE_INVALID_ATTRIBUTE;
    return UIE_NO_ERROR;
}

int SetActiveCtrl(int panel, int control) {
    int status;
    Control* c = FindControl(panel, control, status);
    if (c == nullptr) return status;
    // The panel's window gets the keyboard back on this control: at once when
    // it has it, else when it is next shown or activated.
    if (Panel* p = FindPanel(panel)) {
        p->focus = c->hwnd;
        if (GetActiveWindow() == p->hwnd) SetFocus(c->hwnd);
    }
    return UIE_NO_ERROR;
}

// ---- Lists ----------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const std::string& label, int value) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    const int count = ListCount(*list);
    if (index < -1 || index > count) return UIE_INVALID_INDEX;
    ProgramChange change;
    const int row = index == -1 ? count : index;
    SendMessageW(list->hwnd, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(Utf16(label).c_str()));
    list->values.insert(list->values.begin() + row, value);
    list->labels.insert(list->labels.begin() + row, label);
    FitListExtent(*list);
    // A list with rows always shows one of them as current.
    if (count == 0) ListSelect(*list, 0);
    return UIE_NO_ERROR;
}

int SetListItemAccessibleName(int panel, int control, int index, const std::string& name) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= ListCount(*list)) return UIE_INVALID_INDEX;
    // Screen readers read the list box's own text of the row; the row is drawn
    // from its label. The row goes back in its place, its selection kept.
    ProgramChange change;
    const int current = ListCurrent(*list);
    SendMessageW(list->hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list->hwnd, LB_DELETESTRING, index, 0);
    SendMessageW(list->hwnd, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Utf16(name).c_str()));
    if (current >= 0) ListSelect(*list, current);
    SendMessageW(list->hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list->hwnd, nullptr, TRUE);
    return UIE_NO_ERROR;
}

void ui_win::FitListExtent(const Control& list) {
    int widest = 0;
    HDC dc = GetDC(list.hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list.hwnd, WM_GETFONT, 0, 0)));
    for (const std::string& label : list.labels) {
        const std::wstring text = Utf16(label);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(list.hwnd, dc);
    // The row's text starts 2 pixels in (DrawListRow); as much again after it.
    SendMessageW(list.hwnd, LB_SETHORIZONTALEXTENT, widest > 0 ? widest + 4 : 0, 0);
}

int ClearListCtrl(int panel, int control) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    ProgramChange change;
    SendMessageW(list->hwnd, LB_RESETCONTENT, 0, 0);
    list->values.clear();
    list->labels.clear();
    FitListExtent(*list);
    return UIE_NO_ERROR;
}

int GetNumListItems(int panel, int control, int& count) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    count = ListCount(*list);
    return UIE_NO_ERROR;
}

int GetCtrlIndex(int panel, int control, int& index) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    index = ListCurrent(*list);
    return UIE_NO_ERROR;
}

int SetCtrlIndex(int panel, int control, int index) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= ListCount(*list)) return UIE_INVALID_INDEX;
    ProgramChange change;
    ListSelect(*list, index);
    return UIE_NO_ERROR;
}

int GetLabelFromIndex(int panel, int control, int index, std::string& label) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= ListCount(*list)) return UIE_INVALID_INDEX;
    label = ListLabel(*list, index);
    return UIE_NO_ERROR;
}

int GetValueFromIndex(int panel, int control, int index, int& value) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= ListCount(*list)) return UIE_INVALID_INDEX;
    value = list->values[static_cast<size_t>(index)];
    return UIE_NO_ERROR;
}

int ResetTimer(int panel, int control) {
    // The program has no timer controls; the call stays for the shutdown order.
    if (panel == ALL_PANELS_AND_TIMERS || panel == 0) return UIE_NO_ERROR;
    int status;
    return FindControl(panel, control, status) ? UIE_NO_ERROR : status;
}
