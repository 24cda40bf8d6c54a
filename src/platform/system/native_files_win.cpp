// Paths on Windows: UTF-16 at every call, so a folder such as
// C:\Users\Zoë\Documents\Données is reached whatever the system's code page.
#include <windows.h>

#include <cstdio>

#include "platform/system/native_files.h"
#include "platform/system/win32.h"

std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode) {
    if (utf8Path.empty()) return nullptr;
    return ::_wfopen(Utf16(utf8Path).c_str(), Utf16(mode).c_str());
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(Utf16(from).c_str(), Utf16(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}
