// What the desktop session asks of the program: to end (logging off, shutting
// down, a restart for updates), and to come forward when the program is
// started a second time. No business logic here: the program registers what
// to answer.
#pragma once

#include <functional>
#include <string>

struct SessionEndHandlers {
    // The session asks whether it may end; true lets it. This can arrive in
    // the middle of a nested wait (an exchange that keeps the windows painted,
    // a message box): it only records the request and answers.
    std::function<bool()> may_end;
    // The session ends now, as it was allowed to: once this returns the
    // process may be ended at any moment.
    std::function<void()> ends;
};
// Registers the program's answers; on Windows they answer WM_QUERYENDSESSION
// and WM_ENDSESSION of every panel window, on Linux the session manager's
// request to save (commitDataRequest). Without them the session simply ends.
void SetSessionEndHandlers(SessionEndHandlers handlers);

// Tells the system why the session cannot end yet; Windows shows `reason`
// beside the program's name on its sign-out screen (ShutdownBlockReasonCreate
// on the window of `panel`). The Linux session manager has no such text.
int BlockSessionEnd(int panel, const std::string& reason);
// Withdraws the reason: the session may end once the program has gone.
int UnblockSessionEnd(int panel);

// Restores the window of `panel` when it is minimized and brings the
// program's active window forward (the popup over it, if one is up).
int BringPanelForward(int panel);

// The registered answers, asked as the system asks them (true when none is
// registered); for the platform's files.
bool AskSessionMayEnd();
void TellSessionEnds();
// Tests: what the system is told as the reason (empty when none).
std::string SessionEndReason();
// Tests: the session asks to end as the system does; when the answer lets it
// end, it ends. Returns the answer.
bool RaiseSessionEndForTesting();
