// What the Windows files of the platform layer share: the program's UTF-8
// text as the UTF-16 every Windows call takes, and back; and the window
// messages a wait lets through.
#pragma once

#include <string>

// UTF-8 to UTF-16; invalid bytes become U+FFFD, as Windows converts them.
std::wstring Utf16(const std::string& utf8);
// UTF-16 to UTF-8.
std::string Utf8(const std::wstring& utf16);
// The path every Windows file call of the program takes: absolute (a relative
// path is completed from the current directory), "/" turned into "\", "." and
// ".." resolved, and in the long form "\\?\C:\..." or "\\?\UNC\server\share\...",
// so a folder below a long OneDrive path works past the 260 characters of
// the old limit. A device or an already long path ("\\.\COM7", "\\?\...") is
// kept as it is.
std::wstring SystemFilePath(const std::string& utf8);
// Hands pending painting and timer messages of this thread's windows to them,
// and nothing else: the user's clicks and keys stay queued for the program's
// own polls, so no callback runs in the middle of a wait.
void ProcessPaintAndTimerMessages();
