// The claim is a named mutex in the session's own namespace ("Local\"), so
// each signed-in user has their own; beside it a message-only window of the
// same name, which a second copy finds and asks to come forward. The first
// copy brings its window forward itself: Windows lets it take the foreground
// because the second copy, which the user has just started, allows it.
#include <windows.h>

#include "platform/system/program_instance.h"
#include "platform/system/win32.h"

namespace {

const wchar_t kInstanceClass[] = L"BriskelViewInstance";
constexpr UINT kComeForward = WM_APP + 1;

LRESULT CALLBACK InstanceProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kComeForward) {
        auto* another =
            reinterpret_cast<std::function<void()>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (another != nullptr && *another) (*another)();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

// Paths differ only in case on Windows: the same folder gives the same name.
std::wstring NameOf(const std::string& folder) {
    std::wstring wide = Utf16(folder);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf16(ProgramInstanceName(Utf8(wide)));
}

// The first copy makes its window right after its mutex: a second copy
// started in that instant waits a little for it (Sleep: no window of ours
// exists yet to keep painted).
void AskFirstCopyForward(const std::wstring& name) {
    for (int attempt = 0; attempt < 40; ++attempt) {
        HWND first = FindWindowExW(HWND_MESSAGE, nullptr, kInstanceClass, name.c_str());
        if (first != nullptr) {
            DWORD process = 0;
            GetWindowThreadProcessId(first, &process);
            AllowSetForegroundWindow(process);
            // Posted, not sent: a first copy busy in a long exchange answers
            // later, and this copy never waits for it.
            PostMessageW(first, kComeForward, 0, 0);
            return;
        }
        Sleep(50);
    }
}

}  // namespace

struct ProgramInstance::Held {
    HANDLE mutex = nullptr;
    HWND window = nullptr;
    std::function<void()> another_start;
};

ProgramInstance::ProgramInstance(const std::string& programFolder,
                                 std::function<void()> anotherStart) {
    const std::wstring name = NameOf(programFolder);
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    const DWORD error = GetLastError();
    if (mutex == nullptr && error != ERROR_ACCESS_DENIED) return;  // cannot tell: run
    if (mutex == nullptr || error == ERROR_ALREADY_EXISTS) {
        // ERROR_ACCESS_DENIED: held by a copy running with other rights.
        if (mutex != nullptr) CloseHandle(mutex);
        claimed_ = false;
        AskFirstCopyForward(name);
        return;
    }
    held_ = std::make_unique<Held>();
    held_->mutex = mutex;
    held_->another_start = std::move(anotherStart);
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = InstanceProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kInstanceClass;
    RegisterClassExW(&window_class);
    held_->window = CreateWindowExW(0, kInstanceClass, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    if (held_->window != nullptr)
        SetWindowLongPtrW(held_->window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(&held_->another_start));
}

ProgramInstance::~ProgramInstance() {
    if (!held_) return;
    if (held_->window != nullptr) DestroyWindow(held_->window);
    CloseHandle(held_->mutex);
}
