// The bridges present on Linux: the USB serial ports of vendor 0x10C4 as Qt
// lists them, then the bridges declared in the program directory.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <algorithm>
#include <map>

#include "platform/serial/com_ports.h"
#include "platform/usb/bridge.h"
#include "platform/usb/present_bridges.h"

namespace {

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

}  // namespace

std::vector<BridgeDevice> PresentBridges() {
    std::vector<BridgeDevice> devices = PluggedBridges();
    for (const BridgeDevice& d : DeclaredBridges()) devices.push_back(d);
    return devices;
}
