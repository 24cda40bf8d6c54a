#include "import/stop_request.h"

#include "store/store.h"
#include "platform/ui/ui.h"
#include "shell/panels.h"
#include "shell/session_end.h"

int PollStopRequest() {
    int panel = 0, control = 0;
    if (GetUserEvent(0, panel, control) == 1 && IsStopControl(control)) flag_stop = 0;
    return flag_stop;
}

int PollStopBetweenTests() {
    PollStopRequest();
    if (SessionEnding()) flag_stop = 0;
    return flag_stop;
}
