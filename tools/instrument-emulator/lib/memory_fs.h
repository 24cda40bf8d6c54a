// The instrument's file system as the command shell sees it: "/" holding
// "etc", "/etc" holding "mem", and "/etc/mem" mirroring the memory folder.
// No path, however written ("..", absolute, through links), reaches anything
// outside the memory folder: links inside it are treated as missing.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace zr8812 {

// Largest file "od" dumps; the instrument's records are a few hundred bytes.
constexpr std::size_t kMaxDumpBytes = 1 << 20;

// One line of "ls -l" (without line end), e.g.
// "-rw-r--r--    1 0        0             118 Nov 05  2008 12.l".
// Dates within six months before `now` show HH:MM, others the year. A day
// below 10 is padded with a zero ("Nov 05"), or with a blank ("Nov  5") when
// `blank_padded_day`.
std::string format_listing_entry(bool directory, std::uint64_t size, std::time_t modified,
                                 const std::string& name, std::time_t now,
                                 bool blank_padded_day = false);

// The "od -hxv" text of `bytes`, lines ended by CR LF.
std::string format_dump(const std::string& bytes);

class MemoryFs {
   public:
    // `blank_padded_days`: listings pad a day below 10 with a blank, not a zero.
    explicit MemoryFs(std::string memory_dir, bool blank_padded_days = false);

    const std::string& memory_dir() const { return memory_dir_; }
    // The current directory, "/" or "/etc" or "/etc/mem" or "/etc/mem/03".
    std::string cwd() const;

    // Changes directory; false when `path` is not a directory.
    bool cd(const std::string& path);
    // The "ls -l" lines of a directory (each ended by CR LF) and "total N".
    std::optional<std::string> listing(const std::string& path, std::time_t now) const;
    // The names of a directory, one a line.
    std::optional<std::string> names(const std::string& path) const;

    enum class ReadResult { Ok, Missing, Directory, TooLarge };
    ReadResult read_file(const std::string& path, std::string& contents) const;
    // Deletes a file of the memory folder; false when there is none.
    bool remove(const std::string& path);

   private:
    struct Entry {
        std::string name;
        bool directory;
        std::uint64_t size;
        std::time_t modified;
    };
    enum class Kind { Missing, VirtualDirectory, Directory, File };
    struct Resolved {
        Kind kind = Kind::Missing;
        std::vector<std::string> components;  // the instrument path, split
        std::string host_path;                // in the memory folder, when there
    };

    Resolved resolve(const std::string& path) const;
    std::optional<std::vector<Entry>> entries(const Resolved& dir) const;

    std::string memory_dir_;
    bool blank_padded_days_;
    std::vector<std::string> cwd_;
};

}  // namespace zr8812
