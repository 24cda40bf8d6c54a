// Panel attributes over a panel's window: its place and size (its client
// area, as the Qt program gives them, in 96-dpi units; its normal place while
// it is minimized or maximized), zoom, visibility, dimming and title.
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

int SetPanelAttribute(int panel, int attribute, int value) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    RECT client = NormalClient(*p);
    const POINT origin = MonitorOrigin(client);
    switch (attribute) {
        case ATTR_TOP: OffsetRect(&client, 0, ToPixels(*p, value, origin.y) - client.top); break;
        case ATTR_LEFT: OffsetRect(&client, ToPixels(*p, value, origin.x) - client.left, 0); break;
        case ATTR_HEIGHT:
            if (value <= 0) return UIE_INVALID_ATTRIBUTE;
            client.bottom = client.top + ToPixels(*p, value);
            break;
        case ATTR_WIDTH:
            if (value <= 0) return UIE_INVALID_ATTRIBUTE;
            client.right = client.left + ToPixels(*p, value);
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
    if (attribute == ATTR_TOP || attribute == ATTR_LEFT) p->placed = true;
    PlaceClient(*p, client);
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
    const RECT client = NormalClient(*p);
    const POINT origin = MonitorOrigin(client);
    switch (attribute) {
        case ATTR_TOP: value = ToUnits(*p, client.top, origin.y); break;
        case ATTR_LEFT: value = ToUnits(*p, client.left, origin.x); break;
        case ATTR_HEIGHT: value = ToUnits(*p, client.bottom - client.top); break;
        case ATTR_WIDTH: value = ToUnits(*p, client.right - client.left); break;
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
    RECT client = NormalClient(*p);
    const POINT place = PlaceInPixels(*p, POINT{left, top}, client);
    OffsetRect(&client, place.x - client.left, place.y - client.top);
    p->placed = true;
    PlaceClient(*p, client);
    return UIE_NO_ERROR;
}
