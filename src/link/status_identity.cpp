#include "link/status_identity.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/exchange.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

constexpr std::size_t STATUS_CLEAR = 5000;
constexpr std::size_t STATUS_READ = 500;
constexpr std::size_t VALUE_BYTES = 4;

bool serial_number_read = false;

int Port() {
    return Mesure.serial_port;
}

// Logs the command line and sends it with CR LF, without reading its answer.
int SendLogged(const std::string& command) {
    LogWrite(command + "\n");
    return ComWrite((command + "\r\n").c_str());
}

// Logs and sends `command`, reading its answer into reponse up to the "=" of
// the value (once more on silence). 0, or the serial library's code.
int ExchangeUpToEqual(LinkContext& ctx, const std::string& command, bool& atEqual) {
    Exchanged a;
    for (int attempt = 0; attempt < 2 && a.length == 0; ++attempt) {
        LogWrite(command + "\n");
        a = Exchange((command + "\r\n").c_str(), ctx.reponse, STATUS_READ, AnswerEnd::Mark, 1, '=');
        if (!a.sent) return a.status;
    }
    atEqual = a.at_mark;
    return a.status;
}

// The rest of an answer read up to its "=": up to its prompt, so that it
// cannot be taken for the start of the next answer.
void DrainAnswer(const char* value) {
    char rest[STATUS_READ] = {};
    std::memcpy(rest, value, VALUE_BYTES);
    ReadAnswer(rest, VALUE_BYTES, sizeof rest - 1, AnswerEnd::Prompt);
}

// Sends the query of `parameter`, reads up to "=" (once more on silence) and
// then the four value bytes. Returns 0 or the serial library's code; `value`
// gets the bytes (0 where none came).
int QueryStatus(LinkContext& ctx, const std::string& parameter, char* value) {
    ClearBytes(ctx.reponse, REPONSE_SIZE, STATUS_CLEAR);
    bool atEqual = false;
    const int status = ExchangeUpToEqual(ctx, "btb " + parameter, atEqual);
    if (status != 0) return status;
    // An answer without "=" ended at its prompt: no value follows.
    if (!atEqual) return 0;
    for (std::size_t i = 0; i < VALUE_BYTES; ++i) {
        const int byte = ComRdByte(Port());
        value[i] = byte > 0 ? static_cast<char>(byte) : '\0';
    }
    DrainAnswer(value);
    return 0;
}

bool EchoOf(LinkContext& ctx, const char* parameter) {
    return FindNoCase(ctx.reponse, TextLength(ctx.reponse, STATUS_CLEAR), parameter) >= 0;
}

int ShowProgress() {
    const int panel = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    SetCtrlVal(panel, PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(panel);
    return panel;
}

void CloseProgress(int panel) {
    RemovePopup(panel);
    DiscardPanel(panel);
}

// Labels of the identity list; the first four are shown.
const char* const identity_labels[6] = {
    "modele= ",        "version hardware =", "version firmware =",
    "serial number =", "fab ident =",        "sub ident ="};

}  // namespace

int ZR8812_Stat_Rot(LinkContext& ctx) {
    const int progress = ShowProgress();
    char value[VALUE_BYTES] = {};
    const int status = QueryStatus(ctx, "status.RotPos", value);
    if (status != 0) {
        CloseProgress(progress);
        return status;
    }
    char taken[3] = {};
    int switchPosition = 0;
    if (EchoOf(ctx, "status.RotPos")) switchPosition = StatusValue(value, VALUE_BYTES, 2, taken);
    LogWrite(std::string("position du commutateur =") + taken + "\n");
    CloseProgress(progress);
    return switchPosition;
}

int ZR8812_Stat_Shut(LinkContext& ctx) {
    char value[VALUE_BYTES] = {};
    const int status = QueryStatus(ctx, "status.ShutofEn", value);
    if (status != 0) return status;
    char taken[2] = {};
    int shut = 0;
    if (EchoOf(ctx, "status.ShutofEn")) shut = StatusValue(value, VALUE_BYTES, 1, taken);
    LogWrite(std::string("valeur du status Shut =") + taken + "\n");
    return shut;
}

int ZR8812_shutof(LinkContext& ctx) {
    bool atEqual = false;
    int status = ExchangeUpToEqual(ctx, "btb status.ShutofEn=0", atEqual);
    if (status != 0) return status;
    // The answer to this query is dropped by the next exchange.
    status = SendLogged("btb status.ShutofEn");
    return status <= 0 ? status : 0;
}

int ZR8812_Identify(LinkContext& ctx) {
    serial_number_read = false;
    ClearBytes(ctx.reponse, REPONSE_SIZE, STATUS_CLEAR);
    const Exchanged a = Exchange("ident\r\n", ctx.reponse, STATUS_READ, AnswerEnd::Prompt);
    if (!a.sent) return a.status;

    if (ZR8812_traduc_reponse(ctx) == 0) return -1;
    IdentityFields f;
    const int result = ParseIdentity(ctx.rep_buf, REP_BUF_SIZE, f);
    // The six characters of the model go over the start of its field; the rest keeps what it held.
    if (f.has_model) std::memcpy(Mesure.model_name, f.model, 6);
    if (f.has_hardware) Mesure.hardware_version = f.hardware;
    if (f.has_firmware)
        std::memcpy(Mesure.firmware_version, f.firmware, sizeof Mesure.firmware_version);
    Mesure.serial_number = f.has_serial ? f.serial : 0;
    serial_number_read = f.has_serial;
    if (f.has_fab) Mesure.fab_ident = f.fab;
    if (f.has_sub) Mesure.sub_ident = f.sub;
    return result;
}

bool SerialNumberRead() {
    return serial_number_read;
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
    const std::string serial = serial_number_read ? number : Texte(serie_inconnue);
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
