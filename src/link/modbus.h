// The instrument's Modbus ASCII mode (slave 01) and the switch sequence that
// moves it to its text command mode.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/link_context.h"

// DialogModbus result: the answer held the model code (command mode).
constexpr int COMMAND_MODE = 65534;

// ---- Frames (pure) ----------------------------------------------------------
// Check of a Modbus ASCII frame: 0 minus the bytes given by the hex pairs of
// `pairs`, modulo 256. -1 when `length` is odd or a character is not a hex digit.
int ModbusLrc(const char* pairs, std::size_t length);
// The request ":01" function address quantity [...] check CR LF, upper case.
// Function 10 (hex) adds the byte count 08 and `text` in a 16-character field;
// function 06 sends the standard write of one register: address and `text` as
// its four-digit value (the instrument ignores any other form).
std::string BuildModbusFrame(int function, uint16_t address, int quantity, const char* text);
// True when `line` (":" + pairs + check, without CR) has only hex digits after
// the colon, an even count of them, no blank, and a matching check.
bool IsValidModbusLine(const char* line, std::size_t length);
// True when `line` is the answer to a read of one register: ":0103" "02", the
// value, the check (13 characters).
bool IsOneRegisterAnswer(const char* line, std::size_t length);

// ---- Exchanges ----------------------------------------------------------------
// Sends one request and receives its answer. COMMAND_MODE when the answer held
// the model code; >= 3 the length (CR counted) of a checked answer line, left in
// rep_buf without its CR; 1 something else arrived; -1 failure (the port has
// been closed and the link flag is 0).
int DialogModbus(LinkContext& ctx, int function, uint16_t address, int quantity, const char* text);
// Takes one received answer (`raw`, `length` bytes) into reponse: a ":" line
// up to its CR (at most 49 characters after the colon, stored with CR LF), or
// the bytes up to "$" or beyond `limit`. Up to two leading NUL (or 0x9D) bytes
// are no answer. 1, or -1 when the answer ended before either or holds a byte
// >= 0x80.
int ComReadTemp(LinkContext& ctx, const char* raw, std::size_t length, int limit);
// KillModBus result: register 25 kept reading FFFF (the caller tells error 10).
constexpr int SWITCH_REGISTER_UNREAD = -3;
// The switch sequence. 0 accepted, COMMAND_MODE already in command mode, -1
// failure (an exchange failed: port closed, link flag 0), SWITCH_REGISTER_UNREAD.
int KillModBus(LinkContext& ctx);
// Sends `text` (callers send CR LF) and looks for the model code, twice at most.
// 0 found, 1 answers without it, -1 nothing could be sent or nothing came back.
// `answerWithin` > 0: nothing came back when no answer began within that many
// seconds (else within the time-out); an answer that began is read to its end.
int EssaiCom(LinkContext& ctx, const char* text, double answerWithin = 0.0);
// Quick re-test of an open link: 1 command mode answers, -1 it does not.
int ZR8812_init_2(LinkContext& ctx);
