#include "link/status_identity.h"

#include <cstring>
#include <string>

#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/exchange.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "shell/globals.h"

namespace {

constexpr std::size_t STATUS_CLEAR = 5000;
constexpr std::size_t STATUS_READ = 500;
constexpr std::size_t VALUE_BYTES = 4;

// Logs the command line and sends it with CR LF, without reading its answer.
int SendLogged(const LinkContext& ctx, const std::string& command) {
    LogWrite(command + "\n");
    return ComWrite(ctx, (command + "\r\n").c_str());
}

// Logs and sends `command`, reading its answer into reponse up to the "=" of
// the value (once more on silence). 0, or the serial library's code.
int ExchangeUpToEqual(LinkContext& ctx, const std::string& command, bool& atEqual) {
    Exchanged a;
    for (int attempt = 0; attempt < 2 && a.length == 0; ++attempt) {
        LogWrite(command + "\n");
        a = Exchange(ctx, (command + "\r\n").c_str(), ctx.reponse, STATUS_READ, AnswerEnd::Mark, 1,
                     '=');
        if (!a.sent) return a.status;
    }
    atEqual = a.at_mark;
    return a.status;
}

// The rest of an answer read up to its "=": up to its prompt, so that it
// cannot be taken for the start of the next answer.
void DrainAnswer(const LinkContext& ctx, const char* value) {
    char rest[STATUS_READ] = {};
    std::memcpy(rest, value, VALUE_BYTES);
    ReadAnswer(ctx, rest, VALUE_BYTES, sizeof rest - 1, AnswerEnd::Prompt);
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
        const int byte = ComRdByte(ctx.serial_port);
        value[i] = byte > 0 ? static_cast<char>(byte) : '\0';
    }
    DrainAnswer(ctx, value);
    return 0;
}

bool EchoOf(LinkContext& ctx, const char* parameter) {
    return FindNoCase(ctx.reponse, TextLength(ctx.reponse, STATUS_CLEAR), parameter) >= 0;
}

}  // namespace

int ZR8812_Stat_Rot(LinkContext& ctx) {
    char value[VALUE_BYTES] = {};
    const int status = QueryStatus(ctx, "status.RotPos", value);
    if (status != 0) return status;
    char taken[3] = {};
    int switchPosition = 0;
    if (EchoOf(ctx, "status.RotPos")) switchPosition = StatusValue(value, VALUE_BYTES, 2, taken);
    LogWrite(std::string("position du commutateur =") + taken + "\n");
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
    status = SendLogged(ctx, "btb status.ShutofEn");
    return status <= 0 ? status : 0;
}

int SwitchOffAutoPowerOff(LinkContext& ctx) {
    Mesure.auto_power_off = ZR8812_Stat_Shut(ctx);
    return Mesure.auto_power_off == 1 ? ZR8812_shutof(ctx) : 0;
}

int ZR8812_Identify(LinkContext& ctx) {
    ctx.serial_number_read = false;
    ClearBytes(ctx.reponse, REPONSE_SIZE, STATUS_CLEAR);
    const Exchanged a = Exchange(ctx, "ident\r\n", ctx.reponse, STATUS_READ, AnswerEnd::Prompt);
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
    ctx.serial_number_read = f.has_serial;
    if (f.has_fab) Mesure.fab_ident = f.fab;
    if (f.has_sub) Mesure.sub_ident = f.sub;
    return result;
}
