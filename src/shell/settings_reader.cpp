#include "shell/settings_reader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "shell/globals.h"

namespace {

// Reads an integer at the start of `text` (leading blanks, optional sign);
// `pos` moves past it. False when there is none or it overflows.
bool ReadInt(const std::string& text, std::size_t& pos, long long min, long long max, int base,
             long long& value) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    const char* start = text.c_str() + pos;
    char* end = nullptr;
    errno = 0;
    const long long v = std::strtoll(start, &end, base);
    if (end == start || errno == ERANGE || v < min || v > max) return false;
    if (base == 16 && (*start == '-' || *start == '+')) return false;
    pos += static_cast<std::size_t>(end - start);
    value = v;
    return true;
}

bool ReadInt32(const std::string& line, std::size_t& pos, int& value) {
    long long v = 0;
    if (!ReadInt(line, pos, INT_MIN, INT_MAX, 10, v)) return false;
    value = static_cast<int>(v);
    return true;
}


}  // namespace

void ReadFirstSettingsLines(const std::vector<std::string>& lines, SettingsValues& values) {
    auto line = [&](int n) -> const std::string& {
        static const std::string none;
        return n <= static_cast<int>(lines.size()) ? lines[n - 1] : none;
    };
    std::size_t pos = 0;
    int flag = 1, first = 0;
    if (ReadInt32(line(1), pos, flag)) {
        values.save_flag = flag;
        if (ReadInt32(line(1), pos, first)) values.first_install = first;
    }
    pos = 0;
    long long hex = 0;
    if (ReadInt(line(2), pos, 0, 0xFFFF, 16, hex)) values.settings_hex = static_cast<uint16_t>(hex);
    pos = 0;
    int value = 0, port = 0;
    if (ReadInt32(line(3), pos, value)) {
        values.settings_value = value;
        if (ReadInt32(line(3), pos, port)) values.serial_port = port;
    }
    pos = 0;
    int erase = 0;
    if (ReadInt32(line(4), pos, erase)) values.erase_after_export = erase;
    if (lines.size() >= 5) {
        // A folder is never cut (a cut one is another folder, or half a
        // character): one longer than the field holds is not taken.
        const std::string folder = WithoutTrailingBlanks(line(5));
        if (!folder.empty() && CharacterCount(folder) <= MAX_WORKING_FOLDER)
            values.working_folder = folder;
    }
}

bool ReadLastSettingsBlock(const std::vector<std::string>& lines, SettingsValues& values) {
    if (lines.size() < 12) return false;
    int read[6];
    for (int i = 0; i < 6; ++i) {
        std::size_t pos = 0;
        if (!ReadInt32(lines[6 + i], pos, read[i])) return false;
    }
    values.language = read[0];
    for (int i = 0; i < 5; ++i) values.window[i] = read[i + 1];
    return true;
}
