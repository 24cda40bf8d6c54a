// Folders on Unix: "/" separates, and a folder is writable when a file can be
// created in it.
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/system/system.h"

int CheckWritableFolder(const std::string& folder) {
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return FOLDER_MISSING;
    // Rights alone do not tell (a read-only medium, root, access lists): a
    // file is made and removed again.
    const std::string pattern = JoinPath(folder, ".briskel-probe-XXXXXX");
    std::vector<char> probe(pattern.begin(), pattern.end());
    probe.push_back('\0');
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return FOLDER_NOT_WRITABLE;
    ::close(fd);
    ::unlink(probe.data());
    return FOLDER_WRITABLE;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string FolderOfPath(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string DefaultWorkingFolder() {
    std::string folder;
    GetProjectDir(folder);
    return folder;
}
