// The settings file Briskel.ini as it lies on disk, cut into lines the way the
// program's line reader does, then read as at start-up.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/parser_properties.h"
#include "shell/settings_reader.h"

namespace {

// Lines end at LF, a CR before it is dropped, a last line without LF counts;
// at most 13 are read.
std::vector<std::string> Lines(const char* text, std::size_t length) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < 13 && start < length) {
        std::size_t end = start;
        while (end < length && text[end] != '\n') ++end;
        std::string line(text + start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::ExactCopy file(data, size);
    const std::vector<std::string> lines = Lines(file.data(), size);
    const SettingsValues defaults;
    SettingsValues values = defaults;
    ReadFirstSettingsLines(lines, values);
    const bool complete = ReadLastSettingsBlock(lines, values);
    FUZZ_EXPECT(fuzz::If(lines.size() < 12 && complete, "fewer than 12 lines read as complete"));
    FUZZ_EXPECT(properties::SettingsHold(complete, values, defaults));
    return 0;
}
