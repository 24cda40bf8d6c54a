// The popups as the user meets them: the system's real dialogs, shown by the
// test's main thread and answered by a second thread that finds the dialog,
// reads what it shows and presses its keys or buttons, as a user would.
//
// With --show=KIND [--french] the program instead shows one popup and waits
// for the user (pictures of the dialogs): KIND is message, question,
// long-question, save or folder.
#include <windows.h>
// The file dialogs' control numbers.
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <clocale>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/messages.h"
#include "windows_test_folders.h"

namespace {

const int FRENCH = 0;
const int ENGLISH = 1;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<HWND> Children(HWND dialog) {
    std::vector<HWND> children;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// The texts of the dialog's visible push buttons, in their order.
std::vector<std::wstring> ButtonTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    for (HWND child : Children(dialog)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const LONG kind = style & BS_TYPEMASK;
        if (ClassOf(child) == L"Button" && IsWindowVisible(child) &&
            (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON)) {
            texts.push_back(TextOf(child));
        }
    }
    return texts;
}

bool ShowsText(HWND dialog, const std::wstring& text) {
    for (HWND child : Children(dialog)) {
        if (IsWindowVisible(child) && TextOf(child) == text) return true;
    }
    return false;
}

// The first visible edit field of the dialog (the file name of the file
// dialogs).
HWND FirstEdit(HWND dialog) {
    for (HWND child : Children(dialog)) {
        if (ClassOf(child) == L"Edit" && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// The window of `thread` that has the keyboard focus.
HWND FocusOf(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// A key as the user presses it: to the window that has the keyboard focus.
void Press(DWORD thread, WPARAM key) {
    const HWND target = FocusOf(thread);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// What a dialog showed while it was up.
struct Seen {
    bool shown = false;
    std::wstring title;
    HWND owner = nullptr;
    std::vector<std::wstring> buttons;
    bool othersDisabled = false;
};

// Waits (bounded) on a thread of its own for the next dialog the main thread
// shows, notes what it shows and hands it to `answer`. Without a dialog
// within the bound it gives up, so a popup that shows nothing fails the test
// instead of hanging it.
class DialogDriver {
public:
    DialogDriver(std::vector<HWND> others, std::function<void(HWND, DWORD)> answer)
        : mainThread_(GetCurrentThreadId()),
          others_(std::move(others)),
          thread_([this, answer] { Run(answer); }) {}
    ~DialogDriver() {
        if (thread_.joinable()) thread_.join();
    }
    const Seen& seen() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    static constexpr DWORD BOUND_MS = 20000;

    HWND FindDialog() const {
        HWND found = nullptr;
        EnumThreadWindows(
            mainThread_,
            [](HWND window, LPARAM result) {
                if (ClassOf(window) == L"#32770" && IsWindowVisible(window)) {
                    *reinterpret_cast<HWND*>(result) = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    void Run(const std::function<void(HWND, DWORD)>& answer) {
        const ULONGLONG end = GetTickCount64() + BOUND_MS;
        HWND dialog = nullptr;
        while ((dialog = FindDialog()) == nullptr && GetTickCount64() < end) Sleep(10);
        if (dialog == nullptr) return;
        // Answered once it is ready for the user: its buttons made and the
        // keyboard focus in it.
        while ((ButtonTexts(dialog).empty() || !IsChild(dialog, FocusOf(mainThread_))) &&
               GetTickCount64() < end) {
            Sleep(10);
        }
        seen_.shown = true;
        seen_.title = TextOf(dialog);
        seen_.owner = GetWindow(dialog, GW_OWNER);
        seen_.buttons = ButtonTexts(dialog);
        seen_.othersDisabled = true;
        for (HWND other : others_) seen_.othersDisabled &= IsWindowEnabled(other) == FALSE;
        answer(dialog, mainThread_);
        // A dialog the answer did not close ends the test run rather than hang it.
        while (IsWindow(dialog) && IsWindowVisible(dialog) && GetTickCount64() < end) Sleep(10);
        if (IsWindow(dialog) && IsWindowVisible(dialog)) {
            std::fprintf(stderr, "The dialog \"%ls\" stayed up after its answer.\n",
                         seen_.title.c_str());
            std::fflush(stderr);
            ExitProcess(3);
        }
    }

    DWORD mainThread_;
    std::vector<HWND> others_;
    Seen seen_;
    std::thread thread_;
};

// Two windows of the program: the active one, which owns the popups, and
// another one beside it. Made once for the whole run (Wine without a window
// manager takes seconds to destroy a window).
class ProgramWindows {
public:
    ProgramWindows() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_APPWORKSPACE);
        windowClass.lpszClassName = L"BriskelPopupTestWindow";
        RegisterClassW(&windowClass);
        for (HWND& window : windows_) {
            window = CreateWindowExW(0, windowClass.lpszClassName, L"Briskel View",
                                     WS_POPUP | WS_VISIBLE, 40, 40, 640, 480, nullptr, nullptr,
                                     windowClass.hInstance, nullptr);
        }
    }
    HWND active() const { return windows_[0]; }
    HWND other() const { return windows_[1]; }

private:
    HWND windows_[2] = {};
};

ProgramWindows& TheProgramWindows() {
    static ProgramWindows windows;
    SetActiveWindow(windows.active());
    return windows;
}

class Popups : public TemporaryFolderTest {
protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        SetPopupResponder(nullptr);
    }
    ProgramWindows& windows = TheProgramWindows();
};

struct QuestionCase {
    const char* what;
    int enterButton;
    int escapeButton;
    WPARAM key;
    int expected;
};

TEST_F(Popups, QuestionsShowTheProgramsButtonsAndAnswerEnterAndEscapeAsAsked) {
    const QuestionCase cases[] = {
        {"Enter on the first", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN2, VK_RETURN, 1},
        {"Enter on the second", VAL_GENERIC_POPUP_BTN2, VAL_GENERIC_POPUP_BTN2, VK_RETURN, 2},
        {"Escape on the second", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN2, VK_ESCAPE, 2},
        {"Escape on the first", VAL_GENERIC_POPUP_BTN2, VAL_GENERIC_POPUP_BTN1, VK_ESCAPE, 1},
        {"Escape without its button", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_NO_CTRL,
         VK_ESCAPE, 0},
    };
    for (const QuestionCase& c : cases) {
        SCOPED_TRACE(c.what);
        DialogDriver driver({windows.active(), windows.other()},
                            [&](HWND, DWORD thread) { Press(thread, c.key); });
        const int answer = GenericMessagePopup("Quitter", "Êtes-vous sûr de vouloir quitter ?",
                                               "Oui", "Non", "", VAL_GENERIC_POPUP_BTN1,
                                               c.enterButton, c.escapeButton);
        const Seen& seen = driver.seen();
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.title, L"Quitter");
        EXPECT_EQ(seen.buttons, (std::vector<std::wstring>{L"Oui", L"Non"}));
        EXPECT_EQ(seen.owner, windows.active());
        EXPECT_TRUE(seen.othersDisabled);
        EXPECT_TRUE(IsWindowEnabled(windows.active()));
        EXPECT_TRUE(IsWindowEnabled(windows.other()));
    }
}

TEST_F(Popups, QuestionsAnswerTheButtonClicked) {
    DialogDriver driver({}, [](HWND dialog, DWORD) {
        for (HWND child : Children(dialog)) {
            if (TextOf(child) == L"Annuler") PostMessageW(child, BM_CLICK, 0, 0);
        }
    });
    EXPECT_EQ(GenericMessagePopup("", "?", "Oui", "Non", "Annuler", 1, 1, 2), 3);
    EXPECT_EQ(driver.seen().buttons, (std::vector<std::wstring>{L"Oui", L"Non", L"Annuler"}));
}

// Centred on a small window at the screen's edge, a long question would
// reach past the edge.
TEST_F(Popups, QuestionsStayOnTheScreenBesideASmallWindowAtItsEdge) {
    SetWindowPos(windows.active(), nullptr, 0, 0, 80, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{};
    DialogDriver driver({}, [&](HWND dialog, DWORD thread) {
        GetWindowRect(dialog, &frame);
        Press(thread, VK_RETURN);
    });
    const std::string path = "C:\\Users\\Technicien\\Documents\\Briskel View\\Installation "
                             "Dupont 2026\\Tableau divisionnaire principal\\Essai 12.xlsx";
    GenericMessagePopup("Feuille EXCEL", path + "\n" + path, "Oui", "Non", "", 1, 1, 2);
    SetWindowPos(windows.active(), nullptr, 40, 40, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(driver.seen().shown);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
}

TEST_F(Popups, MessageShowsItsTitleAndTextOverTheActiveWindow) {
    const std::wstring text = L"Le dossier Z:\\tmp\\Mesures n'existe pas.";
    bool textShown = false;
    DialogDriver driver({windows.active(), windows.other()}, [&](HWND dialog, DWORD thread) {
        textShown = ShowsText(dialog, text);
        Press(thread, VK_RETURN);
    });
    EXPECT_EQ(MessagePopup("Erreur", "Le dossier Z:\\tmp\\Mesures n'existe pas."), 0);
    const Seen& seen = driver.seen();
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.title, L"Erreur");
    EXPECT_TRUE(textShown);
    EXPECT_EQ(seen.buttons, std::vector<std::wstring>{L"OK"});
    EXPECT_EQ(seen.owner, windows.active());
    EXPECT_TRUE(seen.othersDisabled);
    EXPECT_TRUE(IsWindowEnabled(windows.other()));
}

// The file dialog's answer when `name` is typed in it and Save pressed (or
// Cancel when `name` is null); what it proposed and filtered on.
struct FileAnswer {
    int result;
    std::string path;
    std::wstring proposedName;
    std::wstring filter;
};

FileAnswer SaveAs(const std::string& folder, const wchar_t* name) {
    FileAnswer answer{};
    DialogDriver driver({}, [&](HWND dialog, DWORD) {
        const HWND edit = FirstEdit(dialog);
        answer.proposedName = TextOf(edit);
        answer.filter = TextOf(GetDlgItem(dialog, cmb1));
        if (name == nullptr) {
            Click(dialog, IDCANCEL);
            return;
        }
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        Click(dialog, IDOK);
    });
    answer.result = FileSelectPopup(folder, "Essai12", ".xlsx", "Enregistrer", VAL_SAVE_BUTTON, 0,
                                    1, 1, 1, answer.path);
    EXPECT_TRUE(driver.seen().shown);
    return answer;
}

TEST_F(Popups, SaveDialogTellsNewFromExistingWorkbooksInTheProposedFolder) {
    const std::string folder = MakeFolder("Mesures été");
    const std::string existing = folder + "\\Essai11.xlsx";
    CloseHandle(CreateFileW(Wide(existing).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));

    const FileAnswer proposed = SaveAs(folder, L"Essai12");
    EXPECT_EQ(proposed.proposedName, L"Essai12");
    EXPECT_EQ(proposed.filter, L"*.xlsx");
    EXPECT_EQ(proposed.result, VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(proposed.path, folder + "\\Essai12.xlsx");

    // No question from the dialog: the program asks in its own words.
    const FileAnswer overwritten = SaveAs(folder, L"Essai11.xlsx");
    EXPECT_EQ(overwritten.result, VAL_EXISTING_FILE_SELECTED);
    EXPECT_EQ(overwritten.path, existing);

    const FileAnswer cancelled = SaveAs(folder, nullptr);
    EXPECT_EQ(cancelled.result, VAL_NO_FILE_SELECTED);
    EXPECT_EQ(cancelled.path, "");
}

// The folder typed is taken in the folder the chooser opened in.
TEST_F(Popups, FolderChooserStartsInTheFolderGivenAndAnswersTheOneChosen) {
    const std::string start = MakeFolder("Résultats");
    const std::string folder = MakeFolder("Résultats\\Mesures été");
    std::string chosen;
    DialogDriver driver({windows.active(), windows.other()}, [](HWND dialog, DWORD) {
        SendMessageW(FirstEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Mesures été"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(DirSelectPopup(start, "Dossier", 1, 0, chosen), VAL_DIRECTORY_SELECTED);
    EXPECT_EQ(chosen, folder);
    EXPECT_EQ(driver.seen().title, L"Dossier");
    EXPECT_EQ(driver.seen().owner, windows.active());
    EXPECT_TRUE(driver.seen().othersDisabled);
    EXPECT_TRUE(IsWindowEnabled(windows.other()));

    DialogDriver cancelling({}, [](HWND dialog, DWORD) { Click(dialog, IDCANCEL); });
    EXPECT_EQ(DirSelectPopup(start, "Dossier", 1, 0, chosen), VAL_NO_FILE_SELECTED);
    EXPECT_EQ(chosen, "");
}

// One popup shown until the user answers it, in the program's own words.
int Show(const std::string& kind, bool french) {
    langue = french ? FRENCH : ENGLISH;
    TheProgramWindows();
    std::string path;
    if (kind == "message") return MessagePopup(Texte(titre_feuille), Texte(messag_ecras));
    if (kind == "question") {
        return GenericMessagePopup(Texte(quitter), Texte(confir1), TexteOui(), TexteNon(), "",
                                   1, 1, 2);
    }
    if (kind == "long-question") {
        std::string text = Texte(messag_ecras);
        // A path without a space, longer than the dialog is wide.
        text += "C:\\Users\\Technicien\\Documents\\BriskelView\\Installation_Dupont_2026\\"
                "Tableau_divisionnaire_principal\\Essai_12.xlsx\n";
        for (int i = 0; i < 5; ++i) {
            text += "C:\\Users\\Technicien\\Documents\\Briskel View\\Installation Dupont "
                    "2026\\Tableau divisionnaire " + std::to_string(i) + "\\Essai.xlsx\n";
        }
        return GenericMessagePopup(Texte(titre_feuille), text, TexteOui(), TexteNon(), "", 1, 1,
                                   2);
    }
    if (kind == "save") {
        return FileSelectPopup("C:\\users", "Essai12", ".xlsx", Texte(enregist), VAL_SAVE_BUTTON,
                               0, 1, 1, 1, path);
    }
    if (kind == "folder") return DirSelectPopup("C:\\users", "", 1, 0, path);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--show=", 0) == 0) {
            const bool french = i + 1 < argc && std::string(argv[i + 1]) == "--french";
            return Show(argument.substr(7), french);
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
