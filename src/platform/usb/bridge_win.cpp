// The bridges present on Windows: the USB devices of vendor 0x10C4 that the
// system lists as present now (SetupAPI with DIGCF_PRESENT; the registry keeps
// entries of bridges unplugged long ago, which must not count), each with the
// COM number from its own PortName, in the order of their COM numbers.
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>

#include "platform/system/win32.h"
#include "platform/usb/bridge.h"
#include "platform/usb/present_bridges.h"

namespace {

// The COM number of the device's "PortName" value ("COM7" gives 7), -1 when none.
int PortNumberOf(HDEVINFO devices, SP_DEVINFO_DATA& device) {
    const HKEY key =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_QUERY_VALUE);
    if (key == INVALID_HANDLE_VALUE) return -1;
    wchar_t name[32] = {};
    DWORD size = sizeof name - sizeof(wchar_t);
    DWORD type = 0;
    const LONG status = RegQueryValueExW(key, L"PortName", nullptr, &type,
                                         reinterpret_cast<BYTE*>(name), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return -1;
    int port = -1;
    wchar_t rest = 0;
    if (std::swscanf(name, L"COM%d%lc", &port, &rest) != 1 || port < 1) return -1;
    return port;
}

// Reads "USB\VID_10C4&PID_EA60\0001" into the ids and the serial number (the
// instance's last part). For a bridge that reports no serial number Windows
// makes up an instance name with "&" in it ("5&2A1B3C4D&0&2"): no serial.
bool ParseInstanceId(const std::wstring& id, BridgeDevice& device) {
    unsigned vid = 0, pid = 0;
    wchar_t upper[512];
    const std::size_t n = std::min<std::size_t>(id.size(), 511);
    for (std::size_t i = 0; i < n; ++i) upper[i] = static_cast<wchar_t>(towupper(id[i]));
    upper[n] = 0;
    if (std::swscanf(upper, L"USB\\VID_%4x&PID_%4x", &vid, &pid) != 2) return false;
    const auto last = id.find_last_of(L'\\');
    if (last == std::wstring::npos || last + 1 >= id.size()) return false;
    device.vid = static_cast<uint16_t>(vid);
    device.pid = static_cast<uint16_t>(pid);
    device.serial = Utf8(id.substr(last + 1));
    if (device.serial.find('&') != std::string::npos) device.serial.clear();
    if (device.serial.size() > static_cast<std::size_t>(CP210x_MAX_SERIAL_STRLEN))
        device.serial.resize(CP210x_MAX_SERIAL_STRLEN);
    return true;
}

}  // namespace

std::vector<BridgeDevice> PresentBridges() {
    std::vector<BridgeDevice> bridges;
    const HDEVINFO devices =
        SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES);
    if (devices == INVALID_HANDLE_VALUE) return bridges;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        wchar_t id[512];
        if (!SetupDiGetDeviceInstanceIdW(devices, &device, id, 512, nullptr)) continue;
        BridgeDevice bridge;
        if (!ParseInstanceId(id, bridge) || bridge.vid != CP210x_VENDOR_ID) continue;
        bridge.comPort = PortNumberOf(devices, device);
        bridges.push_back(bridge);
    }
    SetupDiDestroyDeviceInfoList(devices);
    std::stable_sort(bridges.begin(), bridges.end(), [](const BridgeDevice& a, const BridgeDevice& b) {
        return static_cast<unsigned>(a.comPort) < static_cast<unsigned>(b.comPort);
    });
    return bridges;
}
