// Paths on Windows: UTF-16 at every call, so a folder such as
// C:\Users\Zoë\Documents\Données is reached whatever the system's code page,
// and in the long form, so a folder below a long OneDrive path is too.
#include <windows.h>

#include <cstdio>

#include "platform/system/native_files.h"
#include "platform/system/win32.h"

std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode) {
    if (utf8Path.empty()) return nullptr;
    return ::_wfopen(SystemFilePath(utf8Path).c_str(), Utf16(mode).c_str());
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return MoveFileExW(SystemFilePath(from).c_str(), SystemFilePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING) != 0;
}

PathKind KindOfPath(const std::string& utf8Path, long long& size) {
    size = 0;
    if (utf8Path.empty()) return PathKind::Missing;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(SystemFilePath(utf8Path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_INVALID_NAME
                   ? PathKind::Missing
                   : PathKind::Unreadable;
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return PathKind::Folder;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return PathKind::Other;
    size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return PathKind::File;
}

bool DeleteNativeFile(const std::string& utf8Path) {
    long long size = 0;
    return KindOfPath(utf8Path, size) == PathKind::File &&
           DeleteFileW(SystemFilePath(utf8Path).c_str()) != 0;
}
