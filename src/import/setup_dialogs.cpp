// The Setup menu: Communication (port question, automatic discovery, the
// communication panel) and Instrument (the identity panel).
#include <cstdio>
#include <cstring>
#include <string>

#include "import/instrument_setup.h"
#include "link/com_port.h"
#include "link/modbus.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/startup.h"

namespace {

// Labels of the identity list; the first four are shown.
const char* const identity_labels[6] = {
    "modele= ",        "version hardware =", "version firmware =",
    "serial number =", "fab ident =",        "sub ident ="};

bool UserKnowsPort() {
    return GenericMessagePopup("", Texte(Numport), cmdOui[2 * langue + 1], cmdOui[2 * langue], "",
                               VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1,
                               VAL_GENERIC_POPUP_BTN2) == VAL_GENERIC_POPUP_BTN1;
}

void Communication(LinkContext& ctx) {
    ForgetGonePort(ctx);  // the person's answer says how it is found again
    SetWaitCursor(0);
    const int com = LoadPanel(Fen_princ[PANEL_MAIN], UIR_FILE, PANEL_COM);
    Fen_princ[PANEL_COM] = com;
    Traduc_com();
    SetCtrlVal(com, COM_NUMBER, static_cast<int>(ctx.serial_port));

    if (UserKnowsPort() || ctx.link_flag == 1) {
        Ctrl_menu(1);
        InstallPopup(com);  // Config_com takes over
        return;
    }
    DiscardPanel(com);  // not shown on this path

    const int progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    Fen_princ[PANEL_PROGRESS] = progress;
    SetCtrlVal(progress, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(progress);
    int result = Traitement_com(ctx);
    if (result != 0) result = Traitement_com(ctx);
    if (result == 0) {
        LogWrite(std::string(Texte(NumportAff)) + " = " + std::to_string(ctx.serial_port) + "\n");
    }
    RemovePopup(progress);
    DiscardPanel(progress);
    if (result != 0) TellNotDetected();
}

void ShowIdentity(int identity) {
    Affiche_Identity();
    Ctrl_menu(1);
    InstallPopup(identity);
    SetWaitCursor(0);
}

void Instrument(LinkContext& ctx) {
    SetWaitCursor(1);
    const int identity = LoadPanel(Fen_princ[PANEL_MAIN], UIR_FILE, PANEL_IDENTITY);
    Fen_princ[PANEL_IDENTITY] = identity;
    Traduc_config();

    if (ctx.link_flag == 1) {
        if (!InstrumentPortBack(ctx)) {
            DiscardPanel(identity);
            TellNotDetected();
            return;
        }
        if (ZR8812_Identify(ctx) == 0) {
            ShowIdentity(identity);
            return;
        }
        ctx.link_flag = 0;
        CloseCom(ctx.serial_port);
    }

    Ctrl_menu(1);
    SetWaitCursor(1);
    int result = ZR8812_init(ctx, ctx.serial_port);
    if (result != 0) {
        CloseCom(ctx.serial_port);
        result = ZR8812_init(ctx, ctx.serial_port);
    }
    if (result != 0) {
        ctx.link_flag = 0;
        CloseCom(ctx.serial_port);
        ReportFailedSetup(result, false);
        DiscardPanel(identity);
        TellNotDetected();
        return;
    }
    ctx.link_flag = 1;
    if (ZR8812_Identify(ctx) == 0 || ZR8812_Identify(ctx) == 0) {
        ShowIdentity(identity);
        return;
    }
    ctx.link_flag = 0;
    CloseCom(ctx.serial_port);
    DiscardPanel(identity);
    SetWaitCursor(0);
    Ctrl_menu(0);
    TellNotDetected();
}

// A wait popup without its Stop button while the new link is tested.
int ShowWaitPopup() {
    const int wait = LoadPanel(0, UIR_FILE, PANEL_WAIT);
    SetCtrlAttribute(wait, WAIT_STOP, ATTR_VISIBLE, 0);
    SetCtrlVal(wait, WAIT_TEXT, std::string(Texte(attente_1)));
    InstallPopup(wait);
    return wait;
}

void ClosePopupPanel(int panel) {
    RemovePopup(panel);
    DiscardPanel(panel);
}

// Sets up the link on the serial port number; false after a reported failure.
bool SetUpNewLink(LinkContext& ctx) {
    const int port = ctx.serial_port;
    CloseCom(port);
    int result = ZR8812_init(ctx, port);
    if (result != 0) {
        CloseCom(port);
        result = ZR8812_init(ctx, port);
        if (result == 0) return true;
        CloseCom(port);
        ctx.link_flag = 0;
        ReportFailedSetup(result);
        return false;
    }
    const int wait = ShowWaitPopup();
    if (EssaiCom(ctx, "\r\n") != 0) {
        CloseCom(port);
        result = ZR8812_init(ctx, port);
        if (result != 0) {
            ClosePopupPanel(wait);
            CloseCom(port);
            ctx.link_flag = 0;
            ReportFailedSetup(result);
            return false;
        }
    }
    ctx.link_flag = 1;
    ClosePopupPanel(wait);
    return true;
}

// The link is open on the same port: a cheap test, a full set-up if it fails.
void TestOpenLink(LinkContext& ctx) {
    const int progress = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(progress, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(progress);
    if (EssaiCom(ctx, "\r\n") < 0) {
        CloseCom(ctx.serial_port);
        if (Open_dev(ctx, 0) != 0) CloseCom(ctx.serial_port);
    } else {
        MessagePopup(Texte(panel_com), Texte(comok));
    }
    ClosePopupPanel(progress);
}

}  // namespace

const char* NotDetectedText() {
    return Texte(StartingUp() ? AucunCOM : AucunCOM_ouvert);
}

void TellNotDetected() {
    LogWrite(std::string(Texte(titre_erreur)) + " = " + NotDetectedText() + "\n");
    MessagePopup(Texte(titre_erreur), NotDetectedText());
    if (StartingUp()) {
        QuitUserInterface(0);
        return;
    }
    SetWaitCursor(0);
    Ctrl_menu(0);
}

void Gestion_parametre(int /*menuBar*/, int menuItem, void* /*callbackData*/, int /*panel*/) {
    if (menuItem == ITEM_COMMUNICATION)
        Communication(ProgramLink());
    else if (menuItem == ITEM_INSTRUMENT)
        Instrument(ProgramLink());
}

int Config_com(int panel, int control, int event, void* /*callbackData*/, int /*eventData1*/,
               int /*eventData2*/) {
    if (event != EVENT_COMMIT) return 0;
    if (control == COM_QUIT) {
        ClosePopupPanel(panel);
        Ctrl_menu(0);
        return 0;
    }
    if (control != COM_OK) return 0;

    LinkContext& link = ProgramLink();
    const int oldPort = link.serial_port;
    int newPort = oldPort;
    GetCtrlVal(panel, COM_NUMBER, newPort);
    link.serial_port = newPort;
    RemovePopup(panel);
    ProcessDrawEvents();
    DiscardPanel(panel);

    if (newPort != oldPort && link.link_flag == 1) {
        link.link_flag = 0;
        CloseCom(oldPort);  // the old port is not left open behind
    }
    if (link.link_flag == 0) {
        SetUpNewLink(link);
    } else {
        TestOpenLink(link);
    }
    Ctrl_menu(0);
    return 0;
}

int Affiche_Identity() {
    const int panel = Fen_princ[PANEL_IDENTITY];
    const std::string model(Mesure.model_name,
                            strnlen(Mesure.model_name, sizeof Mesure.model_name));
    const std::string firmware(Mesure.firmware_version,
                               strnlen(Mesure.firmware_version, sizeof Mesure.firmware_version));
    char number[16];
    InsertListItem(panel, IDENTITY_LIST, -1, std::string(identity_labels[0]) + " " + model, 1);
    // The hardware version was read as hexadecimal digits: show those digits
    // as the instrument printed them ("12"), not their decimal value ("18").
    std::snprintf(number, sizeof number, "%02X", static_cast<unsigned>(Mesure.hardware_version));
    InsertListItem(panel, IDENTITY_LIST, -1, std::string(identity_labels[1]) + "= " + number, 2);
    InsertListItem(panel, IDENTITY_LIST, -1, std::string(identity_labels[2]) + "= " + firmware, 3);
    // An identity without a serial number would show as 0000000, a number no
    // instrument bears: say that it is unknown.
    std::snprintf(number, sizeof number, "%07d", Mesure.serial_number);
    const std::string serial = ProgramLink().serial_number_read ? number : Texte(serie_inconnue);
    InsertListItem(panel, IDENTITY_LIST, -1, std::string(identity_labels[3]) + "= " + serial, 4);
    return 0;
}

int QuitterConfig(int panel, int /*control*/, int event, void* /*callbackData*/, int /*eventData1*/,
                  int /*eventData2*/) {
    if (event != EVENT_COMMIT) return 0;
    RemovePopup(panel);
    DiscardPanel(panel);
    std::memcpy(Mesure.model_name, "         ", 10);
    std::memcpy(Mesure.firmware_version, "         ", 10);
    Mesure.hardware_version = 0;
    Mesure.serial_number = 0;
    Ctrl_menu(0);
    return 0;
}
