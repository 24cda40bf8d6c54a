// Paths as the system takes them. The program keeps every path as UTF-8
// text; the system wants its own form (the same bytes on Linux, UTF-16 in the
// long form on Windows), so every file the platform layer opens, looks at,
// renames or removes goes through here.
#pragma once

#include <cstdio>
#include <string>

// std::fopen of a UTF-8 path (`mode` as std::fopen takes it); nullptr on failure.
std::FILE* OpenNativeFile(const std::string& utf8Path, const char* mode);
// Renames `from` to `to`, replacing `to` when it exists; true on success.
bool RenameReplacing(const std::string& from, const std::string& to);

// What is at a path: nothing, a plain file (with its size), a folder, something
// else (a device, a pipe), or what the system does not tell (Unreadable).
enum class PathKind { Missing, File, Folder, Other, Unreadable };
PathKind KindOfPath(const std::string& utf8Path, long long& size);
// Removes a file (never a folder); true on success.
bool DeleteNativeFile(const std::string& utf8Path);
