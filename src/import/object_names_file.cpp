#include "import/object_names_file.h"

#include <cstdio>

#include "platform/system/system.h"
#include "shell/file_names.h"
#include "store/file_tags.h"

namespace {

const char* const BOM = "\xEF\xBB\xBF";
const char* const HEADER =
    "# Briskel View names of objects: serial number, object, name, the tests the object held "
    "when it was named (number, kind, date)";
const char* const TEST_SEPARATOR = ", ";

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string::npos;
         start = at + separator.size())
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "<digits>" of exactly `width` digits within [low, high].
bool ReadNumber(const std::string& text, std::size_t width, int low, int high, int& number) {
    if (text.size() != width || !AllDigits(text)) return false;
    number = std::stoi(text);
    return number >= low && number <= high;
}

// "T03 Loop 2026-12-04 09:05" or "T03 Loop 2026-12-04 time-unknown".
bool ParseTest(const std::string& text, NamedTest& t) {
    const std::vector<std::string> p = Split(Trimmed(text), " ");
    if (p.size() != 4 || p[0].size() != 3 || p[0][0] != 'T') return false;
    const std::string& d = p[2];
    if (!ReadNumber(p[0].substr(1), 2, 0, 99, t.test) || !ReadKind(p[1], t.kind) ||
        d.size() != 10 || d[4] != '-' || d[7] != '-' ||
        !ReadNumber(d.substr(0, 4), 4, 0, 9999, t.year) ||
        !ReadNumber(d.substr(5, 2), 2, 1, 12, t.month) ||
        !ReadNumber(d.substr(8, 2), 2, 1, 31, t.day))
        return false;
    t.time_known = p[3] != TIME_UNKNOWN_TEXT;
    if (!t.time_known) return true;
    return p[3].size() == 5 && p[3][2] == ':' && ReadNumber(p[3].substr(0, 2), 2, 0, 23, t.hour) &&
           ReadNumber(p[3].substr(3, 2), 2, 0, 59, t.minute);
}

std::string FormatTest(const NamedTest& t) {
    char text[64];
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", t.hour, t.minute);
    std::snprintf(text, sizeof text, "T%02d %s %04d-%02d-%02d %s", t.test, KindTag(t.kind).c_str(),
                  t.year, t.month, t.day, t.time_known ? time : TIME_UNKNOWN_TEXT);
    return text;
}

}  // namespace

NamedTest NamedTestOf(const FicTest& listed) {
    NamedTest t;
    t.test = listed.num_test;
    t.kind = listed.type_mes;
    t.year = listed.annee;
    t.month = listed.mois;
    t.day = listed.jour;
    t.time_known = listed.sans_heure == 0;
    t.hour = t.time_known ? listed.heure : 0;
    t.minute = t.time_known ? listed.minute : 0;
    return t;
}

bool SameTest(const NamedTest& n, const FicTest& l) {
    if (n.test != l.num_test || n.kind != l.type_mes || n.year != l.annee || n.month != l.mois ||
        n.day != l.jour)
        return false;
    return !n.time_known || l.sans_heure != 0 || (n.hour == l.heure && n.minute == l.minute);
}

bool ParseNameLine(const std::string& text, NameLine& line) {
    line = NameLine{};
    line.text = text;
    const std::vector<std::string> f = Split(text, "\t");
    if (f.size() < 3 || f.size() > 4) return false;
    if (!(AllDigits(f[0]) && f[0].size() <= 10)) return false;
    if (f[1].size() != 3 || f[1][0] != 'O' || !ReadNumber(f[1].substr(1), 2, 0, 99, line.object))
        return false;
    // A name edited by hand is taken as if typed: control characters left
    // out, at most MAX_OBJECT_NAME_CHARS characters.
    const std::string name = CleanObjectName(f[2]);
    if (name.empty()) return false;
    if (f.size() == 4 && !Trimmed(f[3]).empty()) {
        for (const std::string& part : Split(f[3], ","))
            if (!ParseTest(part, line.tests.emplace_back())) return false;
    }
    line.serial = f[0];
    line.name = name;
    line.entry = true;
    return true;
}

std::string FormatNameLine(const NameLine& line) {
    char object[8];
    std::snprintf(object, sizeof object, "O%02d", line.object);
    std::string tests;
    for (const NamedTest& t : line.tests)
        tests += (tests.empty() ? "" : TEST_SEPARATOR) + FormatTest(t);
    return line.serial + "\t" + object + "\t" + line.name + "\t" + tests;
}

bool OfInstrument(const NameLine& line, int32_t serial) {
    return serial >= 0 && line.entry && AllDigits(line.serial) &&
           std::stoull(line.serial) == static_cast<uint32_t>(serial);
}

NamesFileReading ReadNamesFile(const std::string& path) {
    NamesFileReading reading;
    std::string content;
    const int read = ReadWholeFile(path, content);
    if (read < 0) reading.unreadable = true;
    if (read <= 0) return reading;
    if (content.rfind(BOM, 0) == 0) content.erase(0, 3);
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string text = content.substr(start, end - start);
        start = end + 1;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        NameLine line;
        if (!ParseNameLine(text, line) && !Trimmed(text).empty() && text[0] != '#')
            reading.damaged.push_back(text);
        reading.lines.push_back(line);
    }
    return reading;
}

std::string NamesFileBytes(const std::vector<NameLine>& lines) {
    std::string bytes = BOM;
    if (lines.empty() || lines[0].entry || lines[0].text.rfind('#', 0) != 0)
        bytes += std::string(HEADER) + "\r\n";
    for (const NameLine& line : lines) bytes += line.text + "\r\n";
    return bytes;
}

std::string CleanObjectName(const std::string& typed) {
    std::string name;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < typed.size() && characters < MAX_OBJECT_NAME_CHARS;) {
        char32_t c = 0;
        const std::size_t length = Utf8CharacterAt(typed, at, c);
        if (length == 0) {
            ++at;
            continue;
        }
        const std::string character = typed.substr(at, length);
        at += length;
        // A pasted address on two lines reads as one: its line break becomes a blank.
        const bool lineBreak = c == '\t' || c == '\n' || c == '\r' || c == 0x85 || c == 0x2028 ||
                               c == 0x2029 || c == 0x0B || c == 0x0C;
        if (lineBreak) {
            if (!name.empty() && name.back() != ' ') {
                name += ' ';
                ++characters;
            }
            continue;
        }
        if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) continue;
        if (c == ' ' && name.empty()) continue;
        name += character;
        ++characters;
    }
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return name;
}
