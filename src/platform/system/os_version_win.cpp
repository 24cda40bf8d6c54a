// The Windows version. GetVersionEx answers what the executable's manifest
// allows (8 or older without one); RtlGetVersion answers the truth, so
// Windows 10 and 11 read as 10.0 with their build number (11 from build 22000).
#include <windows.h>

#include "platform/system/os_version.h"

int SystemVersion(int& major, int& minor, int& build) {
    using RtlGetVersionCall = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return -1;
    const auto call = reinterpret_cast<RtlGetVersionCall>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (call == nullptr) return -1;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (call(&info) != 0) return -1;
    major = static_cast<int>(info.dwMajorVersion);
    minor = static_cast<int>(info.dwMinorVersion);
    build = static_cast<int>(info.dwBuildNumber);
    return 0;
}

OperatingSystem ThisSystem() { return OperatingSystem::Windows; }
