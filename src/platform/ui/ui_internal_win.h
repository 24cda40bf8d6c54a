// Shared state of the Windows side of the user interface: the panels behind
// the handles the front issued, each widget of a panel with its window, the
// menu bar's entries, and the services the files give each other.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "platform/ui/ui_description.h"
#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_front.h"
#include "platform/ui/ui_layout.h"
#include "platform/ui/ui_native.h"

// One widget of a panel and the window that shows it.
struct ui_native::Control {
    const ui_description::Widget* widget = nullptr;
    Kind kind = Kind::Container;
    HWND hwnd = nullptr;
    HWND arrows = nullptr;       // a spin box's up-down arrows
    int number = 0;              // the program's number for it, 0 when it has none
    int id = 0;                  // the child window identifier
    std::string callback;
    Control* label = nullptr;    // the label whose buddy this control is
    // A label whose text the user can select and copy: a read-only edit.
    bool selectable = false;
    // The selectable text stands where its size, font and text put it;
    // cleared by each of them, so a layout that moves nothing leaves it be.
    bool text_placed = false;
    HFONT font = nullptr;           // its own font when the file sets one
    int minimum = 0, maximum = 99;  // a spin box's range
    std::string prefix;             // a spin box's prefix ("COM ")
    HBITMAP picture = nullptr;   // a pixmap label's picture, premultiplied 32-bit
    SIZE picture_size{};
};

// A menu or an item of a main window's menu bar.
struct ui_native::MenuEntry {
    HMENU owner = nullptr;    // the menu that shows this entry
    HMENU submenu = nullptr;  // a menu's own popup menu, nullptr for an item
    UINT command = 0;         // an item's WM_COMMAND identifier
};

namespace ui_win {

using ui_description::Widget;
using ui_native::Control;
using ui_native::Kind;
using ui_native::MenuEntry;

// What the front keeps of a panel (its parent, its menu bar, its close
// control) is asked of it.
struct Panel {
    int handle = 0;
    HWND hwnd = nullptr;
    std::shared_ptr<const ui_description::ResourceFile> file;
    std::string folder;  // the resource file's folder (with its separator), where its pictures lie
    const Widget* root = nullptr;     // the QDialog or QMainWindow
    std::vector<std::unique_ptr<Control>>
        widgets;  // in the file's order; the numbered ones are the front's too
    std::map<const Widget*, Control*> by_widget;
    std::map<int, MenuEntry> menu_entries;  // menus and items, by number
    bool splash = false;
    COLORREF background = 0, foreground = 0;
    HBRUSH background_brush = nullptr;
    HFONT message_font = nullptr;
    int dpi = 96;
    bool arranging = false;
    bool dimmed = false;  // ATTR_DIMMED as the program set it
    // The control that takes the keyboard when the window is next activated:
    // the one the program chose, or the one that had it when the window lost it.
    HWND focus = nullptr;
    bool placed = false;  // shown once, or placed by the program: no more centring
};

constexpr UINT kMenuCommandBase = 0x4000;
constexpr int kControlIdBase = 100;

std::map<int, Panel>& Panels();
Panel* FindPanel(int handle);  // nullptr when dead
Panel* PanelOfWindow(HWND hwnd);
Control* FindControl(int panel, int control, int& status);

// The panel window's class, registered by InitUserInterface.
extern const wchar_t* const kPanelClass;
LRESULT CALLBACK PanelProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
// WM_QUERYENDSESSION and WM_ENDSESSION, answered (true) as the program registered
// (session_win.cpp).
bool SessionMessage(UINT message, WPARAM wparam, LRESULT& result);

// "__X" marks X as the mnemonic; Windows writes it "&X" (a literal "&" as "&&").
std::wstring MnemonicText(const std::string& text);
// The other way: "&X" as Windows (and the resource file) write a mnemonic is
// "__X" for the program; "&&" is a plain "&".
using ui_front::ProgramMnemonic;
// The text a window shows, in UTF-8 (mnemonic marks as Windows writes them).
std::string WindowText(HWND hwnd);

// The monitor's area and work area (the screen less the taskbar).
MONITORINFO MonitorInfo(HMONITOR monitor);
// Moves a window's frame inside its monitor's work area: wholly where it fits,
// its top left (the caption) always.
RECT InsideWorkArea(RECT frame);
// Moves the window so that its whole frame is on the screen.
void KeepInWorkArea(HWND window);

// Newer calls looked up at run time: the program still starts on a system
// that lacks one (older Windows, Wine), and takes another way there.
template <typename Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// The window's frame around `client` (screen pixels) as Windows draws it at
// `dpi`, the window's own DPI.
RECT FrameAround(HWND hwnd, RECT client, int dpi);

// Before a panel without a parent is shown: owned by the window it belongs
// to (`below`, the popup under it; else a popup's by the active program
// window, another panel's by the main window), so only the main window has a
// taskbar button; centred over it the first time.
void OwnBeforeShowing(Panel& panel, int below, bool popup);
// Before a panel is hidden or destroyed: the windows it owns pass to its owner.
void HandOverOwnedWindows(const Panel& panel);
// Centres the window over `over` (the screen's work area when it is not
// shown), inside the work area of that monitor.
void CentreOver(const Panel& panel, HWND over);

// The system's message font at `dpi`, and a font of `point_size` (0: the
// message font's size) at `dpi`. The caller owns the fonts.
HFONT MessageFont(int dpi, int point_size = 0, bool bold = false);
// The metrics of the font the window shows its text in.
TEXTMETRICW FontMetrics(HWND window);
// Text measured with the panel's fonts at its DPI, for the layout.
std::unique_ptr<ui_layout::TextMetrics> MetricsFor(int dpi);
// The sizes measured so far no longer hold: the system's message font changed.
void ForgetMeasuredTexts();
// Places every widget of the panel in its client area, as the layout says.
void ArrangePanel(Panel& panel);
// Gives the keyboard to the panel's remembered control, else to its first
// control in Tab order that can take it, as a dialog does when it opens.
void FocusPanel(Panel& panel);
// Enables the panels a popup leaves usable (all when there is none).
void ApplyModality();
// The smallest client area the panel's layout takes.
ui_layout::Size MinimumClient(const Panel& panel);
// Grows the window when its content needs more room, then places the widgets again.
void RefreshLayout(Panel& panel);
// Sizes the panel's window to what its layout asks for.
void FitPanel(Panel& panel);
// The layout's view of what the program changed: texts and visibility.
class PanelState : public ui_layout::LiveState {
public:
    explicit PanelState(const Panel& panel) : panel_(panel) {}
    std::string Text(const Widget& widget) const override;
    bool Visible(const Widget& widget) const override;

private:
    const Panel& panel_;
};

// A test may lay panels out at another DPI than the monitor's (0: the monitor's).
void SetDpiOverrideForTesting(int dpi);
int PanelDpi(HWND hwnd);

// Menus of a main window built from the file; events from the menu bar.
void BuildMenuBar(Panel& panel);
void MenuCommand(Panel& panel, UINT command);

// Makes the panel's child controls from its description.
void BuildControls(Panel& panel);
// The panel's fonts made again at its DPI and given to every control.
void RefreshFonts(Panel& panel);
// A list's rows as the front keeps them; the list box itself holds what
// assistive technology reads for each row (the label, or the name the
// program gave the row), and the rows are drawn from these labels.
const std::vector<ui_front::Row>& RowsOf(const Control& list);
// A list scrolls sideways as far as its widest row needs (none when all fit).
void FitListExtent(const Control& list);
// The keys and clicks the control answers as on Linux (a subclass of its
// window): a list reports clicks and Enter, a text field with a callback
// takes Enter as its commit, a selectable label leaves Enter, Escape and Tab
// to the panel and shows no caret.
void WatchKeys(const Control& control);
// A label's text as the program set it, and as an edit shows it (lines end "\r\n").
std::string LabelText(const Control& control);
std::wstring EditText(const std::string& text);
// A spin box's value: the number after its prefix, within its range; and
// a value shown so, brought within its range.
int SpinValue(const Control& control);
void ShowSpinValue(const Control& control, int value);
// Hands every pending message to its window (keys through the dialog manager).
void ProcessPendingMessages();

// A user's event on a control, handed to the shared dispatch.
using ui_front::DispatchControlEvent;

// Pictures of pixmap labels, decoded from PNG.
HBITMAP LoadPicture(const std::string& path, SIZE& size);
void DrawPicture(const DRAWITEMSTRUCT& item, const Control& control);
// A list row drawn with its label (the list box holds its accessible name).
void DrawListRow(const DRAWITEMSTRUCT& item, const Control& control);
// A label's text drawn inside its margin (the file's "margin"), at the panel's DPI.
void DrawMarginLabel(const DRAWITEMSTRUCT& item, const Control& control, const Panel& panel);

}  // namespace ui_win
