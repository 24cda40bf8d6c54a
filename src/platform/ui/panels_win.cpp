// Panels as Windows windows: each panel of the resource file becomes a
// top-level window whose widgets are child controls made in the file's
// order, so the Tab order and the labels screen readers name the fields by
// follow the file. Handles of discarded panels stay invalid forever.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/system/system.h"
#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

struct UiState {
    std::map<int, Panel> panels;
    std::map<int, MenuBar> menu_bars;
    std::vector<int> popups;
};

UiState& State() {
    static UiState state;
    return state;
}

// ---- The resource file ----------------------------------------------------------

struct CachedFile {
    std::string path;
    std::string bytes;
    std::shared_ptr<const ui_description::ResourceFile> file;
};

std::string ResourcePath(const std::string& file_name) {
    const bool absolute = file_name.size() > 2 && (file_name[1] == ':' || file_name[0] == '\\' ||
                                                   file_name[0] == '/');
    if (absolute) return file_name;
    std::string dir;
    GetProjectDir(dir);
    return dir + "\\" + file_name;
}

// The parsed file, read again when its content changed (tests rewrite it).
std::shared_ptr<const ui_description::ResourceFile> ReadResourceFile(const std::string& path,
                                                                     int& status) {
    static CachedFile cache;
    std::ifstream in(std::filesystem::path(Utf16(path)), std::ios::binary);
    if (!in) {
        status = UIE_FILE_NOT_FOUND;
        return nullptr;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (cache.file && cache.path == path && cache.bytes == bytes.str()) return cache.file;
    auto file = std::make_shared<ui_description::ResourceFile>();
    std::string error;
    if (!ui_description::ParseResourceFile(bytes.str(), *file, error)) {
        status = UIE_FILE_NOT_FOUND;
        return nullptr;
    }
    cache = {path, bytes.str(), file};
    return file;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// ---- Building the windows -------------------------------------------------------

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
    // A field showing the program's texts shows them as they are ("&" included).
    if (value_field) style |= SS_NOPREFIX;
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
            DWORD style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED |
                          LBS_HASSTRINGS;
            if (Has(w, "selectionMode", "NoSelection")) style |= LBS_NOSEL;
            return {WC_LISTBOXW, style, WS_EX_CLIENTEDGE, L""};
        }
        case Kind::Label: {
            const bool framed = Has(w, "frameShape", "Panel") || Has(w, "frameShape", "Box");
            return {WC_STATICW, LabelStyle(w, control.number > 0), DWORD(framed ? WS_EX_STATICEDGE : 0),
                    text};
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
        if (const auto* font = control->widget->Find("font")) {
            control->font = MessageFont(panel.dpi, font->font.point_size, font->font.bold);
        }
        HFONT font = control->font ? control->font : panel.message_font;
        SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (control->kind == Kind::List) {
            // Rows drawn by the panel are as tall as a line of their font.
            HDC dc = GetDC(control->hwnd);
            HGDIOBJ old = SelectObject(dc, font);
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc, &metrics);
            SelectObject(dc, old);
            ReleaseDC(control->hwnd, dc);
            SendMessageW(control->hwnd, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
        }
    }
}

namespace {

std::string SpinText(const Control& control, int value) {
    return control.prefix + std::to_string(value);
}

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
    switch (control.kind) {
        case Kind::Edit:
            if (w.Find("maxLength")) SendMessageW(control.hwnd, EM_LIMITTEXT, w.Number("maxLength", 0), 0);
            break;
        case Kind::Spin: {
            control.minimum = w.Number("minimum", 0);
            control.maximum = w.Number("maximum", 99);
            control.prefix = w.Text("prefix");
            const int value = std::clamp(w.Number("value", control.minimum), control.minimum, control.maximum);
            SetWindowTextW(control.hwnd, Utf16(SpinText(control, value)).c_str());
            DWORD arrows = WS_CHILD | UDS_ARROWKEYS | UDS_HOTTRACK | UDS_NOTHOUSANDS;
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
                control.picture = LoadPicture(FolderOf(ResourcePath("x")) + "\\" + picture, control.picture_size);
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
    control->number = widget.Number("control", 0);
    control->callback = widget.Text("callback");
    control->id = kControlIdBase + static_cast<int>(panel.widgets.size());
    Control* stored = control.get();
    panel.widgets.push_back(std::move(control));
    panel.by_widget[&widget] = stored;
    if (stored->number > 0) panel.controls[stored->number] = stored;
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

// "#splashPanel { background: #1f3b57; } #splashPanel QLabel { color: white; }"
COLORREF StyleColour(const std::string& sheet, const std::string& key, COLORREF fallback) {
    size_t at = sheet.find(key + ":");
    if (at == std::string::npos) return fallback;
    at = sheet.find_first_not_of(' ', at + key.size() + 1);
    if (at == std::string::npos) return fallback;
    if (sheet.compare(at, 5, "white") == 0) return RGB(255, 255, 255);
    if (sheet.compare(at, 5, "black") == 0) return RGB(0, 0, 0);
    if (sheet[at] != '#' || at + 7 > sheet.size()) return fallback;
    const unsigned long rgb = std::stoul(sheet.substr(at + 1, 6), nullptr, 16);
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

DWORD PanelStyle(const Panel& panel) {
    if (panel.splash) return WS_POPUP | WS_BORDER;
    if (panel.root->class_name == "QMainWindow") return WS_OVERLAPPEDWINDOW;
    // A dialog: a caption with its close box, and a frame to resize it by.
    return WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
}

void RemoveFromPopups(int handle) {
    auto& stack = State().popups;
    stack.erase(std::remove(stack.begin(), stack.end(), handle), stack.end());
}

bool IsDescendant(const Panel& panel, int ancestor) {
    for (const Panel* p = &panel; p != nullptr; p = FindPanel(p->parent)) {
        if (p->handle == ancestor) return true;
    }
    return false;
}

void CentreWindow(const Panel& panel) {
    RECT window;
    GetWindowRect(panel.hwnd, &window);
    RECT area;
    const Panel* parent = FindPanel(panel.parent);
    if (parent != nullptr && IsWindowVisible(parent->hwnd)) {
        GetWindowRect(parent->hwnd, &area);
    } else {
        MONITORINFO monitor{sizeof monitor};
        GetMonitorInfoW(MonitorFromWindow(panel.hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    const int width = window.right - window.left, height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    MONITORINFO monitor{sizeof monitor};
    GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTOPRIMARY), &monitor);
    x = std::max<int>(monitor.rcWork.left, std::min<int>(x, monitor.rcWork.right - width));
    y = std::max<int>(monitor.rcWork.top, std::min<int>(y, monitor.rcWork.bottom - height));
    SetWindowPos(panel.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FreePanel(Panel& panel) {
    for (auto& control : panel.widgets) {
        if (control->font) DeleteObject(control->font);
        if (control->picture) DeleteObject(control->picture);
    }
    if (panel.message_font) DeleteObject(panel.message_font);
    if (panel.background_brush) DeleteObject(panel.background_brush);
}

}  // namespace

// An application-modal popup leaves only itself (and its own child panels)
// usable; without popups every panel the program has not dimmed is.
void ApplyModality() {
    const int top = State().popups.empty() ? 0 : State().popups.back();
    for (auto& [handle, panel] : State().panels) {
        EnableWindow(panel.hwnd, !panel.dimmed && (top == 0 || IsDescendant(panel, top)));
    }
    if (top != 0) {
        if (Panel* popup = FindPanel(top)) SetActiveWindow(popup->hwnd);
    }
}

std::map<int, Panel>& Panels() { return State().panels; }
std::map<int, MenuBar>& MenuBars() { return State().menu_bars; }
std::vector<int>& PopupStack() { return State().popups; }

Panel* FindPanel(int handle) {
    auto it = State().panels.find(handle);
    if (it == State().panels.end() || !IsWindow(it->second.hwnd)) return nullptr;
    return &it->second;
}

Panel* PanelOfWindow(HWND hwnd) {
    const int handle = static_cast<int>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return handle > 0 ? FindPanel(handle) : nullptr;
}

MenuBar* FindMenuBar(int handle) {
    auto it = State().menu_bars.find(handle);
    if (it == State().menu_bars.end() || FindPanel(it->second.panel) == nullptr) return nullptr;
    return &it->second;
}

Control* FindControl(int panel, int control, int& status) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) {
        status = UIE_INVALID_HANDLE;
        return nullptr;
    }
    auto it = p->controls.find(control);
    if (it == p->controls.end() || it->second->hwnd == nullptr) {
        status = UIE_INVALID_CONTROL;
        return nullptr;
    }
    status = UIE_NO_ERROR;
    return it->second;
}

void CloseRequested(Panel& panel) {
    if (panel.close_control > 0) DispatchControlEvent(panel.handle, panel.close_control, EVENT_COMMIT);
}

void FitPanel(Panel& panel) {
    auto metrics = MetricsFor(panel.dpi);
    const ui_layout::Size size = ui_layout::InitialClientSize(*panel.root, *metrics, PanelState(panel));
    RECT frame{0, 0, size.width, size.height};
    AdjustWindowRectEx(&frame, GetWindowLongW(panel.hwnd, GWL_STYLE), GetMenu(panel.hwnd) != nullptr,
                       GetWindowLongW(panel.hwnd, GWL_EXSTYLE));
    SetWindowPos(panel.hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void RefreshLayout(Panel& panel) {
    // A text grown beyond the window grows the window, as Qt's layouts do.
    auto metrics = MetricsFor(panel.dpi);
    const ui_layout::Size minimum = ui_layout::MinimumClientSize(*panel.root, *metrics, PanelState(panel));
    RECT client;
    GetClientRect(panel.hwnd, &client);
    if (client.right < minimum.width || client.bottom < minimum.height) {
        RECT frame{0, 0, std::max<int>(client.right, minimum.width), std::max<int>(client.bottom, minimum.height)};
        AdjustWindowRectEx(&frame, GetWindowLongW(panel.hwnd, GWL_STYLE), GetMenu(panel.hwnd) != nullptr,
                           GetWindowLongW(panel.hwnd, GWL_EXSTYLE));
        SetWindowPos(panel.hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ArrangePanel(panel);
}

void ArrangePanel(Panel& panel) {
    if (panel.arranging) return;
    panel.arranging = true;
    RECT client;
    GetClientRect(panel.hwnd, &client);
    auto metrics = MetricsFor(panel.dpi);
    const auto places = ui_layout::Arrange(*panel.root, {client.right, client.bottom}, *metrics,
                                           PanelState(panel));
    const int arrows_width = GetSystemMetrics(SM_CXVSCROLL);
    for (auto& control : panel.widgets) {
        if (control->hwnd == nullptr) continue;
        auto it = places.find(control->widget);
        if (it == places.end()) continue;
        const ui_layout::Rect& r = it->second;
        if (control->arrows != nullptr) {
            const int edit = std::max(0, r.width - arrows_width);
            MoveWindow(control->hwnd, r.x, r.y, edit, r.height, TRUE);
            MoveWindow(control->arrows, r.x + edit, r.y, r.width - edit, r.height, TRUE);
        } else {
            MoveWindow(control->hwnd, r.x, r.y, r.width, r.height, TRUE);
        }
    }
    panel.arranging = false;
}

std::string PanelState::Text(const Widget& widget) const {
    auto it = panel_.by_widget.find(&widget);
    if (it == panel_.by_widget.end() || it->second->hwnd == nullptr) return widget.Text("text");
    const Control& control = *it->second;
    switch (control.kind) {
        case Kind::Label:
        case Kind::Button:
        case Kind::CheckBox: return WindowText(control.hwnd);
        default: return widget.Text("text");
    }
}

bool PanelState::Visible(const Widget& widget) const {
    auto it = panel_.by_widget.find(&widget);
    if (it == panel_.by_widget.end() || it->second->hwnd == nullptr) return widget.Flag("visible", true);
    return (GetWindowLongW(it->second->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace ui_win

using namespace ui_win;

int LoadPanel(int parentPanel, const std::string& fileName, int panelResourceId) {
    Panel* parent = nullptr;
    if (parentPanel != 0 && (parent = FindPanel(parentPanel)) == nullptr) return UIE_INVALID_HANDLE;
    int status = UIE_NO_ERROR;
    auto file = ReadResourceFile(ResourcePath(fileName), status);
    if (file == nullptr) return status;
    auto found = file->panels.find(panelResourceId);
    if (found == file->panels.end() || found->second.root == nullptr) return UIE_PANEL_NOT_FOUND;

    Panel panel;
    panel.handle = ui_dispatch::NewHandle();
    panel.resource_id = panelResourceId;
    panel.parent = parentPanel;
    panel.file = file;
    panel.root = found->second.root.get();
    panel.close_control = panel.root->Number("closeControl", 0);
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
    stored.dpi = PanelDpi(stored.hwnd);
    if (stored.splash) {
        const std::string sheet = stored.root->Text("styleSheet");
        stored.background = StyleColour(sheet, "background", GetSysColor(COLOR_BTNFACE));
        stored.foreground = StyleColour(sheet, "color", GetSysColor(COLOR_BTNTEXT));
        stored.background_brush = CreateSolidBrush(stored.background);
    }
    AddChildren(stored, *stored.root);
    LinkBuddies(stored);
    for (auto& control : stored.widgets) MakeWindow(stored, *control);
    RefreshFonts(stored);
    BuildMenuBar(stored);
    FitPanel(stored);
    ArrangePanel(stored);
    CentreWindow(stored);
    return stored.handle;
}

bool IsPanelValid(int panel) { return FindPanel(panel) != nullptr; }

int DisplayPanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    ShowWindow(p->hwnd, SW_SHOW);
    SetWindowPos(p->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    UpdateWindow(p->hwnd);
    return UIE_NO_ERROR;
}

int HidePanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    RemoveFromPopups(panel);
    ShowWindow(p->hwnd, SW_HIDE);
    ApplyModality();
    return UIE_NO_ERROR;
}

int DiscardPanel(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    // Child panels go with their parent, as their windows do.
    std::vector<int> children;
    for (auto& [handle, other] : Panels()) {
        if (other.parent == panel) children.push_back(handle);
    }
    for (int child : children) DiscardPanel(child);
    p = FindPanel(panel);
    if (p == nullptr) return UIE_NO_ERROR;
    RemoveFromPopups(panel);
    MenuBars().erase(p->menu_bar);
    const HWND hwnd = p->hwnd;
    // The window may be discarded from one of its own controls' callbacks:
    // the record goes now, the window's messages find no panel any more.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    ShowWindow(hwnd, SW_HIDE);
    DestroyWindow(hwnd);
    FreePanel(*p);
    Panels().erase(panel);
    ApplyModality();
    return UIE_NO_ERROR;
}

int InstallPopup(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    RemoveFromPopups(panel);
    PopupStack().push_back(panel);
    ShowWindow(p->hwnd, SW_SHOW);
    SetWindowPos(p->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ApplyModality();
    SetForegroundWindow(p->hwnd);
    UpdateWindow(p->hwnd);
    return UIE_NO_ERROR;
}

int RemovePopup(int panel) {
    auto& stack = PopupStack();
    if (panel == 0) {
        if (stack.empty()) return UIE_NOT_A_POPUP;
        panel = stack.back();
    } else if (std::find(stack.begin(), stack.end(), panel) == stack.end()) {
        return FindPanel(panel) == nullptr ? UIE_INVALID_HANDLE : UIE_NOT_A_POPUP;
    }
    RemoveFromPopups(panel);
    ApplyModality();
    if (Panel* p = FindPanel(panel)) ShowWindow(p->hwnd, SW_HIDE);
    return UIE_NO_ERROR;
}

int GetPanelMenuBar(int panel) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    return p->menu_bar > 0 ? p->menu_bar : UIE_INVALID_CONTROL;
}

QWidget* PanelWidgetForTesting(int) { return nullptr; }
