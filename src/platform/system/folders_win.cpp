// Folders on Windows: "\" separates ("/" is taken too), and a folder is
// writable when a file can be created in it. UTF-16 at the system, so a folder
// such as C:\Users\Zoë\Documents\Données is checked as it is.
#include <windows.h>
// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

int CheckWritableFolder(const std::string& folder) {
    if (folder.empty()) return FOLDER_MISSING;
    const DWORD attributes = GetFileAttributesW(SystemFilePath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return FOLDER_MISSING;
    // Rights alone do not tell (a read-only medium, access lists, a folder
    // redirected elsewhere): a file is made, and goes when it is closed.
    const std::string probe =
        JoinPath(folder, ".briskel-probe-" + std::to_string(GetCurrentProcessId()));
    const HANDLE file =
        CreateFileW(SystemFilePath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // Controlled folder access and an access list both answer "access
        // denied"; a read-only medium answers "write protected".
        const DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? FOLDER_REFUSED
                                                                            : FOLDER_NOT_WRITABLE;
    }
    CloseHandle(file);
    return FOLDER_WRITABLE;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || IsSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string DefaultWorkingFolder() {
    PWSTR documents = nullptr;
    // KF_FLAG_CREATE: a profile whose Documents folder was never made gets it,
    // rather than a folder the export would then refuse.
    const HRESULT found = SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &documents);
    std::string folder;
    if (SUCCEEDED(found) && documents != nullptr) folder = Utf8(documents);
    CoTaskMemFree(documents);
    if (folder.empty()) GetProjectDir(folder);
    return folder;
}
