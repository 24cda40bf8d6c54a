// Bringing the instrument from a closed port to command mode with its switch
// on SET-UP, telling the person what to do and what failed; the walk of the
// bridges present for the one that answers as the instrument.
#include "import/instrument_setup.h"

#include <string>

#include "link/com_port.h"
#include "link/commands.h"
#include "link/modbus.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "platform/usb/bridge.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

// An instrument in command mode answers a line end with its prompt at once;
// one in Modbus mode, as after every power-on, never answers it. So the first
// probe of a set-up gives up after this much silence rather than the whole
// time-out. An instrument too slow for it is found by the switch sequence,
// whose first read it answers with its prompt.
constexpr double FIRST_PROBE_SECONDS = 0.5;

// The two popups that stay up while the switch and the power-off are queried.
struct SetupPopups {
    int progress = 0;
    int wait = 0;
};

SetupPopups ShowSetupPopups() {
    SetupPopups p;
    p.progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(p.progress, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(p.progress);
    p.wait = LoadPanel(0, UIR_FILE, PANEL_WAIT);
    SetCtrlAttribute(p.wait, WAIT_STOP, ATTR_VISIBLE, 0);
    SetCtrlVal(p.wait, WAIT_TEXT, std::string(Texte(attente_1)));
    InstallPopup(p.wait);
    return p;
}

void CloseSetupPopups(const SetupPopups& p) {
    RemovePopup(p.progress);
    DiscardPanel(p.progress);
    RemovePopup(p.wait);
    DiscardPanel(p.wait);
}

// The switch sequence under the wait cursor; an exchange that failed closed
// the port, and the menus come back.
int SwitchFromModbus(LinkContext& ctx) {
    SetWaitCursor(1);
    const int switched = KillModBus(ctx);
    if (ctx.link_flag == 0) Ctrl_menu(0);
    if (switched != COMMAND_MODE) SetWaitCursor(0);
    return switched;
}

// Where the probe and the switch sequence leave the instrument.
enum class Mode { Command, NoPromptAfterSwitch, Unreachable };

// The probe of command mode, then from Modbus mode the switch sequence and the
// probe again. Error 10 is told when register 25 kept reading FFFF.
Mode ReachCommandMode(LinkContext& ctx) {
    if (EssaiCom(ctx, "\r\n", FIRST_PROBE_SECONDS) == 0) return Mode::Command;
    const int switched = SwitchFromModbus(ctx);
    if (switched == COMMAND_MODE) return Mode::Command;
    if (switched == 0)
        return EssaiCom(ctx, "\r\n") == 0 ? Mode::Command : Mode::NoPromptAfterSwitch;
    if (switched == SWITCH_REGISTER_UNREAD) Popup_erreur(ERROR_NO_RESPONSE);
    return Mode::Unreachable;
}

// Up to four queries (under the wait cursor) until the switch reads SET-UP,
// asking the user twice to turn it.
bool SwitchReachesSetup(LinkContext& ctx) {
    SetWaitCursor(1);
    if (SwitchPosition(ctx) == SWITCH_SETUP) return true;
    MessagePopup(Texte(position), Texte(posetup));
    Delay(1.0);
    if (SwitchPosition(ctx) == SWITCH_SETUP) return true;
    if (SwitchPosition(ctx) == SWITCH_SETUP) return true;
    MessagePopup(Texte(position), Texte(posetup));
    Delay(1.0);
    return SwitchPosition(ctx) == SWITCH_SETUP;
}

}  // namespace

int SwitchPosition(LinkContext& ctx) {
    const int progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(progress, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(progress);
    const int switchPosition = ZR8812_Stat_Rot(ctx);
    RemovePopup(progress);
    DiscardPanel(progress);
    return switchPosition;
}

void ReportFailedSetup(int code, bool withNotDetectedBox) {
    SetWaitCursor(0);
    Ctrl_menu(0);
    if (code == RS232_INVALID_PORT)
        Popup_erreur(ERROR_INVALID_PORT);
    else if (code == RS232_CANNOT_OPEN)
        Popup_erreur(ERROR_PORT_BUSY);
    else
        Popup_erreur(ERROR_NO_RESPONSE);
    if (withNotDetectedBox) MessagePopup(Texte(titre_erreur), NotDetectedText());
}

int ZR8812_init(LinkContext& ctx, int port, bool announce) {
    const int opened = OpenInstrumentPort(ctx, port);
    if (opened < 0) return opened;
    SetWaitCursor(1);
    const Mode mode = ReachCommandMode(ctx);
    if (mode == Mode::Unreachable) return -1;

    LinkAnswered(ctx);
    SetWaitCursor(0);
    if (announce) {
        MessagePopup(Texte(panel_com), Texte(comok));
        MessagePopup(Texte(position), Texte(avertpos));
    }
    if (mode == Mode::Command) ZR8812_StxOn(ctx);
    const SetupPopups popups = ShowSetupPopups();
    int result = INIT_NO_COMMAND_MODE;
    if (mode == Mode::Command) result = SwitchReachesSetup(ctx) ? 0 : -1;
    // A power-off that fails is this set-up's failure; one that works does
    // not turn an earlier failure into success.
    const int off = SwitchOffAutoPowerOff(ctx);
    if (off != 0) result = off;

    CloseSetupPopups(popups);
    SetWaitCursor(0);
    ctx.link_flag = 1;
    return result;
}

int BackToCommandMode(LinkContext& ctx) {
    if (EssaiCom(ctx, "\r\n") == 0) return STILL_IN_COMMAND_MODE;
    const int switched = SwitchFromModbus(ctx);
    if (switched == COMMAND_MODE) return STILL_IN_COMMAND_MODE;
    if (switched == SWITCH_REGISTER_UNREAD) return NO_SWITCH_REGISTER;
    if (switched != 0 || EssaiCom(ctx, "\r\n") != 0) return NO_COMMAND_MODE;
    ZR8812_StxOn(ctx);
    ctx.link_flag = 1;
    return SWITCHED_BACK;
}

// A full set-up on the serial port number. A failure is reported to the user
// and leaves the port closed.
static bool FullSetUp(LinkContext& ctx) {
    const int result = ZR8812_init(ctx, ctx.serial_port);
    if (result != 0) {
        ctx.link_flag = 0;
        CloseCom(ctx.serial_port);
        ReportFailedSetup(result);
        return false;
    }
    ctx.link_flag = 1;
    SetWaitCursor(0);
    return true;
}

int Open_dev(LinkContext& ctx, int flag) {
    if (flag != 0 && !InstrumentPortBack(ctx)) {
        TellNotDetected();
        return -1;
    }
    if (flag == 0) {
        SetWaitCursor(1);
        return FullSetUp(ctx) ? 0 : -1;
    }
    if (ZR8812_init_2(ctx) >= 0) return 0;
    ctx.link_flag = 0;
    CloseCom(ctx.serial_port);
    if (!FullSetUp(ctx)) return -1;
    Ctrl_menu(0);
    return 0;
}

int SetUpFirstBridge(LinkContext& ctx, bool announce, std::set<int> tried) {
    int result = -1;
    unsigned long count = 0;
    CP210x_GetNumDevices(&count);
    // Bridges beyond the walk's room are not tried.
    if (count > static_cast<unsigned long>(MAX_BRIDGES)) count = MAX_BRIDGES;
    for (unsigned long i = 0; i < count; ++i) {
        // Each bridge's own entry gives its COM number: two bridges with the
        // same serial number, or none, share a registry key, and the second
        // would never be tried. A port listed twice is tried once.
        int port = -1;
        CP210x_HANDLE handle = 0;
        CP210x_Open(i, &handle);
        const bool hasPort = GetBridgeComPort(handle, &port) == CP210x_SUCCESS;
        CP210x_Close(handle);
        if (!hasPort || !tried.insert(port).second) continue;

        result = ZR8812_init(ctx, port, announce);
        if (result == 0) break;
        // A bridge that cannot be opened or does not answer as the instrument
        // (another device on the same chip, a dead one) must not hide the
        // instrument behind it: every bridge is tried, and none is left open.
        ctx.link_flag = 0;
        CloseCom(port);
    }
    return result;
}

int Traitement_com(LinkContext& ctx) {
    SetWaitCursor(1);
    SetCtrlVal(Fen_princ[PANEL_PROGRESS], PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(Fen_princ[PANEL_PROGRESS]);
    const int result = SetUpFirstBridge(ctx, true);
    SetWaitCursor(0);

    if (result == 0) {
        ctx.link_flag = 1;
        Ctrl_menu(0);
        return 0;
    }
    RemovePopup(Fen_princ[PANEL_PROGRESS]);
    if (ctx.link_flag == 1) {
        ctx.link_flag = 0;
        CloseCom(ctx.serial_port);
    }
    Ctrl_menu(0);
    return 1;
}
