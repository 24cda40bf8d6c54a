// Files that must survive a crash or a power cut, on Windows: whole-file
// replacements and appends flushed to the disk (FlushFileBuffers) before the
// caller goes on, and whole-file reads. The replacement is moved over the
// target with write-through, so the new folder entry is on the disk as well.
// Appends and reads share the file for reading and writing, so another
// program reading the journal or the log does not make them fail.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "platform/system/replace_refusal.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// A replacement tries a file held open by another program again for about a
// second: a virus scanner or an indexer holds a new file for a moment. A
// spreadsheet program that keeps the workbook open holds it for good.
constexpr int kReplaceAttempts = 10;
constexpr double kReplacePause = 0.1;  // seconds, on the test time scale

long write_limit = -1;
std::function<void(const std::string&)> flush_observer;

void Flushed(const char* what, const std::string& path) {
    if (flush_observer) flush_observer(std::string(what) + " " + path);
}

// `limit` >= 0: the write gives out after that many bytes, as on a full disk.
bool WriteAll(HANDLE file, const std::string& bytes, long limit = -1) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1 << 20);
        if (limit >= 0) {
            if (static_cast<long>(done) >= limit) return false;
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(limit) - done);
        }
        DWORD n = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &n, nullptr) ||
            n == 0)
            return false;
        done += n;
    }
    return true;
}

bool FlushFile(HANDLE file, const std::string& path) {
    if (!FlushFileBuffers(file)) return false;
    Flushed("file", path);
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

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A new hidden file beside the target, so the move stays within one volume;
// its name in `temp`. The name is short ("~bv" and a number), so a target
// whose path is near a limit does not pass it through its temporary.
HANDLE CreateTemporaryBeside(const std::string& target, std::wstring& temp) {
    static unsigned counter = 0;
    const std::string folder = FolderOf(target) + "\\~bv";
    for (int tries = 0; tries < 100; ++tries) {
        char number[24];
        std::snprintf(number, sizeof number, "%lx%x.tmp", GetCurrentProcessId() & 0xFFFFul,
                      ++counter);
        temp = SystemFilePath(folder + number);
        const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

bool MarkedReadOnly(const std::wstring& target) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &data) &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 &&
           (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The error met when the target is opened for deletion, as the rename does;
// 0 when it opens.
DWORD TargetOpenError(const std::wstring& target) {
    const HANDLE file = CreateFileW(target.c_str(), DELETE, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    CloseHandle(file);
    return 0;
}

// 0, FILE_HELD_ELSEWHERE, FILE_FOLDER_REFUSED or -1. Only a file held by
// another program is tried again.
int MoveOver(const std::wstring& temp, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = GetLastError();
        int refusal = ReplaceRefusal(ReplaceStep::MoveOverTarget, static_cast<long>(error));
        // A rename over a file another program has open is refused as access
        // denied too: the target itself tells which it is.
        if (error == ERROR_ACCESS_DENIED)
            refusal =
                ReplaceRefusal(ReplaceStep::OpenTarget, static_cast<long>(TargetOpenError(target)));
        if (refusal != FILE_HELD_ELSEWHERE || attempt == kReplaceAttempts) return refusal;
        Delay(kReplacePause);
    }
}

}  // namespace

int ReplaceRefusal(ReplaceStep step, long error) {
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
    const bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
    switch (step) {
        case ReplaceStep::CreateTemporary:
            return refused ? FILE_FOLDER_REFUSED : -1;
        case ReplaceStep::MoveOverTarget:
            if (held) return FILE_HELD_ELSEWHERE;
            return error == ERROR_WRITE_PROTECT ? FILE_FOLDER_REFUSED : -1;
        case ReplaceStep::OpenTarget:
            // It opens, or another program's share mode keeps it: the rename
            // met that program. Refused to us as well: the file's rights.
            if (error == 0 || held) return FILE_HELD_ELSEWHERE;
            return refused ? FILE_FOLDER_REFUSED : -1;
    }
    return -1;
}

int AppendLineDurably(const std::string& path, const std::string& line) {
    if (path.empty()) return -1;
    const HANDLE file =
        CreateFileW(SystemFilePath(path).c_str(), GENERIC_READ | FILE_APPEND_DATA, kShareAll,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0;
    // One write for the whole line: a reader never sees half of it unless the
    // machine stops in the middle.
    if (ok) ok = WriteAll(file, (EndsWithLineBreak(file, size.QuadPart) ? "" : "\n") + line);
    ok = ok && FlushFile(file, path);
    ok = CloseHandle(file) != 0 && ok;
    return ok ? 0 : -1;
}

int ReplaceFileDurably(const std::string& path, const std::string& bytes) {
    if (path.empty() || path.back() == '/' || path.back() == '\\') return -1;
    const std::wstring target = SystemFilePath(path);
    // Marked read-only, the old file stays: the mark is the person's choice.
    if (MarkedReadOnly(target)) return FILE_MARKED_READ_ONLY;
    std::wstring temp;
    const HANDLE file = CreateTemporaryBeside(path, temp);
    if (file == INVALID_HANDLE_VALUE)
        return ReplaceRefusal(ReplaceStep::CreateTemporary, static_cast<long>(GetLastError()));
    bool ok = WriteAll(file, bytes, write_limit);
    ok = ok && FlushFile(file, path);
    ok = CloseHandle(file) != 0 && ok;
    // The new file shows like any other once it has its name.
    ok = ok && SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
    const int moved = ok ? MoveOver(temp, target) : -1;
    if (moved != 0) {
        DeleteFileW(temp.c_str());
        return moved;
    }
    Flushed("folder", FolderOf(path));
    return 0;
}

void SetWriteLimitForTesting(long bytes) { write_limit = bytes; }

void SetDiskFlushObserverForTesting(std::function<void(const std::string&)> observer) {
    flush_observer = std::move(observer);
}

int ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    const HANDLE file = CreateFileW(SystemFilePath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
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
