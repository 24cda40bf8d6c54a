// Lists what a person sees of the programs on the Windows desktop, for the
// end-to-end runs under Wine: every visible top-level window, its menu bar's
// titles and its visible child controls, each with its class, its text and
// its rectangle in screen pixels (Wine draws child controls inside their
// top-level window's X window, so the X server knows only the top level).
// One JSON object a line on standard output:
//   {"kind":"window",..,"rect":[l,t,r,b],"enabled":..,"owned_by":..,"ex_style":..}
// (owner, 0 for none, and extended style: whether it has a taskbar button)
//   {"kind":"menu","owner":..,"index":..,"text":..,"rect":[..]}
//   {"kind":"control","owner":..,"hwnd":..,"class":..,"text":..,"rect":[..],
//    "enabled":..,"checked":..,"focused":..,"name":..}
// "name" is the control's accessible name as a screen reader asks for it
// (Active Accessibility, which UI Automation also reads), null when the
// system gives none.
// Each window names the program it belongs to ("exe"), so a caller keeps
// only that program's windows.
// It reads what any Windows program can read of another's windows; it sends
// the program no input and calls nothing of it.
#include <windows.h>
#include <oleacc.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(size - 1));
    return out;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A window's text as WM_GETTEXT answers it (also for another process's
// controls, which GetWindowText does not read).
std::string TextOf(HWND window) {
    wchar_t text[1024] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 500, &ignored);
    text[1023] = 0;
    return Utf8(text);
}

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return Utf8(name);
}

std::string Rect(const RECT& r) {
    char text[96];
    std::snprintf(text, sizeof text, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return text;
}

unsigned long long Handle(HWND window) {
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window));
}

// -1 when the control is no check box or radio button.
int CheckedState(HWND control) {
    if (ClassOf(control) != "Button") return -1;
    const LONG type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    if (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX && type != BS_3STATE &&
        type != BS_AUTO3STATE && type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON)
        return -1;
    DWORD_PTR state = 0;
    SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 500, &state);
    return static_cast<int>(state);
}

// The accessible name of the control's client object, as a screen reader
// reads it; "null" when there is none.
std::string AccessibleName(HWND control) {
    IAccessible* accessible = nullptr;
    if (AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&accessible)) != S_OK ||
        accessible == nullptr)
        return "null";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    const HRESULT result = accessible->get_accName(self, &name);
    accessible->Release();
    if (result != S_OK || name == nullptr) return "null";
    const std::string text = Json(Utf8(name));
    SysFreeString(name);
    return text;
}

struct Owner {
    HWND window;
    HWND focused;
};

BOOL CALLBACK ListControl(HWND control, LPARAM data) {
    const Owner& owner = *reinterpret_cast<const Owner*>(data);
    if (!IsWindowVisible(control)) return TRUE;
    RECT r{};
    GetWindowRect(control, &r);
    std::printf(
        "{\"kind\":\"control\",\"owner\":%llu,\"hwnd\":%llu,\"class\":%s,\"text\":%s,"
        "\"rect\":%s,\"enabled\":%s,\"checked\":%d,\"focused\":%s,\"name\":%s}\n",
        Handle(owner.window), Handle(control), Json(ClassOf(control)).c_str(),
        Json(TextOf(control)).c_str(), Rect(r).c_str(), IsWindowEnabled(control) ? "true" : "false",
        CheckedState(control), control == owner.focused ? "true" : "false",
        AccessibleName(control).c_str());
    return TRUE;
}

// The file name of the process's program ("briskel-view.exe").
std::string ProgramOf(DWORD pid) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const BOOL known = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!known) return {};
    const std::string full = Utf8(path);
    const auto slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

BOOL CALLBACK ListWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    DWORD pid = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("{\"kind\":\"window\",\"hwnd\":%llu,\"exe\":%s,\"class\":%s,\"text\":%s,"
                "\"rect\":%s,\"enabled\":%s,\"owned_by\":%llu,\"ex_style\":%lu}\n",
                Handle(window), Json(ProgramOf(pid)).c_str(), Json(ClassOf(window)).c_str(),
                Json(TextOf(window)).c_str(), Rect(r).c_str(),
                IsWindowEnabled(window) ? "true" : "false", Handle(GetWindow(window, GW_OWNER)),
                static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(thread, &gui);
    Owner owner{window, gui.hwndFocus};
    EnumChildWindows(window, ListControl, reinterpret_cast<LPARAM>(&owner));
    return TRUE;
}

}  // namespace

int main() {
    // Rectangles in the screen's own pixels, also when the desktop is scaled.
    SetProcessDPIAware();
    CoInitialize(nullptr);
    EnumWindows(ListWindow, 0);
    std::fflush(stdout);
    return 0;
}
