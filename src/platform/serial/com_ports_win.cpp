// COM numbers on Windows are the system's own: COM n is \\.\COMn, present
// when the system has a device of that name.
#include <windows.h>

#include <cstdlib>

#include "platform/serial/com_ports.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"

std::string DosDevicesDirectory() {
    std::string dir;
    GetProjectDir(dir);
    return dir + "\\dosdevices";
}

std::string ComPortLinkPath(int port) {
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) return {};
    return DosDevicesDirectory() + "\\com" + std::to_string(port);
}

int ComPortDevice(int port, std::string& devicePath) {
    devicePath.clear();
    if (port < RS232_FIRST_PORT || port > RS232_LAST_PORT) return RS232_INVALID_PORT;
    const std::wstring name = L"COM" + std::to_wstring(port);
    // The \\.\ form reaches COM10 and above too.
    const std::wstring device = L"\\\\.\\" + name;
    wchar_t target[1024];
    if (QueryDosDeviceW(name.c_str(), target, 1024) == 0) {
        // Wine names only the ports of its own set-up; a port linked into the
        // prefix (dosdevices/comN) shows only when asked for. Query access
        // reads nothing and sets nothing on the line; a port in use elsewhere
        // still exists.
        const HANDLE probe = CreateFileW(device.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (probe == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
                return RS232_INVALID_PORT;
        } else {
            CloseHandle(probe);
        }
    }
    devicePath = Utf8(device);
    return 0;
}

int ComPortOfDevice(const std::string& devicePath) {
    std::string name = devicePath;
    if (name.rfind("\\\\.\\", 0) == 0) name = name.substr(4);
    if (name.size() < 4 || (name.compare(0, 3, "COM") != 0 && name.compare(0, 3, "com") != 0))
        return -1;
    char* end = nullptr;
    const long n = std::strtol(name.c_str() + 3, &end, 10);
    if (end == name.c_str() + 3 || *end != '\0' || n < RS232_FIRST_PORT || n > RS232_LAST_PORT)
        return -1;
    std::string device;
    return ComPortDevice(static_cast<int>(n), device) == 0 ? static_cast<int>(n) : -1;
}
