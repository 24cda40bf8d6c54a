// Blocking popups on Windows: the system's own dialogs. The message box, the
// task dialog for the questions with the program's own button texts, the
// save dialog and the folder chooser. Each is owned by the program's active
// window and keeps every other window of the program disabled while it is up,
// as the Qt dialogs do. The native side of the popups (ui_native.h).
#include <windows.h>
// The headers after <windows.h>, which they build on.
#include <commctrl.h>
#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace {

// Every other window of the program is disabled while a dialog is up, and
// exactly those it disabled are enabled again afterwards. The owner is left to
// the dialog itself, which enables it again before it closes so the owner,
// not another program, becomes active again.
class ApplicationModal {
public:
    explicit ApplicationModal(HWND owner) : owner_(owner) {
        EnumThreadWindows(GetCurrentThreadId(), &ApplicationModal::DisableOne,
                          reinterpret_cast<LPARAM>(this));
    }
    ~ApplicationModal() {
        for (HWND window : disabled_) {
            if (IsWindow(window)) EnableWindow(window, TRUE);
        }
    }
    ApplicationModal(const ApplicationModal&) = delete;
    ApplicationModal& operator=(const ApplicationModal&) = delete;

private:
    static BOOL CALLBACK DisableOne(HWND window, LPARAM self) {
        auto* modal = reinterpret_cast<ApplicationModal*>(self);
        if (window != modal->owner_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            modal->disabled_.push_back(window);
        }
        return TRUE;
    }
    HWND owner_;
    std::vector<HWND> disabled_;
};

// The program's active window owns the dialog, so it stays above it.
HWND Owner() { return GetActiveWindow(); }

std::wstring WindowsPath(const std::string& path) {
    std::wstring wide = Utf16(path);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

// ---- Questions ----------------------------------------------------------------

// The task dialog comes with version 6 of the common controls, which the
// program's manifest asks for; looked up when needed, so a program started
// without it still runs and asks its questions in a plain message box.
using TaskDialogIndirectFunction = HRESULT(WINAPI*)(const TASKDIALOGCONFIG*, int*, int*, BOOL*);

TaskDialogIndirectFunction TaskDialogIndirectOfTheSystem() {
    HMODULE controls = GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr) controls = LoadLibraryW(L"comctl32.dll");
    if (controls == nullptr) return nullptr;
    return reinterpret_cast<TaskDialogIndirectFunction>(
        reinterpret_cast<void*>(GetProcAddress(controls, "TaskDialogIndirect")));
}

// Button identifiers clear of IDOK and IDCANCEL, which the task dialog gives
// its own meaning; the escape button is IDCANCEL itself, so Escape, Alt+F4
// and the close box answer with it.
constexpr int FIRST_BUTTON_ID = 100;

int ButtonId(int button, int escapeButton) {
    return button == escapeButton ? IDCANCEL : FIRST_BUTTON_ID + button - 1;
}

// Without an escape button, Escape and the close box still end the question
// (answered 0): the system's task dialog does so by itself, Wine's only
// when one of its buttons is the cancel button. A message box without a
// Cancel button gives Escape no answer at all (and Wine's gives it Cancel).
// Either is taken over as it opens, so that Escape, with no button of its
// own, ends it with what the thread asking set here.
const wchar_t* const DIALOG_PROCEDURE = L"BriskelTaskDialogProcedure";
thread_local int escapeAnswer = IDCANCEL;

LRESULT CALLBACK EscapeAnswers(HWND dialog, UINT message, WPARAM w, LPARAM l) {
    const auto procedure = reinterpret_cast<WNDPROC>(GetPropW(dialog, DIALOG_PROCEDURE));
    if (message == WM_COMMAND && LOWORD(w) == IDCANCEL && GetDlgItem(dialog, IDCANCEL) == nullptr) {
        EndDialog(dialog, escapeAnswer);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        RemovePropW(dialog, DIALOG_PROCEDURE);
    }
    return CallWindowProcW(procedure, dialog, message, w, l);
}

void TakeOverEscape(HWND dialog, int answer) {
    escapeAnswer = answer;
    const LONG_PTR procedure =
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EscapeAnswers));
    SetPropW(dialog, DIALOG_PROCEDURE, reinterpret_cast<HANDLE>(procedure));
}

// `withoutEscape`: the question has no escape button.
HRESULT CALLBACK OnTaskDialogEvent(HWND dialog, UINT event, WPARAM, LPARAM,
                                   LONG_PTR withoutEscape) {
    if (event != TDN_CREATED) return S_OK;
    // Centred on a small window near the screen's edge, it would reach past
    // it (Wine does not keep it on the screen).
    ui_win::KeepInWorkArea(dialog);
    if (withoutEscape != 0) TakeOverEscape(dialog, IDCANCEL);
    return S_OK;
}

// The button answered, or -1 when the task dialog could not be shown.
int AskInTaskDialog(TaskDialogIndirectFunction taskDialog, HWND owner, const std::wstring& title,
                    const std::wstring& message, const std::wstring (&texts)[3], int enter,
                    int escape) {
    TASKDIALOG_BUTTON buttons[3] = {};
    UINT count = 0;
    for (int i = 0; i < 3; ++i) {
        if (texts[i].empty()) continue;
        buttons[count].nButtonID = ButtonId(i + 1, escape);
        buttons[count].pszButtonText = texts[i].c_str();
        ++count;
    }
    TASKDIALOGCONFIG config = {};
    config.cbSize = sizeof(config);
    config.hwndParent = owner;
    config.dwFlags = TDF_ALLOW_DIALOG_CANCELLATION | TDF_USE_HICON_MAIN |
                     (owner != nullptr ? TDF_POSITION_RELATIVE_TO_WINDOW : 0);
    config.hMainIcon = LoadIconW(nullptr, IDI_QUESTION);
    config.pszWindowTitle = title.c_str();
    config.pszContent = message.c_str();
    config.cButtons = count;
    config.pButtons = buttons;
    if (enter != 0) config.nDefaultButton = ButtonId(enter, escape);
    config.pfCallback = &OnTaskDialogEvent;
    config.lpCallbackData = escape == 0 ? 1 : 0;
    int pressed = 0;
    if (FAILED(taskDialog(&config, &pressed, nullptr, nullptr))) return -1;
    if (pressed == IDCANCEL) return escape;
    if (pressed >= FIRST_BUTTON_ID && pressed < FIRST_BUTTON_ID + 3) {
        return pressed - FIRST_BUTTON_ID + 1;
    }
    return 0;
}

// The message box's answer to Escape: the button bound to it, else no
// button, as the task dialog's. With three buttons, Cancel is the third and
// Escape's, as Windows has it.
thread_local int boxEscapeAnswer = IDCANCEL;
thread_local HHOOK boxHook = nullptr;

LRESULT CALLBACK TakeOverTheBox(int code, WPARAM w, LPARAM l) {
    const auto box = reinterpret_cast<HWND>(w);
    wchar_t name[16] = {};
    if (code == HCBT_ACTIVATE && GetClassNameW(box, name, 16) > 0 &&
        std::wstring(name) == L"#32770" && GetPropW(box, DIALOG_PROCEDURE) == nullptr) {
        TakeOverEscape(box, boxEscapeAnswer);
        UnhookWindowsHookEx(boxHook);
        boxHook = nullptr;
    }
    return CallNextHookEx(nullptr, code, w, l);
}

// Without the task dialog: the system's Yes/No(/Cancel) buttons in their
// order, in the system's language rather than the program's.
int AskInMessageBox(HWND owner, const std::wstring& title, const std::wstring& message,
                    const std::wstring (&texts)[3], int enter, int escape) {
    const int count = !texts[2].empty() ? 3 : !texts[1].empty() ? 2 : 1;
    const UINT buttons = count == 3 ? MB_YESNOCANCEL : count == 2 ? MB_YESNO : MB_OK;
    const UINT defaults[3] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    const int ids[3] = {count == 1 ? IDOK : IDYES, IDNO, IDCANCEL};
    const UINT style = buttons | MB_ICONQUESTION | (enter != 0 ? defaults[enter - 1] : 0) |
                       (owner == nullptr ? MB_TASKMODAL : 0);
    boxEscapeAnswer = escape != 0 ? ids[escape - 1] : IDCANCEL;
    boxHook = SetWindowsHookExW(WH_CBT, &TakeOverTheBox, nullptr, GetCurrentThreadId());
    const int pressed = MessageBoxW(owner, message.c_str(), title.c_str(), style);
    if (boxHook != nullptr) UnhookWindowsHookEx(boxHook);
    boxHook = nullptr;
    switch (pressed) {
    case IDOK:
    case IDYES: return 1;
    case IDNO: return 2;
    case IDCANCEL: return count == 3 ? 3 : 0;
    default: return 0;
    }
}

// ---- File and folder dialogs ------------------------------------------------------

// The filter as the dialog takes it: pairs of shown text and patterns, each
// ended by a null character, the list by another. No pattern: every file.
std::wstring Filter(const std::vector<std::string>& patterns) {
    std::wstring joined;
    for (const std::string& p : patterns) joined += (joined.empty() ? L"" : L";") + Utf16(p);
    if (joined.empty()) joined = L"*.*";
    return joined + L'\0' + joined + L'\0';
}

// The save (or open) dialog; the path chosen, empty when cancelled. The
// program asks before overwriting, in its own words; the current folder
// stays the program's.
std::wstring ChosenFile(HWND owner, const std::wstring& title, const std::wstring& directory,
                        const std::wstring& name, const std::wstring& filter, bool save) {
    std::vector<wchar_t> path(32768, L'\0');
    name.copy(path.data(), path.size() - 1);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
    dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (chosen) return path.data();
    // A proposed name the system refuses must not keep the user from choosing.
    if (CommDlgExtendedError() == FNERR_INVALIDFILENAME && !name.empty()) {
        return ChosenFile(owner, title, directory, L"", filter, save);
    }
    return L"";
}

// The folder the chooser starts in: the one asked for, else the current one.
std::wstring StartFolder(const std::string& defaultDirectory) {
    if (!defaultDirectory.empty()) return WindowsPath(defaultDirectory);
    std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    return current;
}

// The system's folder chooser. False when it cannot be shown at all (then the
// older one serves); `folder` empty when the user cancelled.
bool ChosenInFolderDialog(HWND owner, const std::wstring& title, const std::wstring& start,
                          std::wstring& folder) {
    IFileOpenDialog* dialog = nullptr;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
        return false;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (!title.empty()) dialog->SetTitle(title.c_str());
    IShellItem* startItem = nullptr;
    if (SUCCEEDED(SHCreateItemFromParsingName(start.c_str(), nullptr, IID_PPV_ARGS(&startItem)))) {
        dialog->SetFolder(startItem);
        startItem->Release();
    }
    IShellItem* chosen = nullptr;
    if (SUCCEEDED(dialog->Show(owner)) && SUCCEEDED(dialog->GetResult(&chosen))) {
        PWSTR path = nullptr;
        if (SUCCEEDED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
            folder = path;
            CoTaskMemFree(path);
        }
        chosen->Release();
    }
    dialog->Release();
    return true;
}

int CALLBACK SelectStartFolder(HWND dialog, UINT message, LPARAM, LPARAM start) {
    if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
    return 0;
}

std::wstring ChosenInFolderTree(HWND owner, const std::wstring& title, const std::wstring& start) {
    BROWSEINFOW browse = {};
    browse.hwndOwner = owner;
    browse.lpszTitle = title.empty() ? nullptr : title.c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    browse.lpfn = &SelectStartFolder;
    browse.lParam = reinterpret_cast<LPARAM>(start.c_str());
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&browse);
    if (chosen == nullptr) return L"";
    std::wstring folder(MAX_PATH, L'\0');
    if (!SHGetPathFromIDListW(chosen, folder.data())) folder.clear();
    CoTaskMemFree(chosen);
    return folder.c_str();
}

// The shell's dialogs need COM on the calling thread, for their duration.
class ComForDialog {
public:
    ComForDialog() : initialised_(SUCCEEDED(CoInitializeEx(
                         nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForDialog() {
        if (initialised_) CoUninitialize();
    }
    ComForDialog(const ComForDialog&) = delete;
    ComForDialog& operator=(const ComForDialog&) = delete;

private:
    bool initialised_;
};

}  // namespace

namespace ui_native {

void ShowMessage(const std::string& title, const std::string& message) {
    const HWND owner = Owner();
    ApplicationModal modal(owner);
    MessageBoxW(owner, Utf16(message).c_str(), Utf16(title).c_str(),
                MB_OK | (owner == nullptr ? MB_TASKMODAL : 0));
}

int Ask(const std::string& title, const std::string& message, const std::string (&buttons)[3],
        int enter_button, int escape_button) {
    const std::wstring texts[3] = {Utf16(buttons[0]), Utf16(buttons[1]), Utf16(buttons[2])};
    const HWND owner = Owner();
    ApplicationModal modal(owner);
    if (const TaskDialogIndirectFunction taskDialog = TaskDialogIndirectOfTheSystem()) {
        const int answer = AskInTaskDialog(taskDialog, owner, Utf16(title), Utf16(message), texts,
                                           enter_button, escape_button);
        if (answer >= 0) return answer;
    }
    return AskInMessageBox(owner, Utf16(title), Utf16(message), texts, enter_button, escape_button);
}

std::string ChooseFile(const std::string& title, const std::string& directory,
                       const std::string& name, const std::vector<std::string>& patterns, bool save,
                       bool) {
    const HWND owner = Owner();
    ApplicationModal modal(owner);
    return Utf8(ChosenFile(owner, Utf16(title), WindowsPath(directory), WindowsPath(name),
                           Filter(patterns), save));
}

std::string ChooseFolder(const std::string& title, const std::string& directory, bool) {
    const std::wstring start = StartFolder(directory);
    const HWND owner = Owner();
    std::wstring folder;
    ComForDialog com;
    ApplicationModal modal(owner);
    if (!ChosenInFolderDialog(owner, Utf16(title), start, folder)) {
        folder = ChosenInFolderTree(owner, Utf16(title), start);
    }
    return Utf8(folder);
}

bool IsExistingFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(SystemFilePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace ui_native
