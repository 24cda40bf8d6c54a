// Automatic workbook names: built from what identifies the test, so that they
// say what a workbook holds, sort by instrument, object and test, and never
// collide with a workbook already in the folder.
//   Briskel_0000123_O01-T03_2026-03-05_1407_Loop.xlsx
#pragma once

#include <cstdint>
#include <string>

#include "store/store.h"

// The typed base name as a part of a file name: only letters, digits and
// "-", "_", ".", "+", "=" (what every desktop file system accepts); anything
// else ("/", "\", ":", blanks, control characters, each non-ASCII character)
// becomes "_", and a leading "." or "-" too. At most 99 characters; an empty
// name gives "Briskel".
std::string SafeBaseName(const std::string& typed);

// base_serial_Oobject-Ttest_date_time_kind, without extension; `base` is a
// base name as SafeBaseName gives it. A test listed with its year instead of a
// time has "time-unknown" for its time.
std::string AutomaticWorkbookName(const std::string& base, int32_t serial, const FicTest& test);

// `name` + `extension` in `folder`; when a file of
// that name exists, "name (2)", "name (3)", ... the first that does not.
// Empty when no free name was found.
std::string FreeWorkbookPath(const std::string& folder, const std::string& name,
                             const std::string& extension);
