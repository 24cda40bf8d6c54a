// RS-232 services over QSerialPort in blocking use: every call waits on the
// port itself (waitForReadyRead / waitForBytesWritten) and never needs the
// event loop, so the callers' literal time-outs hold. ComRdUntil waits in short
// slices and lets the window repaint between them.
#include "platform/serial/serial.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSerialPort>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

#include "platform/serial/com_ports.h"
#include "platform/serial/hang_up.h"
#include "platform/system/system.h"

namespace {

struct ComPort {
    QSerialPort serial;
    double timeoutSeconds = 10.0;
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

// The open port behind `port`, or nullptr with the code recorded.
ComPort* OpenPort(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) {
        Record(RS232_INVALID_PORT);
        return nullptr;
    }
    auto found = Ports().find(port);
    if (found == Ports().end() || !found->second->serial.isOpen()) {
        Record(RS232_PORT_NOT_OPEN);
        return nullptr;
    }
    return found->second.get();
}

int TimeoutMs(const ComPort& p) {
    const double ms = p.timeoutSeconds * TimeScale() * 1000.0;
    return static_cast<int>(std::clamp(std::lround(ms), 1L, 3600L * 1000L));
}

int OpenFailureCode(QSerialPort::SerialPortError error) {
    // Lack of permission and a lock held elsewhere are both "busy" to callers.
    return error == QSerialPort::DeviceNotFoundError ? RS232_INVALID_PORT : RS232_CANNOT_OPEN;
}

bool ApplyLineSettings(QSerialPort& serial, long baudRate, int parity, int dataBits, int stopBits) {
    QSerialPort::Parity parityMode = QSerialPort::NoParity;
    if (parity == ODD_PARITY)
        parityMode = QSerialPort::OddParity;
    else if (parity == EVEN_PARITY)
        parityMode = QSerialPort::EvenParity;
    else if (parity != NO_PARITY)
        return false;
    if (dataBits < 5 || dataBits > 8 || (stopBits != 1 && stopBits != 2) || baudRate <= 0)
        return false;
    return serial.setBaudRate(static_cast<qint32>(baudRate)) && serial.setParity(parityMode) &&
           serial.setDataBits(static_cast<QSerialPort::DataBits>(dataBits)) &&
           serial.setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
           serial.setFlowControl(QSerialPort::NoFlowControl);
}

// Reads into `buffer` until `count` bytes, the terminator (when >= 0) or the
// deadline. Records RS232_TIMEOUT when it ends short without the terminator.
int ReadBytes(int port, char* buffer, std::size_t count, int terminator) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const QDeadlineTimer deadline(TimeoutMs(*p));
    p->serial.clearError();  // an earlier time-out is no reason to stop this read
    std::size_t n = 0;
    while (n < count) {
        if (p->serial.bytesAvailable() <= 0) {
            if (deadline.hasExpired()) break;
            if (!p->serial.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
                // A device that went away ends the read at once instead of spinning.
                const auto error = p->serial.error();
                if (!p->serial.isOpen() ||
                    (error != QSerialPort::NoError && error != QSerialPort::TimeoutError))
                    break;
            }
            continue;
        }
        char c = 0;
        if (!p->serial.getChar(&c)) break;
        if (terminator >= 0 && static_cast<unsigned char>(c) == terminator) {
            Record(RS232_NO_ERROR);
            return static_cast<int>(n);
        }
        buffer[n++] = c;
    }
    Record(n < count ? RS232_TIMEOUT : RS232_NO_ERROR);
    return static_cast<int>(n);
}

// Longest stretch a waiting read leaves the window without repainting.
constexpr int REPAINT_SLICE_MS = 20;

void KeepWindowPainted() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// Waits up to `ms` for bytes; false when the port can no longer deliver any.
bool WaitForBytes(ComPort& p, int ms) {
    if (p.serial.waitForReadyRead(ms)) return true;
    const auto error = p.serial.error();
    return p.serial.isOpen() &&
           (error == QSerialPort::NoError || error == QSerialPort::TimeoutError);
}

}  // namespace

int OpenComConfig(int port, const std::string& /*deviceName*/, long baudRate, int parity,
                  int dataBits, int stopBits, int /*inputQueueSize*/, int /*outputQueueSize*/) {
    std::string device;
    const int status = ComPortDevice(port, device);
    if (status < 0) return Record(status);
    Ports().erase(port);  // reopening closes first
    auto p = std::make_unique<ComPort>();
    p->serial.setPortName(QString::fromStdString(device));
    if (!p->serial.open(QIODevice::ReadWrite)) return Record(OpenFailureCode(p->serial.error()));
    if (!ApplyLineSettings(p->serial, baudRate, parity, dataBits, stopBits)) {
        p->serial.close();
        return Record(RS232_INVALID_PARAMETER);
    }
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
    if (!p->serial.putChar(static_cast<char>(byte & 0xFF))) return Record(RS232_WRITE_FAILED);
    if (!p->serial.waitForBytesWritten(TimeoutMs(*p)) && p->serial.bytesToWrite() > 0) {
        return Record(RS232_TIMEOUT);
    }
    Record(RS232_NO_ERROR);
    return 1;
}

int ComRd(int port, char* buffer, std::size_t count) {
    return ReadBytes(port, buffer, count, -1);
}

int ComRdTerm(int port, char* buffer, std::size_t count, int terminator) {
    return ReadBytes(port, buffer, count, terminator & 0xFF);
}

int ComRdUntil(int port, char* buffer, std::size_t count, const AnswerComplete& complete) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    const int silence = TimeoutMs(*p);
    QDeadlineTimer deadline(silence);
    QElapsedTimer sincePaint;
    sincePaint.start();
    p->serial.clearError();
    std::size_t n = 0;
    while (n < count) {
        if (sincePaint.elapsed() >= REPAINT_SLICE_MS) {
            KeepWindowPainted();
            sincePaint.restart();
        }
        if (p->serial.bytesAvailable() <= 0) {
            if (deadline.hasExpired()) break;
            const auto slice = std::min<qint64>(deadline.remainingTime(), REPAINT_SLICE_MS);
            if (!WaitForBytes(*p, static_cast<int>(std::max<qint64>(slice, 1)))) break;
            continue;
        }
        char c = 0;
        if (!p->serial.getChar(&c)) break;
        buffer[n++] = c;
        deadline.setRemainingTime(silence);
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
    p->serial.clear(QSerialPort::Input);
    return Record(RS232_NO_ERROR);
}

int FlushOutQ(int port) {
    ComPort* p = OpenPort(port);
    if (p == nullptr) return lastError;
    p->serial.clear(QSerialPort::Output);
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
    const bool ok =
        p->serial.setFlowControl(on ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    return Record(ok ? RS232_NO_ERROR : RS232_INVALID_PARAMETER);
}

int ReturnRS232Err() {
    return lastError;
}

bool IsComOpen(int port) {
    auto found = Ports().find(port);
    return found != Ports().end() && found->second->serial.isOpen();
}

bool ComPortLost(int port) {
    auto found = Ports().find(port);
    if (found == Ports().end() || !found->second->serial.isOpen()) return true;
    return NativeHandleHungUp(static_cast<long long>(found->second->serial.handle()));
}

void CloseAllComForTesting() {
    Ports().clear();
    lastError = RS232_NO_ERROR;
}
