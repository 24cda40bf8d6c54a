// A port whose device went away while nothing was exchanged: the cable pulled
// between two actions. The bridge may come back under another COM number (on
// Linux ttyUSB1 while ttyUSB0 was still held open; on Windows another COMn),
// and the open port is a dead handle: the next action that needs the
// instrument looks for it again before it tells the person anything.
#include <string>

#include "import/instrument_setup.h"
#include "link/com_port.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

// The number in use first: the bridge back under it, or an adapter whose
// number the person typed (the walk knows only the bridges); then the walk.
int SetUpAgain(LinkContext& ctx, int lostPort) {
    int result = ZR8812_init(ctx, lostPort, false);
    if (result == 0) return 0;
    ctx.link_flag = 0;
    CloseCom(lostPort);
    return SetUpFirstBridge(ctx, false, {lostPort});
}

}  // namespace

bool ForgetGonePort(LinkContext& ctx) {
    if (ctx.link_flag != 1 || !ComPortLost(ctx.serial_port)) return false;
    ctx.link_flag = 0;
    CloseCom(ctx.serial_port);
    return true;
}

bool InstrumentPortBack(LinkContext& ctx) {
    const int lostPort = ctx.serial_port;
    if (!ForgetGonePort(ctx)) return true;

    // Its own popup: a scan's progress panel may already be up.
    const int progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(progress, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(progress);
    SetWaitCursor(1);
    const int result = SetUpAgain(ctx, lostPort);
    RemovePopup(progress);
    DiscardPanel(progress);
    SetWaitCursor(0);
    Ctrl_menu(0);

    if (result != 0) {
        // Nothing found: the person's number stays for Setup, Communication.
        ctx.link_flag = 0;
        ctx.serial_port = lostPort;
        return false;
    }
    LogWrite(std::string(Texte(NumportAff)) + " = " + std::to_string(ctx.serial_port) + "\n");
    return true;
}
