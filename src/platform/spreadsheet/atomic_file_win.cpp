// Replacing a workbook on Windows: the new content goes to a temporary file
// in the target's folder, flushed to the disk, then moved over the target
// with write-through, so the replace itself is on the disk when it returns.
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/spreadsheet_status.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

long write_limit = -1;

// Tries to replace a file held open by another program again for about a
// second: a virus scanner or an indexer holds a new file for a moment. A
// spreadsheet program that keeps the workbook open holds it for good.
constexpr int kReplaceAttempts = 10;
constexpr double kReplacePause = 0.1;  // seconds, on the test time scale

// A new hidden file beside the target, so the move stays within one volume;
// its name in `temp`.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temp) {
    static unsigned counter = 0;
    for (int tries = 0; tries < 100; ++tries) {
        temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter) + L".tmp";
        const HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        std::size_t chunk = std::min<std::size_t>(content.size() - done, 1 << 20);
        if (write_limit >= 0) {
            if (static_cast<long>(done) >= write_limit) return false;
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(write_limit) - done);
        }
        DWORD n = 0;
        if (!WriteFile(file, content.data() + done, static_cast<DWORD>(chunk), &n, nullptr) ||
            n == 0)
            return false;
        done += n;
    }
    return true;
}

// The other program's hold shows as a sharing violation, or as access denied
// when it opened the file without letting it be deleted.
bool HeldByAnotherProgram(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

bool MoveOver(const std::wstring& temp, const std::wstring& target) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kReplaceAttempts || !HeldByAnotherProgram(GetLastError())) return false;
        Delay(kReplacePause);
    }
}

}  // namespace

void SetWriteLimitForTesting(long bytes) { write_limit = bytes; }

int ReplaceFileAtomically(const std::string& path, const std::string& content) {
    if (path.empty() || path.back() == '/' || path.back() == '\\') return XLE_WRITE_FAILED;
    const std::wstring target = Utf16(path);
    std::wstring temp;
    const HANDLE file = CreateTemporaryBeside(target, temp);
    if (file == INVALID_HANDLE_VALUE) return XLE_WRITE_FAILED;
    bool ok = WriteAll(file, content);
    ok = ok && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    // The workbook shows like any other once it has its name.
    ok = ok && SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
    ok = ok && MoveOver(temp, target);
    if (!ok) {
        DeleteFileW(temp.c_str());
        return XLE_WRITE_FAILED;
    }
    return XLE_NO_ERROR;
}
