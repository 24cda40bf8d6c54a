#include "modbus_slave.h"

#include <algorithm>
#include <array>
#include <utility>

namespace zr8812::modbus {
namespace {

constexpr uint8_t kSlaveAddress = 0x01;
constexpr uint8_t kReadRegisters = 0x03;
constexpr uint8_t kWriteRegister = 0x06;
constexpr uint8_t kWriteRegisters = 0x10;
constexpr uint16_t kSwitchBlockRegister = 25;
constexpr std::array<uint8_t, 8> kSwitchCode = {0x5B, 0x27, 0xE0, 0xD4, 0x19, 0x63, 0xF8, 0xA2};
constexpr uint16_t kConfirmationCode = 0x9E3B;

// Exception codes.
constexpr uint8_t kIllegalFunction = 0x01;
constexpr uint8_t kIllegalAddress = 0x02;
constexpr uint8_t kIllegalValue = 0x03;

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

uint16_t word_at(const std::vector<uint8_t>& bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void append_word(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value >> 8));
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
}

Reply read_registers(const std::vector<uint8_t>& request, const SlaveState& state) {
    if (request.size() != 6) return {};
    const uint16_t address = word_at(request, 2);
    const uint16_t quantity = word_at(request, 4);
    if (address != kSwitchBlockRegister) return {exception_frame(kReadRegisters, kIllegalAddress)};
    if (quantity != 1) return {exception_frame(kReadRegisters, kIllegalValue)};
    std::vector<uint8_t> reply = {kSlaveAddress, kReadRegisters, 0x02};
    append_word(reply, state.register25_reads_ffff ? 0xFFFF : state.switch_block);
    return {frame(reply)};
}

Reply write_registers(const std::vector<uint8_t>& request, SlaveState& state) {
    if (request.size() < 7) return {};
    const uint16_t address = word_at(request, 2);
    const uint16_t quantity = word_at(request, 4);
    const uint8_t byte_count = request[6];
    if (request.size() != 7u + byte_count) return {};
    if (address != state.switch_block) return {exception_frame(kWriteRegisters, kIllegalAddress)};
    if (quantity != 4 || byte_count != 8) return {exception_frame(kWriteRegisters, kIllegalValue)};
    state.armed = std::equal(kSwitchCode.begin(), kSwitchCode.end(), request.begin() + 7);
    std::vector<uint8_t> reply = {kSlaveAddress, kWriteRegisters};
    append_word(reply, address);
    append_word(reply, quantity);
    return {frame(reply)};
}

Reply write_register(const std::vector<uint8_t>& request, SlaveState& state) {
    if (request.size() != 6) return {};
    const uint16_t address = word_at(request, 2);
    const uint16_t value = word_at(request, 4);
    if (address != state.switch_block) return {exception_frame(kWriteRegister, kIllegalAddress)};
    // The confirmation only counts right after an accepted switch code.
    const bool confirmed = state.armed && value == kConfirmationCode;
    state.armed = false;
    return {frame(request), confirmed};
}

}  // namespace

uint8_t lrc(const std::vector<uint8_t>& bytes) {
    uint8_t sum = 0;
    for (uint8_t b : bytes) sum = static_cast<uint8_t>(sum + b);
    return static_cast<uint8_t>(-sum);
}

std::string frame(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string text = ":";
    std::vector<uint8_t> with_check = bytes;
    with_check.push_back(lrc(bytes));
    for (uint8_t b : with_check) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text + "\r\n";
}

std::optional<std::vector<uint8_t>> parse_frame(std::string_view body) {
    if (body.size() % 2 != 0 || body.size() < 6) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < body.size(); i += 2) {
        const int high = hex_value(body[i]);
        const int low = hex_value(body[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    const uint8_t check = bytes.back();
    bytes.pop_back();
    if (lrc(bytes) != check) return std::nullopt;
    return bytes;
}

std::optional<std::string> FrameReader::feed(char c) {
    // Flow-control bytes and the NUL the program appends never belong to a frame.
    if (c == '\0' || c == '\x11' || c == '\x13') return std::nullopt;
    if (c == ':') {
        stage_ = Stage::Body;
        body_.clear();
        return std::nullopt;
    }
    switch (stage_) {
        case Stage::Idle:
            return std::nullopt;
        case Stage::Overlong:
            if (c == '\n') stage_ = Stage::Idle;
            return std::nullopt;
        case Stage::Body:
            if (c == '\r') {
                stage_ = Stage::AfterCr;
            } else if (c == '\n') {
                stage_ = Stage::Idle;  // LF without CR: not a frame
            } else if (body_.size() >= kMaxFrameChars) {
                stage_ = Stage::Overlong;
                body_.clear();
            } else {
                body_ += c;
            }
            return std::nullopt;
        case Stage::AfterCr:
            stage_ = Stage::Idle;
            if (c != '\n') return std::nullopt;
            return std::exchange(body_, {});
    }
    return std::nullopt;
}

void FrameReader::reset() {
    stage_ = Stage::Idle;
    body_.clear();
}

Reply answer(const std::vector<uint8_t>& request, SlaveState& state) {
    if (request.size() < 2 || request[0] != kSlaveAddress) return {};
    switch (request[1]) {
        case kReadRegisters:
            return read_registers(request, state);
        case kWriteRegisters:
            return write_registers(request, state);
        case kWriteRegister:
            return write_register(request, state);
        default:
            return {exception_frame(request[1], kIllegalFunction)};
    }
}

std::string exception_frame(uint8_t function, uint8_t code) {
    return frame({kSlaveAddress, static_cast<uint8_t>(function | 0x80), code});
}

}  // namespace zr8812::modbus
