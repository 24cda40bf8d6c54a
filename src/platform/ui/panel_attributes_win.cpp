// The native side of the panel attributes (ui_native.h) over a panel's
// window: its place and size (its client area, as the Qt program gives them,
// in 96-dpi units; its normal place while it is minimized or maximized),
// zoom, visibility, dimming and title.
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

namespace ui_native {

int PanelPlace(int panel, int attribute) {
    Panel* p = FindPanel(panel);
    const RECT client = NormalClient(*p);
    const POINT origin = MonitorOrigin(client);
    switch (attribute) {
        case ATTR_TOP:
            return ToUnits(*p, client.top, origin.y);
        case ATTR_LEFT:
            return ToUnits(*p, client.left, origin.x);
        case ATTR_HEIGHT:
            return ToUnits(*p, client.bottom - client.top);
        default:
            return ToUnits(*p, client.right - client.left);
    }
}

void SetPanelPlace(int panel, int attribute, int value) {
    Panel* p = FindPanel(panel);
    RECT client = NormalClient(*p);
    const POINT origin = MonitorOrigin(client);
    switch (attribute) {
        case ATTR_TOP:
            OffsetRect(&client, 0, ToPixels(*p, value, origin.y) - client.top);
            break;
        case ATTR_LEFT:
            OffsetRect(&client, ToPixels(*p, value, origin.x) - client.left, 0);
            break;
        case ATTR_HEIGHT:
            client.bottom = client.top + ToPixels(*p, value);
            break;
        default:
            client.right = client.left + ToPixels(*p, value);
            break;
    }
    if (attribute == ATTR_TOP || attribute == ATTR_LEFT) p->placed = true;
    PlaceClient(*p, client);
}

void MovePanel(int panel, int top, int left) {
    Panel* p = FindPanel(panel);
    RECT client = NormalClient(*p);
    const POINT place = PlaceInPixels(*p, POINT{left, top}, client);
    OffsetRect(&client, place.x - client.left, place.y - client.top);
    p->placed = true;
    PlaceClient(*p, client);
}

int PanelZoom(int panel) {
    const HWND hwnd = FindPanel(panel)->hwnd;
    return IsIconic(hwnd) ? VAL_MINIMIZE : IsZoomed(hwnd) ? VAL_MAXIMIZE : VAL_NO_ZOOM;
}

void SetPanelZoom(int panel, int zoom) {
    const HWND hwnd = FindPanel(panel)->hwnd;
    ShowWindow(hwnd, zoom == VAL_MINIMIZE    ? SW_MINIMIZE
                     : zoom == VAL_MAXIMIZE  ? SW_MAXIMIZE
                     : IsWindowVisible(hwnd) ? SW_RESTORE
                                             : SW_HIDE);
}

bool PanelVisible(int panel) {
    return IsWindowVisible(FindPanel(panel)->hwnd) != FALSE;
}
bool PanelDimmed(int panel) {
    return FindPanel(panel)->dimmed;
}

void SetPanelDimmed(int panel, bool dimmed) {
    FindPanel(panel)->dimmed = dimmed;
    ApplyModality();
}

std::string PanelTitle(int panel) {
    return WindowText(FindPanel(panel)->hwnd);
}

void SetPanelTitle(int panel, const std::string& title) {
    SetWindowTextW(FindPanel(panel)->hwnd, Utf16(title).c_str());
}

}  // namespace ui_native
