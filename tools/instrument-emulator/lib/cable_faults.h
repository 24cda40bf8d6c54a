// Faults of the line itself rather than of one answer: the cable pulled (the
// pseudo-terminal closes and the COM registration goes, as when a USB bridge
// disappears) at a chosen point, and answers turned into line noise.
// Not thread-safe; the Emulator calls it under its lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace zr8812 {

// Where the cable is to be pulled, counted in bytes the instrument has sent
// since it was started.
class CablePull {
   public:
    // Pulled once `bytes` more bytes have gone out.
    void after_bytes(std::size_t sent_so_far, std::size_t bytes);
    // Pulled when a command line starting with `command` arrives ("" = the
    // next line), after `answer_bytes` bytes of its answer went out.
    void at_command(const std::string& command, std::size_t answer_bytes);
    void cancel();

    // The instrument took `line`; its answer starts after `answer_start`
    // bytes sent (those already sent plus those still waiting). True when
    // this line arms the pull.
    bool on_line(const std::string& line, std::size_t answer_start);
    // Bytes that may still go out before the pull (SIZE_MAX when none is armed).
    std::size_t allowance(std::size_t sent_so_far) const;
    // True when the pull point has been reached.
    bool due(std::size_t sent_so_far) const;

   private:
    std::optional<std::size_t> at_sent_;  // armed: pulled when this many bytes went out
    std::optional<std::string> command_;  // waiting for this command
    std::size_t answer_bytes_ = 0;
};

// Before the line goes: waits (a fifth of a second at most) until the bytes
// already sent have been read from the pseudo-terminal's `slave` side, as the
// bytes on a real wire reach the computer before the device disappears.
void wait_until_read(int slave);

// `length` bytes of line noise in place of an answer: printable text, blanks,
// line ends and bytes with the high bit set, never the prompt's model code.
// The same `seed` gives the same noise.
std::string line_noise(std::size_t length, std::uint32_t seed);

}  // namespace zr8812
