// The lines of BriskelObjects.ini, read and written (the format is described
// in object_names.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/store.h"

// What is kept of a typed name: tabs and line breaks (and other control
// characters) are not taken, blanks at either end are left out, an invalid
// UTF-8 sequence is left out, and at most MAX_OBJECT_NAME_CHARS characters
// remain (never half a character). "" means "no name".
std::string CleanObjectName(const std::string& typed);

// A test an object held when it was named: number, kind and date, the time
// when the listing showed one.
struct NamedTest {
    int test = 0, kind = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    bool time_known = true;
};
NamedTest NamedTestOf(const FicTest& listed);
// Whether the scan's entry is that test. Once a test is about six months old
// the listing shows its year instead of its time, and it is still the test
// that was named: the time counts only where both have one.
bool SameTest(const NamedTest& named, const FicTest& listed);

struct NameLine {
    bool entry = false;  // false: a comment, or a damaged line kept as it stands
    std::string text;    // the line as read, without its line end
    std::string serial;  // the fields of an entry
    int object = 0;
    std::string name;
    std::vector<NamedTest> tests;
};
// False for a line that is not an entry (a comment or a damaged line).
bool ParseNameLine(const std::string& text, NameLine& line);
// An entry's line, without line end.
std::string FormatNameLine(const NameLine& line);
// Whether the entry's serial number is the instrument's (`serial` >= 0):
// "123" and "0000123" are the same instrument.
bool OfInstrument(const NameLine& line, int32_t serial);

struct NamesFileReading {
    std::vector<NameLine> lines;       // every line, in the file's order
    std::vector<std::string> damaged;  // the lines that are neither entries nor comments
    bool unreadable = false;           // the file is there but could not be read
};
NamesFileReading ReadNamesFile(const std::string& path);
// The file's bytes for `lines`: a byte-order mark (so that every editor on
// Windows reads the names' letters right), a comment naming the fields when
// the lines start with none, CR LF after every line.
std::string NamesFileBytes(const std::vector<NameLine>& lines);
