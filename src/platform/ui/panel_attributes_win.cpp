// The native side of the panel attributes (ui_native.h) over a panel's
// window: its zoom, visibility, dimming and title (its place and size:
// window_frames_win.cpp).
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

using namespace ui_win;

namespace ui_native {

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
