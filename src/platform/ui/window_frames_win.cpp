// A panel window's frame and place: the frame computed at the window's own
// DPI (a laptop at 150 % docked to a monitor at 100 % has two), and the
// native side of the panel's place and size (ui_native.h): its client area,
// as the Qt program gives them, in the 96-dpi units the program counts in;
// its normal place while it is minimized or maximized.
#include <windows.h>

#include "platform/ui/ui_internal_win.h"

namespace ui_win {

RECT FrameAround(HWND hwnd, RECT client, int dpi) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    const DWORD ex_style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE));
    const BOOL menu = GetMenu(hwnd) != nullptr;
    using ForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto for_dpi = User32<ForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame = client;
    if (for_dpi != nullptr && for_dpi(&frame, style, menu, ex_style, static_cast<UINT>(dpi))) return frame;
    // Before Windows 10 1607: the frame the window has now, which Windows drew
    // at the window's DPI; AdjustWindowRectEx knows only the system's.
    RECT window, inside;
    if (!IsIconic(hwnd) && GetWindowRect(hwnd, &window) && GetClientRect(hwnd, &inside)) {
        MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&inside), 2);
        return {client.left - (inside.left - window.left), client.top - (inside.top - window.top),
                client.right + (window.right - inside.right), client.bottom + (window.bottom - inside.bottom)};
    }
    AdjustWindowRectEx(&frame, style, menu, ex_style);
    return frame;
}

}  // namespace ui_win

using namespace ui_win;

namespace {

// GetWindowPlacement and SetWindowPlacement count a top-level window's normal
// place from the work area's top left (the taskbar may stand above or left of it).
POINT WorkspaceOffset(HWND hwnd, const RECT& rect) {
    if ((GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) return {0, 0};
    const MONITORINFO monitor = MonitorInfo(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
    return {monitor.rcWork.left - monitor.rcMonitor.left,
            monitor.rcWork.top - monitor.rcMonitor.top};
}

bool Placed(HWND hwnd) {
    return IsWindowVisible(hwnd) && (IsIconic(hwnd) || IsZoomed(hwnd));
}

// The window's client area on the screen: its normal one while it is
// minimized or maximized.
RECT NormalClient(const Panel& panel) {
    // The window's rectangle less the frame it has at its DPI: the place and
    // size set are the place and size read back.
    RECT frame;
    if (IsIconic(panel.hwnd) || IsZoomed(panel.hwnd)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(panel.hwnd, &placement);
        frame = placement.rcNormalPosition;
        const POINT offset = WorkspaceOffset(panel.hwnd, frame);
        OffsetRect(&frame, offset.x, offset.y);
    } else {
        GetWindowRect(panel.hwnd, &frame);
    }
    const RECT margins = FrameAround(panel.hwnd, RECT{0, 0, 0, 0}, panel.dpi);
    return {frame.left - margins.left, frame.top - margins.top, frame.right - margins.right,
            frame.bottom - margins.bottom};
}

// Places the client area (screen pixels) with its frame inside the work
// area; a minimized or maximized window gets it as its normal place.
void PlaceClient(const Panel& panel, const RECT& client) {
    // A client area placed at the screen's top (the main window where the
    // settings put it) would leave the caption above it, out of reach.
    RECT frame = InsideWorkArea(FrameAround(panel.hwnd, client, panel.dpi));
    if (Placed(panel.hwnd)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(panel.hwnd, &placement);
        const POINT offset = WorkspaceOffset(panel.hwnd, frame);
        OffsetRect(&frame, -offset.x, -offset.y);
        placement.rcNormalPosition = frame;
        placement.flags = 0;
        SetWindowPlacement(panel.hwnd, &placement);
        return;
    }
    SetWindowPos(panel.hwnd, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The panel's place and size as the program counts them: 96-dpi units on the
// window's monitor, positions from that monitor's top left, as Windows shows
// them to a program it scales (and as Qt's logical pixels are).
int ToUnits(const Panel& panel, int pixels, int origin = 0) {
    return origin + MulDiv(pixels - origin, 96, panel.dpi > 0 ? panel.dpi : 96);
}

int ToPixels(const Panel& panel, int units, int origin = 0) {
    return origin + MulDiv(units - origin, panel.dpi > 0 ? panel.dpi : 96, 96);
}

// A monitor's own DPI (Windows 8.1 and later); the fallback before.
int MonitorDpi(HMONITOR monitor, int fallback) {
    using ForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto for_monitor = [] {
        const HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return shcore == nullptr ? nullptr
                                 : reinterpret_cast<ForMonitorFn>(
                                       reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
    }();
    UINT x = 0, y = 0;
    if (for_monitor != nullptr && SUCCEEDED(for_monitor(monitor, 0 /* effective DPI */, &x, &y)) && x > 0)
        return static_cast<int>(x);
    return fallback;
}

struct PlaceSearch {
    POINT units;
    HMONITOR skip;
    int fallback_dpi;
    POINT pixels;
    bool found;
};

// The place in pixels when the units are counted on this monitor; found when
// it lies on it.
bool PlaceOnMonitor(HMONITOR monitor, int dpi, PlaceSearch& search) {
    const MONITORINFO info = MonitorInfo(monitor);
    const POINT origin{info.rcMonitor.left, info.rcMonitor.top};
    search.pixels = {origin.x + MulDiv(search.units.x - origin.x, dpi, 96),
                     origin.y + MulDiv(search.units.y - origin.y, dpi, 96)};
    search.found = PtInRect(&info.rcMonitor, search.pixels) != 0;
    return search.found;
}

BOOL CALLBACK SearchMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& search = *reinterpret_cast<PlaceSearch*>(data);
    if (monitor == search.skip) return TRUE;
    return PlaceOnMonitor(monitor, MonitorDpi(monitor, search.fallback_dpi), search) ? FALSE : TRUE;
}

// A place in units (SetPanelPos) in screen pixels, on the monitor it lies on.
POINT PlaceInPixels(const Panel& panel, POINT units, const RECT& client) {
    // The window's own monitor first, at the window's DPI; then the monitor
    // the place lies on when counted in that monitor's units (the window was
    // left on another monitor, at another scale).
    const HMONITOR current = MonitorFromRect(&client, MONITOR_DEFAULTTONEAREST);
    PlaceSearch search{units, current, panel.dpi, {}, false};
    if (PlaceOnMonitor(current, panel.dpi, search)) return search.pixels;
    EnumDisplayMonitors(nullptr, nullptr, SearchMonitor, reinterpret_cast<LPARAM>(&search));
    if (!search.found) PlaceOnMonitor(current, panel.dpi, search);
    return search.pixels;
}

// The top left corner of the monitor that shows the client area.
POINT MonitorOrigin(const RECT& client) {
    const RECT screen = MonitorInfo(MonitorFromRect(&client, MONITOR_DEFAULTTONEAREST)).rcMonitor;
    return {screen.left, screen.top};
}

}  // namespace

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

}  // namespace ui_native
