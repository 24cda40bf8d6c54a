// The running system's own version, from the per-platform file
// (os_version_unix.cpp, later os_version_win.cpp). 0 on success.
#pragma once

int SystemVersion(int& major, int& minor, int& build);
