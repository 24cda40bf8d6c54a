#include "excel/workbook_names.h"

#include <cstdio>
#include <cstring>

#include "import/export_journal.h"
#include "platform/system/system.h"
#include "shell/globals.h"

namespace {

constexpr int MOST_COPIES = 9999;

bool KeptInName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           (c != '\0' && std::strchr("-_.+=", c) != nullptr);
}

bool ContinuesUtf8(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string SafeBaseName(const std::string& typed) {
    std::string name;
    for (char c : typed) {
        // One "_" for a whole multi-byte character.
        if (ContinuesUtf8(c)) continue;
        name += KeptInName(c) ? c : '_';
        if (name.size() == MAX_BASE_NAME) break;
    }
    // A leading dot hides the file; a leading dash reads as an option.
    if (!name.empty() && (name[0] == '.' || name[0] == '-')) name[0] = '_';
    return name.empty() ? "Briskel" : name;
}

std::string AutomaticWorkbookName(const std::string& base, int32_t serial, const FicTest& test) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d", test.heure, test.minute);
    char identity[64];
    std::snprintf(identity, sizeof identity, "_O%02d-T%02d_%04d-%02d-%02d_%s_", test.num_objet,
                  test.num_test, test.annee, test.mois, test.jour,
                  test.sans_heure != 0 ? TIME_UNKNOWN_TEXT : time);
    return base + "_" + SerialText(serial) + identity + KindTag(test.type_mes);
}

std::string FreeWorkbookPath(const std::string& folder, const std::string& name,
                             const std::string& extension) {
    long size = 0;
    std::string path = JoinPath(folder, name + extension);
    // A file whose state cannot be read counts as taken.
    for (int copy = 2; GetFileInfo(path, size) != 0; ++copy) {
        if (copy > MOST_COPIES) return "";
        path = JoinPath(folder, name + " (" + std::to_string(copy) + ")" + extension);
    }
    return path;
}
