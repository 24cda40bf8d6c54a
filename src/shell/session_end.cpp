#include "shell/session_end.h"

#include "platform/system/system.h"
#include "platform/ui/session.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/shutdown.h"

namespace {

int work_depth = 0;
bool session_ending = false;
bool end_blocked = false;

}  // namespace

WorkUnderWay::WorkUnderWay() {
    if (work_depth++ == 0) KeepSystemAwake(true);
}

WorkUnderWay::~WorkUnderWay() {
    if (--work_depth == 0) KeepSystemAwake(false);
}

bool WorkIsUnderWay() {
    return work_depth > 0;
}

bool SessionEnding() {
    return session_ending;
}

bool AnswerSessionEndQuery() {
    // Asked again (Windows asks every window of the program): the same answer.
    if (end_blocked) return false;
    if (!WorkIsUnderWay()) return true;
    session_ending = true;
    end_blocked = true;
    BlockSessionEnd(Fen_princ[PANEL_MAIN], Texte(fin_session));
    // Ends once the operation under way has stopped and returned to the loop.
    QuitUserInterface(0);
    return false;
}

void EndWithTheSession() {
    session_ending = true;
    RunShutdownStep(Shutdown::SaveSettings);
    if (WorkIsUnderWay()) return;
    ShutdownBeforeQuit();
    RunShutdownStep(Shutdown::CloseSpreadsheet);
    RunShutdownStep(Shutdown::CloseLog);
    QuitUserInterface(0);
}

void SessionEndDone() {
    if (!end_blocked) return;
    UnblockSessionEnd(Fen_princ[PANEL_MAIN]);
    end_blocked = false;
}

void ResetSessionEndForTesting() {
    if (work_depth > 0) KeepSystemAwake(false);
    work_depth = 0;
    session_ending = false;
    end_blocked = false;
}
