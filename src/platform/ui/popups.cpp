// The popups, the same on every system: a responder, when one is set, answers
// each popup in its place; else the system's dialog asks the user. The file
// types asked for become the dialog's patterns, and the extension a name is
// completed with.
#include <cctype>

#include "platform/ui/ui.h"
#include "platform/ui/ui_native.h"

namespace {

PopupResponder& Responder() {
    static PopupResponder responder;
    return responder;
}

// ".xls", "*.xls" or "*.xls;*.xlsx": the patterns, as they are matched.
std::vector<std::string> Patterns(const std::string& file_types) {
    std::vector<std::string> patterns;
    std::string part;
    for (std::size_t i = 0; i <= file_types.size(); ++i) {
        if (i < file_types.size() && file_types[i] != ';') {
            if (file_types[i] != ' ') part += file_types[i];
            continue;
        }
        if (!part.empty()) patterns.push_back(part[0] == '.' ? "*" + part : part);
        part.clear();
    }
    return patterns;
}

// The extension a name is completed with: the first pattern's, when it is a
// plain one.
std::string FirstExtension(const std::vector<std::string>& patterns) {
    if (patterns.empty()) return "";
    const std::string& first = patterns.front();
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return "";
    const std::string extension = first.substr(1);
    return extension.find_first_of("*?") == std::string::npos ? extension : "";
}

// The extensions the program asks for are ASCII, which no other character's
// UTF-8 bytes contain: comparing the last bytes is enough.
bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[text.size() - end.size() + i]);
        const auto b = static_cast<unsigned char>(end[i]);
        if (std::tolower(a) != std::tolower(b)) return false;
    }
    return true;
}

// The button bound to Enter or Escape when it is one of those shown, else 0.
int ShownButton(int button, const std::string (&buttons)[3]) {
    return button >= 1 && button <= 3 && !buttons[button - 1].empty() ? button : 0;
}

// The file and folder dialogs: true when the responder answered (the path
// kept only for a positive result).
bool AnsweredByResponder(const PopupRecord& record, std::string& pathName, int& result) {
    if (!Responder()) return false;
    const PopupAnswer answer = Responder()(record);
    if (answer.result > 0) pathName = answer.path;
    result = answer.result;
    return true;
}

}  // namespace

void SetPopupResponder(PopupResponder responder) {
    Responder() = std::move(responder);
}

int MessagePopup(const std::string& title, const std::string& message) {
    if (Responder())
        Responder()({.kind = "message",
                     .title = title,
                     .message = message,
                     .buttons = {"OK", "", ""},
                     .enterButton = VAL_GENERIC_POPUP_BTN1,
                     .escapeButton = VAL_GENERIC_POPUP_BTN1});
    else
        ui_native::ShowMessage(title, message);
    return 0;
}

int GenericMessagePopup(const std::string& title, const std::string& message,
                        const std::string& button1, const std::string& button2,
                        const std::string& button3, int activeButton, int enterButton,
                        int escapeButton) {
    (void)activeButton;
    const std::string buttons[3] = {button1, button2, button3};
    if (Responder()) {
        return Responder()({.kind = "generic",
                            .title = title,
                            .message = message,
                            .buttons = {button1, button2, button3},
                            .enterButton = enterButton,
                            .escapeButton = escapeButton})
            .result;
    }
    return ui_native::Ask(title, message, buttons, ShownButton(enterButton, buttons),
                          ShownButton(escapeButton, buttons));
}

int FileSelectPopup(const std::string& defaultDirectory, const std::string& defaultFileName,
                    const std::string& fileTypeList, const std::string& title, int buttonLabel,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, std::string& pathName) {
    (void)restrictDirectory;
    (void)allowCancel;
    pathName.clear();
    int result = 0;
    if (AnsweredByResponder(
            {"file", title, "", {"", "", ""}, defaultDirectory, defaultFileName, fileTypeList},
            pathName, result)) {
        return result;
    }
    const std::vector<std::string> patterns = Patterns(fileTypeList);
    std::string chosen =
        ui_native::ChooseFile(title, defaultDirectory, defaultFileName, patterns,
                              buttonLabel == VAL_SAVE_BUTTON, allowMakeDirectory != 0);
    if (chosen.empty()) return VAL_NO_FILE_SELECTED;
    const std::string extension = FirstExtension(patterns);
    if (restrictExtension != 0 && !extension.empty() && !EndsWithIgnoringCase(chosen, extension)) {
        chosen += extension;
    }
    pathName = chosen;
    return ui_native::IsExistingFile(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
}

int DirSelectPopup(const std::string& defaultDirectory, const std::string& title, int allowCancel,
                   int allowMakeDirectory, std::string& pathName) {
    (void)allowCancel;
    pathName.clear();
    int result = 0;
    if (AnsweredByResponder({"dir", title, "", {"", "", ""}, defaultDirectory, "", ""}, pathName,
                            result)) {
        return result;
    }
    const std::string folder =
        ui_native::ChooseFolder(title, defaultDirectory, allowMakeDirectory != 0);
    if (folder.empty()) return VAL_NO_FILE_SELECTED;
    pathName = folder;
    return VAL_DIRECTORY_SELECTED;
}
