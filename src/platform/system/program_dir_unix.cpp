// The program directory, the current directory and the path separator.
#include <QCoreApplication>
#include <filesystem>

#include "platform/system/system.h"

namespace {

std::string test_directory;

// The application object knows where the executable lies; without one (a
// tool that never shows a window) the current directory stands in.
std::string ExecutableDirectory() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath().toStdString();
    }
    return ".";
}

}  // namespace

int GetProjectDir(std::string& directory) {
    directory = test_directory.empty() ? ExecutableDirectory() : test_directory;
    while (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    return 0;
}

void SetProjectDirForTesting(const std::string& directory) { test_directory = directory; }

int SetDir(const std::string& directory) {
    if (directory.empty()) return -1;
    std::error_code ec;
    std::filesystem::current_path(directory, ec);
    return ec ? -1 : 0;
}

const char* PathSeparator() { return "/"; }
