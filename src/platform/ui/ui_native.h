// What the user-interface front needs from the system, as the serial
// services need a SerialDevice: a panel's window made, shown, placed and
// destroyed; a control's native value, attributes and a list's mirrored
// rows; the menu bar's entries shown; the event loop; the system's dialogs.
// Each system defines ui_native::Control, ui_native::MenuEntry and these
// functions (the *_qt.cpp and *_win.cpp files). The handles, tables and
// lookups, status codes, value rules, list rows, popups' stack, responder
// and test hooks stay in the front (ui_front.h and the files without a
// system's suffix), which defines every function of ui.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ui_description.h"

class QWidget;

namespace ui_native {

// Makes what the user interface runs on, once; false when it cannot.
bool StartApplication(int& argc, char** argv);

// What a control is, as the front's value and list rules see it.
enum class Kind { Button, CheckBox, Edit, Spin, List, Label, Picture, Progress, Line, Container };

// The system's control; the front holds it by pointer and never looks inside.
struct Control;

// ---- Panels ---------------------------------------------------------------------
// Makes the window of `panel`, read from the resource file at `path`, under
// `parent` (0: top level) and registers it, its controls and its menu bar
// with the front. Its new handle, or UIE_FILE_NOT_FOUND when the system
// cannot make it.
int LoadPanel(int parent, const std::string& path,
              const std::shared_ptr<const ui_description::ResourceFile>& file,
              const ui_description::Panel& panel);
// Shows the panel over the program's windows; `below` is the popup under it
// (0: none), the window it belongs to. A `popup` is the one the front has
// just put on top of the others: the only window the user can reach.
void ShowPanel(int panel, int below, bool popup);
// Hides the panel, which the front has just taken off its popups.
void HidePanel(int panel);
// Destroys the panel's window; the front has forgotten it already.
void DestroyPanel(int panel);
// Brings the program's active window forward; false when none of its windows
// is active.
bool ActivateActiveWindow();
// Brings the panel's window forward and gives it the keyboard.
void ActivatePanel(int panel);
// The Qt widget behind the panel (screenshots in tests), nullptr elsewhere.
QWidget* PanelWidget(int panel);
// Forgets whatever the system kept for the panels the front discarded.
void ResetForTesting();

// The panel's place and size as the program counts them (ATTR_TOP,
// ATTR_LEFT, ATTR_HEIGHT or ATTR_WIDTH, checked by the front): its normal
// place while it is minimized or maximized.
int PanelPlace(int panel, int attribute);
void SetPanelPlace(int panel, int attribute, int value);
void MovePanel(int panel, int top, int left);
// VAL_NO_ZOOM, VAL_MINIMIZE or VAL_MAXIMIZE.
int PanelZoom(int panel);
void SetPanelZoom(int panel, int zoom);
bool PanelVisible(int panel);
bool PanelDimmed(int panel);
void SetPanelDimmed(int panel, bool dimmed);
std::string PanelTitle(int panel);
void SetPanelTitle(int panel, const std::string& title);

// ---- Controls -------------------------------------------------------------------
// False once the system has destroyed the panel's window or the control.
bool PanelAlive(int panel);
bool Alive(const Control& control);

// Values. Texts for labels, fields and buttons (a button's "__X" makes X its
// mnemonic); numbers for spin boxes (kept within their range), check boxes
// and progress bars. Text gives what the control shows, a spin box's prefix
// and a button's mnemonic mark included.
void SetText(Control& control, const std::string& text);
std::string Text(const Control& control);
void SetNumber(Control& control, double value);
double Number(const Control& control);

// Attributes. A control dimmed or hidden takes its buddy label with it.
void SetDimmed(Control& control, bool dimmed);
bool Dimmed(const Control& control);
void SetVisible(Control& control, bool visible);
bool Visible(const Control& control);
// The text that names the control: a button's own, else its buddy label's.
// False when it has neither. It is read as shown ("&X" marks the mnemonic).
bool SetLabelText(Control& control, const std::string& text);
bool LabelText(const Control& control, std::string& shown);
// The control takes the keyboard when its panel's window has it.
void Focus(Control& control);

// A list shows the rows the front keeps: these mirror each change.
void InsertRow(Control& list, int row, const std::string& label);
void ClearRows(Control& list);
// The row the user or the program made current, -1 for an empty list.
int CurrentRow(const Control& list);
void SelectRow(Control& list, int row);
// What assistive technology reads for the row instead of its label.
void SetRowAccessibleName(Control& list, int row, const std::string& name);

// ---- Menus ----------------------------------------------------------------------
// A menu or an item of a panel's menu bar, as the system shows it.
struct MenuEntry;
// The entry shows what the front keeps: the tick, the dimming, its name
// ("__X" marks X as the mnemonic).
void SetMenuTick(int panel, MenuEntry& entry, bool tick);
void SetMenuDimmed(int panel, MenuEntry& entry, bool dimmed);
void RenameMenuEntry(int panel, MenuEntry& entry, const std::string& name);

// ---- Event loop -----------------------------------------------------------------
// Runs the system's loop until ExitLoop; its code, or UIE_INVALID_ATTRIBUTE
// when the system has no loop to run.
int RunLoop();
void ExitLoop(int code);
// Hands every pending event to its window (the controls' callbacks run).
void ProcessEvents();
// Waits for the next events and processes them; false, without waiting, once
// there is nothing left to wait for (the loop ended, no window open).
bool WaitForEvents();
// Paints what waits to be painted; the user's clicks and keys wait for the
// program's own polls.
void PaintNow();
// The wait cursor over the program's windows, or the arrow again.
void ShowWaitCursor(bool on);

// ---- Popups ---------------------------------------------------------------------
// The system's dialogs, shown over the program's active window with every
// other window of the program disabled until they close.
void ShowMessage(const std::string& title, const std::string& message);
// The number of the button pressed (1 to 3, an empty text for none); 0 for
// an Escape or a close box with no button bound to Escape. The buttons
// bound to Enter and Escape are shown ones, 0 for none.
int Ask(const std::string& title, const std::string& message, const std::string (&buttons)[3],
        int enter_button, int escape_button);
// The file chosen, empty when the user cancelled. `patterns` ("*.xlsx") are
// the files shown; none: every file.
std::string ChooseFile(const std::string& title, const std::string& directory,
                       const std::string& name, const std::vector<std::string>& patterns, bool save,
                       bool make_folders);
// The folder chosen, empty when the user cancelled.
std::string ChooseFolder(const std::string& title, const std::string& directory, bool make_folders);
bool IsExistingFile(const std::string& path);

// ---- Session --------------------------------------------------------------------
// Starts listening to the system's requests to end the session, once.
void ConnectSessionManager();
// Tells the system why the session cannot end yet (`block`), or withdraws
// it; false when the system refuses it.
bool ShowSessionEndBlock(int panel, bool block, const std::string& reason);
// Restores the panel's window when it is minimized.
void RestorePanel(int panel);

}  // namespace ui_native
