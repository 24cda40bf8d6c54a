// The registered answers to the session's end, the same on both systems.
#include "platform/ui/session.h"

#include <utility>

#include "platform/ui/session_internal.h"

namespace {

SessionEndHandlers handlers;
std::string block_reason;

}  // namespace

void SetSessionEndReason(const std::string& reason) {
    block_reason = reason;
}

void SetSessionEndHandlers(SessionEndHandlers given) {
    handlers = std::move(given);
    ConnectSessionManager();
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
