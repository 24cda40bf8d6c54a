// Entry point of the Windows user-interface tests: the user interface set up
// as the program sets itself up, then every test; and the keys the shared
// contract presses in the system's dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/ui/ui.h"
#include "ui_test_resources.h"

namespace ui_test_panels {

// A thread of the test waits (bounded) for the dialog the main thread shows,
// until the keyboard focus is in it, and posts the key to the window that
// has the focus, as the keyboard does.
struct KeyInNextDialog::Presser {
    std::thread thread;
};

namespace {

HWND DialogOf(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(
        thread,
        [](HWND window, LPARAM result) {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (std::wstring(name) != L"#32770" || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FocusIn(HWND dialog, DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info) || info.hwndFocus == nullptr) return nullptr;
    return info.hwndFocus == dialog || IsChild(dialog, info.hwndFocus) ? info.hwndFocus : nullptr;
}

}  // namespace

KeyInNextDialog::KeyInNextDialog(DialogKey key) : presser_(std::make_unique<Presser>()) {
    const DWORD main = GetCurrentThreadId();
    presser_->thread = std::thread([main, key] {
        const ULONGLONG end = GetTickCount64() + 20000;
        HWND dialog = nullptr, focus = nullptr;
        while (GetTickCount64() < end &&
               ((dialog = DialogOf(main)) == nullptr || (focus = FocusIn(dialog, main)) == nullptr))
            Sleep(10);
        if (dialog == nullptr) return;
        const HWND target = focus != nullptr ? focus : dialog;
        const WPARAM code = key == DialogKey::Enter ? VK_RETURN : VK_ESCAPE;
        PostMessageW(target, WM_KEYDOWN, code, 1);
        PostMessageW(target, WM_KEYUP, code, 0xC0000001);
        // A key that left the dialog up fails the test instead of hanging it.
        while (GetTickCount64() < end && IsWindow(dialog) && IsWindowVisible(dialog)) Sleep(10);
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
            std::fprintf(stderr, "The key left the dialog up.\n");
            ExitProcess(3);
        }
    });
}

KeyInNextDialog::~KeyInNextDialog() {
    if (presser_->thread.joinable()) presser_->thread.join();
}

}  // namespace ui_test_panels

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    if (InitUserInterface(argc, argv) == 0) return 2;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
