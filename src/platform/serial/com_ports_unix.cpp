#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "platform/serial/com_ports.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"

namespace {

const char* const kUsbSerialPrefix = "/dev/ttyUSB";

std::string Canonical(const std::string& path) {
    const QString canonical = QFileInfo(QString::fromStdString(path)).canonicalFilePath();
    return canonical.toStdString();  // empty when the path (or a link's target) is missing
}

}  // namespace

std::string DosDevicesDirectory() {
    std::string dir;
    GetProjectDir(dir);
    return dir + "/dosdevices";
}

std::string ComPortLinkPath(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) return {};
    return DosDevicesDirectory() + "/com" + std::to_string(port);
}

int ComPortDevice(int port, std::string& devicePath) {
    devicePath.clear();
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) return RS232_INVALID_PORT;
    const std::string link = ComPortLinkPath(port);
    const QFileInfo linkInfo(QString::fromStdString(link));
    std::string target;
    if (linkInfo.isSymLink() || linkInfo.exists()) {
        // A declared port whose device has gone is as absent as an unplugged one.
        target = Canonical(link);
    } else {
        target = Canonical(kUsbSerialPrefix + std::to_string(port - 1));
    }
    if (target.empty()) return RS232_INVALID_PORT;
    devicePath = target;
    return 0;
}

int ComPortOfDevice(const std::string& devicePath) {
    const std::string wanted = Canonical(devicePath);
    if (wanted.empty()) return -1;
    const QDir dir(QString::fromStdString(DosDevicesDirectory()));
    static const QRegularExpression linkName(QStringLiteral("^com([0-9]+)$"));
    int best = -1;
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const auto match = linkName.match(entry.fileName());
        if (!match.hasMatch()) continue;
        const int n = match.captured(1).toInt();
        if (n < RS232_FIRST_PORT || n > RS232_LAST_PORT) continue;
        if (Canonical(entry.absoluteFilePath().toStdString()) != wanted) continue;
        if (best < 0 || n < best) best = n;
    }
    if (best > 0) return best;
    static const QRegularExpression usbName(QStringLiteral("^/dev/ttyUSB([0-9]+)$"));
    const auto match = usbName.match(QString::fromStdString(wanted));
    if (match.hasMatch()) {
        const int n = match.captured(1).toInt() + 1;
        if (n >= RS232_FIRST_PORT && n <= RS232_LAST_PORT) {
            // Only when COM n is not declared as something else.
            std::string device;
            if (ComPortDevice(n, device) == 0 && device == wanted) return n;
        }
    }
    return -1;
}
