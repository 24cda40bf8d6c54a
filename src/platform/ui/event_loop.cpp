// The event loop, the polls and the wait cursor, the same on every system:
// the quit request, the queue of commits a poll reads (ui_dispatch.h) and the
// cursor's flag; the system runs its loop, processes and waits for events.
#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_native.h"

int RunUserInterface() {
    ui_dispatch::LoopState& loop = ui_dispatch::Loop();
    if (loop.quit_pending) {
        loop.quit_pending = false;
        return loop.quit_code;
    }
    if (loop.running) return UIE_INVALID_ATTRIBUTE;
    loop.running = true;
    const int code = ui_native::RunLoop();
    loop.running = false;
    loop.quit_pending = false;
    return code;
}

int QuitUserInterface(int returnCode) {
    ui_dispatch::LoopState& loop = ui_dispatch::Loop();
    loop.quit_code = returnCode;
    if (loop.running) {
        ui_native::ExitLoop(returnCode);
    } else {
        // Asked before the loop runs (a failed start-up): the loop returns at once.
        loop.quit_pending = true;
    }
    return UIE_NO_ERROR;
}

int GetUserEvent(int wait, int& panel, int& control) {
    {
        ui_dispatch::PollScope poll;
        ui_native::ProcessEvents();
        if (wait != 0) {
            while (!ui_dispatch::HasCommit() && !ui_dispatch::Loop().quit_pending &&
                   ui_native::WaitForEvents()) {
            }
        }
    }
    return ui_dispatch::TakeCommit(panel, control) ? 1 : 0;
}

int InitUserInterface(int& argc, char** argv) {
    return ui_native::StartApplication(argc, argv) ? 1 : 0;
}

int ProcessDrawEvents() {
    ui_native::PaintNow();
    return UIE_NO_ERROR;
}

int SetWaitCursor(int on) {
    if (ui_dispatch::SetWaitCursorFlag(on != 0)) ui_native::ShowWaitCursor(on != 0);
    return UIE_NO_ERROR;
}

int GetWaitCursor() {
    return ui_dispatch::WaitCursorFlag() ? 1 : 0;
}
