#include "import/export_journal.h"

#include <cstdio>

#include "import/object_names.h"
#include "platform/system/system.h"
#include "store/file_tags.h"

const char* const JOURNAL_FILE = "Briskel_exports.txt";

namespace {

constexpr char TAB = '\t';
constexpr std::size_t FIELDS = 7;
const char* const HEADER =
    "# Briskel View export journal: exported at, serial number, object, test, kind, "
    "test date, workbook, name of the object";
const char* const WORKBOOK_END = ".xlsx";

// Whether `text` ends with the workbook's extension, in any case.
bool EndsAsWorkbook(const std::string& text) {
    const std::string end = WORKBOOK_END;
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        char c = text[text.size() - end.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != end[i]) return false;
    }
    return true;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    // The workbook's path is the last field and keeps whatever it holds.
    while (fields.size() + 1 < FIELDS) {
        const std::size_t tab = line.find(TAB, start);
        if (tab == std::string::npos) break;
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// "<letter><two digits>", the number in `number`.
bool ReadLabelledNumber(const std::string& text, char letter, int& number) {
    if (text.size() != 3 || text[0] != letter || !AllDigits(text.substr(1))) return false;
    number = std::stoi(text.substr(1));
    return true;
}

// Digits at the positions `shape` gives as '9', the other characters as they stand.
bool Shaped(const std::string& text, const std::string& shape) {
    if (text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

std::string Now() {
    // DateStr gives MM-DD-YYYY.
    const std::string date = DateStr();
    return date.substr(6, 4) + "-" + date.substr(0, 2) + "-" + date.substr(3, 2) + " " + TimeStr();
}

}  // namespace

JournalEntry EntryFor(int32_t serial, const FicTest& test, const std::string& workbook,
                      const std::string& object_name) {
    JournalEntry entry;
    entry.exported_at = Now();
    entry.serial = SerialText(serial);
    entry.object = test.num_objet;
    entry.test = test.num_test;
    entry.kind = test.type_mes;
    entry.year = test.annee;
    entry.month = test.mois;
    entry.day = test.jour;
    entry.time_known = test.sans_heure == 0;
    entry.hour = entry.time_known ? test.heure : 0;
    entry.minute = entry.time_known ? test.minute : 0;
    entry.workbook = workbook;
    entry.object_name = object_name;
    return entry;
}

std::string FormatJournalLine(const JournalEntry& e) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", e.hour, e.minute);
    char fields[96];
    std::snprintf(fields, sizeof fields, "O%02d\tT%02d\t%s\t%04d-%02d-%02d %s", e.object, e.test,
                  KindTag(e.kind).c_str(), e.year, e.month, e.day,
                  e.time_known ? time : TIME_UNKNOWN_TEXT);
    std::string workbook = e.workbook;
    // A line break in a path would start a line of its own.
    for (char& c : workbook)
        if (c == '\r' || c == '\n') c = '?';
    // Tabs and line breaks of a name would read as fields or lines of their own.
    const std::string name = CleanObjectName(e.object_name);
    return e.exported_at + TAB + e.serial + TAB + fields + TAB + workbook +
           (name.empty() ? "" : TAB + name);
}

bool ParseJournalLine(const std::string& line, JournalEntry& e) {
    const std::vector<std::string> f = SplitFields(line);
    if (f.size() != FIELDS) return false;
    if (!Shaped(f[0], "9999-99-99 99:99:99")) return false;
    if ((!AllDigits(f[1]) || f[1].size() > 10) && f[1] != SERIAL_UNKNOWN_TEXT) return false;
    if (!ReadLabelledNumber(f[2], 'O', e.object) || !ReadLabelledNumber(f[3], 'T', e.test))
        return false;
    const std::string& d = f[5];
    const bool timeKnown = Shaped(d, "9999-99-99 99:99");
    if (!ReadKind(f[4], e.kind) ||
        !(timeKnown || Shaped(d, std::string("9999-99-99 ") + TIME_UNKNOWN_TEXT)))
        return false;
    std::string workbook = f[6];
    std::string name;
    // A workbook's path may hold a tab itself: only what follows the tab after
    // its ".xlsx" is the name.
    if (const std::size_t tab = workbook.rfind(TAB);
        tab != std::string::npos && EndsAsWorkbook(workbook.substr(0, tab))) {
        name = workbook.substr(tab + 1);
        workbook.erase(tab);
    }
    if (workbook.empty()) return false;
    e.exported_at = f[0];
    e.serial = f[1];
    e.year = std::stoi(d.substr(0, 4));
    e.month = std::stoi(d.substr(5, 2));
    e.day = std::stoi(d.substr(8, 2));
    e.time_known = timeKnown;
    e.hour = timeKnown ? std::stoi(d.substr(11, 2)) : 0;
    e.minute = timeKnown ? std::stoi(d.substr(14, 2)) : 0;
    e.workbook = workbook;
    e.object_name = name;
    return true;
}

std::string JournalPath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + JOURNAL_FILE;
}

JournalReading ReadJournal(const std::string& path) {
    JournalReading reading;
    std::string content;
    const int read = ReadWholeFile(path, content);
    if (read < 0) reading.file_unreadable = true;
    if (read <= 0) return reading;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        JournalEntry entry;
        if (ParseJournalLine(line, entry)) {
            reading.entries.push_back(entry);
        } else {
            ++reading.unreadable_lines;
        }
    }
    return reading;
}

int AppendToJournal(const std::string& path, const JournalEntry& entry) {
    long size = 0;
    if (GetFileInfo(path, size) == 0 && AppendLineDurably(path, std::string(HEADER) + "\r\n") != 0)
        return -1;
    return AppendLineDurably(path, FormatJournalLine(entry) + "\r\n");
}

ExportedTests::ExportedTests(const std::vector<JournalEntry>& entries, int32_t serial) {
    // Without a serial number no line can be told to be this instrument's.
    if (serial < 0) return;
    for (const JournalEntry& e : entries) {
        // "123" and "0000123" are the same instrument; an unknown one is none.
        if (!AllDigits(e.serial) || std::stoull(e.serial) != static_cast<uint32_t>(serial))
            continue;
        // The latest line of a test names its workbook.
        times_[{e.object, e.test, e.kind, e.year, e.month, e.day}]
              [e.time_known ? e.hour * 60 + e.minute : NO_TIME] = e.workbook;
    }
}

bool ExportedTests::Holds(const FicTest& t) const {
    return Find(t) != nullptr;
}

std::string ExportedTests::WorkbookOf(const FicTest& t) const {
    const std::string* workbook = Find(t);
    return workbook != nullptr ? *workbook : std::string();
}

const std::string* ExportedTests::Find(const FicTest& t) const {
    const auto found = times_.find({t.num_objet, t.num_test, t.type_mes, t.annee, t.mois, t.jour});
    if (found == times_.end()) return nullptr;
    const std::map<int, std::string>& times = found->second;
    if (const auto at = times.find(t.sans_heure != 0 ? NO_TIME : t.heure * 60 + t.minute);
        at != times.end())
        return &at->second;
    if (times.count(NO_TIME) != 0) return &times.at(NO_TIME);
    return t.sans_heure != 0 ? &times.begin()->second : nullptr;
}
