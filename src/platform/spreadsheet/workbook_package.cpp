#include "platform/spreadsheet/workbook_package.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <pugixml.hpp>
#include <sstream>
#include <vector>

#include "platform/spreadsheet/cell_value.h"
#include "platform/spreadsheet/workbook_parts.h"
#include "platform/system/native_files.h"

namespace {

constexpr std::size_t MAX_CELL_CHARACTERS = 32767;

}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string FolderOfPart(const std::string& part) {
    const auto slash = part.find_last_of('/');
    return slash == std::string::npos ? "" : part.substr(0, slash + 1);
}

std::string RelationshipsPartOf(const std::string& part) {
    const auto slash = part.find_last_of('/');
    if (slash == std::string::npos) return "_rels/" + part + ".rels";
    return part.substr(0, slash + 1) + "_rels/" + part.substr(slash + 1) + ".rels";
}

std::string ResolveTarget(const std::string& sourceFolder, const std::string& target) {
    std::string joined =
        !target.empty() && target[0] == '/' ? target.substr(1) : sourceFolder + target;
    std::vector<std::string> parts;
    std::stringstream stream(joined);
    std::string piece;
    while (std::getline(stream, piece, '/')) {
        if (piece.empty() || piece == ".") continue;
        if (piece == "..") {
            if (!parts.empty()) parts.pop_back();
            continue;
        }
        parts.push_back(piece);
    }
    std::string result;
    for (const auto& p : parts) result += (result.empty() ? "" : "/") + p;
    return result;
}

std::string XmlText(const pugi::xml_document& document) {
    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

namespace {

// Decodes UTF-8 and keeps only what XML 1.0 can carry; malformed bytes become '?'.
std::string XmlSafeText(const std::string& text) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size() && characters < MAX_CELL_CHARACTERS;) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int length = byte < 0x80           ? 1
                     : (byte >> 5) == 0x6  ? 2
                     : (byte >> 4) == 0xE  ? 3
                     : (byte >> 3) == 0x1E ? 4
                                           : 0;
        unsigned long code = length == 1   ? byte
                             : length == 2 ? (byte & 0x1F)
                             : length == 3 ? (byte & 0x0F)
                                           : (byte & 0x07);
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        const unsigned long minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= minimum[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code <= 0xDFFF);
        if (!valid) {
            out += '?';
            ++i;
            ++characters;
            continue;
        }
        const bool allowed = code == 0x9 || code == 0xA || code == 0xD ||
                             (code >= 0x20 && code != 0xFFFE && code != 0xFFFF);
        if (allowed) {
            out.append(text, i, static_cast<std::size_t>(length));
            ++characters;
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

// Text of the <t> elements of a string item (rich runs included, phonetic runs not).
std::string StringItemText(const pugi::xml_node& item) {
    std::string text;
    for (pugi::xml_node n = item.first_child(); n; n = n.next_sibling()) {
        if (IsNamed(n, "t")) text += n.text().get();
        if (IsNamed(n, "r")) text += Child(n, "t").text().get();
    }
    return text;
}

int ReadFile(const std::string& path, std::string& bytes) {
    long long size = 0;
    if (KindOfPath(path, size) != PathKind::File) return XLE_FILE_NOT_FOUND;
    if (static_cast<unsigned long long>(size) > MAX_PACKAGE_SIZE) return XLE_DAMAGED_PACKAGE;
    std::FILE* in = OpenNativeFile(path, "rb");
    if (in == nullptr) return XLE_FILE_NOT_FOUND;
    // Read to the end: the file may have changed since its size was asked.
    bytes.clear();
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0 && bytes.size() <= MAX_PACKAGE_SIZE)
        bytes.append(buffer, n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed) return XLE_FILE_NOT_FOUND;
    return bytes.size() > MAX_PACKAGE_SIZE ? XLE_DAMAGED_PACKAGE : XLE_NO_ERROR;
}

}  // namespace

int ColumnNumber(const std::string& letters) {
    if (letters.empty() || letters.size() > 3) return 0;
    int column = 0;
    for (char c : letters) {
        if (c < 'A' || c > 'Z') return 0;
        column = column * 26 + (c - 'A' + 1);
    }
    return column <= MAX_COLUMNS ? column : 0;
}

std::string ColumnLetters(int column) {
    std::string letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (column - 1) % 26));
    return letters;
}

bool ParseCellReference(const std::string& reference, int& row, int& column) {
    std::size_t i = 0;
    while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z') ++i;
    column = ColumnNumber(reference.substr(0, i));
    const std::string digits = reference.substr(i);
    if (column == 0 || digits.empty() || digits.size() > 7 || digits[0] == '0') return false;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    row = std::stoi(digits);
    return row <= MAX_ROWS;
}

int WorkbookPackage::Impl::Load() {
    const std::string workbookPart = Target("", "/officeDocument");
    pugi::xml_document workbook;
    if (workbookPart.empty() || !LoadXml(workbookPart, workbook)) return XLE_DAMAGED_PACKAGE;
    const pugi::xml_node firstSheet = Child(Child(workbook.document_element(), "sheets"), "sheet");
    std::string id;
    for (pugi::xml_attribute a = firstSheet.first_attribute(); a; a = a.next_attribute())
        if (EndsWith(a.name(), ":id")) id = a.value();
    if (id.empty()) return XLE_DAMAGED_PACKAGE;
    auto first = std::make_unique<Sheet>();
    first->part = Target(workbookPart, "", id);
    const ZipEntry* entry = first->part.empty() ? nullptr : Entry(first->part);
    if (entry == nullptr || !first->Load(entry->data)) return XLE_DAMAGED_PACKAGE;
    first->part = entry->name;
    first->relId = id;
    firstSheetXml = entry->data;
    if (const ZipEntry* rels = Entry(RelationshipsPartOf(first->part))) firstSheetRels = rels->data;
    sheets.push_back(std::move(first));
    mainPart = workbookPart;
    ReadSharedStrings(workbookPart);
    ReadStyles(workbookPart);
    DropCalculationChain(workbookPart);
    return XLE_NO_ERROR;
}

void WorkbookPackage::Impl::ReadSharedStrings(const std::string& workbookPart) {
    pugi::xml_document sst;
    const std::string part = Target(workbookPart, "/sharedStrings");
    if (part.empty() || !LoadXml(part, sst)) return;
    for (pugi::xml_node si = sst.document_element().first_child(); si; si = si.next_sibling())
        if (IsNamed(si, "si")) sharedStrings.push_back(StringItemText(si));
}

// Numbers and dates need number formats, which live in the styles part. A
// package without one, or with one that cannot be read or extended, still
// takes every value, as text in the style the template gives it.
void WorkbookPackage::Impl::ReadStyles(const std::string& workbookPart) {
    const std::string part = Target(workbookPart, "/styles");
    const ZipEntry* entry = part.empty() ? nullptr : Entry(part);
    if (entry != nullptr && styles.Load(entry->data)) stylesPart = entry->name;
}

// The calculation chain lists formula cells; a cell we overwrite may have been
// one, and a stale chain makes spreadsheet programs "repair" the file. They
// rebuild it when it is missing.
void WorkbookPackage::Impl::DropCalculationChain(const std::string& workbookPart) {
    const std::string part = Target(workbookPart, "/calcChain");
    if (part.empty()) return;
    std::erase_if(entries, [&](const ZipEntry& e) { return EqualsIgnoringCase(e.name, part); });
    auto rewrite = [&](const std::string& name, const char* element, const char* attribute,
                       const std::string& value) {
        pugi::xml_document doc;
        if (!LoadXml(name, doc)) return;
        for (pugi::xml_node n = doc.document_element().first_child(); n;) {
            pugi::xml_node next = n.next_sibling();
            if (IsNamed(n, element) && EndsWith(n.attribute(attribute).as_string(), value))
                doc.document_element().remove_child(n);
            n = next;
        }
        std::ostringstream out;
        doc.save(out, "", pugi::format_raw, pugi::encoding_utf8);
        Entry(name)->data = out.str();
    };
    rewrite(RelationshipsPartOf(workbookPart), "Relationship", "Type", "/calcChain");
    rewrite("[Content_Types].xml", "Override", "PartName", "/" + part);
}

bool Sheet::Load(const std::string& xml) {
    if (!doc.load_buffer(xml.data(), xml.size(), XML_PARSE, pugi::encoding_utf8)) return false;
    const pugi::xml_node root = Root();
    if (!IsNamed(root, "worksheet")) return false;
    const std::string rootName = root.name();
    prefix = rootName.substr(0, rootName.size() - std::string("worksheet").size());
    data = Child(root, "sheetData");
    if (!data) return false;
    NumberRowsAndCells();
    return true;
}

// Rows and cells may leave their reference implied by position; give every one
// an explicit reference so lookups and insertions can rely on it.
void Sheet::NumberRowsAndCells() {
    int previousRow = 0;
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling()) {
        if (!IsNamed(r, "row")) continue;
        int row = r.attribute("r").as_int(0);
        if (row <= previousRow || row > MAX_ROWS) {
            row = std::min(previousRow + 1, MAX_ROWS);
            (r.attribute("r") ? r.attribute("r") : r.append_attribute("r")) = row;
        }
        previousRow = row;
        int previousColumn = 0;
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            if (!IsNamed(c, "c")) continue;
            int cellRow = 0, column = 0;
            if (!ParseCellReference(c.attribute("r").as_string(), cellRow, column) ||
                cellRow != row || column <= previousColumn) {
                column = std::min(previousColumn + 1, MAX_COLUMNS);
                const std::string reference = ColumnLetters(column) + std::to_string(row);
                (c.attribute("r") ? c.attribute("r") : c.append_attribute("r")) = reference.c_str();
            }
            previousColumn = column;
        }
    }
}

pugi::xml_node Sheet::FindRow(int row) const {
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling())
        if (IsNamed(r, "row") && r.attribute("r").as_int() == row) return r;
    return {};
}

pugi::xml_node Sheet::FindCell(const pugi::xml_node& rowNode, int column) const {
    for (pugi::xml_node c = rowNode.first_child(); c; c = c.next_sibling()) {
        int r = 0, col = 0;
        if (IsNamed(c, "c") && ParseCellReference(c.attribute("r").as_string(), r, col) &&
            col == column)
            return c;
    }
    return {};
}

pugi::xml_node Sheet::RowForWriting(int row) {
    const std::string name = prefix + "row";
    pugi::xml_node created;
    // Rows are mostly written in order: the last row is looked at first.
    const pugi::xml_node last = data.last_child();
    if (IsNamed(last, "row") && last.attribute("r").as_int() < row) {
        created = data.append_child(name.c_str());
        created.append_attribute("r") = row;
        return created;
    }
    for (pugi::xml_node r = data.first_child(); r && !created; r = r.next_sibling()) {
        if (!IsNamed(r, "row")) continue;
        const int n = r.attribute("r").as_int();
        if (n == row) return r;
        if (n > row) created = data.insert_child_before(name.c_str(), r);
    }
    if (!created) created = data.append_child(name.c_str());
    created.append_attribute("r") = row;
    return created;
}

pugi::xml_node Sheet::CellForWriting(pugi::xml_node rowNode, int row, int column) {
    const std::string name = prefix + "c";
    pugi::xml_node created;
    for (pugi::xml_node c = rowNode.first_child(); c && !created; c = c.next_sibling()) {
        int r = 0, col = 0;
        if (!IsNamed(c, "c") || !ParseCellReference(c.attribute("r").as_string(), r, col)) continue;
        if (col == column) return c;
        if (col > column) created = rowNode.insert_child_before(name.c_str(), c);
    }
    if (!created) created = rowNode.append_child(name.c_str());
    created.append_attribute("r") = (ColumnLetters(column) + std::to_string(row)).c_str();
    const int style = TemplateStyle(rowNode, column);
    if (style > 0) created.append_attribute("s") = style;
    return created;
}

// A cell the template does not hold takes the style of its row when the row is
// formatted, else the style of its column, as a spreadsheet program does.
int Sheet::TemplateStyle(const pugi::xml_node& rowNode, int column) const {
    const std::string custom = rowNode.attribute("customFormat").as_string();
    if ((custom == "1" || custom == "true") && rowNode.attribute("s"))
        return rowNode.attribute("s").as_int();
    for (pugi::xml_node col = Child(Child(Root(), "cols"), "col"); col; col = col.next_sibling())
        if (IsNamed(col, "col") && col.attribute("min").as_int() <= column &&
            column <= col.attribute("max").as_int())
            return col.attribute("style").as_int();
    return 0;
}

// The cell takes what is typed as a spreadsheet program takes it: a number or
// a date in the cell's own style with a number format that shows it as typed,
// anything else as text. A cell the template formats as text keeps it as
// text, as it does in a spreadsheet program.
void WorkbookPackage::Impl::PutValue(const Sheet& sheet, pugi::xml_node cell,
                                     const std::string& text) {
    const std::string& prefix = sheet.prefix;
    CellValue typed;
    if (styles.IsLoaded()) {
        const int own = styles.BaseStyle(cell.attribute("s").as_int(0));
        if (!styles.KeepsTypedText(own)) typed = TypeOfTypedText(text);
        int style = own;
        if (typed.kind != CellValue::Kind::Text) style = styles.StyleWithFormat(own, typed.format);
        if (style < 0) {
            typed = {};
            style = own;
        }
        if (style > 0) {
            (cell.attribute("s") ? cell.attribute("s") : cell.append_attribute("s")) = style;
        } else {
            cell.remove_attribute("s");
        }
    }
    if (typed.kind != CellValue::Kind::Text) {
        cell.remove_attribute("t");
        cell.append_child((prefix + "v").c_str()).text().set(typed.value.c_str());
        return;
    }
    (cell.attribute("t") ? cell.attribute("t") : cell.append_attribute("t")) = "inlineStr";
    pugi::xml_node t =
        cell.append_child((prefix + "is").c_str()).append_child((prefix + "t").c_str());
    // Leading and trailing blanks are part of the texts (" --- ", "Ohm ").
    t.append_attribute("xml:space") = "preserve";
    t.text().set(XmlSafeText(text).c_str());
}

void Sheet::UpdateDimension() {
    pugi::xml_node dimension = Child(Root(), "dimension");
    if (!dimension) return;
    int top = INT_MAX, left = INT_MAX, bottom = 0, right = 0;
    for (pugi::xml_node r = data.first_child(); r; r = r.next_sibling())
        for (pugi::xml_node c = r.first_child(); c; c = c.next_sibling()) {
            int row = 0, col = 0;
            if (!IsNamed(c, "c") || !ParseCellReference(c.attribute("r").as_string(), row, col))
                continue;
            top = std::min(top, row), left = std::min(left, col);
            bottom = std::max(bottom, row), right = std::max(right, col);
        }
    std::string ref = "A1";
    if (bottom > 0) {
        ref = ColumnLetters(left) + std::to_string(top);
        if (bottom != top || right != left)
            ref += ":" + ColumnLetters(right) + std::to_string(bottom);
    }
    (dimension.attribute("ref") ? dimension.attribute("ref") : dimension.append_attribute("ref")) =
        ref.c_str();
}

WorkbookPackage::WorkbookPackage() = default;
WorkbookPackage::~WorkbookPackage() = default;

int WorkbookPackage::Open(const std::string& path) {
    Close();
    std::string bytes;
    const int status = ReadFile(path, bytes);
    if (status != XLE_NO_ERROR) return status;
    return OpenPackage(bytes);
}

int WorkbookPackage::OpenPackage(const std::string& bytes) {
    Close();
    auto impl = std::make_unique<Impl>();
    if (!ReadZipEntries(bytes, impl->entries)) return XLE_DAMAGED_PACKAGE;
    if (impl->Load() != XLE_NO_ERROR) return XLE_DAMAGED_PACKAGE;
    impl_ = std::move(impl);
    return XLE_NO_ERROR;
}

bool WorkbookPackage::IsOpen() const {
    return impl_ != nullptr;
}

void WorkbookPackage::Close() {
    impl_.reset();
}

pugi::xml_node WorkbookPackage::Impl::EmptyCell(Sheet& sheet, int row, int column) {
    pugi::xml_node rowNode = sheet.RowForWriting(row);
    // The row's span hint would no longer cover its cells; it is optional.
    rowNode.remove_attribute("spans");
    pugi::xml_node cell = sheet.CellForWriting(rowNode, row, column);
    while (cell.first_child()) cell.remove_child(cell.first_child());
    return cell;
}

int WorkbookPackage::SetCellText(int row, int column, const std::string& text) {
    return SetCellText(0, row, column, text);
}

int WorkbookPackage::SetCellText(int sheet, int row, int column, const std::string& text) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || row < 1 || row > MAX_ROWS || column < 1 || column > MAX_COLUMNS)
        return XLE_INVALID_ARGUMENT;
    impl_->PutValue(*s, impl_->EmptyCell(*s, row, column), text);
    return XLE_NO_ERROR;
}

int WorkbookPackage::SetCellNumber(int sheet, int row, int column, double value) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || row < 1 || row > MAX_ROWS || column < 1 || column > MAX_COLUMNS ||
        !std::isfinite(value))
        return XLE_INVALID_ARGUMENT;
    pugi::xml_node cell = impl_->EmptyCell(*s, row, column);
    cell.remove_attribute("t");
    // The cell keeps its template style: its number shows in that style's format.
    if (impl_->styles.IsLoaded()) {
        const int base = impl_->styles.BaseStyle(cell.attribute("s").as_int(0));
        if (base > 0) {
            (cell.attribute("s") ? cell.attribute("s") : cell.append_attribute("s")) = base;
        } else {
            cell.remove_attribute("s");
        }
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    cell.append_child((s->prefix + "v").c_str()).text().set(text);
    return XLE_NO_ERROR;
}

std::string WorkbookPackage::CellText(int row, int column) const {
    return CellText(0, row, column);
}

std::string WorkbookPackage::CellText(int sheet, int row, int column) const {
    if (!impl_ || impl_->SheetAt(sheet) == nullptr) return "";
    const Sheet& s = *impl_->SheetAt(sheet);
    const pugi::xml_node cell = s.FindCell(s.FindRow(row), column);
    if (!cell) return "";
    const std::string type = cell.attribute("t").as_string();
    if (type == "inlineStr") return StringItemText(Child(cell, "is"));
    const std::string value = Child(cell, "v").text().get();
    if (type == "s") {
        const int index = std::atoi(value.c_str());
        const auto& strings = impl_->sharedStrings;
        return index >= 0 && static_cast<std::size_t>(index) < strings.size() ? strings[index] : "";
    }
    if (!type.empty() && type != "n") return value;
    return DisplayedText(value, impl_->styles.FormatCode(cell.attribute("s").as_int(0)));
}

int WorkbookPackage::CellStyle(int row, int column) const {
    if (!impl_) return -1;
    const Sheet& s = *impl_->sheets.front();
    const pugi::xml_node cell = s.FindCell(s.FindRow(row), column);
    return cell ? cell.attribute("s").as_int(0) : -1;
}

std::string WorkbookPackage::Dimension() const {
    if (!impl_) return "";
    Sheet& s = *impl_->sheets.front();
    s.UpdateDimension();
    return Child(s.Root(), "dimension").attribute("ref").as_string();
}
