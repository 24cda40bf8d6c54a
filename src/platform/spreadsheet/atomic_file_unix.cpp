#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/spreadsheet_status.h"

namespace {

long write_limit = -1;

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        std::size_t chunk = content.size() - done;
        if (write_limit >= 0) {
            if (static_cast<long>(done) >= write_limit) return false;
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(write_limit) - done);
        }
        const ssize_t n = ::write(fd, content.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode a newly created file gets: what the umask allows of rw-rw-rw-.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

void SetWriteLimitForTesting(long bytes) {
    write_limit = bytes;
}

int ReplaceFileAtomically(const std::string& path, const std::string& content) {
    if (path.empty() || path.back() == '/') return XLE_WRITE_FAILED;
    // A hidden name beside the target, so the rename stays within one file system.
    std::string pattern = FolderOf(path) + "/." + NameOf(path) + ".XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return XLE_WRITE_FAILED;

    bool ok = WriteAll(fd, content);
    ok = ok && ::fchmod(fd, NewFileMode()) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.data(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.data());
        return XLE_WRITE_FAILED;
    }
    return XLE_NO_ERROR;
}
