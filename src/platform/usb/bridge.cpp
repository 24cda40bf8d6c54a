#include "platform/usb/bridge.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <sstream>

#include "platform/serial/com_ports.h"

namespace {

std::vector<BridgeDevice> snapshot;  // the list of the last CP210x_GetNumDevices
std::map<CP210x_HANDLE, std::size_t> openDevices;
CP210x_HANDLE nextHandle = 1;

std::vector<BridgeDevice> PluggedBridges() {
    std::vector<QSerialPortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.hasVendorIdentifier() && info.vendorIdentifier() == CP210x_VENDOR_ID)
            ports.push_back(info);
    }
    std::sort(ports.begin(), ports.end(), [](const QSerialPortInfo& a, const QSerialPortInfo& b) {
        return a.systemLocation() < b.systemLocation();
    });
    std::vector<BridgeDevice> devices;
    for (const QSerialPortInfo& info : ports) {
        BridgeDevice d;
        d.vid = info.vendorIdentifier();
        d.pid = info.hasProductIdentifier() ? info.productIdentifier() : 0;
        d.serial = info.serialNumber().toStdString();
        d.comPort = ComPortOfDevice(info.systemLocation().toStdString());
        devices.push_back(d);
    }
    return devices;
}

std::vector<BridgeDevice> DeclaredBridges() {
    static const QRegularExpression declarationName(QStringLiteral("^com([0-9]+)\\.usb$"));
    std::map<int, BridgeDevice> byPort;  // ordered by COM number
    const QDir dir(QString::fromStdString(DosDevicesDirectory()));
    for (const QFileInfo& entry : dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        const auto match = declarationName.match(entry.fileName());
        if (!match.hasMatch()) continue;
        const int port = match.captured(1).toInt();
        std::string device;
        if (ComPortDevice(port, device) != 0) continue;
        QFile file(entry.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly)) continue;
        const std::string line = file.readLine(512).toStdString();
        BridgeDevice d;
        if (!ParseBridgeDeclaration(line, d)) continue;
        d.comPort = port;
        byPort[port] = d;
    }
    std::vector<BridgeDevice> devices;
    for (const auto& [port, d] : byPort) devices.push_back(d);
    return devices;
}

const BridgeDevice* Device(CP210x_HANDLE handle) {
    const auto found = openDevices.find(handle);
    if (found == openDevices.end() || found->second >= snapshot.size()) return nullptr;
    return &snapshot[found->second];
}

}  // namespace

bool ParseBridgeDeclaration(const std::string& line, BridgeDevice& device) {
    std::istringstream in(line);
    std::string vid, pid;
    if (!(in >> vid >> pid)) return false;
    const auto hex16 = [](const std::string& text, uint16_t& value) {
        if (text.empty() || text.size() > 4) return false;
        for (char c : text)
            if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        value = static_cast<uint16_t>(std::stoul(text, nullptr, 16));
        return true;
    };
    if (!hex16(vid, device.vid) || !hex16(pid, device.pid)) return false;
    std::string serial;
    std::getline(in, serial);
    const auto first = serial.find_first_not_of(" \t\r\n");
    const auto last = serial.find_last_not_of(" \t\r\n");
    // A bridge that reports no serial number is declared without one.
    serial = first == std::string::npos ? "" : serial.substr(first, last - first + 1);
    if (serial.size() > static_cast<std::size_t>(CP210x_MAX_SERIAL_STRLEN)) return false;
    device.serial = serial;
    return true;
}

std::vector<BridgeDevice> ListBridgeDevices() {
    std::vector<BridgeDevice> devices = PluggedBridges();
    for (const BridgeDevice& d : DeclaredBridges()) devices.push_back(d);
    return devices;
}

int CP210x_GetNumDevices(unsigned long* numDevices) {
    if (numDevices == nullptr) return CP210x_INVALID_PARAMETER;
    snapshot = ListBridgeDevices();
    openDevices.clear();
    *numDevices = static_cast<unsigned long>(snapshot.size());
    return CP210x_SUCCESS;
}

int CP210x_Open(unsigned long deviceIndex, CP210x_HANDLE* handle) {
    if (handle == nullptr) return CP210x_INVALID_PARAMETER;
    if (deviceIndex >= snapshot.size()) return CP210x_DEVICE_NOT_FOUND;
    *handle = nextHandle++;
    openDevices[*handle] = deviceIndex;
    return CP210x_SUCCESS;
}

int CP210x_Close(CP210x_HANDLE handle) {
    return openDevices.erase(handle) == 1 ? CP210x_SUCCESS : CP210x_INVALID_HANDLE;
}

int CP210x_GetDeviceVid(CP210x_HANDLE handle, uint16_t* vid) {
    const BridgeDevice* d = Device(handle);
    if (d == nullptr) return CP210x_INVALID_HANDLE;
    if (vid == nullptr) return CP210x_INVALID_PARAMETER;
    *vid = d->vid;
    return CP210x_SUCCESS;
}

int CP210x_GetDevicePid(CP210x_HANDLE handle, uint16_t* pid) {
    const BridgeDevice* d = Device(handle);
    if (d == nullptr) return CP210x_INVALID_HANDLE;
    if (pid == nullptr) return CP210x_INVALID_PARAMETER;
    *pid = d->pid;
    return CP210x_SUCCESS;
}

int CP210x_GetDeviceSerialNumber(CP210x_HANDLE handle, char* buffer, uint8_t* length,
                                 bool isAscii) {
    const BridgeDevice* d = Device(handle);
    if (d == nullptr) return CP210x_INVALID_HANDLE;
    if (buffer == nullptr || length == nullptr || !isAscii) return CP210x_INVALID_PARAMETER;
    const std::size_t n = std::min<std::size_t>(d->serial.size(), CP210x_MAX_SERIAL_STRLEN);
    std::memcpy(buffer, d->serial.data(), n);
    *length = static_cast<uint8_t>(n);
    return CP210x_SUCCESS;
}

int GetBridgeComPort(CP210x_HANDLE handle, int* comPort) {
    const BridgeDevice* d = Device(handle);
    if (d == nullptr) return CP210x_INVALID_HANDLE;
    if (comPort == nullptr) return CP210x_INVALID_PARAMETER;
    if (d->comPort < 1) return CP210x_DEVICE_NOT_FOUND;
    *comPort = d->comPort;
    return CP210x_SUCCESS;
}
