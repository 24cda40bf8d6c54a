// What the user interface does the same way on every system: the callbacks
// registered by name, the handles issued to panels and menu bars, the queue
// of commit events that polls read, the quit request and the wait-cursor
// flag. The front (ui_front.h) calls these for the systems' events and the
// program's polls; nothing here knows a window.
//
// A commit is handed to the control's callback at once. Commits that arrive
// while a callback runs (or while a poll is processing events) are also kept
// in a queue, so that a long operation polling with GetUserEvent sees a Stop
// pressed meanwhile. The queue is emptied when the outermost callback returns:
// what was not polled during an operation does not leak into the next one.
#pragma once

#include <functional>
#include <string>

#include "platform/ui/ui.h"

namespace ui_dispatch {

// Handles are never reused: a discarded panel's handle stays invalid forever.
int NewHandle();

// Runs the control callback registered as `callback` (none: nothing runs),
// queuing a commit for polls when a callback or a poll is in progress.
void ControlEvent(const std::string& callback, int panel, int control, int event);
// Runs the menu callback registered as `callback` for an item the user could reach.
void MenuEvent(const std::string& callback, int menu_bar, int item, int panel);

// Held by GetUserEvent while it processes the system's events: commits that
// arrive meanwhile are queued. Its start runs the test's poll hook.
class PollScope {
public:
    PollScope();
    ~PollScope();
    PollScope(const PollScope&) = delete;
    PollScope& operator=(const PollScope&) = delete;
};
bool HasCommit();
// The oldest queued commit; false when none.
bool TakeCommit(int& panel, int& control);

// The event loop's quit request: asked before the loop runs, it makes the
// loop return at once.
struct LoopState {
    bool running = false;
    bool quit_pending = false;
    int quit_code = 0;
};
LoopState& Loop();

// True while the program itself changes a control (no user event then).
bool ProgramChangeInProgress();
struct ProgramChange {
    ProgramChange();
    ~ProgramChange();
    ProgramChange(const ProgramChange&) = delete;
    ProgramChange& operator=(const ProgramChange&) = delete;
};

// The wait cursor is a flag, not a stack. Gives true when the flag changed.
bool SetWaitCursorFlag(bool on);
bool WaitCursorFlag();

// Forgets queued commits, the quit request and the poll hook.
void ResetForTesting();

}  // namespace ui_dispatch
