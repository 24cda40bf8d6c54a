#include "memory_fs.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace zr8812 {
namespace {

// The instrument's ls shows HH:MM for dates less than half a year old (and
// not more than a quarter of an hour ahead of its clock), the year otherwise.
constexpr long kHalfYearSeconds = 3600L * 24 * 365 / 2;
constexpr long kFutureSlackSeconds = 15 * 60;

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::vector<std::string> split_path(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream stream(path);
    std::string part;
    while (std::getline(stream, part, '/')) {
        if (!part.empty()) parts.push_back(part);
    }
    return parts;
}

bool is_memory_path(const std::vector<std::string>& parts) {
    return parts.size() >= 2 && parts[0] == "etc" && parts[1] == "mem";
}

}  // namespace

std::string format_listing_entry(bool directory, std::uint64_t size, std::time_t modified,
                                 const std::string& name, std::time_t now,
                                 bool blank_padded_day) {
    std::tm local{};
    localtime_r(&modified, &local);
    const long age = static_cast<long>(now - modified);
    char when[16];
    if (age < kHalfYearSeconds && age > -kFutureSlackSeconds) {
        std::snprintf(when, sizeof when, "%02d:%02d", local.tm_hour, local.tm_min);
    } else {
        std::snprintf(when, sizeof when, "%5d", local.tm_year + 1900);
    }
    char line[128];
    std::snprintf(line, sizeof line,
                  blank_padded_day ? "%-10s %4d %-8s %-8s %8llu %s %2d %s "
                                   : "%-10s %4d %-8s %-8s %8llu %s %02d %s ",
                  directory ? "drwxr-xr-x" : "-rw-r--r--", 1, "0", "0",
                  static_cast<unsigned long long>(size), kMonths[local.tm_mon], local.tm_mday,
                  when);
    return line + name;
}

std::string format_dump(const std::string& bytes) {
    std::string text;
    char field[32];
    const std::size_t size = bytes.size();
    for (std::size_t offset = 0; offset < size; offset += 16) {
        std::snprintf(field, sizeof field, "%07zo", offset);
        text += field;
        for (std::size_t i = offset; i < std::min(offset + 16, size); i += 2) {
            unsigned word = static_cast<unsigned char>(bytes[i]);
            if (i + 1 < size)
                word |= static_cast<unsigned>(static_cast<unsigned char>(bytes[i + 1])) << 8;
            std::snprintf(field, sizeof field, " %04x", word);
            text += field;
        }
        text += "\r\n";
    }
    std::snprintf(field, sizeof field, "%07zo", size);
    return text + field + "\r\n";
}

MemoryFs::MemoryFs(std::string memory_dir, bool blank_padded_days)
    : memory_dir_(std::move(memory_dir)), blank_padded_days_(blank_padded_days) {}

std::string MemoryFs::cwd() const {
    std::string path;
    for (const auto& part : cwd_) path += "/" + part;
    return path.empty() ? "/" : path;
}

MemoryFs::Resolved MemoryFs::resolve(const std::string& path) const {
    Resolved result;
    std::vector<std::string> parts =
        (!path.empty() && path[0] == '/') ? std::vector<std::string>{} : cwd_;
    for (const auto& part : split_path(path)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();  // ".." of "/" is "/"
            continue;
        }
        parts.push_back(part);
    }
    result.components = parts;
    if (parts.empty() || (parts.size() == 1 && parts[0] == "etc")) {
        result.kind = Kind::VirtualDirectory;
        return result;
    }
    if (!is_memory_path(parts)) return result;

    struct stat info {};
    if (stat(memory_dir_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return result;
    std::string host = memory_dir_;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        if (!S_ISDIR(info.st_mode)) return result;
        host += "/" + parts[i];
        // lstat: a link inside the memory folder could point anywhere.
        if (lstat(host.c_str(), &info) != 0 || S_ISLNK(info.st_mode)) return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.kind = Kind::Directory;
    } else if (S_ISREG(info.st_mode)) {
        result.kind = Kind::File;
    } else {
        return result;
    }
    result.host_path = host;
    return result;
}

std::optional<std::vector<MemoryFs::Entry>> MemoryFs::entries(const Resolved& dir) const {
    std::vector<Entry> list;
    if (dir.kind == Kind::VirtualDirectory) {
        struct stat info {};
        const std::time_t when = stat(memory_dir_.c_str(), &info) == 0 ? info.st_mtime : 0;
        list.push_back({dir.components.empty() ? "etc" : "mem", true, 0, when});
        return list;
    }
    if (dir.kind != Kind::Directory) return std::nullopt;
    DIR* handle = opendir(dir.host_path.c_str());
    if (handle == nullptr) return std::nullopt;
    while (const dirent* item = readdir(handle)) {
        const std::string name = item->d_name;
        if (name.empty() || name[0] == '.') continue;
        struct stat info {};
        if (lstat((dir.host_path + "/" + name).c_str(), &info) != 0) continue;
        if (S_ISDIR(info.st_mode)) {
            list.push_back({name, true, 0, info.st_mtime});
        } else if (S_ISREG(info.st_mode)) {
            list.push_back({name, false, static_cast<std::uint64_t>(info.st_size), info.st_mtime});
        }
    }
    closedir(handle);
    std::sort(list.begin(), list.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return list;
}

bool MemoryFs::cd(const std::string& path) {
    const Resolved target = resolve(path);
    if (target.kind != Kind::VirtualDirectory && target.kind != Kind::Directory) return false;
    cwd_ = target.components;
    return true;
}

std::optional<std::string> MemoryFs::listing(const std::string& path, std::time_t now) const {
    const auto list = entries(resolve(path));
    if (!list) return std::nullopt;
    std::string text;
    for (const Entry& entry : *list) {
        text += format_listing_entry(entry.directory, entry.size, entry.modified, entry.name, now,
                                     blank_padded_days_);
        text += "\r\n";
    }
    return text + "total " + std::to_string(list->size()) + "\r\n";
}

std::optional<std::string> MemoryFs::names(const std::string& path) const {
    const auto list = entries(resolve(path));
    if (!list) return std::nullopt;
    std::string text;
    for (const Entry& entry : *list) text += entry.name + "\r\n";
    return text;
}

MemoryFs::ReadResult MemoryFs::read_file(const std::string& path, std::string& contents) const {
    const Resolved target = resolve(path);
    if (target.kind == Kind::VirtualDirectory || target.kind == Kind::Directory) {
        return ReadResult::Directory;
    }
    if (target.kind != Kind::File) return ReadResult::Missing;
    struct stat info {};
    if (stat(target.host_path.c_str(), &info) != 0) return ReadResult::Missing;
    if (static_cast<std::uint64_t>(info.st_size) > kMaxDumpBytes) return ReadResult::TooLarge;
    std::ifstream file(target.host_path, std::ios::binary);
    if (!file) return ReadResult::Missing;
    contents.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return ReadResult::Ok;
}

bool MemoryFs::remove(const std::string& path) {
    const Resolved target = resolve(path);
    return target.kind == Kind::File && unlink(target.host_path.c_str()) == 0;
}

}  // namespace zr8812
