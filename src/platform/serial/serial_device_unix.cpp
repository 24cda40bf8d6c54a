// The serial device over QSerialPort in blocking use: every call waits on the
// port itself (waitForReadyRead / waitForBytesWritten) and never needs the
// event loop, so the callers' literal time-outs hold.
#include <QCoreApplication>
#include <QSerialPort>

#include "platform/serial/hang_up.h"
#include "platform/serial/serial.h"
#include "platform/serial/serial_device.h"

namespace {

class QtSerialDevice final : public SerialDevice {
   public:
    explicit QtSerialDevice(const std::string& devicePath) {
        serial_.setPortName(QString::fromStdString(devicePath));
    }

    // RS232_NO_ERROR, or why the device would not open.
    int Open() {
        if (serial_.open(QIODevice::ReadWrite)) return RS232_NO_ERROR;
        // Lack of permission and a lock held elsewhere are both "busy" to callers.
        return serial_.error() == QSerialPort::DeviceNotFoundError ? RS232_INVALID_PORT
                                                                   : RS232_CANNOT_OPEN;
    }

    bool IsOpen() const override { return serial_.isOpen(); }

    bool Configure(long baudRate, int parity, int dataBits, int stopBits,
                   int /*writeTimeoutMs*/) override {
        const QSerialPort::Parity parityMode = parity == ODD_PARITY    ? QSerialPort::OddParity
                                               : parity == EVEN_PARITY ? QSerialPort::EvenParity
                                                                       : QSerialPort::NoParity;
        return serial_.setBaudRate(static_cast<qint32>(baudRate)) &&
               serial_.setParity(parityMode) &&
               serial_.setDataBits(static_cast<QSerialPort::DataBits>(dataBits)) &&
               serial_.setStopBits(stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
               serial_.setFlowControl(QSerialPort::NoFlowControl);
    }

    int WriteByte(char byte, int timeoutMs) override {
        if (!serial_.putChar(byte)) return RS232_WRITE_FAILED;
        if (!serial_.waitForBytesWritten(timeoutMs) && serial_.bytesToWrite() > 0)
            return RS232_TIMEOUT;
        return RS232_NO_ERROR;
    }

    bool WaitForBytes(int ms, std::string& arrived) override {
        if (serial_.bytesAvailable() <= 0) {
            serial_.clearError();  // an earlier time-out is no reason to stop this read
            if (!serial_.waitForReadyRead(ms)) {
                // A device that went away ends the read at once instead of spinning.
                const auto error = serial_.error();
                if (!serial_.isOpen() ||
                    (error != QSerialPort::NoError && error != QSerialPort::TimeoutError))
                    return false;
            }
        }
        const QByteArray bytes = serial_.readAll();
        arrived.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return true;
    }

    void PurgeInput() override { serial_.clear(QSerialPort::Input); }
    void PurgeOutput() override { serial_.clear(QSerialPort::Output); }

    bool SetXonXoff(bool on) override {
        return serial_.setFlowControl(on ? QSerialPort::SoftwareControl
                                         : QSerialPort::NoFlowControl);
    }

    bool Vanished() override {
        return !serial_.isOpen() || NativeHandleHungUp(static_cast<long long>(serial_.handle()));
    }

   private:
    QSerialPort serial_;
};

}  // namespace

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& devicePath, int& status) {
    auto device = std::make_unique<QtSerialDevice>(devicePath);
    status = device->Open();
    if (status != RS232_NO_ERROR) return nullptr;
    return device;
}

void KeepWindowPainted() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
