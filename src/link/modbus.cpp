#include "link/modbus.h"

#include <algorithm>
#include <cstring>

#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/exchange.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"

namespace {

constexpr std::size_t MODBUS_CLEAR = 1000;
constexpr int MODBUS_READ = 515;  // longest answer taken that is no Modbus line
constexpr int REGISTER_SWITCH_ADDRESS = 25;
constexpr uint16_t NO_REGISTER = 0xFFFF;
constexpr int SWITCH_ATTEMPTS = 5;
const char* const SWITCH_CODE = "5B27E0D41963F8A2";
const char* const CONFIRMATION_CODE = "9E3B";

// After an answer that is no Modbus answer, the rest of a command-mode answer
// may still be on its way: read on up to its prompt.
bool PromptFollows(LinkContext& ctx) {
    const std::size_t length = TextLength(ctx.reponse, MODBUS_CLEAR - 1);
    const std::size_t room = std::min<std::size_t>(length + 500, MODBUS_CLEAR - 1);
    const Exchanged rest = ReadAnswer(ctx, ctx.reponse, length, room, AnswerEnd::Prompt);
    return rest.length > 0 && FindNoCase(ctx.reponse, length + rest.length, Modele) >= 0;
}

bool HoldsModelCode(LinkContext& ctx) {
    return FindNoCase(ctx.reponse, TextLength(ctx.reponse, MODBUS_CLEAR), Modele) >= 0;
}

// The first line of reponse, copied into rep_buf without its CR; its length
// with the CR, or 0 when no CR ends it.
int CopyAnswerLine(LinkContext& ctx) {
    const std::size_t length = TextLength(ctx.reponse, MODBUS_CLEAR);
    const long cr = FindChar(ctx.reponse, length, '\r');
    if (cr < 0) return 0;
    std::memcpy(ctx.rep_buf, ctx.reponse, static_cast<std::size_t>(cr));
    ctx.rep_buf[cr] = '\0';
    return static_cast<int>(cr) + 1;
}

}  // namespace

int ComReadTemp(LinkContext& ctx, const char* raw, std::size_t length, int limit) {
    std::size_t i = 0;
    while (i < length && i < 2 && IsNothing(raw[i])) ++i;
    if (i < length && raw[i] == ':') {
        std::size_t end = i + 1;
        while (end < length && end - i - 1 < 49 && raw[end] != '\r') ++end;
        const std::size_t n = end - i - 1;
        for (std::size_t k = i + 1; k < end; ++k)
            if (static_cast<unsigned char>(raw[k]) >= 0x80) return -1;
        ctx.reponse[0] = ':';
        std::memcpy(ctx.reponse + 1, raw + i + 1, n);
        std::memcpy(ctx.reponse + 1 + n, "\r\n", 3);
        return 1;
    }
    std::size_t stored = 0;
    for (; i < length; ++i) {
        const char byte = raw[i];
        if (stored < REPONSE_SIZE) ctx.reponse[stored++] = byte;
        if (static_cast<unsigned char>(byte) >= 0x80) return -1;
        if (byte == '$' || stored > static_cast<std::size_t>(limit)) return 1;
    }
    return -1;  // the instrument fell silent before the answer ended
}

int DialogModbus(LinkContext& ctx, int function, uint16_t address, int quantity, const char* text) {
    ClearBytes(ctx.reponse, REPONSE_SIZE, MODBUS_CLEAR);
    const std::string frame = BuildModbusFrame(function, address, quantity, text);
    const std::string header = frame.substr(0, 5);

    ClearBytes(ctx.reponse, REPONSE_SIZE, MODBUS_CLEAR);
    char raw[MODBUS_CLEAR];
    const Exchanged a = Exchange(ctx, frame.c_str(), raw, MODBUS_READ + 2, AnswerEnd::ModbusLine);
    int result = ComReadTemp(ctx, raw, a.length, MODBUS_READ);

    if (FindNoCase(ctx.reponse, TextLength(ctx.reponse, MODBUS_CLEAR), header.c_str()) >= 0)
        result = 10;
    if (!HoldsModelCode(ctx) && result == 10) {
        result = CopyAnswerLine(ctx);
        const std::size_t length = result > 0 ? static_cast<std::size_t>(result - 1) : 0;
        const std::string request = frame.substr(0, frame.size() - 2);
        // An instrument in command mode echoes the request; that is no answer
        // (except for function 06, whose answer is the echo).
        const bool echo = function != 0x06 && request == std::string(ctx.rep_buf, length);
        if (result > 0 && (echo || !IsValidModbusLine(ctx.rep_buf, length))) result = 0;
        if (result == 0) {
            if (PromptFollows(ctx))
                result = COMMAND_MODE;
            else
                Delay(0.1);
        }
    }
    if (HoldsModelCode(ctx)) result = COMMAND_MODE;

    if (result <= 0) {
        CloseCom(ctx.serial_port);
        ctx.link_flag = 0;
        return -1;
    }
    return result;
}

int KillModBus(LinkContext& ctx) {
    ctx.link_flag = 1;  // so that a failed exchange can clear it
    uint16_t value = NO_REGISTER;

    int result = DialogModbus(ctx, 0x03, REGISTER_SWITCH_ADDRESS, 1, "");
    if (ctx.link_flag == 0) return -1;
    if (result == COMMAND_MODE) return COMMAND_MODE;

    for (int attempts = SWITCH_ATTEMPTS; attempts > 0; --attempts) {
        result = DialogModbus(ctx, 0x03, REGISTER_SWITCH_ADDRESS, 1, "");
        if (ctx.link_flag == 0) return -1;
        if (result == COMMAND_MODE) return COMMAND_MODE;
        // Only a well-formed read answer carries the register; anything else uses up an attempt.
        if (result >= 3 &&
            IsOneRegisterAnswer(ctx.rep_buf, TextLength(ctx.rep_buf, REP_BUF_SIZE))) {
            char digits[5] = {};
            std::memcpy(digits, ctx.rep_buf + 7, 4);
            value = static_cast<uint16_t>(std::strtoul(digits, nullptr, 16));
            if (value != NO_REGISTER) break;
        }
    }
    if (value == NO_REGISTER) return SWITCH_REGISTER_UNREAD;
    DialogModbus(ctx, 0x10, value, 4, SWITCH_CODE);  // its answer is not examined
    result = DialogModbus(ctx, 0x06, value, 8, CONFIRMATION_CODE);
    return result > 0 ? 0 : -1;
}

int EssaiCom(LinkContext& ctx, const char* text, double answerWithin) {
    ClearBytes(ctx.reponse, REPONSE_SIZE, 5000);
    ClearBytes(ctx.rep_buf, REP_BUF_SIZE, 500);
    bool found = false;
    for (int attempts = 2; attempts > 0 && !found; --attempts) {
        const Exchanged a =
            Exchange(ctx, text, ctx.reponse, 500, AnswerEnd::Prompt, 1, '\0', answerWithin);
        if (a.length == 0) return -1;  // not sent, or nothing came back
        if (FindNoCase(ctx.reponse, a.length, Modele) >= 0) {
            found = true;
        } else {
            ClearBytes(ctx.reponse, REPONSE_SIZE, 5000);
        }
    }
    FlushInQ(ctx.serial_port);
    return found ? 0 : 1;
}

int ZR8812_init_2(LinkContext& ctx) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (EssaiCom(ctx, "\r\n") == 0) return 1;
        if (attempt == 0) Delay(0.1);
    }
    return -1;
}
