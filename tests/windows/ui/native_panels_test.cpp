// The Windows program's own panels, as a user meets them: every panel of the
// shipped BRISKEL.UIR loads with every control and menu item the program
// addresses; at 100 % and 150 %, in all five languages, no visible control of
// the export and import panels overlaps another, leaves its window or cuts
// its text; Tab follows the file's order; Escape and the close box commit
// the panel's close control; screen readers get each control's visible text.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "excel/registration.h"
#include "export/registration.h"
#include "import/registration.h"
#include "link/registration.h"
#include "platform/system/win32.h"
#include "platform/ui/session.h"
#include "platform/ui/ui.h"
#include "platform/ui/ui_internal_win.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/panels.h"
#include "shell/registration.h"
#include "unit/platform/ui_test_resources.h"
#include "unit/shell/resource_file_expectations.h"

namespace {

using ui_win::Control;
using ui_win::Kind;

const std::string kUir = std::string(BRISKEL_PROGRAM_DIR) + "/BRISKEL.UIR";

class NativePanelsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetUserInterfaceForTesting(); }
    void TearDown() override {
        ResetUserInterfaceForTesting();
        langue = 1;
    }
};

ui_win::Panel& PanelOf(int handle) {
    ui_win::Panel* panel = ui_win::FindPanel(handle);
    if (panel == nullptr) throw std::runtime_error("no panel " + std::to_string(handle));
    return *panel;
}

// What a person sees of a text: the mnemonic marks are not shown.
std::string Shown(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

RECT InClient(HWND hwnd, HWND panel) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool Visible(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

// The room a text needs in a control's own font (wrapped to its width when it wraps).
SIZE TextNeeds(const Control& c) {
    HDC dc = GetDC(c.hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c.hwnd, WM_GETFONT, 0, 0)));
    const std::wstring text = Utf16(ui_win::WindowText(c.hwnd));
    RECT client;
    GetClientRect(c.hwnd, &client);
    const bool wraps = c.kind == Kind::Label && c.widget->Flag("wordWrap", false);
    RECT box{0, 0, wraps ? client.right : 0, 0};
    DrawTextW(dc, text.c_str(), -1, &box, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) |
              (c.kind == Kind::Label && c.widget->Text("buddy").empty() ? DT_NOPREFIX : 0));  // "&" shown
    SelectObject(dc, old);
    ReleaseDC(c.hwnd, dc);
    return {box.right, box.bottom};
}

// Every fault of the panel's placement, one line each; empty when it is right.
std::string PlacementFaults(int handle) {
    ui_win::Panel& panel = PanelOf(handle);
    RECT client;
    GetClientRect(panel.hwnd, &client);
    std::ostringstream faults;
    std::vector<std::pair<const Control*, RECT>> shown;
    for (const auto& control : panel.widgets) {
        if (control->hwnd == nullptr || !Visible(control->hwnd)) continue;
        RECT r = InClient(control->hwnd, panel.hwnd);
        if (control->arrows != nullptr) r.right = InClient(control->arrows, panel.hwnd).right;
        const std::string& name = control->widget->name;
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            faults << name << " leaves the window\n";
        if (r.right - r.left <= 0 || r.bottom - r.top <= 0) faults << name << " has no room\n";
        for (const auto& [other, place] : shown) {
            RECT common;
            if (IntersectRect(&common, &r, &place)) faults << name << " overlaps " << other->widget->name << "\n";
        }
        shown.emplace_back(control.get(), r);
        if (control->kind == Kind::Label || control->kind == Kind::Button || control->kind == Kind::CheckBox) {
            const SIZE needs = TextNeeds(*control);
            RECT inside;
            GetClientRect(control->hwnd, &inside);
            int room = inside.right;
            if (control->kind == Kind::CheckBox) room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
            if (control->kind == Kind::Button) room -= 4;
            if (needs.cx > room || needs.cy > inside.bottom)
                faults << name << " cuts its text \"" << ui_win::WindowText(control->hwnd) << "\" (needs "
                       << needs.cx << "x" << needs.cy << ", has " << room << "x" << inside.bottom << ")\n";
        }
    }
    return faults.str();
}

void RegisterProgramCallbacks() {
    RegisterShellCallbacks();
    RegisterLinkSubsystem();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
}

TEST_F(NativePanelsTest, EveryPanelLoadsWithTheControlsAndItemsTheProgramAddresses) {
    std::map<int, int> handles;
    for (int number = PANEL_PROGRESS; number <= PANEL_MAIN; ++number) {
        handles[number] = LoadPanel(0, kUir, number);
        ASSERT_GT(handles[number], 0) << "panel " << number;
    }
    for (const auto& expected : kControls) {
        int status = 0;
        const Control* c = ui_win::FindControl(handles[expected.panel], expected.control, status);
        ASSERT_NE(c, nullptr) << "panel " << expected.panel << " control " << expected.control;
        EXPECT_EQ(c->callback, expected.callback) << "panel " << expected.panel << " control " << expected.control;
    }
    const int bar = GetPanelMenuBar(handles[PANEL_MAIN]);
    ASSERT_GT(bar, 0);
    for (const auto& [item, callback] : kMenuItems) {
        int status = 0;
        const ui_front::MenuEntry* entry = ui_front::FindMenuEntry(bar, item, status);
        ASSERT_NE(entry, nullptr) << "menu item " << item;
        EXPECT_EQ(entry->callback, callback) << "menu item " << item;
    }
    // The menu bar is the window's own, with the file's mnemonics.
    HMENU menu = GetMenu(PanelOf(handles[PANEL_MAIN]).hwnd);
    ASSERT_NE(menu, nullptr);
    wchar_t title[64] = {};
    GetMenuStringW(menu, 0, title, 64, MF_BYPOSITION);
    EXPECT_EQ(Utf8(title), "&File");
    // A text shown as it is, "&" included (an instrument's name), gets the room it is drawn in.
    SetCtrlAttribute(handles[PANEL_SCAN], SCAN_PROGRESS, ATTR_VISIBLE, 1);
    SetCtrlVal(handles[PANEL_SCAN], SCAN_PROGRESS, "R&D, Dupont && Fils " + std::string(60, '&'));
    EXPECT_EQ(PlacementFaults(handles[PANEL_SCAN]), "");
}

TEST_F(NativePanelsTest, ExportAndImportPanelsHoldTheirControlsAtEveryScaleInEveryLanguage) {
    RegisterProgramCallbacks();
    for (int dpi : {96, 144}) {
        for (int language = 0; language <= 4; ++language) {
            ResetUserInterfaceForTesting();
            ui_win::SetDpiOverrideForTesting(dpi);
            langue = language;
            Fen_princ[PANEL_EXPORT] = LoadPanel(0, kUir, PANEL_EXPORT);
            Fen_princ[PANEL_IMPORT] = LoadPanel(0, kUir, PANEL_IMPORT);
            ASSERT_GT(Fen_princ[PANEL_EXPORT], 0);
            ASSERT_GT(Fen_princ[PANEL_IMPORT], 0);
            Traduc_excel();
            Traduc_import();
            // The progress line shows while tests are written.
            SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_PROGRESS, std::string("Test 07 / 23"));
            SetCtrlAttribute(Fen_princ[PANEL_IMPORT], IMPORT_PROGRESS, ATTR_VISIBLE, 1);
            for (int panel : {PANEL_EXPORT, PANEL_IMPORT}) {
                EXPECT_EQ(PlacementFaults(Fen_princ[panel]), "")
                    << "panel " << panel << " at " << dpi << " dpi, language " << language;
            }
        }
    }
}

int FontHeight(HWND hwnd) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

// The export panel's fonts grow with `change`, and every text is measured
// afresh and keeps its room.
void ExportPanelGrowsWith(const std::function<void(ui_win::Panel&)>& change) {
    RegisterProgramCallbacks();
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, kUir, PANEL_EXPORT);
    Traduc_excel();
    ui_win::Panel& panel = PanelOf(Fen_princ[PANEL_EXPORT]);
    int status = 0;
    HWND quit = ui_win::FindControl(panel.handle, EXPORT_QUIT, status)->hwnd;
    const int before = FontHeight(quit);
    change(panel);
    EXPECT_GE(FontHeight(quit), before * 4 / 3) << "the fonts are made again";
    EXPECT_EQ(PlacementFaults(panel.handle), "");
}

// A panel moved to a monitor at 150 %, and a larger text size chosen in the
// system's settings, are taken up at once.
TEST_F(NativePanelsTest, APanelIsLaidOutAgainAtAnotherDpiOrTextSize) {
    ui_win::SetDpiOverrideForTesting(96);
    langue = 0;
    ExportPanelGrowsWith([](ui_win::Panel& panel) {
        RECT window;
        GetWindowRect(panel.hwnd, &window);
        RECT suggested{window.left, window.top, window.left + (window.right - window.left) * 3 / 2,
                       window.top + (window.bottom - window.top) * 3 / 2};
        ui_win::SetDpiOverrideForTesting(144);
        SendMessageW(panel.hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    });
    ui_win::SetDpiOverrideForTesting(0);
    NONCLIENTMETRICSW saved{};
    saved.cbSize = sizeof saved;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0));
    ExportPanelGrowsWith([&saved](ui_win::Panel& panel) {
        NONCLIENTMETRICSW larger = saved;
        larger.lfMessageFont.lfHeight = saved.lfMessageFont.lfHeight * 3 / 2;
        SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0);
        SendMessageW(panel.hwnd, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS,
                     reinterpret_cast<LPARAM>(L"WindowMetrics"));
    });
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
}

TEST_F(NativePanelsTest, TabFollowsTheFilesOrder) {
    const int panel = LoadPanel(0, kUir, PANEL_EXPORT);
    ASSERT_GT(panel, 0);
    DisplayPanel(panel);
    ui_win::Panel& p = PanelOf(panel);
    int status = 0;
    SetFocus(ui_win::FindControl(panel, EXPORT_FOLDER, status)->hwnd);
    std::vector<int> order;
    for (int step = 0; step < 10; ++step) {
        int number = 0;
        for (const auto& control : p.widgets) {
            if (control->hwnd == GetFocus()) number = control->number;
        }
        order.push_back(number);
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        IsDialogMessageW(p.hwnd, &tab);
    }
    // Export is dimmed until Run has found tests: Tab skips it.
    const std::vector<int> expected{EXPORT_FOLDER, EXPORT_BROWSE,     EXPORT_BASE_NAME, EXPORT_ERASE,
                                    EXPORT_AUTOMATIC_NAMES, EXPORT_SUMMARY, EXPORT_RUN, EXPORT_OPEN_FOLDER,
                                    EXPORT_QUIT,  EXPORT_FOLDER};
    EXPECT_EQ(order, expected);
}

struct Commit {
    int panel, control;
    bool operator==(const Commit&) const = default;
};
std::vector<Commit> commits;
int RecordCommit(int panel, int control, int event, void*, int, int) {
    if (event == EVENT_COMMIT) commits.push_back({panel, control});
    return 0;
}

TEST_F(NativePanelsTest, EscapeAndTheCloseBoxCommitTheCloseControl) {
    const std::string uir = (std::filesystem::temp_directory_path() / "briskel-close.uir").string();
    std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
    RegisterCallbacks({{"TestStop", RecordCommit, nullptr}, {"TestButton", RecordCommit, nullptr}});
    commits.clear();
    const int dialog = LoadPanel(0, uir, 1);
    const int main = LoadPanel(0, uir, 2);
    DisplayPanel(dialog);
    DisplayPanel(main);
    HWND dialog_window = PanelOf(dialog).hwnd;
    SendMessageW(dialog_window, WM_CLOSE, 0, 0);
    int status = 0;
    SetFocus(ui_win::FindControl(dialog, 5, status)->hwnd);
    MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    IsDialogMessageW(dialog_window, &escape);
    SendMessageW(dialog_window, WM_SYSCOMMAND, SC_CLOSE, 0);  // Alt+F4
    SendMessageW(PanelOf(main).hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(commits, (std::vector<Commit>{{dialog, 3}, {dialog, 3}, {dialog, 3}, {main, 2}}));
    EXPECT_TRUE(IsWindowVisible(dialog_window)) << "the callback decides";
    // A real click on a button reaches its callback.
    commits.clear();
    SendMessageW(ui_win::FindControl(dialog, 2, status)->hwnd, BM_CLICK, 0, 0);
    EXPECT_EQ(commits, (std::vector<Commit>{{dialog, 2}}));
    ResetUserInterfaceForTesting();
    std::error_code ec;
    std::filesystem::remove(uir, ec);
}

int QuitWithFive(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) QuitUserInterface(5);
    return 0;
}

// A click that arrives while the loop runs reaches its callback; a quit asked
// there ends the loop with its code.
TEST_F(NativePanelsTest, AQuitFromTheRunningLoopEndsIt) {
    const std::string uir = (std::filesystem::temp_directory_path() / "briskel-loop.uir").string();
    std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
    RegisterCallbacks({{"TestButton", QuitWithFive, nullptr}});
    const int dialog = LoadPanel(0, uir, 1);
    DisplayPanel(dialog);
    int status = 0;
    const ui_win::Control* ok = ui_win::FindControl(dialog, 2, status);
    PostMessageW(PanelOf(dialog).hwnd, WM_COMMAND, MAKEWPARAM(ok->id, BN_CLICKED), reinterpret_cast<LPARAM>(ok->hwnd));
    EXPECT_EQ(RunUserInterface(), 5);
    ResetUserInterfaceForTesting();
    std::error_code ec;
    std::filesystem::remove(uir, ec);
}

// Windows asks every top-level window whether the session may end, then
// tells it the session ends (or not): a panel answers as the program
// registered, and carries out the end before it returns.
TEST_F(NativePanelsTest, APanelAnswersTheSessionsEndAsTheProgramRegistered) {
    const int main_panel = LoadPanel(0, kUir, PANEL_MAIN);
    const HWND hwnd = PanelOf(main_panel).hwnd;
    bool busy = false;
    int asked = 0, ended = 0;
    SetSessionEndHandlers({[&] { ++asked; return !busy; }, [&] { ++ended; }});
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(hwnd, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(ended, 1);
    busy = true;
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
    SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);  // called off: nothing to do
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ended, 1);
    SetSessionEndHandlers({});
}

// An installed popup leaves only itself usable until it is removed.
TEST_F(NativePanelsTest, APopupLeavesOnlyItselfUsable) {
    const std::string uir = (std::filesystem::temp_directory_path() / "briskel-popup.uir").string();
    std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
    const int main = LoadPanel(0, uir, 2);
    const int dialog = LoadPanel(0, uir, 1);
    DisplayPanel(main);
    InstallPopup(dialog);
    EXPECT_FALSE(IsWindowEnabled(PanelOf(main).hwnd));
    EXPECT_TRUE(IsWindowEnabled(PanelOf(dialog).hwnd));
    SetPanelAttribute(main, ATTR_DIMMED, 1);
    RemovePopup(0);
    EXPECT_FALSE(IsWindowEnabled(PanelOf(main).hwnd)) << "the program's own dimming stays";
    SetPanelAttribute(main, ATTR_DIMMED, 0);
    EXPECT_TRUE(IsWindowEnabled(PanelOf(main).hwnd));
    ResetUserInterfaceForTesting();
    std::error_code ec;
    std::filesystem::remove(uir, ec);
}

// A message box answered as soon as it is activated, as a user presses its OK.
LRESULT CALLBACK AnswerMessageBox(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && ui_win::PanelOfWindow(reinterpret_cast<HWND>(wparam)) == nullptr)
        PostMessageW(reinterpret_cast<HWND>(wparam), WM_COMMAND, IDOK, 0);
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

// What the user types goes to a control: a panel opens with the keyboard on
// its first control in Tab order (the number field of the communication
// panel), or on the one the program chose before showing it; after a message
// box the keyboard is back where it was.
TEST_F(NativePanelsTest, APanelGivesTheKeyboardToAControlAndGetsItBackAfterAMessageBox) {
    const int main = LoadPanel(0, kUir, PANEL_MAIN);
    DisplayPanel(main);
    const int com = LoadPanel(main, kUir, PANEL_COM);
    InstallPopup(com);
    ui_win::ProcessPendingMessages();
    int status = 0;
    EXPECT_EQ(GetFocus(), ui_win::FindControl(com, COM_NUMBER, status)->hwnd) << "the number field";

    const HWND ok = ui_win::FindControl(com, COM_OK, status)->hwnd;
    SetFocus(ok);
    HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerMessageBox, nullptr, GetCurrentThreadId());
    MessagePopup("Briskel View", "Warning");
    UnhookWindowsHookEx(hook);
    ui_win::ProcessPendingMessages();
    EXPECT_EQ(GetFocus(), ok) << "back on OK after the message box";
    RemovePopup(com);

    const int panel = LoadPanel(0, kUir, PANEL_EXPORT);
    SetActiveCtrl(panel, EXPORT_QUIT);
    DisplayPanel(panel);
    ui_win::ProcessPendingMessages();
    EXPECT_EQ(GetFocus(), ui_win::FindControl(panel, EXPORT_QUIT, status)->hwnd) << "the program's choice";
}

// The pixels of a window's client area as it shows them, its controls included.
std::vector<DWORD> ShownPixels(HWND hwnd) {
    RECT client;
    GetClientRect(hwnd, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC shown = GetDCEx(hwnd, nullptr, DCX_CACHE);  // not clipped to the panel's own background
    HDC copy = CreateCompatibleDC(shown);
    HBITMAP bitmap = CreateDIBSection(shown, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, client.right, client.bottom, shown, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<size_t>(client.right) * client.bottom);
    SelectObject(copy, old);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(hwnd, shown);
    return pixels;
}

// Quit on the export panel: the panel hidden, the warning that the
// spreadsheet application will be closed, the import panel shown again with
// its description. The import panel then shows every control whole, as it
// looks painted afresh.
TEST_F(NativePanelsTest, APanelUncoveredByAPopupAndAMessageBoxIsPaintedWhole) {
    const int main = LoadPanel(0, kUir, PANEL_MAIN);
    const int exporting = LoadPanel(0, kUir, PANEL_EXPORT);
    const int import = LoadPanel(0, kUir, PANEL_IMPORT);
    DisplayPanel(main);
    DisplayPanel(import);
    DisplayPanel(exporting);
    ProcessDrawEvents();
    ui_win::ProcessPendingMessages();

    HidePanel(exporting);
    HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerMessageBox, nullptr, GetCurrentThreadId());
    MessagePopup("Error", "Warning !  EXCEL will be closed");
    UnhookWindowsHookEx(hook);
    SetCtrlVal(import, IMPORT_DESCRIPTION, std::string("        "));
    SetCtrlAttribute(import, IMPORT_PROGRESS, ATTR_VISIBLE, 0);
    SetCtrlAttribute(import, IMPORT_DESCRIPTION, ATTR_VISIBLE, 1);
    DisplayPanel(import);
    ProcessDrawEvents();
    ui_win::ProcessPendingMessages();
    const HWND window = PanelOf(import).hwnd;
    const std::vector<DWORD> shown = ShownPixels(window);

    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ui_win::ProcessPendingMessages();
    const std::vector<DWORD> whole = ShownPixels(window);
    ASSERT_EQ(shown.size(), whole.size());
    size_t differing = 0;
    for (size_t i = 0; i < shown.size(); ++i) differing += shown[i] != whole[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "pixels of the import panel left unpainted";
}

// Enter presses the focused push button (Qt's buttons are "auto default"),
// else the panel's default button, never a dimmed one.
TEST_F(NativePanelsTest, EnterPressesTheFocusedButtonElseTheDefaultOne) {
    RegisterCallbacks({{"Lancer_excel", RecordCommit, nullptr}, {"OpenWorkingFolder", RecordCommit, nullptr}});
    const int panel = LoadPanel(0, kUir, PANEL_EXPORT);
    DisplayPanel(panel);
    HWND window = PanelOf(panel).hwnd;
    int status = 0;
    const auto enter_on = [&](int control) {
        SetFocus(ui_win::FindControl(panel, control, status)->hwnd);
        MSG enter{GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        IsDialogMessageW(window, &enter);
    };
    commits.clear();
    enter_on(EXPORT_FOLDER);
    enter_on(EXPORT_QUIT);
    enter_on(EXPORT_OPEN_FOLDER);  // not "auto default" in the file: the default button
    SetCtrlAttribute(panel, EXPORT_RUN, ATTR_DIMMED, 1);
    enter_on(EXPORT_BASE_NAME);
    EXPECT_EQ(commits, (std::vector<Commit>{{panel, EXPORT_RUN}, {panel, EXPORT_QUIT}, {panel, EXPORT_RUN}}));
}

// The text a user copies from a field: what the clipboard holds.
std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return "<clipboard busy>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf8(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The fields the file makes selectable (a long path in the export's message,
// the test's description, the progress line) let the user select and copy
// their text, keep their value as the program set it, take no Tab stop, and
// leave Enter and Escape to the panel's buttons when a click gave them focus.
TEST_F(NativePanelsTest, SelectableFieldsLetTheUserCopyTheirTextAndLeaveEnterAndEscapeToThePanel) {
    RegisterCallbacks({{"Lancer_excel", RecordCommit, nullptr}});
    const int export_panel = LoadPanel(0, kUir, PANEL_EXPORT);
    const int import_panel = LoadPanel(0, kUir, PANEL_IMPORT);
    DisplayPanel(export_panel);
    const std::string text = "3 tests written to C:\\Users\\technician\\Documents\\Site A & B\\site-A-2026-12-07.xlsx\n"
                             "Test 07 erased on the instrument.";
    std::string windows_text = text;
    windows_text.replace(windows_text.find('\n'), 1, "\r\n");
    const std::vector<std::pair<int, int>> fields{
        {export_panel, EXPORT_MESSAGE}, {import_panel, IMPORT_DESCRIPTION}, {import_panel, IMPORT_PROGRESS}};
    for (const auto& [panel, number] : fields) {
        int status = 0;
        const Control* field = ui_win::FindControl(panel, number, status);
        ASSERT_NE(field, nullptr);
        ASSERT_EQ(SetCtrlVal(panel, number, text), 0);
        std::string value;
        GetCtrlVal(panel, number, value);
        EXPECT_EQ(value, text) << field->widget->name;
        EXPECT_EQ(GetWindowLongW(field->hwnd, GWL_STYLE) & WS_TABSTOP, 0) << field->widget->name << " is a Tab stop";
        ASSERT_TRUE(OpenClipboard(PanelOf(panel).hwnd));
        EmptyClipboard();
        CloseClipboard();
        SendMessageW(field->hwnd, EM_SETSEL, 0, -1);
        SendMessageW(field->hwnd, WM_COPY, 0, 0);
        EXPECT_EQ(ClipboardText(), windows_text) << field->widget->name;
    }
    HWND window = PanelOf(export_panel).hwnd;
    int status = 0;
    const auto key_in_message = [&](WPARAM key) {
        SetFocus(ui_win::FindControl(export_panel, EXPORT_MESSAGE, status)->hwnd);
        MSG down{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        if (!IsDialogMessageW(window, &down)) {
            TranslateMessage(&down);
            DispatchMessageW(&down);
        }
        ui_win::ProcessPendingMessages();
    };
    commits.clear();
    key_in_message(VK_ESCAPE);
    key_in_message(VK_RETURN);
    EXPECT_EQ(commits, (std::vector<Commit>{{export_panel, EXPORT_QUIT}, {export_panel, EXPORT_RUN}}));
}

// A window placed where its frame would leave the screen (the main window at
// the place the settings give it, a panel at 0, 0) opens with its whole frame
// inside the work area; one that fits keeps its place.
TEST_F(NativePanelsTest, AWindowOpensWithItsWholeFrameInsideTheWorkArea) {
    const int main = LoadPanel(0, kUir, PANEL_MAIN);
    const int export_panel = LoadPanel(0, kUir, PANEL_EXPORT);
    const auto inside_work_area = [](int panel) {
        HWND hwnd = PanelOf(panel).hwnd;
        RECT frame;
        GetWindowRect(hwnd, &frame);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& area = monitor.rcWork;
        std::ostringstream out;
        if (frame.left < area.left || frame.top < area.top || frame.right > area.right || frame.bottom > area.bottom)
            out << "frame " << frame.left << "," << frame.top << "-" << frame.right << "," << frame.bottom
                << " outside " << area.left << "," << area.top << "-" << area.right << "," << area.bottom;
        return out.str();
    };
    SetPanelPos(export_panel, 0, 0);
    DisplayPanel(export_panel);
    EXPECT_EQ(inside_work_area(export_panel), "");
    // The main window shown, then placed where the settings say (its client area's top left).
    DisplayPanel(main);
    SetPanelPos(main, 32, 102);
    EXPECT_EQ(inside_work_area(main), "");
    SetPanelPos(main, 0, 0);
    EXPECT_EQ(inside_work_area(main), "");
    SetPanelPos(export_panel, 300, 200);
    int top = 0, left = 0;
    GetPanelAttribute(export_panel, ATTR_TOP, top);
    GetPanelAttribute(export_panel, ATTR_LEFT, left);
    EXPECT_EQ(top, 300);
    EXPECT_EQ(left, 200);
}

// Popups loaded without a parent (progress, scan): owned by the window below, so without a
// taskbar button, centred over it; one that outlives its owner passes to the owner's owner.
TEST_F(NativePanelsTest, PopupsAreOwnedByTheWindowBelowAndCentredOverIt) {
    const int main = LoadPanel(0, kUir, PANEL_MAIN), progress = LoadPanel(0, kUir, PANEL_PROGRESS);
    const int scan = LoadPanel(0, kUir, PANEL_SCAN);
    DisplayPanel(main);
    SetPanelPos(main, 150, 250);
    InstallPopup(progress);
    InstallPopup(scan);
    const HWND main_window = PanelOf(main).hwnd, progress_window = PanelOf(progress).hwnd;
    EXPECT_EQ(GetWindow(progress_window, GW_OWNER), main_window);
    EXPECT_EQ(GetWindow(PanelOf(scan).hwnd, GW_OWNER), progress_window);
    RECT m, r;
    GetWindowRect(main_window, &m);
    for (HWND popup : {progress_window, PanelOf(scan).hwnd}) {
        GetWindowRect(popup, &r);
        EXPECT_NEAR(r.left + r.right, m.left + m.right, 2);
        EXPECT_NEAR(r.top + r.bottom, m.top + m.bottom, 2);
    }
    DiscardPanel(progress);  // PanelOf(scan) throws when the scan panel went with it
    EXPECT_EQ(GetWindow(PanelOf(scan).hwnd, GW_OWNER), main_window);
}

// At 150 % a panel is its layout's size plus the frame Windows draws at 144
// dpi, not the frame at the DPI the session started with.
TEST_F(NativePanelsTest, AWindowsFrameIsComputedAtItsOwnDpi) {
    const auto for_dpi = ui_win::User32<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    ASSERT_NE(for_dpi, nullptr);
    ui_win::SetDpiOverrideForTesting(144);
    ui_win::Panel& panel = PanelOf(LoadPanel(0, kUir, PANEL_EXPORT));
    const auto size = ui_layout::InitialClientSize(*panel.root, *ui_win::MetricsFor(144), ui_win::PanelState(panel));
    const auto style = static_cast<DWORD>(GetWindowLongW(panel.hwnd, GWL_STYLE));
    const auto ex_style = static_cast<DWORD>(GetWindowLongW(panel.hwnd, GWL_EXSTYLE));
    RECT at_144{0, 0, size.width, size.height}, window;
    for_dpi(&at_144, style, FALSE, ex_style, 144);
    GetWindowRect(panel.hwnd, &window);
    EXPECT_EQ(std::vector<LONG>({window.right - window.left, window.bottom - window.top}),
              std::vector<LONG>({at_144.right - at_144.left, at_144.bottom - at_144.top}));
}

// Places and sizes in 96-dpi units, as a scaled program keeps them: at 150 % the main window
// grows as the panels do, so they stand inside it as at 100 % (their size in units stays).
TEST_F(NativePanelsTest, PlacesAndSizesAre96DpiUnitsScaledToTheMonitor) {
    std::map<int, std::vector<int>> main_window, export_panel;
    for (int dpi : {96, 144}) {
        ResetUserInterfaceForTesting();
        ui_win::SetDpiOverrideForTesting(dpi);
        const int main = LoadPanel(0, kUir, PANEL_MAIN), exported = LoadPanel(0, kUir, PANEL_EXPORT);
        SetPanelAttribute(main, ATTR_HEIGHT, 500);
        SetPanelAttribute(main, ATTR_WIDTH, 700);
        SetPanelPos(main, 100, 102);
        for (int attribute : {ATTR_TOP, ATTR_LEFT, ATTR_HEIGHT, ATTR_WIDTH}) {
            GetPanelAttribute(main, attribute, main_window[dpi].emplace_back());
            GetPanelAttribute(exported, attribute, export_panel[dpi].emplace_back());
        }
    }
    EXPECT_EQ(main_window[144], std::vector<int>({100, 102, 500, 700}));
    for (size_t i = 2; i < 4; ++i) EXPECT_NEAR(export_panel[144][i], export_panel[96][i], export_panel[96][i] / 10);
}

// A spin box's arrows are part of the field, at 100 % and 150 %: inside the
// room the layout gave the spin box, on the edit's right edge.
TEST_F(NativePanelsTest, SpinBoxArrowsSitOnTheirFieldInsideItsRoom) {
    for (int dpi : {96, 144}) {
        ResetUserInterfaceForTesting();
        ui_win::SetDpiOverrideForTesting(dpi);
        const int panel = LoadPanel(0, kUir, PANEL_IMPORT);
        DisplayPanel(panel);
        ui_win::Panel& p = PanelOf(panel);
        RECT client;
        GetClientRect(p.hwnd, &client);
        const auto places = ui_layout::Arrange(*p.root, {client.right, client.bottom}, *ui_win::MetricsFor(p.dpi),
                                               ui_win::PanelState(p));
        for (int number : {IMPORT_DAY, IMPORT_MONTH, IMPORT_YEAR}) {
            int status = 0;
            const Control* spin = ui_win::FindControl(panel, number, status);
            ASSERT_NE(spin->arrows, nullptr);
            const ui_layout::Rect& room = places.at(spin->widget);
            const RECT arrows = InClient(spin->arrows, p.hwnd);
            const RECT edit = InClient(spin->hwnd, p.hwnd);
            const std::string where = spin->widget->name + " at " + std::to_string(dpi) + " dpi";
            EXPECT_TRUE(arrows.left >= room.x && arrows.top >= room.y && arrows.right <= room.x + room.width &&
                        arrows.bottom <= room.y + room.height)
                << where << ": arrows " << arrows.left << "," << arrows.top << "-" << arrows.right << ","
                << arrows.bottom << " outside " << room.x << "," << room.y << "+" << room.width << "x" << room.height;
            // Attached: the arrows take the place of the edit's right border.
            EXPECT_TRUE(arrows.left < edit.right && arrows.right > edit.right && arrows.top == edit.top &&
                        arrows.bottom == edit.bottom)
                << where << ": arrows " << arrows.left << "," << arrows.top << "-" << arrows.right << ","
                << arrows.bottom << ", edit " << edit.left << "," << edit.top << "-" << edit.right << "," << edit.bottom;
        }
    }
}

// The name a screen reader reads for a control, through Windows' accessibility
// interface (MSAA; UI Automation builds on it for the standard controls).
std::string AccessibleName(HWND hwnd, LONG child = CHILDID_SELF) {
    IAccessible* accessible = nullptr;
    // {618736E0-3C3D-11CF-810C-00AA00389B71}, written out: with the IID_IAccessible
    // of MinGW's libraries Wine's oleacc answers E_NOINTERFACE.
    static const IID kAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    const HRESULT made = AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), kAccessible,
                                                    reinterpret_cast<void**>(&accessible));
    if (FAILED(made) || accessible == nullptr) {
        char text[64];
        snprintf(text, sizeof text, "<no accessible object: %08lx>", static_cast<unsigned long>(made));
        return text;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = child;
    BSTR name = nullptr;
    const HRESULT got = accessible->get_accName(self, &name);
    accessible->Release();
    if (got == S_FALSE || (SUCCEEDED(got) && name == nullptr)) return "";  // no name
    if (FAILED(got)) return "<get_accName failed>";
    std::string text = Utf8(name);
    SysFreeString(name);
    return text;
}

TEST_F(NativePanelsTest, ScreenReadersGetEachControlsVisibleText) {
    CoInitialize(nullptr);
    RegisterProgramCallbacks();
    std::ostringstream wrong;
    // The import and export panels, and the pictures named by the file (the logo).
    for (int number : {PANEL_EXPORT, PANEL_IMPORT, PANEL_MAIN, PANEL_ABOUT}) {
        const int handle = LoadPanel(0, kUir, number);
        ASSERT_GT(handle, 0);
        DisplayPanel(handle);
        for (const auto& control : PanelOf(handle).widgets) {
            if (control->hwnd == nullptr || control->kind == Kind::Line || control->kind == Kind::Container)
                continue;
            std::string expected;
            // A field showing the program's text (selectable) is named by its label, as an edit is.
            if (control->kind == Kind::Label && control->label != nullptr)
                expected = Shown(ui_win::WindowText(control->label->hwnd));
            else if (control->kind == Kind::Button || control->kind == Kind::CheckBox || control->kind == Kind::Label)
                expected = Shown(ui_win::WindowText(control->hwnd));
            else if (control->kind == Kind::Picture)
                expected = control->widget->Text("accessibleName");
            else if (control->label != nullptr)
                expected = Shown(ui_win::WindowText(control->label->hwnd));
            else
                continue;  // no visible text names it
            // A field is named by the label made just before it (MSAA's rule).
            if (control->label != nullptr && GetWindow(control->hwnd, GW_HWNDPREV) != control->label->hwnd) {
                wrong << "panel " << number << " " << control->widget->name << ": its label is not just before it\n";
            }
            const std::string got = AccessibleName(control->hwnd);
            // Wine 8 gives a list box no name from its label; Windows does.
            const bool wine_lists = got.empty() && control->kind == Kind::List && control->label != nullptr;
            if (got != expected && !wine_lists) {
                wrong << "panel " << number << " " << control->widget->name << ": \"" << got << "\" instead of \""
                      << expected << "\"\n";
            }
        }
    }
    EXPECT_EQ(wrong.str(), "");
    CoUninitialize();
}

// A marked row says in words what its mark means; the row still shows its mark.
TEST_F(NativePanelsTest, AListRowReadsAsTheNameTheProgramGaveIt) {
    CoInitialize(nullptr);
    const std::string uir = (std::filesystem::temp_directory_path() / "briskel-rows.uir").string();
    std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
    const int dialog = LoadPanel(0, uir, 1);
    DisplayPanel(dialog);
    InsertListItem(dialog, 4, -1, "01", 0);
    InsertListItem(dialog, 4, -1, "02  \u2713", 1);
    InsertListItem(dialog, 4, -1, "03", 2);
    SetCtrlIndex(dialog, 4, 2);
    ASSERT_EQ(SetListItemAccessibleName(dialog, 4, 1, "02, already exported"), 0);
    std::string label;
    GetLabelFromIndex(dialog, 4, 1, label);
    EXPECT_EQ(label, "02  \u2713");
    int index = -1;
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(index, 2) << "naming a row keeps the selection";
    int status = 0;
    HWND list = ui_win::FindControl(dialog, 4, status)->hwnd;
    // Windows' accessibility of a list box reads each row's text from the list box.
    wchar_t row[64] = {};
    SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(Utf8(row), "02, already exported");
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(row));
    EXPECT_EQ(Utf8(row), "01");
    // Wine 8 gives a list box's rows no accessible objects; Windows does.
    const std::string read = AccessibleName(list, 2);
    if (read != "<get_accName failed>") {
        EXPECT_EQ(read, "02, already exported");
    }
    ResetUserInterfaceForTesting();
    std::error_code ec;
    std::filesystem::remove(uir, ec);
    CoUninitialize();
}

// A person's click on a list row, then Enter in the list, as the import
// panel's lists rely on: the selection changes, the click is told, Enter commits.
TEST_F(NativePanelsTest, AClickOnAListRowGivesValueChangedThenLeftClickAndEnterCommits) {
    using namespace ui_test_panels;
    const std::string uir = (std::filesystem::temp_directory_path() / "briskel-list.uir").string();
    std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
    RegisterTestCallbacks();
    const int dialog = LoadPanel(0, uir, 1);
    DisplayPanel(dialog);
    InsertListItem(dialog, 4, -1, "01", 0);
    InsertListItem(dialog, 4, -1, "02", 1);
    int status = 0;
    HWND list = ui_win::FindControl(dialog, 4, status)->hwnd;
    RECT row;
    SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 4, EVENT_VAL_CHANGED},
                                                 {dialog, 4, EVENT_LEFT_CLICK},
                                                 {dialog, 4, EVENT_COMMIT}}));
    ResetUserInterfaceForTesting();
    std::error_code ec;
    std::filesystem::remove(uir, ec);
}

}  // namespace
