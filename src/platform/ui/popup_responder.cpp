#include "platform/ui/popup_responder.h"

namespace ui_detail {
namespace {

PopupResponder& Responder() {
    static PopupResponder responder;
    return responder;
}

}  // namespace

bool MessageAnsweredByResponder(const std::string& title, const std::string& message) {
    if (!Responder()) return false;
    Responder()({"message", title, message, {"OK", "", ""}, "", "", "", VAL_GENERIC_POPUP_BTN1,
                 VAL_GENERIC_POPUP_BTN1});
    return true;
}

bool QuestionAnsweredByResponder(const std::string& title, const std::string& message,
                                 const std::string (&buttons)[3], int enterButton,
                                 int escapeButton, int& result) {
    if (!Responder()) return false;
    result = Responder()({"generic", title, message, {buttons[0], buttons[1], buttons[2]}, "", "",
                          "", enterButton, escapeButton})
                 .result;
    return true;
}

bool AnsweredByResponder(const PopupRecord& record, std::string& pathName, int& result) {
    pathName.clear();
    if (!Responder()) return false;
    const PopupAnswer answer = Responder()(record);
    if (answer.result > 0) pathName = answer.path;
    result = answer.result;
    return true;
}

}  // namespace ui_detail

void SetPopupResponder(PopupResponder responder) {
    ui_detail::Responder() = std::move(responder);
}
