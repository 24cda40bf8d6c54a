// Names of objects: the instrument knows an installation only by its object
// number (00 to 99); the person gives each object of an instrument a name
// ("Rue Haute 12, flat 3") once, and the program carries it into the lists,
// the workbook names, the summary and the workbooks' titles.
//
// A name belongs to the tests the object held when it was given. The
// instrument's memory can be cleared and a number reused for another site, so
// a name whose tests are no longer listed by a scan is "stale": it is shown as
// the previous name only and goes into no file until the person gives it again.
//
// The names are kept in BriskelObjects.ini beside Briskel.ini, one line per
// object, UTF-8 (a byte-order mark and CR LF are taken on reading):
//
//   0000123<TAB>O04<TAB>Rue Haute 12, flat 3<TAB>T03 Loop 2026-12-04 09:05, T07 RCD 2025-04-02 ...
//   (serial number, object, name, the tests the object held when it was named:
//    number, kind and date of each, "time-unknown" for the time when the
//    listing showed none: "T07 RCD 2025-04-02 time-unknown")
//
// Lines starting with "#" are comments. A line that does not read this way is
// told once and kept as it stands when the file is written again. The file is
// read again before each write, so two copies of the program do not undo each
// other's names, and replaced durably: a failed write leaves the old file whole.
// An instrument whose serial number is unknown has no names: a name could
// otherwise pass from one unknown instrument to another.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/object_names_file.h"
#include "store/file_tags.h"
#include "store/store.h"

extern const char* const OBJECT_NAMES_FILE;  // "BriskelObjects.ini"

// The names file's path: the program folder, beside Briskel.ini.
std::string ObjectNamesPath();

enum class NameState {
    None,     // the object has no name
    Current,  // a test it was named with is still listed
    Stale,    // none of those tests is listed any more: the previous name
};

struct ObjectName {
    NameState state = NameState::None;
    std::string name;  // the name, for Stale the previous one; "" for None
};

// The name of the object whose scanned entry is `listed` (an entry of
// Director: its num_objet and its present tests) on the instrument `serial`.
// `problem`: a text to tell the user now, "" when there is nothing to tell (a
// damaged file is told once per program run, not at each look-up).
struct NameLookup {
    ObjectName name;
    std::string problem;
};
NameLookup LookUpObjectName(const std::string& path, int32_t serial, const DirObjet& listed);

// Gives the object of `listed` the name `typed` (cleaned by CleanObjectName),
// recording the tests the scan lists for it now. Giving a stale name again
// confirms it; an empty name removes it. Nothing is written for an unknown
// serial number (`written` false, no problem text: the field is dimmed).
struct NameChange {
    bool written = false;  // the file holds the change
    ObjectName name;       // the object's name after the change
    std::string problem;   // the file is damaged or could not be written; "" when not
};
NameChange NameObject(const std::string& path, int32_t serial, const DirObjet& listed,
                      const std::string& typed);

// The current names of the objects of a scan (stale ones are ""), by object
// number: what the export puts into file names, the summary and the titles.
struct CurrentNames {
    std::array<std::string, NB_OBJECTS> names{};
    std::string problem;
};
CurrentNames CurrentObjectNames(const std::string& path, int32_t serial, const DirObjet* directory,
                                std::size_t count);

// A name taken away because the object's folder on the instrument was found
// empty after an export erased its tests.
struct ReleasedName {
    int object = 0;
    std::string name;
};
struct NameRelease {
    std::vector<ReleasedName> released;
    std::string problem;
};
// Removes the names of `emptied` objects (object numbers) of the instrument.
NameRelease ReleaseObjectNames(const std::string& path, int32_t serial,
                               const std::vector<int>& emptied);

// After an export erased tests: each of the `named` objects (object numbers
// whose name was current when the export started) that still holds tests
// keeps its name for the tests the scan lists now, so that erasing the tests a
// name was given with does not make it stale while the object's later tests
// stay. The problem text, "" when none.
std::string RenewObjectNames(const std::string& path, int32_t serial, const std::vector<int>& named,
                             const DirObjet* directory, std::size_t count);
