#include "link/registration.h"

#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "shell/hooks.h"

void RegisterLinkSubsystem() {
    shell_hooks.power_off_instrument = [] { return ZR8812_shutof(ProgramLink()); };
}

void ResetLinkStateForTesting() {
    CloseAllComForTesting();
    ClearBytes(ProgramLink().reponse, REPONSE_SIZE, REPONSE_SIZE);
    ClearBytes(ProgramLink().rep_buf, REP_BUF_SIZE, REP_BUF_SIZE);
}
