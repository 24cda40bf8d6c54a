// The program directory, the current directory and the path separator.
#include <unistd.h>

#include <QCoreApplication>
#include <climits>

#include "platform/system/system.h"

namespace {

std::string test_directory;

std::string ExecutableDirectory() {
    if (QCoreApplication::instance() != nullptr) {
        return QCoreApplication::applicationDirPath().toStdString();
    }
    char path[PATH_MAX + 1] = {};
    const ssize_t n = ::readlink("/proc/self/exe", path, PATH_MAX);
    if (n <= 0) return ".";
    std::string full(path, static_cast<std::size_t>(n));
    const auto slash = full.find_last_of('/');
    return slash == std::string::npos || slash == 0 ? "/" : full.substr(0, slash);
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
    return ::chdir(directory.c_str()) == 0 ? 0 : -1;
}

const char* PathSeparator() { return "/"; }
