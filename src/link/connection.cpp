// Bringing the instrument from a closed port to command mode with its switch
// on SET-UP.
#include "link/connection.h"

#include <string>

#include "link/com_port.h"
#include "link/commands.h"
#include "link/modbus.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
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

// Up to four queries until the switch reads SET-UP, asking the user twice to turn it.
bool SwitchReachesSetup(LinkContext& ctx) {
    if (ZR8812_Stat_Rot(ctx) == SWITCH_SETUP) return true;
    MessagePopup(Texte(position), Texte(posetup));
    Delay(1.0);
    if (ZR8812_Stat_Rot(ctx) == SWITCH_SETUP) return true;
    if (ZR8812_Stat_Rot(ctx) == SWITCH_SETUP) return true;
    MessagePopup(Texte(position), Texte(posetup));
    Delay(1.0);
    return ZR8812_Stat_Rot(ctx) == SWITCH_SETUP;
}

}  // namespace

int BackToCommandMode(LinkContext& ctx) {
    if (EssaiCom(ctx, "\r\n") == 0) return STILL_IN_COMMAND_MODE;
    const int switched = KillModBus(ctx);
    if (switched == COMMAND_MODE) return STILL_IN_COMMAND_MODE;
    if (switched != 0 || EssaiCom(ctx, "\r\n") != 0) return NO_COMMAND_MODE;
    ZR8812_StxOn(ctx);
    Mesure.link_flag = 1;
    return SWITCHED_BACK;
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
    Mesure.serial_port = port;
    const int opened = OpenInstrumentPort(port);
    if (opened < 0) return opened;

    int result = INIT_NO_COMMAND_MODE;
    bool commandMode = EssaiCom(ctx, "\r\n", FIRST_PROBE_SECONDS) == 0;
    if (!commandMode) {
        const int switched = KillModBus(ctx);
        if (switched == COMMAND_MODE) {
            commandMode = true;
        } else if (switched == 0) {
            commandMode = EssaiCom(ctx, "\r\n") == 0;
        } else {
            return -1;
        }
    }

    Mesure.link_flag = 1;
    FlushInQ(port);
    FlushOutQ(port);
    SetWaitCursor(0);
    if (announce) {
        MessagePopup(Texte(panel_com), Texte(comok));
        MessagePopup(Texte(position), Texte(avertpos));
    }

    if (commandMode) ZR8812_StxOn(ctx);
    const SetupPopups popups = ShowSetupPopups();
    if (commandMode) {
        result = 0;
        SetWaitCursor(1);
        if (!SwitchReachesSetup(ctx)) result = -1;
    }

    Mesure.auto_power_off = ZR8812_Stat_Shut(ctx);
    if (Mesure.auto_power_off == 1) {
        // A power-off that fails is this set-up's failure; one that works does
        // not turn an earlier failure into success.
        const int off = ZR8812_shutof(ctx);
        if (off != 0) result = off;
    }

    CloseSetupPopups(popups);
    SetWaitCursor(0);
    Mesure.link_flag = 1;
    return result;
}

// A full set-up on the serial port number. A failure is reported to the user
// and leaves the port closed.
static bool FullSetUp(LinkContext& ctx) {
    const int result = ZR8812_init(ctx, Mesure.serial_port);
    if (result != 0) {
        Mesure.link_flag = 0;
        CloseCom(Mesure.serial_port);
        ReportFailedSetup(result);
        return false;
    }
    Mesure.link_flag = 1;
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
    Mesure.link_flag = 0;
    CloseCom(Mesure.serial_port);
    if (!FullSetUp(ctx)) return -1;
    Ctrl_menu(0);
    return 0;
}
