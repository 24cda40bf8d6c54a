#include "import/object_names.h"

#include <algorithm>
#include <set>
#include <utility>

#include "import/object_names_file.h"
#include "platform/system/system.h"
#include "shell/messages.h"
#include "store/file_tags.h"

const char* const OBJECT_NAMES_FILE = "BriskelObjects.ini";

namespace {

// The damaged lines already told (by path): a damaged line is told once per
// run of the program, not at every look-up.
std::set<std::pair<std::string, std::string>> toldDamaged;
std::set<std::string> toldUnreadable;

// The texts to tell about a reading: damaged lines not told yet, a file that
// cannot be read (told once).
std::string ProblemOf(const std::string& path, const NamesFileReading& reading) {
    if (reading.unreadable) {
        if (!toldUnreadable.insert(path).second) return "";
        return FillPlaceholders(Texte(noms_illisible), {{"path", path}});
    }
    int fresh = 0;
    for (const std::string& line : reading.damaged)
        if (toldDamaged.insert({path, line}).second) ++fresh;
    if (fresh == 0) return "";
    return FillPlaceholders(Texte(noms_abime),
                            {{"path", path}, {"count", std::to_string(reading.damaged.size())}});
}

std::string WithProblem(std::string told, const std::string& more) {
    if (more.empty()) return told;
    return told.empty() ? more : told + "\n\n" + more;
}

// The last entry of the object on the instrument (a person may have written two).
const NameLine* EntryOf(const NamesFileReading& reading, int32_t serial, int object) {
    const NameLine* found = nullptr;
    for (const NameLine& line : reading.lines)
        if (OfInstrument(line, serial) && line.object == object) found = &line;
    return found;
}

bool Listed(const NamedTest& named, const DirObjet& listed) {
    int counted = 0;
    for (int t = 0; t < NB_TESTS && counted < listed.nb_test; ++t) {
        if (listed.tests[t].present == 0) continue;
        ++counted;
        if (SameTest(named, listed.tests[t])) return true;
    }
    return false;
}

ObjectName NameOf(const NameLine* entry, const DirObjet& listed) {
    if (entry == nullptr) return {};
    const bool current =
        listed.present != 0 && std::any_of(entry->tests.begin(), entry->tests.end(),
                                           [&](const NamedTest& t) { return Listed(t, listed); });
    return {current ? NameState::Current : NameState::Stale, entry->name};
}

std::vector<NamedTest> TestsListed(const DirObjet& listed) {
    std::vector<NamedTest> tests;
    int counted = 0;
    for (int t = 0; t < NB_TESTS && counted < listed.nb_test; ++t) {
        if (listed.tests[t].present == 0) continue;
        ++counted;
        tests.push_back(NamedTestOf(listed.tests[t]));
    }
    return tests;
}

// Writes the lines back; the problem text when that failed ("" when not).
std::string Write(const std::string& path, const std::vector<NameLine>& lines) {
    if (ReplaceFileDurably(path, NamesFileBytes(lines)) == 0) return "";
    return FillPlaceholders(Texte(noms_echec), {{"path", path}});
}

// Every entry of the object on the instrument taken out; `entry` (when given)
// put where the first of them stood, or at the end.
std::vector<NameLine> Replaced(std::vector<NameLine> lines, int32_t serial, int object,
                               const NameLine* entry) {
    auto first = std::find_if(lines.begin(), lines.end(), [&](const NameLine& l) {
        return OfInstrument(l, serial) && l.object == object;
    });
    const std::size_t at = static_cast<std::size_t>(first - lines.begin());
    std::erase_if(lines,
                  [&](const NameLine& l) { return OfInstrument(l, serial) && l.object == object; });
    if (entry != nullptr)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(std::min(at, lines.size())),
                     *entry);
    return lines;
}

}  // namespace

std::string ObjectNamesPath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + OBJECT_NAMES_FILE;
}

NameLookup LookUpObjectName(const std::string& path, int32_t serial, const DirObjet& listed) {
    if (serial < 0) return {};
    const NamesFileReading reading = ReadNamesFile(path);
    return {NameOf(EntryOf(reading, serial, listed.num_objet), listed), ProblemOf(path, reading)};
}

NameChange NameObject(const std::string& path, int32_t serial, const DirObjet& listed,
                      const std::string& typed) {
    NameChange change;
    if (serial < 0) return change;
    // Read again just before writing: another copy of the program may have
    // named other objects since.
    const NamesFileReading reading = ReadNamesFile(path);
    change.problem = ProblemOf(path, reading);
    const ObjectName before = NameOf(EntryOf(reading, serial, listed.num_objet), listed);
    // A file that cannot be read is not replaced: its names would be lost.
    if (reading.unreadable) {
        change.name = before;
        change.problem = FillPlaceholders(Texte(noms_illisible), {{"path", path}});
        return change;
    }
    const std::string name = CleanObjectName(typed);
    NameLine entry;
    if (!name.empty()) {
        entry.entry = true;
        entry.serial = SerialText(serial);
        entry.object = listed.num_objet;
        entry.name = name;
        entry.tests = TestsListed(listed);
        entry.text = FormatNameLine(entry);
    }
    const std::string failed = Write(
        path, Replaced(reading.lines, serial, listed.num_objet, name.empty() ? nullptr : &entry));
    change.written = failed.empty();
    change.problem = WithProblem(change.problem, failed);
    if (!change.written)
        change.name = before;
    else if (!name.empty())
        change.name = NameOf(&entry, listed);
    return change;
}

CurrentNames CurrentObjectNames(const std::string& path, int32_t serial, const DirObjet* directory,
                                std::size_t count) {
    CurrentNames current;
    if (serial < 0) return current;
    const NamesFileReading reading = ReadNamesFile(path);
    current.problem = ProblemOf(path, reading);
    for (std::size_t i = 0; i < count; ++i) {
        const DirObjet& listed = directory[i];
        if (listed.present == 0 || listed.num_objet < 0 || listed.num_objet >= NB_OBJECTS) continue;
        const ObjectName name = NameOf(EntryOf(reading, serial, listed.num_objet), listed);
        if (name.state == NameState::Current)
            current.names[static_cast<std::size_t>(listed.num_objet)] = name.name;
    }
    return current;
}

NameRelease ReleaseObjectNames(const std::string& path, int32_t serial,
                               const std::vector<int>& emptied) {
    NameRelease release;
    if (serial < 0 || emptied.empty()) return release;
    const NamesFileReading reading = ReadNamesFile(path);
    release.problem = ProblemOf(path, reading);
    if (reading.unreadable) return release;
    std::vector<NameLine> lines = reading.lines;
    for (int object : emptied) {
        const NameLine* entry = EntryOf(reading, serial, object);
        if (entry == nullptr) continue;
        release.released.push_back({object, entry->name});
        lines = Replaced(std::move(lines), serial, object, nullptr);
    }
    if (release.released.empty()) return release;
    const std::string failed = Write(path, lines);
    if (!failed.empty()) release.released.clear();
    release.problem = WithProblem(release.problem, failed);
    return release;
}

std::string RenewObjectNames(const std::string& path, int32_t serial, const std::vector<int>& named,
                             const DirObjet* directory, std::size_t count) {
    if (serial < 0 || named.empty()) return "";
    const NamesFileReading reading = ReadNamesFile(path);
    const std::string problem = ProblemOf(path, reading);
    if (reading.unreadable) return problem;
    std::vector<NameLine> lines = reading.lines;
    bool changed = false;
    for (std::size_t i = 0; i < count; ++i) {
        const DirObjet& listed = directory[i];
        const int object = listed.num_objet;
        const NameLine* entry = EntryOf(reading, serial, object);
        if (listed.present == 0 || entry == nullptr ||
            std::find(named.begin(), named.end(), object) == named.end())
            continue;
        NameLine renewed = *entry;
        renewed.tests = TestsListed(listed);
        if (renewed.tests.empty()) continue;
        renewed.text = FormatNameLine(renewed);
        if (renewed.text == entry->text) continue;
        lines = Replaced(std::move(lines), serial, object, &renewed);
        changed = true;
    }
    return changed ? WithProblem(problem, Write(path, lines)) : problem;
}
