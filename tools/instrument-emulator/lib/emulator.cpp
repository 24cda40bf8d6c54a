#include "emulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "cable_faults.h"
#include "instrument.h"
#include "pty_port.h"

namespace zr8812 {
namespace {

using Clock = std::chrono::steady_clock;

// The real line: 9600 baud, 10 bits a character.
constexpr double kLineBytesPerSecond = 960.0;
// Bounds, so that whatever arrives the emulator does not grow without limit.
constexpr std::size_t kMaxLogBytes = 16u << 20;
constexpr std::size_t kMaxPendingOutput = 1u << 20;
constexpr std::size_t kReadChunk = 4096;

}  // namespace

struct Emulator::State {
    explicit State(EmulatorOptions opts)
        : options(std::move(opts)), instrument(options), pieces(options.pieces) {}

    EmulatorOptions options;
    mutable std::mutex mutex;
    Instrument instrument;
    PtyPort port;
    std::thread thread;
    int wake[2] = {-1, -1};
    std::atomic<bool> stop_requested{false};
    bool running = false;
    Clock::time_point started = Clock::now();

    std::string outgoing;
    PieceSchedule pieces;
    Clock::time_point next_paced_byte = Clock::now();
    std::deque<WireEvent> log;
    std::size_t log_bytes = 0;

    std::string com_link;
    std::string com_usb;
    std::string com_target;

    // The cable: where it is to be pulled, whether it was, and the
    // registration it gets back when plugged in again.
    CablePull cable;
    std::size_t sent_total = 0;
    std::atomic<bool> pulled{false};
    std::string registered_dir;
    int registered_com = 0;
    std::string registered_serial;

    double seconds() const { return std::chrono::duration<double>(Clock::now() - started).count(); }
    std::time_t clock() const {
        return options.fixed_clock != 0 ? options.fixed_clock : std::time(nullptr);
    }

    // Appends to the wire log (caller holds the lock) and returns the event.
    WireEvent record(bool incoming, std::string bytes) {
        WireEvent event{incoming, std::move(bytes), seconds()};
        log_bytes += event.bytes.size();
        log.push_back(event);
        while (log_bytes > kMaxLogBytes && log.size() > 1) {
            log_bytes -= log.front().bytes.size();
            log.pop_front();
        }
        return event;
    }

    void serve();
    bool pull_cable_if_due();
    void read_line(std::vector<WireEvent>& events);
    void write_line(std::vector<WireEvent>& events);
    int poll_timeout_ms(bool& want_write);
};

int Emulator::State::poll_timeout_ms(bool& want_write) {
    std::lock_guard lock(mutex);
    want_write = !outgoing.empty();
    if (want_write && pieces.active()) {
        const auto pause = pieces.pause_left(Clock::now());
        if (pause > Clock::duration::zero()) {
            want_write = false;
            return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(pause).count());
        }
    }
    if (!want_write || !options.paced) return -1;
    const auto wait = next_paced_byte - Clock::now();
    if (wait <= Clock::duration::zero()) return -1;
    want_write = false;
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(wait).count());
}

void Emulator::State::read_line(std::vector<WireEvent>& events) {
    char buffer[kReadChunk];
    // A bounded number of chunks, so that a flood of input cannot hold up the answers.
    for (int chunk = 0; chunk < 16; ++chunk) {
        const ssize_t got = ::read(port.master(), buffer, sizeof buffer);
        if (got <= 0) return;
        std::lock_guard lock(mutex);
        const std::string bytes(buffer, static_cast<std::size_t>(got));
        events.push_back(record(true, bytes));
        const std::string answer = instrument.receive(bytes, clock());
        const std::size_t answers_start = sent_total + outgoing.size();
        for (const auto& line : instrument.lines_taken()) {
            cable.on_line(line.text, answers_start + line.answer_offset);
            if (line.late) {
                pieces.hold_at(answers_start + line.answer_offset, options.late_answer_seconds,
                               Clock::now());
            }
        }
        // A real instrument whose output nobody reads stalls; here the excess is dropped.
        const std::size_t room = kMaxPendingOutput - std::min(kMaxPendingOutput, outgoing.size());
        pieces.answer_queued(outgoing.size(), std::min(room, answer.size()));
        outgoing += answer.substr(0, room);
    }
}

void Emulator::State::write_line(std::vector<WireEvent>& events) {
    std::lock_guard lock(mutex);
    if (outgoing.empty()) return;
    std::size_t count = std::min(outgoing.size(), cable.allowance(sent_total));
    if (count == 0) return;
    const auto per_byte = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(1.0 / kLineBytesPerSecond));
    if (options.paced) {
        // Idle time is not saved up: at most one byte is owed after a pause.
        const auto now = Clock::now();
        next_paced_byte = std::max(next_paced_byte, now - per_byte);
        if (now < next_paced_byte) return;
        count = std::min<std::size_t>(count, 1 + (now - next_paced_byte) / per_byte);
    }
    if (pieces.active()) count = pieces.allowance(count, Clock::now());
    if (count == 0) return;
    const ssize_t done = ::write(port.master(), outgoing.data(), count);
    if (done <= 0) return;
    pieces.sent(static_cast<std::size_t>(done), Clock::now());
    events.push_back(record(false, outgoing.substr(0, static_cast<std::size_t>(done))));
    outgoing.erase(0, static_cast<std::size_t>(done));
    sent_total += static_cast<std::size_t>(done);
    next_paced_byte += per_byte * done;
}

// In the serving thread: when the pull point is reached, the line goes (the
// program's side hangs up) and so does the registration. True when pulled.
bool Emulator::State::pull_cable_if_due() {
    char drained[64];
    while (::read(wake[0], drained, sizeof drained) > 0) {
    }
    {
        std::lock_guard lock(mutex);
        if (!cable.due(sent_total)) return false;
        cable.cancel();
        outgoing.clear();
    }
    wait_until_read(port.slave());
    port.close();
    std::error_code error;
    if (!com_link.empty()) std::filesystem::remove(com_link, error);
    if (!com_usb.empty()) std::filesystem::remove(com_usb, error);
    com_link.clear();
    com_usb.clear();
    com_target.clear();
    pulled = true;
    return true;
}

void Emulator::State::serve() {
    while (!stop_requested) {
        if (pull_cable_if_due()) return;
        bool want_write = false;
        const int timeout = poll_timeout_ms(want_write);
        pollfd fds[2] = {
            {port.master(), static_cast<short>(POLLIN | (want_write ? POLLOUT : 0)), 0},
            {wake[0], POLLIN, 0}};
        if (::poll(fds, 2, timeout) < 0 && errno != EINTR) break;
        if (stop_requested) break;
        std::vector<WireEvent> events;
        if (fds[0].revents & POLLIN) read_line(events);
        if ((fds[0].revents & POLLOUT) || options.paced) write_line(events);
        if ((fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLIN)) {
            // Nobody on the line (cannot last: we hold the slave open); do not spin.
            pollfd wake_only{wake[0], POLLIN, 0};
            ::poll(&wake_only, 1, 50);
        }
        if (options.monitor) {
            for (const auto& event : events) options.monitor(event);
        }
    }
}

Emulator::Emulator(EmulatorOptions options) : state_(std::make_unique<State>(std::move(options))) {}

Emulator::~Emulator() {
    stop();
    unregister_com();
}

bool Emulator::start() {
    State& s = *state_;
    if (s.running) return false;
    if (!s.port.open()) return false;
    if (::pipe2(s.wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        s.port.close();
        return false;
    }
    s.stop_requested = false;
    s.started = Clock::now();
    s.thread = std::thread([&s] { s.serve(); });
    s.running = true;
    return true;
}

void Emulator::stop() {
    State& s = *state_;
    if (!s.running) return;
    s.stop_requested = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(s.wake[1], &byte, 1);
    s.thread.join();
    ::close(s.wake[0]);
    ::close(s.wake[1]);
    s.wake[0] = s.wake[1] = -1;
    s.port.close();
    std::lock_guard lock(s.mutex);
    s.outgoing.clear();
    s.running = false;
}

bool Emulator::running() const {
    return state_->running;
}

std::string Emulator::device_path() const {
    return state_->port.slave_path();
}

std::string Emulator::line_settings() const {
    return state_->port.line_settings();
}

bool Emulator::register_com(const std::string& program_dir, int com,
                            const std::string& usb_serial) {
    namespace fs = std::filesystem;
    State& s = *state_;
    if (!s.running || com < 1) return false;
    unregister_com();
    std::error_code error;
    const fs::path folder = fs::path(program_dir) / "dosdevices";
    fs::create_directories(folder, error);
    if (error) return false;
    const fs::path link = folder / ("com" + std::to_string(com));
    const fs::path usb = folder / ("com" + std::to_string(com) + ".usb");
    fs::remove(link, error);
    fs::create_symlink(device_path(), link, error);
    if (error) return false;
    s.com_link = link.string();
    s.com_target = device_path();
    std::ofstream declaration(usb, std::ios::trunc);
    declaration << "10c4 ea60 " << usb_serial << "\n";
    if (!declaration.flush()) return false;
    s.com_usb = usb.string();
    s.registered_dir = program_dir;
    s.registered_com = com;
    s.registered_serial = usb_serial;
    return true;
}

void Emulator::unregister_com() {
    namespace fs = std::filesystem;
    State& s = *state_;
    std::error_code error;
    // Another emulator may have taken the number since: only remove our own link.
    if (!s.com_link.empty() && fs::read_symlink(s.com_link, error) == s.com_target) {
        fs::remove(s.com_link, error);
    }
    if (!s.com_usb.empty()) fs::remove(s.com_usb, error);
    s.com_link.clear();
    s.com_usb.clear();
    s.com_target.clear();
}

void Emulator::set_rotary(int position) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.parameters().rotary = position;
}

void Emulator::set_shutof_en(int value) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.parameters().shutof_en = value;
}

int Emulator::shutof_en() const {
    std::lock_guard lock(state_->mutex);
    return state_->instrument.parameters().shutof_en;
}

void Emulator::set_fault(Fault fault, const std::string& command, int times) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.faults().set(fault, command, times);
}

void Emulator::clear_fault(Fault fault) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.faults().clear(fault);
}

void Emulator::forge_answer(const std::string& command, const std::string& answer, int times,
                            const std::string& directory) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.forged().set(command, answer, times, directory);
}

void Emulator::clear_forged_answers() {
    std::lock_guard lock(state_->mutex);
    state_->instrument.forged().clear();
}

bool Emulator::in_command_mode() const {
    std::lock_guard lock(state_->mutex);
    return state_->instrument.in_command_mode();
}

void Emulator::set_command_mode(bool on) {
    std::lock_guard lock(state_->mutex);
    state_->instrument.set_command_mode(on);
}

void Emulator::stall_next_answer(double seconds) {
    std::lock_guard lock(state_->mutex);
    state_->pieces.stall_next_answer(seconds);
}

std::vector<WireEvent> Emulator::wire_log() const {
    std::lock_guard lock(state_->mutex);
    return {state_->log.begin(), state_->log.end()};
}

std::string Emulator::received() const {
    std::lock_guard lock(state_->mutex);
    std::string bytes;
    for (const auto& event : state_->log) {
        if (event.incoming) bytes += event.bytes;
    }
    return bytes;
}

std::string Emulator::sent() const {
    std::lock_guard lock(state_->mutex);
    std::string bytes;
    for (const auto& event : state_->log) {
        if (!event.incoming) bytes += event.bytes;
    }
    return bytes;
}

void Emulator::clear_log() {
    std::lock_guard lock(state_->mutex);
    state_->log.clear();
    state_->log_bytes = 0;
}

std::string Emulator::memory_dir() const {
    return state_->options.memory_dir;
}

std::string Emulator::current_directory() const {
    std::lock_guard lock(state_->mutex);
    return state_->instrument.current_directory();
}

}  // namespace zr8812

namespace zr8812 {

namespace {

void wake_up(int fd) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(fd, &byte, 1);
}

}  // namespace

void Emulator::unplug() {
    unplug_after_bytes(0);
}

void Emulator::unplug_after_bytes(std::size_t bytes) {
    State& s = *state_;
    {
        std::lock_guard lock(s.mutex);
        s.cable.after_bytes(s.sent_total, bytes);
    }
    if (s.running) wake_up(s.wake[1]);
}

void Emulator::unplug_at(const std::string& command, std::size_t answer_bytes) {
    std::lock_guard lock(state_->mutex);
    state_->cable.at_command(command, answer_bytes);
}

bool Emulator::plugged() const {
    return state_->running && !state_->pulled;
}

bool Emulator::wait_unplugged(int timeout_ms) const {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    while (!state_->pulled) {
        if (Clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool Emulator::plug_back() {
    State& s = *state_;
    stop();
    s.pulled = false;
    {
        std::lock_guard lock(s.mutex);
        s.cable.cancel();
    }
    if (!start()) return false;
    if (s.registered_com <= 0) return true;
    const std::string dir = s.registered_dir;
    const std::string serial = s.registered_serial;
    return register_com(dir, s.registered_com, serial);
}

}  // namespace zr8812
