// The system version on Unix: the running kernel's release.
#include <sys/utsname.h>

#include <cstdio>

#include "platform/system/os_version.h"

int SystemVersion(int& major, int& minor, int& build) {
    struct utsname names {};
    if (::uname(&names) != 0) return -1;
    // The kernel release reads "major.minor.patch-flavour".
    if (std::sscanf(names.release, "%d.%d.%d", &major, &minor, &build) < 2) {
        major = minor = build = 0;
        return -1;
    }
    return 0;
}

OperatingSystem ThisSystem() {
    return OperatingSystem::Linux;
}
