// The session's end as Windows asks it of every top-level window: the panels
// answer WM_QUERYENDSESSION with the program's registered answer and carry
// out WM_ENDSESSION before returning (Windows may end the process as soon as
// every window has returned from it).
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/session.h"
#include "platform/ui/session_internal.h"
#include "platform/ui/ui_internal_win.h"

void ConnectSessionManager() {}  // the panels' window procedure answers

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

int BlockSessionEnd(int panel, const std::string& reason) {
    ui_win::Panel* p = ui_win::FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    SetSessionEndReason(reason);
    return ShutdownBlockReasonCreate(p->hwnd, Utf16(reason).c_str()) ? UIE_NO_ERROR
                                                                     : UIE_INVALID_ATTRIBUTE;
}

int UnblockSessionEnd(int panel) {
    SetSessionEndReason("");
    ui_win::Panel* p = ui_win::FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    ShutdownBlockReasonDestroy(p->hwnd);
    return UIE_NO_ERROR;
}

int BringPanelForward(int panel) {
    ui_win::Panel* p = ui_win::FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    if (IsIconic(p->hwnd)) ShowWindow(p->hwnd, SW_RESTORE);
    // Windows lets the program take the foreground because the copy started
    // second, which the user just started, allowed it (AllowSetForegroundWindow).
    return MakeApplicationActive();
}
