// Controls addressed by number, the same on every system: which values each
// kind of control takes and how they convert, the attributes, and the lists,
// whose rows are kept here (the native list mirrors them). Program changes
// raise no events.
#include <charconv>
#include <cstring>

#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_front.h"

using ui_dispatch::ProgramChange;
using ui_front::Control;
using ui_native::Kind;

namespace {

bool TakesText(Kind kind) {
    return kind == Kind::Label || kind == Kind::Edit || kind == Kind::Button ||
           kind == Kind::CheckBox;
}

bool TakesNumber(Kind kind) {
    return kind == Kind::Spin || kind == Kind::CheckBox || kind == Kind::Progress;
}

// Numbers are written and read without the locale: "1.5" under a French one too.
std::string NumberText(double value) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6).ptr;
    return std::string(text, end);
}

// A text that is a number, blanks around it allowed; anything else reads as 0.
double TextNumber(const std::string& text) {
    const char* first = text.c_str();
    const char* last = first + text.size();
    while (first < last && std::strchr(" \t\r\n", *first) != nullptr) ++first;
    while (last > first && std::strchr(" \t\r\n", last[-1]) != nullptr) --last;
    if (first < last && *first == '+') ++first;
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last ? value : 0;
}

int CurrentRow(const Control& list) {
    return list.rows.empty() ? -1 : ui_native::CurrentRow(*list.native);
}

int SetText(Control& c, const std::string& text) {
    if (!TakesText(c.kind)) return UIE_WRONG_TYPE;
    ProgramChange change;
    ui_native::SetText(*c.native, text);
    return UIE_NO_ERROR;
}

int SetNumber(Control& c, double value) {
    if (c.kind == Kind::List) {
        // A list's value selects the row carrying it.
        for (size_t row = 0; row < c.rows.size(); ++row) {
            if (c.rows[row].value != static_cast<int>(value)) continue;
            ProgramChange change;
            ui_native::SelectRow(*c.native, static_cast<int>(row));
            return UIE_NO_ERROR;
        }
        return UIE_INVALID_INDEX;
    }
    if (!TakesNumber(c.kind)) return SetText(c, NumberText(value));
    ProgramChange change;
    ui_native::SetNumber(*c.native, value);
    return UIE_NO_ERROR;
}

int GetText(const Control& c, std::string& value) {
    if (c.kind == Kind::List) {
        const int row = CurrentRow(c);
        value = row >= 0 ? c.rows[static_cast<size_t>(row)].label : std::string();
        return UIE_NO_ERROR;
    }
    if (!TakesText(c.kind) && c.kind != Kind::Spin) return UIE_WRONG_TYPE;
    value = ui_native::Text(*c.native);
    return UIE_NO_ERROR;
}

int GetNumber(const Control& c, double& value) {
    if (c.kind == Kind::List) {
        const int row = CurrentRow(c);
        if (row < 0) return UIE_INVALID_INDEX;
        value = c.rows[static_cast<size_t>(row)].value;
        return UIE_NO_ERROR;
    }
    if (TakesNumber(c.kind)) {
        value = ui_native::Number(*c.native);
        return UIE_NO_ERROR;
    }
    std::string text;
    const int status = GetText(c, text);
    if (status == UIE_NO_ERROR) value = TextNumber(text);
    return status;
}

Control* FindList(int panel, int control, int& status) {
    Control* c = ui_front::FindControl(panel, control, status);
    if (c != nullptr && c->kind != Kind::List) {
        status = UIE_WRONG_TYPE;
        return nullptr;
    }
    return c;
}

// The list when `index` is one of its rows, else nullptr with UIE_INVALID_INDEX
// (or the lookup's status).
Control* FindListRow(int panel, int control, int index, int& status) {
    Control* list = FindList(panel, control, status);
    if (list != nullptr && (index < 0 || index >= static_cast<int>(list->rows.size()))) {
        status = UIE_INVALID_INDEX;
        return nullptr;
    }
    return list;
}

}  // namespace

int SetCtrlVal(int panel, int control, int value) {
    return SetCtrlVal(panel, control, static_cast<double>(value));
}

int SetCtrlVal(int panel, int control, double value) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    return c ? SetNumber(*c, value) : status;
}

int SetCtrlVal(int panel, int control, const std::string& value) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    return c ? SetText(*c, value) : status;
}

int GetCtrlVal(int panel, int control, int& value) {
    double number = 0;
    const int status = GetCtrlVal(panel, control, number);
    if (status == UIE_NO_ERROR) value = static_cast<int>(number);
    return status;
}

int GetCtrlVal(int panel, int control, double& value) {
    int status;
    const Control* c = ui_front::FindControl(panel, control, status);
    return c ? GetNumber(*c, value) : status;
}

int GetCtrlVal(int panel, int control, std::string& value) {
    int status;
    const Control* c = ui_front::FindControl(panel, control, status);
    return c ? GetText(*c, value) : status;
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    if (c == nullptr) return status;
    switch (attribute) {
        case ATTR_DIMMED:
            ui_native::SetDimmed(*c->native, value != 0);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            ui_native::SetVisible(*c->native, value != 0);
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, const std::string& value) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    if (c == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT || !ui_native::SetLabelText(*c->native, value))
        return UIE_INVALID_ATTRIBUTE;
    c->label_text = value;
    c->label_text_set = true;
    return UIE_NO_ERROR;
}

int GetCtrlAttribute(int panel, int control, int attribute, int& value) {
    int status;
    const Control* c = ui_front::FindControl(panel, control, status);
    if (c == nullptr) return status;
    switch (attribute) {
        case ATTR_DIMMED:
            value = ui_native::Dimmed(*c->native) ? 1 : 0;
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            value = ui_native::Visible(*c->native) ? 1 : 0;
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string& value) {
    int status;
    const Control* c = ui_front::FindControl(panel, control, status);
    if (c == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
    if (c->label_text_set) {
        value = c->label_text;
        return UIE_NO_ERROR;
    }
    return ui_native::LabelText(*c->native, value) ? UIE_NO_ERROR : UIE_INVALID_ATTRIBUTE;
}

int SetActiveCtrl(int panel, int control) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    if (c == nullptr) return status;
    ui_native::Focus(*c->native);
    return UIE_NO_ERROR;
}

// ---- Lists ----------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const std::string& label, int value) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    const int count = static_cast<int>(list->rows.size());
    if (index < -1 || index > count) return UIE_INVALID_INDEX;
    ProgramChange change;
    const int row = index == -1 ? count : index;
    list->rows.insert(list->rows.begin() + row, {label, value});
    ui_native::InsertRow(*list->native, row, label);
    // A list with rows always shows one of them as current.
    if (count == 0) ui_native::SelectRow(*list->native, 0);
    return UIE_NO_ERROR;
}

int SetListItemAccessibleName(int panel, int control, int index, const std::string& name) {
    int status;
    Control* list = FindListRow(panel, control, index, status);
    if (list == nullptr) return status;
    ProgramChange change;
    ui_native::SetRowAccessibleName(*list->native, index, name);
    return UIE_NO_ERROR;
}

int ClearListCtrl(int panel, int control) {
    int status;
    Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    ProgramChange change;
    list->rows.clear();
    ui_native::ClearRows(*list->native);
    return UIE_NO_ERROR;
}

int GetNumListItems(int panel, int control, int& count) {
    int status;
    const Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    count = static_cast<int>(list->rows.size());
    return UIE_NO_ERROR;
}

int GetCtrlIndex(int panel, int control, int& index) {
    int status;
    const Control* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    index = CurrentRow(*list);
    return UIE_NO_ERROR;
}

int SetCtrlIndex(int panel, int control, int index) {
    int status;
    Control* list = FindListRow(panel, control, index, status);
    if (list == nullptr) return status;
    ProgramChange change;
    ui_native::SelectRow(*list->native, index);
    return UIE_NO_ERROR;
}

int GetLabelFromIndex(int panel, int control, int index, std::string& label) {
    int status;
    const Control* list = FindListRow(panel, control, index, status);
    if (list != nullptr) label = list->rows[static_cast<size_t>(index)].label;
    return status;
}

int GetValueFromIndex(int panel, int control, int index, int& value) {
    int status;
    const Control* list = FindListRow(panel, control, index, status);
    if (list != nullptr) value = list->rows[static_cast<size_t>(index)].value;
    return status;
}
