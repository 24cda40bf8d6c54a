// The Windows user interface until its native panels are built: it loads no
// panel (every LoadPanel answers UIE_PANEL_NOT_FOUND, so the program says it
// cannot show its windows and ends), and keeps the callback table and the
// event queue's contract, so the subsystems and their tests build and run.
#include <windows.h>

#include <set>

#include "platform/system/win32.h"
#include "platform/ui/ui.h"

namespace {

std::set<std::string>& Registered() {
    static std::set<std::string> names;
    return names;
}

std::function<void()> poll_hook;
bool quit_requested = false;
int quit_code = 0;
int wait_cursor = 0;

}  // namespace

void RegisterCallbacks(std::initializer_list<CallbackEntry> entries) {
    for (const CallbackEntry& e : entries) Registered().insert(e.name);
}

bool IsCallbackRegistered(const std::string& name) { return Registered().count(name) == 1; }

int LoadPanel(int, const std::string&, int) { return UIE_PANEL_NOT_FOUND; }
int DisplayPanel(int) { return UIE_INVALID_HANDLE; }
int HidePanel(int) { return UIE_INVALID_HANDLE; }
int DiscardPanel(int) { return UIE_INVALID_HANDLE; }
int InstallPopup(int) { return UIE_INVALID_HANDLE; }
int RemovePopup(int) { return UIE_NOT_A_POPUP; }
int GetPanelMenuBar(int) { return UIE_INVALID_HANDLE; }
bool IsPanelValid(int) { return false; }

int SetPanelAttribute(int, int, int) { return UIE_INVALID_HANDLE; }
int SetPanelAttribute(int, int, const std::string&) { return UIE_INVALID_HANDLE; }
int GetPanelAttribute(int, int, int&) { return UIE_INVALID_HANDLE; }
int GetPanelAttribute(int, int, std::string&) { return UIE_INVALID_HANDLE; }
int SetPanelPos(int, int, int) { return UIE_INVALID_HANDLE; }

int SetCtrlVal(int, int, int) { return UIE_INVALID_HANDLE; }
int SetCtrlVal(int, int, double) { return UIE_INVALID_HANDLE; }
int SetCtrlVal(int, int, const std::string&) { return UIE_INVALID_HANDLE; }
int GetCtrlVal(int, int, int&) { return UIE_INVALID_HANDLE; }
int GetCtrlVal(int, int, double&) { return UIE_INVALID_HANDLE; }
int GetCtrlVal(int, int, std::string&) { return UIE_INVALID_HANDLE; }
int SetCtrlAttribute(int, int, int, int) { return UIE_INVALID_HANDLE; }
int SetCtrlAttribute(int, int, int, const std::string&) { return UIE_INVALID_HANDLE; }
int GetCtrlAttribute(int, int, int, int&) { return UIE_INVALID_HANDLE; }
int GetCtrlAttribute(int, int, int, std::string&) { return UIE_INVALID_HANDLE; }
int SetActiveCtrl(int, int) { return UIE_INVALID_HANDLE; }

int InsertListItem(int, int, int, const std::string&, int) { return UIE_INVALID_HANDLE; }
int ClearListCtrl(int, int) { return UIE_INVALID_HANDLE; }
int GetNumListItems(int, int, int&) { return UIE_INVALID_HANDLE; }
int GetCtrlIndex(int, int, int&) { return UIE_INVALID_HANDLE; }
int SetCtrlIndex(int, int, int) { return UIE_INVALID_HANDLE; }
int GetLabelFromIndex(int, int, int, std::string&) { return UIE_INVALID_HANDLE; }
int GetValueFromIndex(int, int, int, int&) { return UIE_INVALID_HANDLE; }
int SetListItemAccessibleName(int, int, int, const std::string&) { return UIE_INVALID_HANDLE; }
int ResetTimer(int, int) { return UIE_NO_ERROR; }

int SetMenuBarAttribute(int, int, int, int) { return UIE_INVALID_HANDLE; }
int SetMenuBarAttribute(int, int, int, const std::string&) { return UIE_INVALID_HANDLE; }
int GetMenuBarAttribute(int, int, int, int&) { return UIE_INVALID_HANDLE; }
int GetMenuBarAttribute(int, int, int, std::string&) { return UIE_INVALID_HANDLE; }

// Without a panel nothing can ask to quit later: the loop ends at once.
int RunUserInterface() {
    quit_requested = false;
    return quit_code;
}

int QuitUserInterface(int returnCode) {
    quit_requested = true;
    quit_code = returnCode;
    return 0;
}

int GetUserEvent(int, int&, int&) {
    if (poll_hook) poll_hook();
    ProcessPaintAndTimerMessages();
    return 0;
}

int ProcessDrawEvents() {
    ProcessPaintAndTimerMessages();
    return 0;
}

int InitUserInterface(int&, char**) { return 1; }

int SetWaitCursor(int on) {
    wait_cursor = on != 0 ? 1 : 0;
    SetCursor(LoadCursorW(nullptr, wait_cursor != 0 ? IDC_WAIT : IDC_ARROW));
    return 0;
}

int GetWaitCursor() { return wait_cursor; }
int MakeApplicationActive() { return 0; }

int SimulateCommit(int, int) { return UIE_INVALID_HANDLE; }
int SimulateMenuItem(int, int) { return UIE_INVALID_HANDLE; }
void SetPollHookForTesting(std::function<void()> hook) { poll_hook = std::move(hook); }
int SimulateEvent(int, int, int) { return UIE_INVALID_HANDLE; }

void ResetUserInterfaceForTesting() {
    quit_requested = false;
    quit_code = 0;
    wait_cursor = 0;
}

QWidget* PanelWidgetForTesting(int) { return nullptr; }
