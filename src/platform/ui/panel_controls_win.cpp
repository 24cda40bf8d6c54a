// The child controls of a panel: one standard Windows control per widget of
// the file, made in the file's order, so the Tab order and the label that
// names each field for screen readers (the one made just before it) follow
// the file.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

Kind KindOf(const Widget& widget) {
    const std::string& c = widget.class_name;
    if (c == "QPushButton") return Kind::Button;
    if (c == "QCheckBox") return Kind::CheckBox;
    if (c == "QLineEdit") return Kind::Edit;
    if (c == "QSpinBox") return Kind::Spin;
    if (c == "QListWidget") return Kind::List;
    if (c == "QLabel") return widget.Find("pixmap") != nullptr ? Kind::Picture : Kind::Label;
    if (c == "QProgressBar") return Kind::Progress;
    if (c == "Line") return Kind::Line;
    return Kind::Container;
}

bool Has(const Widget& widget, const std::string& property, const std::string& word) {
    return widget.Text(property).find(word) != std::string::npos;
}

DWORD LabelStyle(const Widget& widget, bool value_field) {
    DWORD style = SS_LEFT;
    if (Has(widget, "alignment", "AlignHCenter") || Has(widget, "alignment", "AlignCenter"))
        style = SS_CENTER;
    else if (Has(widget, "alignment", "AlignRight") || Has(widget, "alignment", "AlignTrailing"))
        style = SS_RIGHT;
    const bool wraps = widget.Flag("wordWrap", false);
    // Qt centres a label's line in its height unless told to keep it on top.
    if (!wraps && !Has(widget, "alignment", "AlignTop")) style |= SS_CENTERIMAGE;
    if (!wraps && style == SS_LEFT) style = SS_LEFTNOWORDWRAP | (style & SS_CENTERIMAGE);
    // A field showing the program's texts shows them as they are ("&"
    // included), and so does a label naming no control, as the layout
    // measures it: only a label with a buddy has a mnemonic.
    if (value_field || widget.Text("buddy").empty()) style |= SS_NOPREFIX;
    if (widget.Find("accessibleName") != nullptr || value_field) style |= SS_NOTIFY;
    return style;
}

struct Made {
    const wchar_t* window_class;
    DWORD style;
    DWORD ex_style;
    std::wstring text;
};

Made Describe(const Control& control) {
    const Widget& w = *control.widget;
    const std::wstring text = Utf16(w.Text("text"));
    switch (control.kind) {
        case Kind::Button:
            return {WC_BUTTONW, DWORD(WS_TABSTOP | (w.Flag("default", false) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                    0, text};
        case Kind::CheckBox: return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0, text};
        case Kind::Edit: return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, text};
        case Kind::Spin: return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, L""};
        case Kind::List: {
            // A row wider than the list scrolls sideways, as in Qt, rather than lose its end.
            DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                          LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
            if (Has(w, "selectionMode", "NoSelection")) style |= LBS_NOSEL;
            return {WC_LISTBOXW, style, WS_EX_CLIENTEDGE, L""};
        }
        case Kind::Label: {
            const bool framed = Has(w, "frameShape", "Panel") || Has(w, "frameShape", "Box");
            if (control.selectable) {
                // Text the user can select and copy (a long path): a read-only
                // edit, no Tab stop (as Qt gives such a label no keyboard focus),
                // named by its buddy label for screen readers.
                DWORD style = ES_READONLY | ES_MULTILINE | ES_LEFT;
                if (!w.Flag("wordWrap", false)) style |= ES_AUTOHSCROLL;
                return {WC_EDITW, style, DWORD(framed ? WS_EX_STATICEDGE : 0), EditText(w.Text("text"))};
            }
            // A text kept off its frame by a margin is drawn by the panel.
            const DWORD style = w.Number("margin", 0) > 0 ? DWORD(SS_OWNERDRAW | SS_NOTIFY)
                                                          : LabelStyle(w, control.number > 0);
            return {WC_STATICW, style, DWORD(framed ? WS_EX_STATICEDGE : 0), text};
        }
        case Kind::Picture:
            // Not drawn as text: its text is the name screen readers give the picture.
            return {WC_STATICW, SS_OWNERDRAW | SS_NOTIFY, 0, Utf16(w.Text("accessibleName"))};
        case Kind::Progress: {
            const bool busy = w.Number("maximum", 100) == 0 && w.Number("minimum", 0) == 0;
            return {PROGRESS_CLASSW, DWORD(busy ? PBS_MARQUEE : 0), 0, L""};
        }
        case Kind::Line:
            return {WC_STATICW, DWORD(Has(w, "orientation", "Vertical") ? SS_ETCHEDVERT : SS_ETCHEDHORZ), 0,
                    L""};
        case Kind::Container: break;
    }
    return {nullptr, 0, 0, L""};
}

}  // namespace

void RefreshFonts(Panel& panel) {
    if (panel.message_font) DeleteObject(panel.message_font);
    panel.message_font = MessageFont(panel.dpi);
    for (auto& control : panel.widgets) {
        if (control->hwnd == nullptr) continue;
        if (control->font) DeleteObject(control->font);
        control->font = nullptr;
        control->text_placed = false;
        if (const auto* font = control->widget->Find("font")) {
            control->font = MessageFont(panel.dpi, font->font.point_size, font->font.bold);
        }
        HFONT font = control->font ? control->font : panel.message_font;
        SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control->kind == Kind::List) {
            // Rows drawn by the panel are as tall as a line of their font.
            SendMessageW(control->hwnd, LB_SETITEMHEIGHT, 0,
                         FontMetrics(control->hwnd).tmHeight + 2);
            FitListExtent(*control);
        }
    }
}

namespace {

void MakeWindow(Panel& panel, Control& control) {
    const Made made = Describe(control);
    if (made.window_class == nullptr) return;
    const Widget& w = *control.widget;
    DWORD style = WS_CHILD | made.style;
    // A widget the file keeps out of the keyboard's way is no Tab stop.
    if (Has(w, "focusPolicy", "NoFocus")) style &= ~static_cast<DWORD>(WS_TABSTOP);
    if (w.Flag("visible", true)) style |= WS_VISIBLE;
    if (!w.Flag("enabled", true)) style |= WS_DISABLED;
    control.hwnd = CreateWindowExW(made.ex_style, made.window_class, made.text.c_str(), style, 0, 0, 10, 10,
                                   panel.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control.hwnd == nullptr) return;
    WatchKeys(control);
    switch (control.kind) {
        case Kind::Edit:
            if (w.Find("maxLength"))
                SendMessageW(control.hwnd, EM_LIMITTEXT, w.Number("maxLength", 0), 0);
            break;
        case Kind::Spin: {
            control.minimum = w.Number("minimum", 0);
            control.maximum = w.Number("maximum", 99);
            control.prefix = w.Text("prefix");
            const int value = std::clamp(w.Number("value", control.minimum), control.minimum, control.maximum);
            ShowSpinValue(control, value);
            // Aligned on the field's right edge, the arrows draw its frame round them.
            DWORD arrows = WS_CHILD | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_HOTTRACK | UDS_NOTHOUSANDS;
            if (style & WS_VISIBLE) arrows |= WS_VISIBLE;
            if (style & WS_DISABLED) arrows |= WS_DISABLED;
            control.arrows = CreateWindowExW(0, UPDOWN_CLASSW, L"", arrows, 0, 0, 10, 10, panel.hwnd, nullptr,
                                             GetModuleHandleW(nullptr), nullptr);
            SendMessageW(control.arrows, UDM_SETRANGE32, control.minimum, control.maximum);
            SendMessageW(control.arrows, UDM_SETPOS32, 0, value);
            // The arrow keys in the field step it too (the text stays ours: no SETBUDDYINT).
            SendMessageW(control.arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control.hwnd), 0);
            break;
        }
        case Kind::Progress:
            if (style & PBS_MARQUEE) SendMessageW(control.hwnd, PBM_SETMARQUEE, TRUE, 30);
            else {
                SendMessageW(control.hwnd, PBM_SETRANGE32, w.Number("minimum", 0), w.Number("maximum", 100));
                SendMessageW(control.hwnd, PBM_SETPOS, w.Number("value", 0), 0);
            }
            break;
        case Kind::CheckBox:
            SendMessageW(control.hwnd, BM_SETCHECK, w.Flag("checked", false) ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Kind::Picture: {
            const std::string picture = w.Text("pixmap");
            if (!picture.empty()) {
                control.picture = LoadPicture(panel.folder + picture, control.picture_size);
            }
            break;
        }
        default: break;
    }
}

void AddWidget(Panel& panel, const Widget& widget);

void AddLayout(Panel& panel, const ui_description::Layout& layout) {
    for (const auto& item : layout.items) {
        if (item.widget) AddWidget(panel, *item.widget);
        if (item.layout) AddLayout(panel, *item.layout);
    }
}

// Every widget below `widget`, in the file's order.
void AddChildren(Panel& panel, const Widget& widget) {
    if (widget.layout) AddLayout(panel, *widget.layout);
    for (const auto& child : widget.children) {
        if (child->class_name != "QMenuBar") AddWidget(panel, *child);
    }
}

void AddWidget(Panel& panel, const Widget& widget) {
    auto control = std::make_unique<Control>();
    control->widget = &widget;
    control->kind = KindOf(widget);
    control->selectable =
        control->kind == Kind::Label && Has(widget, "textInteractionFlags", "TextSelectableByMouse");
    control->number = widget.Number("control", 0);
    control->callback = widget.Text("callback");
    control->id = kControlIdBase + static_cast<int>(panel.widgets.size());
    Control* stored = control.get();
    panel.widgets.push_back(std::move(control));
    panel.by_widget[&widget] = stored;
    if (stored->number > 0)
        ui_front::AddControl(panel.handle, stored->number, stored->kind, stored->callback, stored);
    AddChildren(panel, widget);
}

// A label names the control given as its buddy.
void LinkBuddies(Panel& panel) {
    std::map<std::string, Control*> by_name;
    for (auto& control : panel.widgets) by_name[control->widget->name] = control.get();
    for (auto& control : panel.widgets) {
        const std::string buddy = control->widget->Text("buddy");
        auto it = by_name.find(buddy);
        if (!buddy.empty() && it != by_name.end()) it->second->label = control.get();
    }
}

}  // namespace

void BuildControls(Panel& panel) {
    AddChildren(panel, *panel.root);
    LinkBuddies(panel);
    for (auto& control : panel.widgets) MakeWindow(panel, *control);
}

}  // namespace ui_win
