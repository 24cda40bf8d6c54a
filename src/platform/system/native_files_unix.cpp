// Paths on Unix are bytes: the program's UTF-8 goes to the system unchanged.
#include <cstdio>

#include "platform/system/native_files.h"

std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode) {
    return std::fopen(utf8Path.c_str(), mode);
}

bool RenameReplacing(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
