// RS-232 services, the same on every system: the port table, the argument
// checks, the recorded status, the time-outs and the read loop. The device
// itself (opening, line settings, the driver's own waits) is the system's, in
// serial_device_*.cpp. Reads wait in short slices, so they end at the
// answer's end, count their own time-outs and keep the windows painted.
#include "platform/serial/serial.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "platform/serial/com_ports.h"
#include "platform/serial/serial_device.h"
#include "platform/system/system.h"

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

// Longest stretch a waiting read leaves the windows without repainting.
constexpr Milliseconds SLICE{20};

struct ComPort {
    std::unique_ptr<SerialDevice> device;
    ComSettings settings;
    // Bytes taken from the driver and not yet handed out: pending[taken...].
    std::string pending;
    std::size_t taken = 0;
};

std::map<int, std::unique_ptr<ComPort>>& Ports() {
    static std::map<int, std::unique_ptr<ComPort>> ports;
    return ports;
}

int lastError = RS232_NO_ERROR;
ComTraffic traffic;

int Record(int code) {
    lastError = code;
    return code;
}

// The open port behind `port`, or nullptr with the code recorded.
ComPort* OpenPort(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) {
        Record(RS232_INVALID_PORT);
        return nullptr;
    }
    auto found = Ports().find(port);
    if (found == Ports().end() || !found->second->device->IsOpen()) {
        Record(RS232_PORT_NOT_OPEN);
        return nullptr;
    }
    return found->second.get();
}

// `seconds` in the test time scale, in whole milliseconds (1 ms to an hour).
int ScaledMs(double seconds) {
    const double ms = seconds * TimeScale() * 1000.0;
    return static_cast<int>(std::clamp(std::llround(ms), 1LL, 3600LL * 1000LL));
}

int TimeoutMs(const ComPort& p) {
    return ScaledMs(p.settings.timeoutSeconds);
}

bool LineSettingsValid(long baudRate, int parity, int dataBits, int stopBits) {
    return (parity == NO_PARITY || parity == ODD_PARITY || parity == EVEN_PARITY) &&
           dataBits >= 5 && dataBits <= 8 && (stopBits == 1 || stopBits == 2) && baudRate > 0;
}

// How a read ends besides its byte count and the time-out.
struct ReadEnd {
    int terminator = -1;                       // consumed, neither stored nor counted
    const AnswerComplete* complete = nullptr;  // asked after every stored byte
    bool silenceFromLastByte = false;          // else the time-out counts from the call
    // Above zero: a read that got nothing for this many milliseconds ends
    // then; the bytes of an answer that has begun are waited for as the
    // time-out says.
    int firstByteMs = 0;
};

// Takes the next byte from what the driver delivered, waiting in slices until
// `deadline`; false when the deadline passed or the device can deliver no more.
bool NextByte(ComPort& p, Clock::time_point deadline, Clock::time_point& lastPaint, char& c) {
    while (p.taken == p.pending.size()) {
        p.pending.clear();
        p.taken = 0;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        const auto left = std::chrono::ceil<Milliseconds>(deadline - now);
        const auto slice = std::clamp(left, Milliseconds{1}, SLICE);
        if (!p.device->WaitForBytes(static_cast<int>(slice.count()), p.pending)) return false;
        traffic.received += p.pending.size();
        // After every silent slice, and every slice's length while bytes flow.
        if (p.pending.empty() || Clock::now() - lastPaint >= SLICE) {
            KeepWindowPainted();
            lastPaint = Clock::now();
        }
    }
    c = p.pending[p.taken++];
    return true;
}

// Reads into `buffer` until `count` bytes, the end `end` describes, or the
// time-out. Records RS232_TIMEOUT when it ends short of `count` otherwise.
int ReadBytes(int port, char* buffer, std::size_t count, const ReadEnd& end) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const Milliseconds silence{TimeoutMs(*p)};
    const Milliseconds firstByte = end.firstByteMs > 0 ? Milliseconds{end.firstByteMs} : silence;
    auto deadline = Clock::now() + std::min(firstByte, silence);
    auto lastPaint = Clock::now();
    std::size_t n = 0;
    while (n < count) {
        char c = 0;
        if (!NextByte(*p, deadline, lastPaint, c)) break;
        if (end.terminator >= 0 && static_cast<unsigned char>(c) == end.terminator) {
            Record(RS232_NO_ERROR);
            return static_cast<int>(n);
        }
        buffer[n++] = c;
        if (end.silenceFromLastByte) deadline = Clock::now() + silence;
        if (end.complete != nullptr && *end.complete && (*end.complete)(buffer, n)) {
            Record(RS232_NO_ERROR);
            return static_cast<int>(n);
        }
    }
    Record(n < count ? RS232_TIMEOUT : RS232_NO_ERROR);
    return static_cast<int>(n);
}

}  // namespace

int OpenComConfig(int port, const std::string& /*deviceName*/, long baudRate, int parity,
                  int dataBits, int stopBits, int /*inputQueueSize*/, int /*outputQueueSize*/) {
    std::string devicePath;
    const int status = ComPortDevice(port, devicePath);
    if (status < 0) return Record(status);
    Ports().erase(port);  // reopening closes first
    auto p = std::make_unique<ComPort>();
    int openStatus = RS232_NO_ERROR;
    p->device = OpenSerialDevice(devicePath, openStatus);
    if (p->device == nullptr) return Record(openStatus);
    if (!LineSettingsValid(baudRate, parity, dataBits, stopBits) ||
        !p->device->Configure(baudRate, parity, dataBits, stopBits, TimeoutMs(*p))) {
        return Record(RS232_INVALID_PARAMETER);
    }
    p->settings = {baudRate, parity, dataBits, stopBits, false, p->settings.timeoutSeconds};
    Ports()[port] = std::move(p);
    return Record(RS232_NO_ERROR);
}

int CloseCom(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) return Record(RS232_INVALID_PORT);
    auto found = Ports().find(port);
    if (found == Ports().end()) return Record(RS232_PORT_NOT_OPEN);
    Ports().erase(found);
    return Record(RS232_NO_ERROR);
}

int ComWrtByte(int port, int byte) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const int status = p->device->WriteByte(static_cast<char>(byte & 0xFF), TimeoutMs(*p));
    if (status < 0) return Record(status);
    ++traffic.sent;
    Record(RS232_NO_ERROR);
    return 1;
}

int ComRd(int port, char* buffer, std::size_t count) {
    return ReadBytes(port, buffer, count, ReadEnd{});
}

int ComRdTerm(int port, char* buffer, std::size_t count, int terminator) {
    return ReadBytes(port, buffer, count, ReadEnd{.terminator = terminator & 0xFF});
}

int ComRdUntil(int port, char* buffer, std::size_t count, const AnswerComplete& complete,
               double firstByteSeconds) {
    ReadEnd end{.complete = &complete, .silenceFromLastByte = true};
    // Never shorter than this, whatever the time scale: a machine busy with
    // other work must still hear an instrument that answers at once.
    constexpr int SHORTEST_FIRST_BYTE_MS = 100;
    if (firstByteSeconds > 0.0)
        end.firstByteMs = std::max(ScaledMs(firstByteSeconds), SHORTEST_FIRST_BYTE_MS);
    return ReadBytes(port, buffer, count, end);
}

int ComRdByte(int port) {
    char c = 0;
    const int n = ReadBytes(port, &c, 1, ReadEnd{});
    if (n < 0) return n;
    if (n == 0) return Record(RS232_TIMEOUT);
    return static_cast<unsigned char>(c);
}

int FlushInQ(int port) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    p->pending.clear();
    p->taken = 0;
    p->device->PurgeInput();
    return Record(RS232_NO_ERROR);
}

int FlushOutQ(int port) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    p->device->PurgeOutput();
    return Record(RS232_NO_ERROR);
}

int SetComTime(int port, double seconds) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    if (!(seconds > 0.0)) return Record(RS232_INVALID_PARAMETER);
    p->settings.timeoutSeconds = seconds;
    return Record(RS232_NO_ERROR);
}

bool GetComSettings(int port, ComSettings& settings) {
    if (!IsComOpen(port)) return false;
    settings = Ports()[port]->settings;
    return true;
}

int SetXMode(int port, int on) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    if (!p->device->SetXonXoff(on != 0)) return Record(RS232_INVALID_PARAMETER);
    p->settings.xonXoff = on != 0;
    return Record(RS232_NO_ERROR);
}

int ReturnRS232Err() {
    return lastError;
}

bool IsComOpen(int port) {
    auto found = Ports().find(port);
    return found != Ports().end() && found->second->device->IsOpen();
}

bool ComPortLost(int port) {
    auto found = Ports().find(port);
    if (found == Ports().end()) return true;
    return found->second->device->Vanished();
}

void CloseAllComForTesting() {
    Ports().clear();
    lastError = RS232_NO_ERROR;
}

ComTraffic ComTrafficSoFar() {
    return traffic;
}
