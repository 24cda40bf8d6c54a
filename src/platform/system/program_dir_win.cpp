// The program directory, the current directory and the path separator on
// Windows, in UTF-16 at the system: the program may live in a folder such as
// C:\Users\Zoë\AppData\Local\Programs\Briskel View.
#include <windows.h>

#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

std::string test_directory;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return ".";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);  // a long path: ask again with room for it
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? "." : Utf8(path.substr(0, slash));
}

}  // namespace

int GetProjectDir(std::string& directory) {
    directory = test_directory.empty() ? ExecutableDirectory() : test_directory;
    // A drive's root keeps its separator: "C:\" is a folder, "C:" is not.
    while (directory.size() > 1 && IsSeparator(directory.back()) &&
           !(directory.size() == 3 && directory[1] == ':'))
        directory.pop_back();
    return 0;
}

void SetProjectDirForTesting(const std::string& directory) { test_directory = directory; }

int SetDir(const std::string& directory) {
    if (directory.empty()) return -1;
    const std::wstring full = SystemFilePath(directory);
    const DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return -1;
    // A current directory of MAX_PATH or more is refused unless the machine
    // allows long paths, and would stop every program started from here
    // (CreateProcessW fails): a longer folder is entered only by its full
    // path, which every file call of the program uses anyway.
    std::wstring plain = full;
    if (full.rfind(L"\\\\?\\UNC\\", 0) == 0)
        plain = L"\\\\" + full.substr(8);
    else if (full.rfind(L"\\\\?\\", 0) == 0)
        plain = full.substr(4);
    const std::size_t length = plain.size() - (plain.back() == L'\\' ? 1 : 0);
    if (length > MAX_PATH - 2) return 0;  // room for its final "\" and the end
    return SetCurrentDirectoryW(plain.c_str()) ? 0 : -1;
}

const char* PathSeparator() { return "\\"; }
