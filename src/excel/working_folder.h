// The working folder exactly as the person chose it: never filtered nor cut.
// Trailing blanks are not part of it, an empty field means the folder
// proposed by default (the user's Documents on Windows),
// and a folder that cannot take the workbooks is said before anything is done.
#pragma once

#include <string>

// Where the system refuses this program a file in a folder, what the person
// can do about it, in the running system's words (a protected folder or an
// access list on Windows, permissions or a read-only medium on Linux).
std::string WriteRefusalReason();

// The folder the working-folder field names.
std::string WorkingFolderOfField(const std::string& typed);

// When the folder is checked, which says what the message adds.
enum class FolderCheck {
    Choice,  // the folder-choice dialog: only that the record can hold it
    Launch,  // the launch button: missing is error 4, "Working directory not found"
    Export,  // the export button: nothing is downloaded nor erased when refused
};
// True when `folder` can take the workbooks; otherwise says why, once, in a
// message box that names it.
bool WorkingFolderAccepted(const std::string& folder, FolderCheck check);
