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

// Runs `act` on the control, or gives the lookup's status.
template <typename Act>
int WithControl(int panel, int control, Act act) {
    int status;
    Control* c = ui_front::FindControl(panel, control, status);
    return c != nullptr ? act(*c) : status;
}

// The same for a list: UIE_WRONG_TYPE for another control.
template <typename Act>
int WithList(int panel, int control, Act act) {
    return WithControl(panel, control,
                       [&](Control& c) { return c.kind == Kind::List ? act(c) : UIE_WRONG_TYPE; });
}

// The same for one of the list's rows: UIE_INVALID_INDEX for another index.
template <typename Act>
int WithListRow(int panel, int control, int index, Act act) {
    return WithList(panel, control, [&](Control& list) {
        return index >= 0 && index < static_cast<int>(list.rows.size()) ? act(list)
                                                                        : UIE_INVALID_INDEX;
    });
}

}  // namespace

int SetCtrlVal(int panel, int control, int value) {
    return SetCtrlVal(panel, control, static_cast<double>(value));
}

int SetCtrlVal(int panel, int control, double value) {
    return WithControl(panel, control, [&](Control& c) { return SetNumber(c, value); });
}

int SetCtrlVal(int panel, int control, const std::string& value) {
    return WithControl(panel, control, [&](Control& c) { return SetText(c, value); });
}

int GetCtrlVal(int panel, int control, int& value) {
    double number = 0;
    const int status = GetCtrlVal(panel, control, number);
    if (status == UIE_NO_ERROR) value = static_cast<int>(number);
    return status;
}

int GetCtrlVal(int panel, int control, double& value) {
    return WithControl(panel, control, [&](const Control& c) { return GetNumber(c, value); });
}

int GetCtrlVal(int panel, int control, std::string& value) {
    return WithControl(panel, control, [&](const Control& c) { return GetText(c, value); });
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    return WithControl(panel, control, [&](Control& c) {
        if (attribute == ATTR_DIMMED)
            ui_native::SetDimmed(*c.native, value != 0);
        else if (attribute == ATTR_VISIBLE)
            ui_native::SetVisible(*c.native, value != 0);
        else
            return UIE_INVALID_ATTRIBUTE;
        return UIE_NO_ERROR;
    });
}

int SetCtrlAttribute(int panel, int control, int attribute, const std::string& value) {
    return WithControl(panel, control, [&](Control& c) {
        if (attribute != ATTR_LABEL_TEXT || !ui_native::SetLabelText(*c.native, value))
            return UIE_INVALID_ATTRIBUTE;
        c.label_text = value;
        c.label_text_set = true;
        return UIE_NO_ERROR;
    });
}

int GetCtrlAttribute(int panel, int control, int attribute, int& value) {
    return WithControl(panel, control, [&](const Control& c) {
        if (attribute == ATTR_DIMMED)
            value = ui_native::Dimmed(*c.native) ? 1 : 0;
        else if (attribute == ATTR_VISIBLE)
            value = ui_native::Visible(*c.native) ? 1 : 0;
        else
            return UIE_INVALID_ATTRIBUTE;
        return UIE_NO_ERROR;
    });
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string& value) {
    return WithControl(panel, control, [&](const Control& c) {
        if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
        if (c.label_text_set) {
            value = c.label_text;
            return UIE_NO_ERROR;
        }
        std::string shown;
        if (!ui_native::LabelText(*c.native, shown)) return UIE_INVALID_ATTRIBUTE;
        value = ui_front::ProgramMnemonic(shown);
        return UIE_NO_ERROR;
    });
}

int SetActiveCtrl(int panel, int control) {
    return WithControl(panel, control, [](Control& c) {
        ui_native::Focus(*c.native);
        return UIE_NO_ERROR;
    });
}

// ---- Lists ----------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const std::string& label, int value) {
    return WithList(panel, control, [&](Control& list) {
        const int count = static_cast<int>(list.rows.size());
        if (index < -1 || index > count) return UIE_INVALID_INDEX;
        ProgramChange change;
        const int row = index == -1 ? count : index;
        list.rows.insert(list.rows.begin() + row, {label, value});
        ui_native::InsertRow(*list.native, row, label);
        // A list with rows always shows one of them as current.
        if (count == 0) ui_native::SelectRow(*list.native, 0);
        return UIE_NO_ERROR;
    });
}

int SetListItemAccessibleName(int panel, int control, int index, const std::string& name) {
    return WithListRow(panel, control, index, [&](Control& list) {
        ProgramChange change;
        ui_native::SetRowAccessibleName(*list.native, index, name);
        return UIE_NO_ERROR;
    });
}

int ClearListCtrl(int panel, int control) {
    return WithList(panel, control, [](Control& list) {
        ProgramChange change;
        list.rows.clear();
        ui_native::ClearRows(*list.native);
        return UIE_NO_ERROR;
    });
}

int GetNumListItems(int panel, int control, int& count) {
    return WithList(panel, control, [&](const Control& list) {
        count = static_cast<int>(list.rows.size());
        return UIE_NO_ERROR;
    });
}

int GetCtrlIndex(int panel, int control, int& index) {
    return WithList(panel, control, [&](const Control& list) {
        index = CurrentRow(list);
        return UIE_NO_ERROR;
    });
}

int SetCtrlIndex(int panel, int control, int index) {
    return WithListRow(panel, control, index, [&](Control& list) {
        ProgramChange change;
        ui_native::SelectRow(*list.native, index);
        return UIE_NO_ERROR;
    });
}

int GetLabelFromIndex(int panel, int control, int index, std::string& label) {
    return WithListRow(panel, control, index, [&](const Control& list) {
        label = list.rows[static_cast<size_t>(index)].label;
        return UIE_NO_ERROR;
    });
}

int GetValueFromIndex(int panel, int control, int index, int& value) {
    return WithListRow(panel, control, index, [&](const Control& list) {
        value = list.rows[static_cast<size_t>(index)].value;
        return UIE_NO_ERROR;
    });
}
