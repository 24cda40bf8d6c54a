// The session's end as Windows asks it of every top-level window: the panels
// answer WM_QUERYENDSESSION with the program's registered answer and carry
// out WM_ENDSESSION before returning (Windows may end the process as soon as
// every window has returned from it).
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/session.h"
#include "platform/ui/ui_internal_win.h"

void ui_native::ConnectSessionManager() {}  // the panels' window procedure answers

namespace ui_win {

bool SessionMessage(UINT message, WPARAM wparam, LRESULT& result) {
    switch (message) {
        case WM_QUERYENDSESSION:
            result = AskSessionMayEnd() ? TRUE : FALSE;
            return true;
        case WM_ENDSESSION:
            // FALSE: the end was called off (another program refused it).
            if (wparam != FALSE) TellSessionEnds();
            result = 0;
            return true;
        default:
            return false;
    }
}

}  // namespace ui_win

bool ui_native::ShowSessionEndBlock(int panel, bool block, const std::string& reason) {
    const HWND window = ui_win::FindPanel(panel)->hwnd;
    if (!block) return ShutdownBlockReasonDestroy(window) != FALSE;
    return ShutdownBlockReasonCreate(window, Utf16(reason).c_str()) != FALSE;
}

void ui_native::RestorePanel(int panel) {
    const HWND window = ui_win::FindPanel(panel)->hwnd;
    // Windows lets the program take the foreground afterwards because the copy
    // started second, which the user just started, allowed it
    // (AllowSetForegroundWindow).
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
}
