// The popups' responder, the same on both systems: with one installed, every
// popup is handed to it as a record and answered without being shown.
#pragma once

#include <string>

#include "platform/ui/ui.h"

namespace ui_detail {

// A message box: true when the responder took it.
bool MessageAnsweredByResponder(const std::string& title, const std::string& message);
// A question: true and its button in `result` when the responder answered.
// The responder sees which buttons Enter and Escape were bound to.
bool QuestionAnsweredByResponder(const std::string& title, const std::string& message,
                                 const std::string (&buttons)[3], int enterButton,
                                 int escapeButton, int& result);
// The file and folder dialogs: true when the responder answered (the path kept
// only for a positive result), else false and nothing set but an empty path.
bool AnsweredByResponder(const PopupRecord& record, std::string& pathName, int& result);

}  // namespace ui_detail
