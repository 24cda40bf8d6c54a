#include "excel/workbook_names.h"

#include <cstdio>

#include "platform/system/system.h"
#include "shell/file_names.h"
#include "shell/globals.h"
#include "store/file_tags.h"

const char* const TEMPLATE_NAME = "Class.xl";
const char* const WORKBOOK_EXTENSION = ".xlsx";

namespace {

constexpr int MOST_COPIES = 9999;
// What FreeWorkbookPath may add to a name at most: the copy number and the
// extension.
const char* const LONGEST_ADDITION = " (9999).xlsx";

}  // namespace

std::string SafeBaseName(const std::string& typed) {
    return FileNamePart(typed, MAX_BASE_NAME, "Briskel");
}

std::string WorkbookFileName(const std::string& base, const std::string& rest) {
    return WholeFileName(base, rest, LONGEST_ADDITION);
}

std::string ProposedWorkbookName(const std::string& base, int32_t sequence) {
    return WorkbookFileName(base, std::to_string(sequence));
}

std::string AutomaticWorkbookName(const std::string& base, int32_t serial, const FicTest& test,
                                  const std::string& object_name) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d", test.heure, test.minute);
    char object[16];
    std::snprintf(object, sizeof object, "_O%02d", test.num_objet);
    char identity[64];
    std::snprintf(identity, sizeof identity, "T%02d_%04d-%02d-%02d_%s_", test.num_test, test.annee,
                  test.mois, test.jour, test.sans_heure != 0 ? TIME_UNKNOWN_TEXT : time);
    const std::string head = "_" + SerialText(serial) + object;
    const std::string tail = identity + KindTag(test.type_mes);
    const std::string name = FileNamePart(object_name, MAX_OBJECT_NAME_CHARS, "");
    // The object's name gives way first: it is cut to what the whole base name
    // leaves room for, and left out when nothing of it fits.
    const std::string fitted = FitBeside(name, base + head + "_" + "_" + tail + LONGEST_ADDITION);
    if (fitted.empty()) return WorkbookFileName(base, head + "-" + tail);
    return WorkbookFileName(base, head + "_" + fitted + "_" + tail);
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
