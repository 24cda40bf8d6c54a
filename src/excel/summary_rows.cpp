// What the summary workbook is made of, apart from the writing: its name, the
// links to the per-test workbooks, the base units, the sheet names.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "excel/summary_workbook.h"
#include "excel/workbook_names.h"
#include "store/file_tags.h"

namespace {

constexpr std::size_t MAX_SHEET_NAME = 31;

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The first `count` characters of UTF-8 `text`.
std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t characters = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
        if (characters++ == count) break;
    }
    return text.substr(0, i);
}

// Paths are UTF-8 here; a path made from a plain string would read it in the
// system's code page where that is not UTF-8.
std::filesystem::path Utf8Path(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

bool Taken(const std::string& name, const std::vector<std::string>& taken) {
    for (const auto& t : taken)
        if (Lower(t) == Lower(name)) return true;
    return false;
}

}  // namespace

std::string SummaryWorkbookName(const std::string& base, int32_t serial, const std::string& date,
                                const std::string& time) {
    return WorkbookFileName(SafeBaseName(base),
                            "_" + SerialText(serial) + "_summary_" + date + "_" + time);
}

std::string LinkFromFolder(const std::string& folder, const std::string& target) {
    namespace fs = std::filesystem;
    std::string base = folder;
    while (base.size() > 1 && (base.back() == '/' || base.back() == '\\')) base.pop_back();
    const fs::path from = Utf8Path(base).lexically_normal();
    const fs::path to = Utf8Path(target).lexically_normal();
    if (from.root_name() == to.root_name() && from.is_absolute() == to.is_absolute()) {
        const fs::path relative = to.lexically_relative(from);
        if (!relative.empty()) return Utf8Text(relative);
    }
    const std::string absolute = Utf8Text(to);
    return "file://" + std::string(absolute.rfind('/', 0) == 0 ? "" : "/") + absolute;
}

bool BaseUnitOf(const std::string& unitCell, std::string& symbol, double& factor) {
    struct Unit {
        const char* text;
        const char* symbol;
        double factor;
    };
    static const Unit UNITS[] = {
        {"Ohm", "\xCE\xA9", 1},
        {"kOhm", "\xCE\xA9", 1e3},
        {"MOhm", "\xCE\xA9", 1e6},
        {"mOhm", "\xCE\xA9", 1e-3},
        {"V", "V", 1},
        {"kV", "V", 1e3},
        {"mV", "V", 1e-3},
        {"A", "A", 1},
        {"mA", "A", 1e-3},
        {"kA", "A", 1e3},
        {"s", "s", 1},
        {"ms", "s", 1e-3},
        {"Hz", "Hz", 1},
        {"kHz", "Hz", 1e3},
        {"\xC2\xB0"
         "C",
         "\xC2\xB0"
         "C",
         1},
        {"H", "H", 1},
        {"mH", "H", 1e-3},
    };
    const std::string unit = Trimmed(unitCell);
    for (const Unit& u : UNITS)
        if (unit == u.text) {
            symbol = u.symbol;
            factor = u.factor;
            return true;
        }
    return false;
}

bool PlainNumber(const std::string& text, double& value) {
    const std::string t = Trimmed(text);
    std::size_t i = t.size() > 0 && t[0] == '-' ? 1 : 0;
    const std::size_t digitsFrom = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
    if (i == digitsFrom) return false;
    if (i < t.size() && t[i] == '.') {
        const std::size_t decimals = ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i;
        if (i == decimals) return false;
    }
    if (i != t.size()) return false;
    value = std::strtod(t.c_str(), nullptr);
    return true;
}

std::vector<BaseUnitColumn> BaseUnitColumns(const std::map<int, std::string>& titles,
                                            const std::string& unitTitle,
                                            const std::vector<std::map<int, std::string>>& rows) {
    std::vector<BaseUnitColumn> columns;
    for (const auto& [column, title] : titles) {
        const auto next = titles.find(column + 1);
        if (title == unitTitle || next == titles.end() || next->second != unitTitle) continue;
        BaseUnitColumn quantity;
        quantity.valueColumn = column;
        for (const auto& row : rows) {
            const auto unit = row.find(column + 1);
            double factor = 0;
            if (unit != row.end() && BaseUnitOf(unit->second, quantity.symbol, factor)) break;
        }
        if (quantity.symbol.empty()) continue;
        quantity.title = Trimmed(title) + " (" + quantity.symbol + ")";
        columns.push_back(quantity);
    }
    return columns;
}

std::string SheetNameFor(const std::string& wanted, const std::vector<std::string>& taken) {
    std::string name;
    for (char c : Trimmed(wanted))
        name += std::string("[]:*?/\\").find(c) == std::string::npos ? c : '_';
    while (!name.empty() && name.front() == '\'') name.erase(name.begin());
    while (!name.empty() && name.back() == '\'') name.pop_back();
    if (name.empty()) name = "Sheet";
    name = FirstCharacters(name, MAX_SHEET_NAME);
    std::string candidate = name;
    for (int copy = 2; Taken(candidate, taken); ++copy) {
        const std::string suffix = " (" + std::to_string(copy) + ")";
        candidate = FirstCharacters(name, MAX_SHEET_NAME - suffix.size()) + suffix;
    }
    return candidate;
}
