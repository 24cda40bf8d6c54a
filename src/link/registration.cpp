#include "link/registration.h"

#include "link/com_port.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "shell/hooks.h"

void RegisterLinkSubsystem() {
    shell_hooks.power_off_instrument = [] { return ZR8812_shutof(ProgramLink()); };
    shell_hooks.link_port = []() -> int& { return ProgramLink().serial_port; };
    shell_hooks.link_down = [] { ProgramLink().link_flag = 0; };
}

void ResetLinkStateForTesting() {
    CloseAllComForTesting();
    ProgramLink() = LinkContext{};
}
