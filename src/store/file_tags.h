// How the program's files write what identifies a test: the journal, the
// names file, the workbooks' names and the summary write the instrument's
// serial number, a test's kind and an unknown time the same way, whatever the
// program's language, so that one file's text reads back in another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The serial number of an instrument that did not tell it. Serial numbers
// read from an instrument are never negative.
constexpr int32_t SERIAL_UNKNOWN = -1;
// How names and the journal say that a number or a time is not known.
extern const char* const SERIAL_UNKNOWN_TEXT;  // "serial-unknown"
extern const char* const TIME_UNKNOWN_TEXT;    // "time-unknown"

// The longest name of an object, in characters (not bytes).
constexpr std::size_t MAX_OBJECT_NAME_CHARS = 60;

// The instrument's serial number as names and the journal write it: at least
// seven digits ("0000123"), or SERIAL_UNKNOWN_TEXT for SERIAL_UNKNOWN.
std::string SerialText(int32_t serial);
// The kind as names and the journal write it, the same in every language:
// "Current", "Earth", "Loop", "RCD", "Voltage"; other kinds "Kind<n>".
std::string KindTag(int kind);
// A field of the files' lines that is a number: one or more ASCII digits.
bool AllDigits(const std::string& text);
// The kind whose tag `text` is; false for a text that is no kind's tag.
bool ReadKind(const std::string& text, int& kind);
