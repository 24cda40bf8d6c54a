// Automatic workbook names: built from what identifies the test, so that they
// say what a workbook holds, sort by instrument, object and test, and never
// collide with a workbook already in the folder.
//   Briskel_0000123_O01-T03_2026-03-05_1407_Loop.xlsx
// and, when the object has a name, with the name after the object's number:
//   Briskel_0000123_O04_Rue Haute 12, flat 3_T03_2026-12-04_0905_Loop.xlsx
#pragma once

#include <cstdint>
#include <string>

#include "store/store.h"

// The template every workbook starts from, in the program directory.
extern const char* const TEMPLATE_NAME;  // "Class.xl"
// What the saved workbooks are: Office Open XML workbooks, named so that every
// spreadsheet program recognises them.
extern const char* const WORKBOOK_EXTENSION;  // ".xlsx"

// The typed base name as a part of a file name (FileNamePart): letters of
// every alphabet, digits, blanks and punctuation stay as typed; only what a
// file name cannot hold becomes "_". At most 99 characters; a name of which
// nothing is left gives "Briskel".
std::string SafeBaseName(const std::string& typed);

// base_serial_Oobject-Ttest_date_time_kind, without extension; `base` is a
// base name as SafeBaseName gives it. With an `object_name` (the object's
// current name), base_serial_Oobject_name_Ttest_date_time_kind, the name
// filtered as the base name is. When the whole file name (with a copy number
// and the extension) would be too long for a file system, the object's name is
// shortened first, then the base name. A test listed with its year instead of
// a time has "time-unknown" for its time.
std::string AutomaticWorkbookName(const std::string& base, int32_t serial, const FicTest& test,
                                  const std::string& object_name = "");

// The name the save dialog proposes: the base name followed by the workbook's
// sequence number ("Briskel3").
std::string ProposedWorkbookName(const std::string& base, int32_t sequence);

// A name composed of `base` and `rest`, fit for the working folder on both
// systems with a copy number and the extension after it (WholeFileName).
std::string WorkbookFileName(const std::string& base, const std::string& rest);

// `name` + `extension` in `folder`; when a file of
// that name exists, "name (2)", "name (3)", ... the first that does not.
// Empty when no free name was found.
std::string FreeWorkbookPath(const std::string& folder, const std::string& name,
                             const std::string& extension);
