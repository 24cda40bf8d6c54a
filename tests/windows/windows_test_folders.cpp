#include "windows_test_folders.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const std::string& utf8) { return fs::path(Wide(utf8)); }

std::string Utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::wstring Wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

void TemporaryFolderTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path root = fs::temp_directory_path() /
                          (std::string("briskel-") + info->test_suite_name() + "-" + info->name() +
                           "-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root);
    root_ = Utf8Of(root);
}

void TemporaryFolderTest::TearDown() {
    std::error_code ignored;
    fs::remove_all(PathOf(root_), ignored);
}

std::string TemporaryFolderTest::MakeFolder(const std::string& relative) const {
    const std::string folder = root_ + "\\" + relative;
    fs::create_directories(PathOf(folder));
    return folder;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    // Listed in the long form: the folder may be longer than 260 characters.
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((L"\\\\?\\" + Wide(folder) + L"\\*").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found)) {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(Utf8Of(fs::path(name)));
    }
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ProbePath() {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    return Utf8Of(fs::path(std::wstring(self, n)).parent_path() / L"briskel-probe.exe");
}

std::string TemplateSource() { return std::string(BRISKEL_SOURCE_DIR) + "/resources/program/Class.xl"; }

int RunAndWait(const std::string& program, const std::string& arguments) {
    std::wstring command = L"\"" + Wide(program) + L"\" " + Wide(arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
