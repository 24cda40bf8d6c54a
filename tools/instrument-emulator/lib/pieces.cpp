#include "pieces.h"

#include <algorithm>
#include <limits>

namespace zr8812 {

namespace {

PieceSchedule::Clock::duration seconds(double s) {
    return std::chrono::duration_cast<PieceSchedule::Clock::duration>(
        std::chrono::duration<double>(s));
}

}  // namespace

PieceSchedule::PieceSchedule(const PieceOptions& options)
    : options_(options), random_(static_cast<unsigned>(options.seed)) {
    options_.max_piece = std::max<std::size_t>(options_.max_piece, 1);
    options_.long_every = std::max(options_.long_every, 1);
    if (options_.on) next_piece(Clock::time_point{}, false);
}

bool PieceSchedule::active() const {
    return options_.on || placed_stall_ > 0 || Clock::now() < resume_at_;
}

std::size_t PieceSchedule::allowance(std::size_t wanted, Clock::time_point now) const {
    if (now < resume_at_) return 0;
    std::size_t room = options_.on ? piece_left_ : std::numeric_limits<std::size_t>::max();
    // A stall splits the output exactly at its place.
    if (placed_stall_ > 0 && stall_at_ > sent_total_)
        room = std::min(room, stall_at_ - sent_total_);
    return std::min(wanted, room);
}

PieceSchedule::Clock::duration PieceSchedule::pause_left(Clock::time_point now) const {
    return now < resume_at_ ? resume_at_ - now : Clock::duration::zero();
}

void PieceSchedule::sent(std::size_t count, Clock::time_point now) {
    sent_total_ += count;
    if (placed_stall_ > 0 && sent_total_ >= stall_at_) {
        resume_at_ = now + seconds(placed_stall_);
        placed_stall_ = 0;
        if (options_.on) next_piece(now, false);
        return;
    }
    if (!options_.on) return;
    piece_left_ -= std::min(piece_left_, count);
    if (piece_left_ == 0) next_piece(now, true);
}

void PieceSchedule::answer_queued(std::size_t waiting, std::size_t length) {
    if (stall_seconds_ <= 0 || length < 2) return;
    stall_at_ = sent_total_ + waiting + length / 2;
    placed_stall_ = stall_seconds_;
    stall_seconds_ = 0;
}

void PieceSchedule::stall_next_answer(double s) {
    stall_seconds_ = s;
}

void PieceSchedule::hold_at(std::size_t position, double s, Clock::time_point now) {
    if (position <= sent_total_) {
        resume_at_ = std::max(resume_at_, now + seconds(s));
        return;
    }
    stall_at_ = position;
    placed_stall_ = s;
}

void PieceSchedule::next_piece(Clock::time_point now, bool pause) {
    std::uniform_int_distribution<std::size_t> size(1, options_.max_piece);
    piece_left_ = size(random_);
    if (!pause) return;
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const bool long_pause =
        std::uniform_int_distribution<int>(1, options_.long_every)(random_) == 1;
    const double pause_seconds = long_pause ? options_.max_pause * (0.5 + 0.5 * unit(random_))
                                            : options_.max_pause / 20.0 * unit(random_);
    resume_at_ = now + seconds(pause_seconds);
}

}  // namespace zr8812
