// The popups on Windows: the system's message box; the questions with the
// program's own buttons, the save dialog and the folder chooser are answered
// only by a responder for now.
#include <windows.h>

#include "platform/system/win32.h"
#include "platform/ui/ui.h"

namespace {

PopupResponder responder;

PopupAnswer Ask(const PopupRecord& record) { return responder(record); }

}  // namespace

int MessagePopup(const std::string& title, const std::string& message) {
    if (responder) {
        PopupRecord record;
        record.kind = "message";
        record.title = title;
        record.message = message;
        record.buttons[0] = "OK";
        Ask(record);
        return 0;
    }
    MessageBoxW(nullptr, Utf16(message).c_str(), Utf16(title).c_str(), MB_OK | MB_TASKMODAL);
    return 0;
}

// The stand-in has no dialog with buttons of the program's own wording: only
// a responder answers; otherwise the question counts as escaped.
int GenericMessagePopup(const std::string& title, const std::string& message,
                        const std::string& button1, const std::string& button2,
                        const std::string& button3, int, int, int escapeButton) {
    if (!responder) return escapeButton;
    PopupRecord record;
    record.kind = "generic";
    record.title = title;
    record.message = message;
    record.buttons[0] = button1;
    record.buttons[1] = button2;
    record.buttons[2] = button3;
    return Ask(record).result;
}

int FileSelectPopup(const std::string& defaultDirectory, const std::string& defaultFileName,
                    const std::string& fileTypeList, const std::string& title, int, int, int, int,
                    int, std::string& pathName) {
    pathName.clear();
    if (!responder) return VAL_NO_FILE_SELECTED;
    PopupRecord record;
    record.kind = "file";
    record.title = title;
    record.defaultDirectory = defaultDirectory;
    record.defaultFileName = defaultFileName;
    record.fileTypeList = fileTypeList;
    const PopupAnswer answer = Ask(record);
    pathName = answer.path;
    return answer.result;
}

int DirSelectPopup(const std::string& defaultDirectory, const std::string& title, int, int,
                   std::string& pathName) {
    pathName.clear();
    if (!responder) return VAL_NO_FILE_SELECTED;
    PopupRecord record;
    record.kind = "dir";
    record.title = title;
    record.defaultDirectory = defaultDirectory;
    const PopupAnswer answer = Ask(record);
    pathName = answer.path;
    return answer.result;
}

void SetPopupResponder(PopupResponder r) { responder = std::move(r); }
