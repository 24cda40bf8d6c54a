#include "import/object_names.h"

#include <utility>

#include "platform/system/system.h"

const char* const OBJECT_NAMES_FILE = "BriskelObjects.ini";

namespace {

std::vector<ReleasedName> releasedByLastExport;

}  // namespace

std::string ObjectNamesPath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + OBJECT_NAMES_FILE;
}

std::string CleanObjectName(const std::string& typed) {
    return typed;
}

NameLookup LookUpObjectName(const std::string&, int32_t, const DirObjet&) {
    return {};
}

NameChange NameObject(const std::string&, int32_t, const DirObjet&, const std::string&) {
    return {};
}

CurrentNames CurrentObjectNames(const std::string&, int32_t, const DirObjet*, std::size_t) {
    return {};
}

NameRelease ReleaseObjectNames(const std::string&, int32_t, const std::vector<int>&) {
    return {};
}

const std::vector<ReleasedName>& NamesReleasedByLastExport() {
    return releasedByLastExport;
}

void NoteNamesReleasedByExport(std::vector<ReleasedName> released) {
    releasedByLastExport = std::move(released);
}
