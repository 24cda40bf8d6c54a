// RS-232 services on Windows: \\.\COMn opened with CreateFileW and used in
// blocking fashion on the calling thread. Every ReadFile returns as soon as a
// byte is there or after a short slice (the time-outs below), so the reads
// end at the answer's end, count their own time-outs, and keep the windows
// painted between slices. A device that went away (a USB bridge pulled) makes
// ReadFile, WriteFile and ClearCommError fail: the port is then lost, which
// a read that merely timed out never makes it.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <memory>

#include "platform/serial/com_ports.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

// Longest stretch a waiting read leaves the windows without repainting.
constexpr DWORD SLICE_MS = 20;

struct ComPort {
    HANDLE handle = INVALID_HANDLE_VALUE;
    double timeoutSeconds = 10.0;
    std::deque<char> pending;  // read from the driver, not yet handed out
    bool lost = false;         // the device failed a call: unplugged or gone

    ~ComPort() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

std::map<int, std::unique_ptr<ComPort>>& Ports() {
    static std::map<int, std::unique_ptr<ComPort>> ports;
    return ports;
}

int lastError = RS232_NO_ERROR;

int Record(int code) {
    lastError = code;
    return code;
}

ComPort* OpenPort(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) {
        Record(RS232_INVALID_PORT);
        return nullptr;
    }
    auto found = Ports().find(port);
    if (found == Ports().end()) {
        Record(RS232_PORT_NOT_OPEN);
        return nullptr;
    }
    return found->second.get();
}

ULONGLONG TimeoutMs(const ComPort& p) {
    const double ms = p.timeoutSeconds * TimeScale() * 1000.0;
    return static_cast<ULONGLONG>(std::clamp(std::llround(ms), 1LL, 3600LL * 1000LL));
}

bool ApplyLineSettings(HANDLE handle, long baudRate, int parity, int dataBits, int stopBits) {
    if (parity != NO_PARITY && parity != ODD_PARITY && parity != EVEN_PARITY) return false;
    if (dataBits < 5 || dataBits > 8 || (stopBits != 1 && stopBits != 2) || baudRate <= 0)
        return false;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb)) return false;
    dcb.BaudRate = static_cast<DWORD>(baudRate);
    dcb.fBinary = TRUE;
    dcb.fParity = parity != NO_PARITY;
    dcb.Parity = parity == ODD_PARITY ? ODDPARITY : parity == EVEN_PARITY ? EVENPARITY : NOPARITY;
    dcb.ByteSize = static_cast<BYTE>(dataBits);
    dcb.StopBits = stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = dcb.fInX = FALSE;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    dcb.XonLim = 512;
    dcb.XoffLim = 512;
    dcb.fErrorChar = dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(handle, &dcb) != 0;
}

// Reads return what is there at once, else wait at most `ms` for a first byte.
bool SetReadSlice(HANDLE handle, DWORD ms, DWORD writeMs) {
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = MAXDWORD;
    t.ReadTotalTimeoutConstant = std::max<DWORD>(ms, 1);
    t.WriteTotalTimeoutConstant = writeMs;
    return SetCommTimeouts(handle, &t) != 0;
}

// Moves what the driver holds (waiting up to `ms` for the first byte) into
// `pending`; false when the device has gone.
bool Fill(ComPort& p, DWORD ms) {
    if (!SetReadSlice(p.handle, ms, static_cast<DWORD>(TimeoutMs(p)))) {
        p.lost = true;
        return false;
    }
    char chunk[4096];
    DWORD n = 0;
    if (!ReadFile(p.handle, chunk, sizeof chunk, &n, nullptr)) {
        p.lost = true;
        return false;
    }
    p.pending.insert(p.pending.end(), chunk, chunk + n);
    return true;
}

// Reads until `count` bytes, the terminator (when >= 0) or the deadline
// counted from the call. Records RS232_TIMEOUT when it ends short.
int ReadBytes(int port, char* buffer, std::size_t count, int terminator) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const ULONGLONG deadline = GetTickCount64() + TimeoutMs(*p);
    std::size_t n = 0;
    while (n < count) {
        if (p->pending.empty()) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) break;
            if (!Fill(*p, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, SLICE_MS)))) break;
            ProcessPaintAndTimerMessages();
            continue;
        }
        const char c = p->pending.front();
        p->pending.pop_front();
        if (terminator >= 0 && static_cast<unsigned char>(c) == terminator) {
            Record(RS232_NO_ERROR);
            return static_cast<int>(n);
        }
        buffer[n++] = c;
    }
    Record(n < count ? RS232_TIMEOUT : RS232_NO_ERROR);
    return static_cast<int>(n);
}

}  // namespace

int OpenComConfig(int port, const std::string& /*deviceName*/, long baudRate, int parity,
                  int dataBits, int stopBits, int /*inputQueueSize*/, int /*outputQueueSize*/) {
    std::string device;
    const int status = ComPortDevice(port, device);
    if (status < 0) return Record(status);
    Ports().erase(port);  // reopening closes first
    auto p = std::make_unique<ComPort>();
    p->handle = CreateFileW(Utf16(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    if (p->handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return Record(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                          ? RS232_INVALID_PORT
                          : RS232_CANNOT_OPEN);
    }
    if (!ApplyLineSettings(p->handle, baudRate, parity, dataBits, stopBits) ||
        !SetReadSlice(p->handle, SLICE_MS, static_cast<DWORD>(TimeoutMs(*p)))) {
        return Record(RS232_INVALID_PARAMETER);
    }
    PurgeComm(p->handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
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
    const char c = static_cast<char>(byte & 0xFF);
    DWORD n = 0;
    SetReadSlice(p->handle, SLICE_MS, static_cast<DWORD>(TimeoutMs(*p)));
    if (!WriteFile(p->handle, &c, 1, &n, nullptr)) {
        p->lost = true;
        return Record(RS232_WRITE_FAILED);
    }
    if (n != 1) return Record(RS232_TIMEOUT);  // held back (XOFF) past the time-out
    Record(RS232_NO_ERROR);
    return 1;
}

int ComRd(int port, char* buffer, std::size_t count) { return ReadBytes(port, buffer, count, -1); }

int ComRdTerm(int port, char* buffer, std::size_t count, int terminator) {
    return ReadBytes(port, buffer, count, terminator & 0xFF);
}

int ComRdUntil(int port, char* buffer, std::size_t count, const AnswerComplete& complete) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const ULONGLONG silence = TimeoutMs(*p);
    ULONGLONG deadline = GetTickCount64() + silence;
    std::size_t n = 0;
    while (n < count) {
        if (p->pending.empty()) {
            const ULONGLONG now = GetTickCount64();
            if (now >= deadline) break;
            if (!Fill(*p, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, SLICE_MS)))) break;
            ProcessPaintAndTimerMessages();
            continue;
        }
        buffer[n++] = p->pending.front();
        p->pending.pop_front();
        deadline = GetTickCount64() + silence;  // the silence counts from the last byte
        if (complete && complete(buffer, n)) {
            Record(RS232_NO_ERROR);
            return static_cast<int>(n);
        }
    }
    Record(n < count ? RS232_TIMEOUT : RS232_NO_ERROR);
    return static_cast<int>(n);
}

int ComRdByte(int port) {
    char c = 0;
    const int n = ReadBytes(port, &c, 1, -1);
    if (n < 0) return n;
    if (n == 0) return Record(RS232_TIMEOUT);
    return static_cast<unsigned char>(c);
}

int FlushInQ(int port) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    p->pending.clear();
    PurgeComm(p->handle, PURGE_RXCLEAR);
    return Record(RS232_NO_ERROR);
}

int FlushOutQ(int port) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    PurgeComm(p->handle, PURGE_TXCLEAR);
    return Record(RS232_NO_ERROR);
}

int SetComTime(int port, double seconds) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    if (!(seconds > 0.0)) return Record(RS232_INVALID_PARAMETER);
    p->timeoutSeconds = seconds;
    return Record(RS232_NO_ERROR);
}

int SetXMode(int port, int on) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    bool ok = GetCommState(p->handle, &dcb) != 0;
    dcb.fOutX = dcb.fInX = on ? TRUE : FALSE;
    ok = ok && SetCommState(p->handle, &dcb) != 0;
    return Record(ok ? RS232_NO_ERROR : RS232_INVALID_PARAMETER);
}

int ReturnRS232Err() { return lastError; }

bool IsComOpen(int port) { return Ports().count(port) == 1; }

bool ComPortLost(int port) {
    auto found = Ports().find(port);
    if (found == Ports().end()) return true;
    ComPort& p = *found->second;
    if (p.lost) return true;
    // Asks the driver without reading: a removed device fails the call.
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(p.handle, &errors, &status)) p.lost = true;
    return p.lost;
}

void CloseAllComForTesting() {
    Ports().clear();
    lastError = RS232_NO_ERROR;
}
