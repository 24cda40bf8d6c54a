// The instrument's Modbus ASCII side: framing, checks and the three functions
// it answers (03 read register 25, 10 write the switch code, 06 confirm).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zr8812::modbus {

// Longest frame body kept (":" + 2 x 256 bytes + check); longer ones are dropped.
constexpr std::size_t kMaxFrameChars = 520;

// Two's complement of the byte sum.
uint8_t lrc(const std::vector<uint8_t>& bytes);

// ":" + the bytes as upper-case hex + the check + CR LF.
std::string frame(const std::vector<uint8_t>& bytes);

// Checks a frame body (the text between ":" and CR LF): hex digits of either
// case, an even count, at least address + function + check, and a check that
// matches. Returns the bytes without the check, or nothing.
std::optional<std::vector<uint8_t>> parse_frame(std::string_view body);

// Cuts the incoming byte stream into frame bodies. NUL, XON and XOFF are
// ignored everywhere; bytes outside a frame are dropped; a frame that does
// not end with CR LF, or grows too long, is dropped.
class FrameReader {
   public:
    // Feeds one byte; returns the frame body when the byte completed a frame.
    std::optional<std::string> feed(char c);
    void reset();

   private:
    enum class Stage { Idle, Body, AfterCr, Overlong };
    Stage stage_ = Stage::Idle;
    std::string body_;
};

// Registers and switch state of the slave (address 01).
struct SlaveState {
    uint16_t switch_block = 0x0100;  // value of register 25
    bool register25_reads_ffff = false;
    bool armed = false;  // the switch code was written
};

// What the slave does with one valid request.
struct Reply {
    std::string text;  // the answer frame; empty = no answer
    bool switch_to_command_mode = false;
};

// Answers one checked request (bytes without the check). Requests for another
// slave, or malformed for their function, get no answer.
Reply answer(const std::vector<uint8_t>& request, SlaveState& state);

// Exception answer for `function` with exception code `code`.
std::string exception_frame(uint8_t function, uint8_t code);

}  // namespace zr8812::modbus
