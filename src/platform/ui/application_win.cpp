// The start of the Windows user interface, the program's first call: DLLs
// from the system folder only, the common controls, awareness of each
// monitor's DPI, the panel window class; and the helpers the other files
// share for fonts, texts and the DPI of a window.
#include <windows.h>
#include <commctrl.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

int dpi_override = 0;

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

const wchar_t* const kPanelClass = L"BriskelViewPanel";

void SetDpiOverrideForTesting(int dpi) { dpi_override = dpi; }

int PanelDpi(HWND hwnd) {
    if (dpi_override > 0) return dpi_override;
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto get_dpi = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (hwnd != nullptr && get_dpi != nullptr) {
        const UINT dpi = get_dpi(hwnd);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

HFONT MessageFont(int dpi, int point_size, bool bold) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto for_dpi = User32<ForDpiFn>("SystemParametersInfoForDpi");
    LOGFONTW font{};
    if (for_dpi != nullptr &&
        for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
        font = metrics.lfMessageFont;
    } else if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        // Given at the system DPI: brought to the window's.
        font = metrics.lfMessageFont;
        font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
    } else {
        font.lfHeight = -MulDiv(9, dpi, 72);
        wcscpy(font.lfFaceName, L"Segoe UI");
    }
    if (point_size > 0) font.lfHeight = -MulDiv(point_size, dpi, 72);
    if (bold) font.lfWeight = FW_BOLD;
    font.lfQuality = CLEARTYPE_QUALITY;
    return CreateFontIndirectW(&font);
}

TEXTMETRICW FontMetrics(HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics;
}

std::wstring MnemonicText(const std::string& text) {
    return Utf16(ui_front::ShownMnemonic(text));
}

std::string WindowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(wcslen(text.c_str()));
    return Utf8(text);
}

}  // namespace ui_win

bool ui_native::StartApplication(int&, char**) {
    static bool done = false;
    if (done) return true;
    // The program's first act: every DLL loaded from now on (by Windows on
    // the program's behalf too) comes from the system folder, never from the
    // program's folder or the current one, where a file of the same name
    // could be planted. COM servers are loaded by their full registered path.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // The manifest asks for per-monitor awareness; a program started without it
    // (a test program) asks here, so texts are measured at the monitor's DPI.
    using AwarenessFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    if (auto set = ui_win::User32<AwarenessFn>("SetProcessDpiAwarenessContext")) {
        set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
    WNDCLASSEXW panel_class{};
    panel_class.cbSize = sizeof panel_class;
    panel_class.lpfnWndProc = ui_win::PanelProc;
    panel_class.hInstance = GetModuleHandleW(nullptr);
    panel_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    panel_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    panel_class.lpszClassName = ui_win::kPanelClass;
    panel_class.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (panel_class.hIcon == nullptr) panel_class.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    if (RegisterClassExW(&panel_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    done = true;
    return true;
}
