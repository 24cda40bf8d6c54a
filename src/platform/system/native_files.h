// Paths as the system takes them. The program keeps every path as UTF-8
// text; the system wants its own form (the same bytes on Linux, UTF-16 on
// Windows), so every file the platform layer opens goes through here.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

// The path for std::filesystem and the streams, decoded from UTF-8; an empty
// path when the text is not UTF-8.
std::filesystem::path NativePath(const std::string& utf8);
// std::fopen of a UTF-8 path (`mode` as std::fopen takes it); nullptr on failure.
std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode);
// Renames `from` to `to`, replacing `to` when it exists; true on success.
bool RenameReplacing(const std::string& from, const std::string& to);
