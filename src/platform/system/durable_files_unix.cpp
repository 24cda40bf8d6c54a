// Files that must survive a crash or a power cut: whole-file replacements and
// appends that reach the disk before the caller goes on, and whole-file reads.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "platform/system/replace_refusal.h"
#include "platform/system/system.h"

namespace {

long write_limit = -1;
std::function<void(const std::string&)> flush_observer;

void Flushed(const char* what, const std::string& path) {
    if (flush_observer) flush_observer(std::string(what) + " " + path);
}

// `limit` >= 0: the write gives out after that many bytes, as on a full disk.
bool WriteAll(int fd, const std::string& bytes, long limit = -1) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        std::size_t chunk = bytes.size() - done;
        if (limit >= 0) {
            if (static_cast<long>(done) >= limit) return false;
            chunk = std::min<std::size_t>(chunk, static_cast<std::size_t>(limit) - done);
        }
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool FlushFile(int fd, const std::string& path) {
    if (::fsync(fd) != 0) return false;
    Flushed("file", path);
    return true;
}

bool EndsWithLineBreak(int fd, off_t size) {
    char last = '\n';
    return size == 0 || (::pread(fd, &last, 1, size - 1) == 1 && last == '\n');
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A file the person marked read-only (no one may write it) or that this user
// may not write: replaced by a rename it would simply vanish, so it stays.
bool MarkedReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return (info.st_mode & 0222) == 0 || (::access(path.c_str(), W_OK) != 0 && errno == EACCES);
}

// A file just created or renamed exists for good only once its folder entry is
// on the disk. A file system that cannot flush a folder (it answers EINVAL)
// keeps its entries as well as it can; that is no failure of ours.
bool SyncFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return false;
    const bool ok = ::fsync(dir) == 0 || errno == EINVAL;
    ::close(dir);
    if (ok) Flushed("folder", folder);
    return ok;
}

// The mode a newly created file gets: what the umask allows of rw-rw-rw-.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int ReplaceRefusal(ReplaceStep step, long error) {
    if (step == ReplaceStep::OpenTarget) return -1;  // Windows only
    return error == EACCES || error == EPERM || error == EROFS ? FILE_FOLDER_REFUSED : -1;
}

int AppendLineDurably(const std::string& path, const std::string& line) {
    if (path.empty()) return -1;
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return -1;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool created = ok && info.st_size == 0;
    // One write for the whole line: a reader never sees half of it unless the
    // machine stops in the middle.
    if (ok) ok = WriteAll(fd, (EndsWithLineBreak(fd, info.st_size) ? "" : "\n") + line);
    ok = ok && FlushFile(fd, path);
    ok = (::close(fd) == 0) && ok;
    if (ok && created) SyncFolder(path);
    return ok ? 0 : -1;
}

int ReplaceFileDurably(const std::string& path, const std::string& bytes) {
    if (path.empty() || path.back() == '/') return -1;
    if (MarkedReadOnly(path)) return FILE_MARKED_READ_ONLY;
    // A short hidden name beside the target, so the rename stays within one
    // file system and a long name does not pass the system's limit through it.
    const std::string pattern = FolderOf(path) + "/.bv-XXXXXX";
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return ReplaceRefusal(ReplaceStep::CreateTemporary, errno);

    bool ok = WriteAll(fd, bytes, write_limit);
    ok = ok && ::fchmod(fd, NewFileMode()) == 0;
    ok = ok && FlushFile(fd, path);
    ok = (::close(fd) == 0) && ok;
    int status = ok ? 0 : -1;
    if (ok && ::rename(temp.data(), path.c_str()) != 0)
        status = ReplaceRefusal(ReplaceStep::MoveOverTarget, errno);
    if (status != 0) {
        ::unlink(temp.data());
        return status;
    }
    return SyncFolder(path) ? 0 : -1;
}

void SetWriteLimitForTesting(long bytes) {
    write_limit = bytes;
}

void SetDiskFlushObserverForTesting(std::function<void(const std::string&)> observer) {
    flush_observer = std::move(observer);
}

int ReadWholeFile(const std::string& path, std::string& content) {
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? 0 : -1;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return -1;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return 1;
}
