// Reading and writing a whole zip archive in memory (libzip), for the workbook
// engine. Bounded: parts larger than the limits below are refused, so a
// hostile template cannot exhaust memory.
#pragma once

#include <string>
#include <vector>

struct ZipEntry {
    std::string name;  // path inside the archive, "/"-separated
    std::string data;  // uncompressed content
};

constexpr std::size_t MAX_PART_SIZE = 64u * 1024u * 1024u;
constexpr std::size_t MAX_PACKAGE_SIZE = 128u * 1024u * 1024u;

// The file entries of the archive in `bytes`, in archive order (folders
// skipped). False when it is not a readable zip or exceeds the limits.
bool ReadZipEntries(const std::string& bytes, std::vector<ZipEntry>& entries);

// A deflated archive of `entries`, in their order. False if libzip fails.
bool WriteZipEntries(const std::vector<ZipEntry>& entries, std::string& bytes);
