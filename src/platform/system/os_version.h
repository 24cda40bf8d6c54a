// The running system's own version, from the per-platform file
// (os_version_unix.cpp, later os_version_win.cpp). 0 on success.
#pragma once

#include "platform/system/system.h"

int SystemVersion(int& major, int& minor, int& build);
// The system this build runs on.
OperatingSystem ThisSystem();
