// Panel attributes over a panel's window: its place and size (its client
// area, as the Qt program gives them), zoom, visibility, dimming and title.
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

namespace {

RECT ClientOnScreen(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

void PlaceClient(HWND hwnd, const RECT& client) {
    RECT frame = client;
    AdjustWindowRectEx(&frame, GetWindowLongW(hwnd, GWL_STYLE), GetMenu(hwnd) != nullptr,
                       GetWindowLongW(hwnd, GWL_EXSTYLE));
    // A client area placed at the screen's top (the main window where the
    // settings put it) would leave the caption above it, out of reach.
    frame = InsideWorkArea(frame);
    SetWindowPos(hwnd, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int SetPanelAttribute(int panel, int attribute, int value) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    RECT client = ClientOnScreen(p->hwnd);
    switch (attribute) {
        case ATTR_TOP: OffsetRect(&client, 0, value - client.top); break;
        case ATTR_LEFT: OffsetRect(&client, value - client.left, 0); break;
        case ATTR_HEIGHT:
            if (value <= 0) return UIE_INVALID_ATTRIBUTE;
            client.bottom = client.top + value;
            break;
        case ATTR_WIDTH:
            if (value <= 0) return UIE_INVALID_ATTRIBUTE;
            client.right = client.left + value;
            break;
        case ATTR_WINDOW_ZOOM:
            if (value != VAL_NO_ZOOM && value != VAL_MINIMIZE && value != VAL_MAXIMIZE) return UIE_INVALID_ATTRIBUTE;
            ShowWindow(p->hwnd, value == VAL_MINIMIZE   ? SW_MINIMIZE
                                : value == VAL_MAXIMIZE ? SW_MAXIMIZE
                                : IsWindowVisible(p->hwnd) ? SW_RESTORE : SW_HIDE);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE: return value ? DisplayPanel(panel) : HidePanel(panel);
        case ATTR_DIMMED:
            p->dimmed = value != 0;
            ApplyModality();
            return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
    PlaceClient(p->hwnd, client);
    return UIE_NO_ERROR;
}

int SetPanelAttribute(int panel, int attribute, const std::string& value) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    if (attribute != ATTR_TITLE) return UIE_INVALID_ATTRIBUTE;
    SetWindowTextW(p->hwnd, Utf16(value).c_str());
    return UIE_NO_ERROR;
}

int GetPanelAttribute(int panel, int attribute, int& value) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    const RECT client = ClientOnScreen(p->hwnd);
    switch (attribute) {
        case ATTR_TOP: value = client.top; break;
        case ATTR_LEFT: value = client.left; break;
        case ATTR_HEIGHT: value = client.bottom - client.top; break;
        case ATTR_WIDTH: value = client.right - client.left; break;
        case ATTR_WINDOW_ZOOM:
            value = IsIconic(p->hwnd) ? VAL_MINIMIZE : IsZoomed(p->hwnd) ? VAL_MAXIMIZE : VAL_NO_ZOOM;
            break;
        case ATTR_VISIBLE: value = IsWindowVisible(p->hwnd) ? 1 : 0; break;
        case ATTR_DIMMED: value = p->dimmed ? 1 : 0; break;
        default: return UIE_INVALID_ATTRIBUTE;
    }
    return UIE_NO_ERROR;
}

int GetPanelAttribute(int panel, int attribute, std::string& value) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    if (attribute != ATTR_TITLE) return UIE_INVALID_ATTRIBUTE;
    value = WindowText(p->hwnd);
    return UIE_NO_ERROR;
}

int SetPanelPos(int panel, int top, int left) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    RECT client = ClientOnScreen(p->hwnd);
    OffsetRect(&client, left - client.left, top - client.top);
    PlaceClient(p->hwnd, client);
    return UIE_NO_ERROR;
}
