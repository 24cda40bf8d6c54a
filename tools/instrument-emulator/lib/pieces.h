// Answers in pieces: a busy instrument, or a USB bridge, delivers an answer in
// chunks with pauses between them. The schedule says how many bytes may go out
// now and when the next piece is due; the same seed gives the same pieces and
// pauses.
#pragma once

#include <chrono>
#include <cstddef>
#include <random>

namespace zr8812 {

struct PieceOptions {
    bool on = false;
    int seed = 1;                // same seed, same pieces and pauses
    std::size_t max_piece = 48;  // bytes in a piece: 1 to this
    double max_pause = 1.5;  // seconds; one pause in `long_every` lies between half of it and it
    int long_every = 6;      // the other pauses are below a twentieth of max_pause
};

class PieceSchedule {
   public:
    using Clock = std::chrono::steady_clock;

    explicit PieceSchedule(const PieceOptions& options);

    // True when it holds anything back: pieces are on, or a stall is pending
    // or under way.
    bool active() const;
    // Bytes that may go out at `now`, at most `wanted` (0 while pausing).
    std::size_t allowance(std::size_t wanted, Clock::time_point now) const;
    // Time left of the pause at `now` (zero when none).
    Clock::duration pause_left(Clock::time_point now) const;
    // `count` bytes went out at `now`: a piece used up starts a pause.
    void sent(std::size_t count, Clock::time_point now);
    // An answer of `length` bytes is queued behind `waiting` bytes not yet sent.
    void answer_queued(std::size_t waiting, std::size_t length);
    // The next answer stops half-way for `seconds`, then goes on.
    void stall_next_answer(double seconds);
    // The output stops for `seconds` at `position` of the output stream (from
    // `now` when nothing is waiting before it), then goes on.
    void hold_at(std::size_t position, double seconds, Clock::time_point now);

   private:
    void next_piece(Clock::time_point now, bool pause);

    PieceOptions options_;
    std::mt19937 random_;
    std::size_t piece_left_ = 0;
    Clock::time_point resume_at_{};
    std::size_t sent_total_ = 0;
    double stall_seconds_ = 0;  // asked for, not yet placed
    std::size_t stall_at_ = 0;  // position in the output stream
    double placed_stall_ = 0;   // placed at stall_at_
};

}  // namespace zr8812
