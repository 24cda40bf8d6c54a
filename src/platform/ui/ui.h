// The user-interface services of the run-time engine: panels loaded from the
// resource file, controls and menus addressed by number, popups, the event
// loop and the wait cursor. Defined once (ui_front.h) over each system's
// native side (ui_native.h): Qt Widgets on Linux, Windows' own controls on
// Windows. No business logic here.
//
// Every function taking a panel or menu-bar handle returns a negative status
// (UIE_INVALID_HANDLE) for a handle that was never issued or whose panel was
// discarded, and touches nothing. Other failures return UIE_* codes below.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

// ---- Status codes -----------------------------------------------------------
constexpr int UIE_NO_ERROR = 0;
constexpr int UIE_INVALID_HANDLE = -4;
constexpr int UIE_INVALID_CONTROL = -5;
constexpr int UIE_FILE_NOT_FOUND = -12;
constexpr int UIE_PANEL_NOT_FOUND = -13;
constexpr int UIE_INVALID_ATTRIBUTE = -14;
constexpr int UIE_INVALID_INDEX = -15;
constexpr int UIE_WRONG_TYPE = -16;
constexpr int UIE_NOT_A_POPUP = -17;

// ---- Events -----------------------------------------------------------------
constexpr int EVENT_COMMIT = 1;
constexpr int EVENT_VAL_CHANGED = 2;
constexpr int EVENT_LEFT_CLICK = 3;

using CtrlCallbackPtr = int (*)(int panel, int control, int event, void* callbackData,
                                int eventData1, int eventData2);
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void* callbackData, int panel);

// Callbacks are bound by the name the resource file gives them. Each subsystem
// registers its table at start-up; a name not registered leaves the control
// without a callback (a test checks that every name in the file resolves).
struct CallbackEntry {
    const char* name;
    CtrlCallbackPtr control = nullptr;
    MenuCallbackPtr menu = nullptr;
};
void RegisterCallbacks(std::initializer_list<CallbackEntry> entries);
bool IsCallbackRegistered(const std::string& name);

// ---- Panels -----------------------------------------------------------------
// Loads a fresh instance of panel `panelResourceId` from `fileName` (relative
// names are taken in the program directory). Returns a new positive handle, or
// UIE_FILE_NOT_FOUND / UIE_PANEL_NOT_FOUND. `parentPanel` 0 = top level.
int LoadPanel(int parentPanel, const std::string& fileName, int panelResourceId);
int DisplayPanel(int panel);
int HidePanel(int panel);
int DiscardPanel(int panel);
// Shows the panel application-modal and returns at once. Closing a panel's
// window (title bar, Escape) commits its close control, named by the panel's
// "closeControl" property in the resource file; without one it stays open.
int InstallPopup(int panel);
// Removes `panel` from the popups; 0 removes the popup on top.
int RemovePopup(int panel);
int GetPanelMenuBar(int panel);
bool IsPanelValid(int panel);

// Panel attributes
constexpr int ATTR_TITLE = 1000;
constexpr int ATTR_TOP = 1001;
constexpr int ATTR_LEFT = 1002;
constexpr int ATTR_HEIGHT = 1003;
constexpr int ATTR_WIDTH = 1004;
constexpr int ATTR_WINDOW_ZOOM = 1005;
constexpr int ATTR_VISIBLE = 1006;
constexpr int ATTR_DIMMED = 1007;
constexpr int ATTR_LABEL_TEXT = 1008;
constexpr int ATTR_CHECKED = 1009;
constexpr int ATTR_MENU_NAME = 1010;
constexpr int ATTR_ITEM_NAME = 1011;
constexpr int VAL_NO_ZOOM = 0;
constexpr int VAL_MINIMIZE = 1;
constexpr int VAL_MAXIMIZE = 2;

int SetPanelAttribute(int panel, int attribute, int value);
int SetPanelAttribute(int panel, int attribute, const std::string& value);
int GetPanelAttribute(int panel, int attribute, int& value);
int GetPanelAttribute(int panel, int attribute, std::string& value);
int SetPanelPos(int panel, int top, int left);

// ---- Controls ---------------------------------------------------------------
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, const std::string& value);
int GetCtrlVal(int panel, int control, int& value);
int GetCtrlVal(int panel, int control, double& value);
int GetCtrlVal(int panel, int control, std::string& value);
// ATTR_DIMMED, ATTR_VISIBLE (int), ATTR_LABEL_TEXT (text)
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, const std::string& value);
int GetCtrlAttribute(int panel, int control, int attribute, int& value);
int GetCtrlAttribute(int panel, int control, int attribute, std::string& value);
int SetActiveCtrl(int panel, int control);
// A text field with a callback: Enter in it gives EVENT_COMMIT (and presses
// no button of the panel); leaving it after its text was changed by the user
// gives EVENT_VAL_CHANGED.

// List controls. `index` -1 appends. A list with rows always has a current row
// (the first after the first insertion); GetCtrlIndex gives -1 only for an empty
// list. GetCtrlVal/SetCtrlVal on a list read/select by the rows' values.
// Program changes raise no events; a user's selection gives EVENT_VAL_CHANGED,
// a click EVENT_LEFT_CLICK, a double click or Enter EVENT_COMMIT.
int InsertListItem(int panel, int control, int index, const std::string& label, int value);
int ClearListCtrl(int panel, int control);
int GetNumListItems(int panel, int control, int& count);
int GetCtrlIndex(int panel, int control, int& index);
int SetCtrlIndex(int panel, int control, int index);
int GetLabelFromIndex(int panel, int control, int index, std::string& label);
int GetValueFromIndex(int panel, int control, int index, int& value);
// What assistive technology reads for row `index` instead of its label (a row
// whose label carries a mark says in words what the mark means).
int SetListItemAccessibleName(int panel, int control, int index, const std::string& name);

// Resets every timer control of every panel (no timers are used; kept for the shutdown order).
int ResetTimer(int panel, int control);
constexpr int ALL_PANELS_AND_TIMERS = -1;

// ---- Menu bars ----------------------------------------------------------------
// `menuOrItem` is the number of a menu or of an item in that menu bar.
// ATTR_CHECKED and ATTR_DIMMED take ints; ATTR_MENU_NAME and ATTR_ITEM_NAME texts
// in which "__X" marks X as the mnemonic.
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value);
int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const std::string& value);
int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int& value);
int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, std::string& value);

// ---- Event loop ---------------------------------------------------------------
// Runs until QuitUserInterface; a quit requested before the loop starts makes it
// return at once.
int RunUserInterface();
int QuitUserInterface(int returnCode);
// Processes pending events (their callbacks run), then gives 1 and the panel and
// control of the oldest queued commit event, else 0. With wait 0 it returns at
// once. Commits are queued while a callback runs or a poll processes events;
// the queue is emptied when the outermost callback returns, so what one
// operation did not poll never reaches the next one.
int GetUserEvent(int wait, int& panel, int& control);
int ProcessDrawEvents();

// ---- Popups -------------------------------------------------------------------
int MessagePopup(const std::string& title, const std::string& message);
// Returns the number of the button pressed (1 for the first). `enterButton` and
// `escapeButton` are button numbers (VAL_GENERIC_POPUP_BTN1..3, or
// VAL_GENERIC_POPUP_NO_CTRL for none); an Escape without a bound button gives 0.
constexpr int VAL_GENERIC_POPUP_NO_CTRL = 0;
constexpr int VAL_GENERIC_POPUP_BTN1 = 1;
constexpr int VAL_GENERIC_POPUP_BTN2 = 2;
constexpr int VAL_GENERIC_POPUP_BTN3 = 3;
int GenericMessagePopup(const std::string& title, const std::string& message,
                        const std::string& button1, const std::string& button2,
                        const std::string& button3, int activeButton, int enterButton,
                        int escapeButton);

constexpr int VAL_NO_FILE_SELECTED = 0;
constexpr int VAL_EXISTING_FILE_SELECTED = 1;
constexpr int VAL_NEW_FILE_SELECTED = 2;
constexpr int VAL_DIRECTORY_SELECTED = 1;
constexpr int VAL_SAVE_BUTTON = 1;
constexpr int VAL_OK_BUTTON = 2;
// Non-native file dialog. `fileTypeList` like ".xls" or "*.xls". Returns one of
// the VAL_*_SELECTED codes, or a negative status.
int FileSelectPopup(const std::string& defaultDirectory, const std::string& defaultFileName,
                    const std::string& fileTypeList, const std::string& title, int buttonLabel,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, std::string& pathName);
int DirSelectPopup(const std::string& defaultDirectory, const std::string& title,
                   int allowCancel, int allowMakeDirectory, std::string& pathName);

// ---- Start-up ---------------------------------------------------------------------
// Creates the application object the user interface runs on. Call once, first
// thing in main; returns 0 when it could not be created.
int InitUserInterface(int& argc, char** argv);

// ---- Cursor and application -----------------------------------------------------
// A flag, not a stack: one SetWaitCursor(0) restores the arrow.
int SetWaitCursor(int on);
int GetWaitCursor();
int MakeApplicationActive();

// ---- Test support ---------------------------------------------------------------
// A popup as the program asked for it. kind: "message", "generic", "file", "dir".
struct PopupRecord {
    std::string kind;
    std::string title;
    std::string message;
    std::string buttons[3];
    std::string defaultDirectory{};
    std::string defaultFileName{};
    std::string fileTypeList{};
    // A question's buttons that Enter and Escape give (1 to 3, 0 for none), as
    // asked: which answer a key press gives is what guards the data.
    int enterButton = VAL_GENERIC_POPUP_NO_CTRL;
    int escapeButton = VAL_GENERIC_POPUP_NO_CTRL;
};
// What a responder gives back: the button (or selection code) and, for the file
// and folder dialogs, the path chosen.
struct PopupAnswer {
    int result = 1;
    std::string path;
};
using PopupResponder = std::function<PopupAnswer(const PopupRecord&)>;
// With a responder set, popups are not shown: each is handed to the responder,
// which answers in its place (tests, scripted runs). nullptr restores real dialogs.
void SetPopupResponder(PopupResponder responder);

// Simulates a user's commit on a control, exactly as a click: the control's
// callback runs, and the event is queued for polls when a callback or a poll is
// in progress. For tests.
int SimulateCommit(int panel, int control);
// Simulates choosing a menu item. For tests. An item that is dimmed, or whose
// menu is dimmed, does nothing, as for a user.
int SimulateMenuItem(int menuBar, int menuItem);
// Called at every GetUserEvent before the queue is read, so a test can press a
// button in the middle of a long operation. nullptr removes it.
void SetPollHookForTesting(std::function<void()> hook);
// Value-changed / left-click events on lists, for tests.
int SimulateEvent(int panel, int control, int event);

// Discards every panel and forgets every handle, queued event and quit request
// (tests start from a clean user interface).
void ResetUserInterfaceForTesting();

// Qt widget behind a panel handle (for screenshots in tests); nullptr if dead.
class QWidget;
QWidget* PanelWidgetForTesting(int panel);
