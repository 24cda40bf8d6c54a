#include "cable_faults.h"

#include <poll.h>
#include <sys/ioctl.h>

#include <cstdint>
#include <limits>

namespace zr8812 {

void CablePull::after_bytes(std::size_t sent_so_far, std::size_t bytes) {
    command_.reset();
    at_sent_ = sent_so_far + bytes;
}

void CablePull::at_command(const std::string& command, std::size_t answer_bytes) {
    at_sent_.reset();
    command_ = command;
    answer_bytes_ = answer_bytes;
}

void CablePull::cancel() {
    at_sent_.reset();
    command_.reset();
}

bool CablePull::on_line(const std::string& line, std::size_t answer_start) {
    if (!command_ || line.compare(0, command_->size(), *command_) != 0) return false;
    command_.reset();
    at_sent_ = answer_start + answer_bytes_;
    return true;
}

std::size_t CablePull::allowance(std::size_t sent_so_far) const {
    if (!at_sent_) return std::numeric_limits<std::size_t>::max();
    return *at_sent_ > sent_so_far ? *at_sent_ - sent_so_far : 0;
}

bool CablePull::due(std::size_t sent_so_far) const {
    return at_sent_ && sent_so_far >= *at_sent_;
}

void wait_until_read(int slave) {
    int quiet = 0;
    for (int i = 0; i < 100 && quiet < 2; ++i) {
        int waiting = 0;
        if (::ioctl(slave, FIONREAD, &waiting) != 0) return;
        quiet = waiting == 0 ? quiet + 1 : 0;
        ::poll(nullptr, 0, 2);
    }
}

std::string line_noise(std::size_t length, std::uint32_t seed) {
    // A damaged line does not send the prompt; noise drawn from a small
    // alphabet without 'k' can never spell the model code "korvid".
    static const char alphabet[] = "0123456789abcdefABCDEF =:-.$#/\r\n\xA5\xFF\x9D";
    constexpr std::size_t alphabet_size = sizeof alphabet - 1;
    std::uint32_t state = seed == 0 ? 0x9E3779B9u : seed;
    std::string noise;
    noise.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        noise += alphabet[state % alphabet_size];
    }
    return noise;
}

}  // namespace zr8812
