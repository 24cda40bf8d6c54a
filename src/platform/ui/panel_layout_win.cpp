// A panel's widgets placed by the layout the file gives it, measured at the
// panel's DPI; the window grown when a text or a shown widget needs more room.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

// The window sized to a client area of `size`, left where it stands.
void SizeClient(const Panel& panel, ui_layout::Size size) {
    const RECT frame = FrameAround(panel.hwnd, RECT{0, 0, size.width, size.height}, panel.dpi);
    SetWindowPos(panel.hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ui_layout::Size MinimumClient(const Panel& panel) {
    return ui_layout::MinimumClientSize(*panel.root, *MetricsFor(panel.dpi), PanelState(panel));
}

void FitPanel(Panel& panel) {
    SizeClient(panel, ui_layout::InitialClientSize(*panel.root, *MetricsFor(panel.dpi),
                                                   PanelState(panel)));
}

void RefreshLayout(Panel& panel) {
    // A text grown beyond the window grows the window, as Qt's layouts do.
    const ui_layout::Size minimum = MinimumClient(panel);
    RECT client;
    GetClientRect(panel.hwnd, &client);
    if (client.right < minimum.width || client.bottom < minimum.height)
        SizeClient(panel, {std::max<int>(client.right, minimum.width),
                           std::max<int>(client.bottom, minimum.height)});
    ArrangePanel(panel);
}

namespace {

// A selectable label's text placed inside its margin, as the label's would be.
void PlaceSelectableText(const Control& control, const Panel& panel) {
    // The edit's own margins and formatting rectangle come back with every
    // font or size: the label's margin is set again after them.
    const Widget& w = *control.widget;
    RECT box;
    GetClientRect(control.hwnd, &box);
    SendMessageW(control.hwnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    const int margin = MulDiv(w.Number("margin", 0), panel.dpi, 96);
    InflateRect(&box, -margin, -margin);
    // A line that does not wrap stands in the middle of the label's height, as Qt shows it.
    if (!w.Flag("wordWrap", false) && w.Text("alignment").find("AlignTop") == std::string::npos) {
        const int lines =
            std::max<int>(1, static_cast<int>(SendMessageW(control.hwnd, EM_GETLINECOUNT, 0, 0)));
        const int text_height = lines * FontMetrics(control.hwnd).tmHeight;
        box.top = std::max<int>(box.top, (box.top + box.bottom - text_height) / 2);
        box.bottom = std::max<int>(box.top, box.bottom);
    }
    SendMessageW(control.hwnd, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&box));
    InvalidateRect(control.hwnd, nullptr, TRUE);
}

// Whether a child window stands at `place` of its parent's client area.
bool StandsAt(HWND child, const ui_layout::Rect& place) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r.left == place.x && r.top == place.y && r.right - r.left == place.width &&
           r.bottom - r.top == place.height;
}

}  // namespace

void ArrangePanel(Panel& panel) {
    if (panel.arranging) return;
    panel.arranging = true;
    RECT client;
    GetClientRect(panel.hwnd, &client);
    auto metrics = MetricsFor(panel.dpi);
    const auto places = ui_layout::Arrange(*panel.root, {client.right, client.bottom}, *metrics,
                                           PanelState(panel));
    for (auto& control : panel.widgets) {
        if (control->hwnd == nullptr) continue;
        auto it = places.find(control->widget);
        if (it == places.end()) continue;
        const ui_layout::Rect& r = it->second;
        // Every text the program sets lays the panel out again: a control
        // left where it stands is not moved, nor repainted whole with all its
        // neighbours, which a busy export would otherwise do for each line.
        if (!StandsAt(control->hwnd, r)) {
            MoveWindow(control->hwnd, r.x, r.y, r.width, r.height, TRUE);
            control->text_placed = false;
            // The arrows take the right end of the spin box's room, on the
            // field's frame: the field makes room for them as they align on it.
            if (control->arrows != nullptr)
                SendMessageW(control->arrows, UDM_SETBUDDY, reinterpret_cast<WPARAM>(control->hwnd), 0);
        }
        if (control->selectable && !control->text_placed) {
            PlaceSelectableText(*control, panel);
            control->text_placed = true;
        }
    }
    panel.arranging = false;
}

std::string PanelState::Text(const Widget& widget) const {
    auto it = panel_.by_widget.find(&widget);
    if (it == panel_.by_widget.end() || it->second->hwnd == nullptr) return widget.Text("text");
    const Control& control = *it->second;
    switch (control.kind) {
        case Kind::Label: return LabelText(control);
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
