#include "platform/spreadsheet/workbook_styles.h"

#include <algorithm>
#include <climits>
#include <sstream>

#include "platform/spreadsheet/xml_names.h"

namespace {

constexpr unsigned XML_PARSE = pugi::parse_default | pugi::parse_declaration;
// Number formats a package may use without listing them.
const std::pair<int, const char*> BUILT_IN_FORMATS[] = {
    {0, "General"}, {1, "0"}, {2, "0.00"}, {49, "@"}};
// Formats of a package's own start here.
constexpr int FIRST_CUSTOM_FORMAT = 164;

std::string Serialized(const pugi::xml_node& node) {
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

void SetAttribute(pugi::xml_node node, const char* name, const char* value) {
    (node.attribute(name) ? node.attribute(name) : node.append_attribute(name)) = value;
}

void SetCount(pugi::xml_node list, const char* local) {
    int count = 0;
    for (pugi::xml_node n = list.first_child(); n; n = n.next_sibling()) count += IsNamed(n, local);
    SetAttribute(list, "count", std::to_string(count).c_str());
}

}  // namespace

bool WorkbookStyles::Load(const std::string& xml) {
    document_.reset();
    cellXfs_ = {};
    xfs_.clear();
    derived_.clear();
    bases_.clear();
    xfIndex_.clear();
    changed_ = false;
    if (!document_.load_buffer(xml.data(), xml.size(), XML_PARSE, pugi::encoding_utf8))
        return false;
    const pugi::xml_node root = document_.document_element();
    if (!IsNamed(root, "styleSheet")) return false;
    prefix_ = PrefixOf(root, "styleSheet");
    // A number format listed twice, or one without an id, would make the id of
    // a new one ambiguous; such a part is left as it is.
    std::vector<int> ids;
    for (pugi::xml_node f = Child(Child(root, "numFmts"), "numFmt"); f; f = f.next_sibling()) {
        if (!IsNamed(f, "numFmt")) continue;
        const int id = f.attribute("numFmtId").as_int(-1);
        if (id < 0 || !f.attribute("formatCode")) return false;
        ids.push_back(id);
    }
    std::sort(ids.begin(), ids.end());
    if (std::adjacent_find(ids.begin(), ids.end()) != ids.end()) return false;
    const pugi::xml_node list = Child(root, "cellXfs");
    for (pugi::xml_node xf = list.first_child(); xf; xf = xf.next_sibling())
        if (IsNamed(xf, "xf")) xfs_.push_back(xf);
    if (xfs_.empty()) return false;
    cellXfs_ = list;
    return true;
}

std::string WorkbookStyles::FormatCode(int style) const {
    if (style < 0 || static_cast<std::size_t>(style) >= xfs_.size()) return "";
    const int id = xfs_[style].attribute("numFmtId").as_int(0);
    const pugi::xml_node root = document_.document_element();
    for (pugi::xml_node f = Child(Child(root, "numFmts"), "numFmt"); f; f = f.next_sibling())
        if (IsNamed(f, "numFmt") && f.attribute("numFmtId").as_int(-1) == id)
            return f.attribute("formatCode").as_string();
    for (const auto& [builtIn, code] : BUILT_IN_FORMATS)
        if (builtIn == id) return code;
    return "";
}

bool WorkbookStyles::KeepsTypedText(int style) const {
    if (style < 0 || static_cast<std::size_t>(style) >= xfs_.size()) return false;
    return FormatCode(style) == "@" || xfs_[style].attribute("quotePrefix").as_bool();
}

int WorkbookStyles::StyleWithFormat(int style, const std::string& code) {
    if (style < 0 || static_cast<std::size_t>(style) >= xfs_.size()) return -1;
    const auto key = std::make_pair(style, code);
    if (const auto known = derived_.find(key); known != derived_.end()) return known->second;
    const int formatId = FormatId(code);
    if (formatId < 0) return -1;
    // The new style is the old one with another number format; an equal style
    // already in the part (the template's own, or one added for another
    // cell) is used instead of a duplicate.
    pugi::xml_document scratch;
    pugi::xml_node wanted = scratch.append_copy(xfs_[style]);
    SetAttribute(wanted, "numFmtId", std::to_string(formatId).c_str());
    SetAttribute(wanted, "applyNumberFormat", "1");
    if (xfIndex_.empty())
        for (std::size_t i = 0; i < xfs_.size(); ++i)
            xfIndex_.emplace(Serialized(xfs_[i]), static_cast<int>(i));
    const std::string text = Serialized(wanted);
    int result = -1;
    if (const auto equal = xfIndex_.find(text); equal != xfIndex_.end()) {
        result = equal->second;
    } else {
        if (xfs_.size() >= static_cast<std::size_t>(INT_MAX)) return -1;
        xfs_.push_back(cellXfs_.insert_copy_after(wanted, xfs_.back()));
        SetCount(cellXfs_, "xf");
        changed_ = true;
        result = static_cast<int>(xfs_.size() - 1);
        xfIndex_.emplace(text, result);
        bases_[result] = style;
    }
    derived_[key] = result;
    return result;
}

int WorkbookStyles::BaseStyle(int style) const {
    const auto base = bases_.find(style);
    return base == bases_.end() ? style : base->second;
}

std::string WorkbookStyles::Xml() const {
    std::ostringstream out;
    document_.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

int WorkbookStyles::FormatId(const std::string& code) {
    for (const auto& [id, builtIn] : BUILT_IN_FORMATS)
        if (code == builtIn) return id;
    pugi::xml_node root = document_.document_element();
    pugi::xml_node list = Child(root, "numFmts");
    int next = FIRST_CUSTOM_FORMAT;
    for (pugi::xml_node f = Child(list, "numFmt"); f; f = f.next_sibling()) {
        if (!IsNamed(f, "numFmt")) continue;
        if (code == f.attribute("formatCode").as_string()) return f.attribute("numFmtId").as_int();
        next = std::max(next, f.attribute("numFmtId").as_int() + 1);
    }
    if (next > 0xFFFF) return -1;
    // The format list comes first in a style sheet.
    if (!list) list = root.prepend_child((prefix_ + "numFmts").c_str());
    pugi::xml_node format = list.append_child((prefix_ + "numFmt").c_str());
    format.append_attribute("numFmtId") = next;
    format.append_attribute("formatCode") = code.c_str();
    SetCount(list, "numFmt");
    changed_ = true;
    return next;
}
