// Paths on Unix are bytes: the program's UTF-8 goes to the system unchanged.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/system/native_files.h"

std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

PathKind KindOfPath(const std::string& utf8Path, long long& size) {
    size = 0;
    struct stat info {};
    if (::stat(utf8Path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? PathKind::Missing : PathKind::Unreadable;
    if (S_ISDIR(info.st_mode)) return PathKind::Folder;
    if (!S_ISREG(info.st_mode)) return PathKind::Other;
    size = static_cast<long long>(info.st_size);
    return PathKind::File;
}

bool DeleteNativeFile(const std::string& utf8Path) {
    long long size = 0;
    return KindOfPath(utf8Path, size) == PathKind::File && ::unlink(utf8Path.c_str()) == 0;
}
