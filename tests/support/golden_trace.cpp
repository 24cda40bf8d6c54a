#include "support/golden_trace.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <regex>
#include <sstream>

#include "platform/spreadsheet/zip_archive.h"

namespace {

std::string Day(std::time_t when) {
    char text[16];
    std::tm local{};
    localtime_r(&when, &local);
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); !from.empty() && at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Bytes that would not read as a line of text shown as escapes (\r, \n, \t,
// \\, \xNN); `utf8` keeps bytes above 0x7F as they are.
std::string Escaped(const std::string& bytes, bool utf8) {
    std::string out;
    for (const unsigned char c : bytes) {
        const char* named = c == '\r'   ? "\\r"
                            : c == '\n' ? "\\n"
                            : c == '\t' ? "\\t"
                            : c == '\\' ? "\\\\"
                                        : nullptr;
        char hex[8] = {static_cast<char>(c)};
        if (named == nullptr && (c < 0x20 || c == 0x7F || (c > 0x7F && !utf8)))
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += named != nullptr ? named : hex;
    }
    return out;
}

std::string Hash(const std::string& bytes) {
    return QCryptographicHash::hash(QByteArray::fromStdString(bytes), QCryptographicHash::Sha256)
        .toHex()
        .left(16)
        .toStdString();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// The lines of `a` and `b` as a diff walks them: ' ' in both, '-' only in
// `a`, '+' only in `b` (a longest common subsequence of the lines between the
// common head and tail).
std::vector<std::pair<char, std::string>> DiffLines(const std::vector<std::string>& a,
                                                    const std::vector<std::string>& b) {
    std::size_t head = 0, tail = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
    while (tail < a.size() - head && tail < b.size() - head &&
           a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::size_t n = a.size() - head - tail, m = b.size() - head - tail;
    std::vector<std::vector<uint32_t>> common(n + 1, std::vector<uint32_t>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = a[head + i] == b[head + j]
                               ? common[i + 1][j + 1] + 1
                               : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<std::pair<char, std::string>> lines;
    for (std::size_t i = 0; i < head; ++i) lines.push_back({' ', a[i]});
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[head + i] == b[head + j])
            lines.push_back({' ', a[head + i]}), ++i, ++j;
        else if (j == m || (i < n && common[i + 1][j] >= common[i][j + 1]))
            lines.push_back({'-', a[head + i++]});
        else
            lines.push_back({'+', b[head + j++]});
    }
    for (std::size_t k = a.size() - tail; k < a.size(); ++k) lines.push_back({' ', a[k]});
    return lines;
}

// A unified diff with three lines of context, of the first 60 lines it shows.
std::string UnifiedDiff(const std::string& name, const std::string& expected,
                        const std::string& actual) {
    const auto lines = DiffLines(Lines(expected), Lines(actual));
    std::ostringstream out;
    out << "--- golden/" << name << ".trace\n+++ this run\n";
    std::size_t shown = 0, lineA = 1, lineB = 1;
    for (std::size_t k = 0; k < lines.size() && shown < 60;) {
        if (lines[k].first == ' ') {
            ++k, ++lineA, ++lineB;
            continue;
        }
        // A hunk: from three lines before this change to three after the
        // last change that lies within six lines of the one before it.
        const std::size_t from = k >= 3 ? k - 3 : 0;
        std::size_t to = k, quiet = 0;
        for (; to < lines.size() && quiet < 7; ++to) quiet = lines[to].first == ' ' ? quiet + 1 : 0;
        to -= quiet > 3 ? quiet - 3 : 0;
        std::size_t countA = 0, countB = 0;
        for (std::size_t h = from; h < to; ++h)
            countA += lines[h].first != '+', countB += lines[h].first != '-';
        out << "@@ -" << lineA - (k - from) << "," << countA << " +" << lineB - (k - from) << ","
            << countB << " @@\n";
        for (std::size_t h = from; h < to && shown < 60; ++h, ++shown)
            out << lines[h].first << lines[h].second << "\n";
        for (; k < to; ++k) lineA += lines[k].first != '+', lineB += lines[k].first != '-';
    }
    return out.str();
}

}  // namespace

TraceWriter::TraceWriter(std::string folder, std::time_t started) : folder_(std::move(folder)) {
    for (std::time_t day = started; day <= std::time(nullptr) + 86400; day += 86400)
        days_.push_back(Day(day));
}

std::string TraceWriter::Normalise(std::string text) const {
    ReplaceAll(text, folder_, "<DIR>");
    for (const std::string& day : days_) {
        if (text.find(day) == std::string::npos) continue;
        const std::regex withTime(day + R"(([ _T])(\d\d:\d\d(:\d\d(\.\d+)?)?Z?|\d\d\d\d))");
        text = std::regex_replace(text, withTime, "<TODAY>$1<TIME>");
        ReplaceAll(text, day, "<TODAY>");
    }
    return text;
}

void TraceWriter::Section(const std::string& title) {
    text_ += "== " + title + "\n";
}

void TraceWriter::Line(const std::string& text) {
    text_ += Normalise(text) + "\n";
}

void TraceWriter::Wire(const std::vector<zr8812::WireEvent>& events) {
    // The program writes byte by byte and ends every message with a NUL; the
    // instrument answers as soon as a line end is there, and the program does
    // not wait for every answer, so when one direction's bytes came relative to
    // the other's is chance. Each direction is written on its own: the
    // program's messages one a line, then the instrument's lines. A cable
    // pulled as a line arrives may or may not let the rest of the line end and
    // the NUL through: the last message is written without them.
    std::string sent, answered;
    for (const zr8812::WireEvent& event : events) (event.incoming ? sent : answered) += event.bytes;
    while (!sent.empty() && (sent.back() == '\0' || sent.back() == '\n')) sent.pop_back();
    Section("wire: sent by the program");
    for (std::size_t at = 0; at < sent.size();) {
        const std::size_t end = std::min(sent.find('\0', at), sent.size());
        Line("> " + Escaped(sent.substr(at, end - at), false));
        at = end + 1;
    }
    Section("wire: sent by the instrument");
    for (std::size_t at = 0; at < answered.size();) {
        const std::size_t end = std::min(answered.find('\n', at), answered.size() - 1) + 1;
        Line("< " + Escaped(answered.substr(at, end - at), false));
        at = end;
    }
}

void TraceWriter::Popup(const PopupRecord& popup, const PopupAnswer& answer) {
    std::string buttons;
    for (const std::string& button : popup.buttons)
        if (!button.empty()) buttons += "[" + button + "]";
    Line(popup.kind + " \"" + Escaped(popup.title, true) + "\" " + buttons);
    Line("  " + Escaped(popup.message, true));
    if (popup.kind == "file" || popup.kind == "dir")
        Line("  proposed: " + popup.defaultDirectory + " | " + popup.defaultFileName + " | " +
             popup.fileTypeList);
    Line("  answer: " + std::to_string(answer.result) + " " + answer.path);
}

void TraceWriter::File(const std::string& name, const std::string& bytes) {
    Line("-- " + name + " (" +
         (name.ends_with(".xlsx") ? "workbook" : std::to_string(Lines(bytes).size()) + " lines") +
         ")");
    if (name.ends_with(".xlsx")) return Workbook(bytes);
    for (const std::string& line : Lines(bytes)) Line(Escaped(line, true));
}

namespace {

// The texts of every element named `name` below `node`, joined (a rich text's runs).
std::string Texts(const pugi::xml_node& node, const std::string& name) {
    std::string text;
    for (const auto& t : node.select_nodes((".//*[local-name()='" + name + "']").c_str()))
        text += t.node().text().get();
    return text;
}

}  // namespace

void TraceWriter::Workbook(const std::string& bytes) {
    std::vector<ZipEntry> entries;
    if (!ReadZipEntries(bytes, entries)) return Line("no zip package");
    std::map<std::string, pugi::xml_document> parts;
    for (const ZipEntry& part : entries) {
        Line("part " + part.name + " " + Hash(Normalise(part.data)));
        if (part.name.ends_with(".xml") || part.name.ends_with(".rels"))
            parts[part.name].load_string(part.data.c_str(),
                                         pugi::parse_default | pugi::parse_ws_pcdata);
    }
    std::vector<std::string> shared;
    for (const auto& si : parts["xl/sharedStrings.xml"].select_nodes("//*[local-name()='si']"))
        shared.push_back(Texts(si.node(), "t"));
    std::map<std::string, std::string> targets;  // relation id -> part
    for (const auto& r : parts["xl/_rels/workbook.xml.rels"].select_nodes("//*[@Id]"))
        targets[r.node().attribute("Id").value()] = r.node().attribute("Target").value();
    for (const auto& sheet : parts["xl/workbook.xml"].select_nodes("//*[local-name()='sheet']")) {
        Line("sheet \"" + std::string(sheet.node().attribute("name").value()) + "\"");
        std::string target = targets[sheet.node().attribute("r:id").value()];
        target = target.starts_with("/") ? target.substr(1) : "xl/" + target;
        for (const auto& c : parts[target].select_nodes("//*[local-name()='c']")) {
            const pugi::xml_node cell = c.node();
            const std::string type = cell.attribute("t") ? cell.attribute("t").value() : "n";
            std::string value = type == "inlineStr" ? Texts(cell, "t") : Texts(cell, "v");
            if (type == "s" && std::stoul("0" + value) < shared.size())
                value = shared[std::stoul(value)];
            if (!Texts(cell, "f").empty()) value += " =" + Texts(cell, "f");
            if (value.empty()) continue;  // a blank the template styles (the sheet's hash has it)
            Line(std::string(cell.attribute("r").value()) + " " + type + " " +
                 Escaped(value, true));
        }
    }
}

void ExpectGoldenTrace(const std::string& name, const std::string& trace) {
    const std::string path = BRISKEL_SOURCE_DIR "/tests/golden/traces/" + name + ".trace";
    const char* record = std::getenv("BRISKEL_RECORD_GOLDEN");
    if (record != nullptr && std::string(record) == "1") {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << trace;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path << " is missing: record it with BRISKEL_RECORD_GOLDEN=1";
    const std::string golden((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
    EXPECT_TRUE(golden == trace) << "the trace of " << name << " differs from its golden file:\n"
                                 << UnifiedDiff(name, golden, trace);
}
