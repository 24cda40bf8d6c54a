// The serial device on Windows: \\.\COMn opened with CreateFileW and used in
// blocking fashion on the calling thread. Every ReadFile returns as soon as a
// byte is there or after the caller's short slice. A device that went away (a
// USB bridge pulled) makes ReadFile, WriteFile and ClearCommError fail: the
// port is then lost, which a read that merely timed out never makes it.
// Windows' word that the device is going or gone closes the handle at once.
#include <windows.h>

#include <algorithm>
#include <memory>

#include "platform/serial/removal_watch_win.h"
#include "platform/serial/serial.h"
#include "platform/serial/serial_device.h"
#include "platform/system/win32.h"

namespace {

// Slice of the reads between two of the caller's waits (writes included).
constexpr DWORD SLICE_MS = 20;

bool ApplyLineSettings(HANDLE handle, long baudRate, int parity, int dataBits, int stopBits) {
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

class Win32SerialDevice final : public SerialDevice {
   public:
    explicit Win32SerialDevice(HANDLE handle)
        : handle_(handle), watch_(std::make_unique<RemovalWatch>(handle, [this] { Drop(); })) {}
    ~Win32SerialDevice() override {
        watch_.reset();  // stops listening before the handle goes
        Drop();
    }
    Win32SerialDevice(const Win32SerialDevice&) = delete;
    Win32SerialDevice& operator=(const Win32SerialDevice&) = delete;

    // False once the device's removal closed the handle.
    bool IsOpen() const override { return handle_ != nullptr; }

    bool Configure(long baudRate, int parity, int dataBits, int stopBits,
                   int writeTimeoutMs) override {
        if (!ApplyLineSettings(handle_, baudRate, parity, dataBits, stopBits) ||
            !SetTimeouts(SLICE_MS, static_cast<DWORD>(writeTimeoutMs)))
            return false;
        PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
        return true;
    }

    int WriteByte(char byte, int timeoutMs) override {
        if (!SetTimeouts(timeouts_.ReadTotalTimeoutConstant, static_cast<DWORD>(timeoutMs))) {
            lost_ = true;
            return RS232_WRITE_FAILED;
        }
        DWORD n = 0;
        if (!WriteFile(handle_, &byte, 1, &n, nullptr)) {
            lost_ = true;
            return RS232_WRITE_FAILED;
        }
        if (n != 1) return RS232_TIMEOUT;  // held back (XOFF) past the time-out
        return RS232_NO_ERROR;
    }

    // A read of one byte ends the wait as soon as the first byte is there;
    // what came with it is then taken without waiting. A larger read would do
    // the same on Windows, but Wine takes these time-outs as a plain total one
    // and holds every read for its whole slice, so that the end of each answer
    // would be seen a slice late.
    bool WaitForBytes(int ms, std::string& arrived) override {
        if (!SetTimeouts(static_cast<DWORD>(ms), timeouts_.WriteTotalTimeoutConstant)) {
            lost_ = true;
            return false;
        }
        char first = 0;
        DWORD n = 0;
        if (!ReadFile(handle_, &first, 1, &n, nullptr)) {
            lost_ = true;
            return false;
        }
        if (n == 0) return true;
        arrived.push_back(first);
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors, &status)) {
            lost_ = true;
            return true;  // the byte that came is the caller's; the loss shows at the next call
        }
        if (status.cbInQue == 0) return true;
        char chunk[4096];
        if (!ReadFile(handle_, chunk, std::min<DWORD>(status.cbInQue, sizeof chunk), &n, nullptr)) {
            lost_ = true;
            return true;
        }
        arrived.append(chunk, n);
        return true;
    }

    void PurgeInput() override { PurgeComm(handle_, PURGE_RXCLEAR); }
    void PurgeOutput() override { PurgeComm(handle_, PURGE_TXCLEAR); }

    bool SetXonXoff(bool on) override {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        bool ok = GetCommState(handle_, &dcb) != 0;
        dcb.fOutX = dcb.fInX = on ? TRUE : FALSE;
        return ok && SetCommState(handle_, &dcb) != 0;
    }

    bool Vanished() override {
        if (lost_) return true;
        // Asks the driver without reading: a removed device fails the call.
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(handle_, &errors, &status)) lost_ = true;
        return lost_;
    }

   private:
    // Closes the handle; every later call on it fails, so the port is lost.
    void Drop() {
        if (handle_ != nullptr) CloseHandle(handle_);
        handle_ = nullptr;
        lost_ = true;
    }

    // Reads return what is there at once, else wait at most `readMs` for a
    // first byte; writes wait at most `writeMs`. The driver is told only of a
    // change: every call is a round trip to it, and the reads and writes
    // mostly keep the same time-outs from one byte to the next.
    bool SetTimeouts(DWORD readMs, DWORD writeMs) {
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        t.ReadTotalTimeoutMultiplier = MAXDWORD;
        t.ReadTotalTimeoutConstant = std::max<DWORD>(readMs, 1);
        t.WriteTotalTimeoutConstant = writeMs;
        if (timeoutsSet_ && t.ReadTotalTimeoutConstant == timeouts_.ReadTotalTimeoutConstant &&
            t.WriteTotalTimeoutConstant == timeouts_.WriteTotalTimeoutConstant)
            return true;
        timeoutsSet_ = SetCommTimeouts(handle_, &t) != 0;
        if (timeoutsSet_) timeouts_ = t;
        return timeoutsSet_;
    }

    HANDLE handle_;
    COMMTIMEOUTS timeouts_{};  // as the driver has them once timeoutsSet_
    bool timeoutsSet_ = false;
    bool lost_ = false;  // the device failed a call or was removed: unplugged or gone
    std::unique_ptr<RemovalWatch> watch_;
};

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& devicePath, int& status) {
    const HANDLE handle = CreateFileW(Utf16(devicePath).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? RS232_INVALID_PORT
                                                                                : RS232_CANNOT_OPEN;
        return nullptr;
    }
    status = RS232_NO_ERROR;
    return std::make_unique<Win32SerialDevice>(handle);
}

void KeepWindowPainted() {
    ProcessPaintAndTimerMessages();
}
