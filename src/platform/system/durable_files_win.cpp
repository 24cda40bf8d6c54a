// Files that must survive a crash, on Windows: appends flushed to the disk
// (FlushFileBuffers) before the caller goes on, and whole-file reads of them.
// Shared for reading and writing, so another program reading the journal or
// the log does not make the next append fail.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(file, bytes.data() + done, chunk, &n, nullptr) || n == 0) return false;
        done += n;
    }
    return true;
}

bool EndsWithLineBreak(HANDLE file, LONGLONG size) {
    if (size == 0) return true;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>((size - 1) & 0xFFFFFFFF);
    at.OffsetHigh = static_cast<DWORD>((size - 1) >> 32);
    char last = '\n';
    DWORD n = 0;
    return ReadFile(file, &last, 1, &n, &at) && n == 1 && last == '\n';
}

}  // namespace

int AppendLineDurably(const std::string& path, const std::string& line) {
    if (path.empty()) return -1;
    const HANDLE file = CreateFileW(Utf16(path).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                    kShareAll, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0;
    // One write for the whole line: a reader never sees half of it unless the
    // machine stops in the middle.
    if (ok) ok = WriteAll(file, (EndsWithLineBreak(file, size.QuadPart) ? "" : "\n") + line);
    ok = ok && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    return ok ? 0 : -1;
}

int ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    const HANDLE file = CreateFileW(Utf16(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : -1;
    }
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            CloseHandle(file);
            return -1;
        }
        if (n == 0) break;
        content.append(buffer, n);
    }
    CloseHandle(file);
    return 1;
}
