// Folders on Unix: "/" separates, and a folder is writable when a file can be
// created in it.
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>
#include <cerrno>
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
    if (fd < 0)
        return errno == EACCES || errno == EPERM || errno == EROFS ? FOLDER_REFUSED
                                                                   : FOLDER_NOT_WRITABLE;
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

namespace {

// Whether a folder on `path` is one a file manager hides (its name starts with
// a dot), as ~/.local is.
bool InHiddenFolder(const std::string& path) {
    for (std::size_t start = 0; start < path.size();) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(start, end - start);
        if (name.size() > 1 && name[0] == '.' && name != "..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

// The installed program runs from a per-user copy below ~/.local/share (its
// launcher makes it), hidden from the user: workbooks then go to the user's
// documents folder, as on Windows. A program directory in plain sight (a
// build, a folder the user made) keeps them beside the program.
std::string DefaultWorkingFolder() {
    std::string folder;
    GetProjectDir(folder);
    if (!InHiddenFolder(folder)) return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir().mkpath(documents)) return documents.toStdString();
    const QString home = QDir::homePath();
    return home.isEmpty() ? folder : home.toStdString();
}
