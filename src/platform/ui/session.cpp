// The registered answers to the session's end and the reason it cannot end
// yet, the same on both systems; the system hears them (ui_native.h).
#include "platform/ui/session.h"

#include <utility>

#include "platform/ui/ui.h"
#include "platform/ui/ui_native.h"

namespace {

SessionEndHandlers handlers;
std::string block_reason;

}  // namespace

void SetSessionEndHandlers(SessionEndHandlers given) {
    handlers = std::move(given);
    ui_native::ConnectSessionManager();
}

int BlockSessionEnd(int panel, const std::string& reason) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    block_reason = reason;
    return ui_native::ShowSessionEndBlock(panel, true, reason) ? UIE_NO_ERROR
                                                               : UIE_INVALID_ATTRIBUTE;
}

int UnblockSessionEnd(int panel) {
    block_reason.clear();
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    ui_native::ShowSessionEndBlock(panel, false, "");
    return UIE_NO_ERROR;
}

int BringPanelForward(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    ui_native::RestorePanel(panel);
    return MakeApplicationActive();
}

bool AskSessionMayEnd() {
    return !handlers.may_end || handlers.may_end();
}

void TellSessionEnds() {
    if (handlers.ends) handlers.ends();
}

std::string SessionEndReason() {
    return block_reason;
}

bool RaiseSessionEndForTesting() {
    const bool may_end = AskSessionMayEnd();
    if (may_end) TellSessionEnds();
    return may_end;
}
