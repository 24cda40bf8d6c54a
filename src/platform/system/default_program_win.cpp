// The program Windows associates with a document (or Explorer for a folder).
#include <windows.h>
#include <shellapi.h>

#include "platform/system/default_program.h"
#include "platform/system/win32.h"

bool OpenWithDefaultProgram(const std::string& path) {
    // ShellExecuteW answers a value above 32 when the program was started.
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", Utf16(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}
