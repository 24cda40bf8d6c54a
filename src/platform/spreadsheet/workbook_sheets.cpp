// The workbook engine's worksheets beyond the first: adding and naming them,
// frozen title rows, autofilters, hyperlinks, column widths and the names of
// filters and print titles. Each is written where the Office Open XML schema
// orders it, so every spreadsheet program opens the file without "repairing" it.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/spreadsheet/workbook_parts.h"

namespace {

const char* const RELATIONSHIPS_NAMESPACE =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* const WORKSHEET_TYPE =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
const char* const HYPERLINK_TYPE =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
const char* const WORKSHEET_CONTENT =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
const char* const RELATIONSHIPS_PACKAGE_NAMESPACE =
    "http://schemas.openxmlformats.org/package/2006/relationships";
const char* const FILTER_NAME = "_xlnm._FilterDatabase";
const char* const PRINT_TITLES_NAME = "_xlnm.Print_Titles";
constexpr std::size_t MAX_SHEET_NAME = 31;

// The children of a worksheet in the order the schema requires.
constexpr std::array<const char*, 38> WORKSHEET_ORDER = {"sheetPr",
                                                         "dimension",
                                                         "sheetViews",
                                                         "sheetFormatPr",
                                                         "cols",
                                                         "sheetData",
                                                         "sheetCalcPr",
                                                         "sheetProtection",
                                                         "protectedRanges",
                                                         "scenarios",
                                                         "autoFilter",
                                                         "sortState",
                                                         "dataConsolidate",
                                                         "customSheetViews",
                                                         "mergeCells",
                                                         "phoneticPr",
                                                         "conditionalFormatting",
                                                         "dataValidations",
                                                         "hyperlinks",
                                                         "printOptions",
                                                         "pageMargins",
                                                         "pageSetup",
                                                         "headerFooter",
                                                         "rowBreaks",
                                                         "colBreaks",
                                                         "customProperties",
                                                         "cellWatches",
                                                         "ignoredErrors",
                                                         "smartTags",
                                                         "drawing",
                                                         "legacyDrawing",
                                                         "legacyDrawingHF",
                                                         "drawingHF",
                                                         "picture",
                                                         "oleObjects",
                                                         "controls",
                                                         "webPublishItems",
                                                         "tableParts"};

int OrderOf(const pugi::xml_node& node) {
    for (std::size_t i = 0; i < WORKSHEET_ORDER.size(); ++i)
        if (IsNamed(node, WORKSHEET_ORDER[i])) return static_cast<int>(i);
    // extLst, and anything this list does not know, stays last.
    return static_cast<int>(WORKSHEET_ORDER.size());
}

std::size_t CharacterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A target as a URI reference: what it cannot hold as it is, percent-encoded.
std::string EncodedTarget(const std::string& target) {
    std::string out;
    for (char ch : target) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = c > 0x20 && c < 0x7F && std::strchr("%#?\"<>\\^`{|}[]", ch) == nullptr;
        if (plain) {
            out += ch;
        } else {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", c);
            out += code;
        }
    }
    return out;
}

// The prefix bound to the relationships namespace on `root` ("r"), declared
// when the worksheet has none.
std::string RelationshipsPrefix(pugi::xml_node root) {
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string name = a.name();
        if (name.rfind("xmlns:", 0) == 0 && std::string(a.value()) == RELATIONSHIPS_NAMESPACE)
            return name.substr(6);
    }
    const std::string prefix = root.attribute("xmlns:r") ? "briskelr" : "r";
    root.append_attribute(("xmlns:" + prefix).c_str()) = RELATIONSHIPS_NAMESPACE;
    return prefix;
}

// The sheet's name as a formula writes it: 'It''s here'.
std::string QuotedSheetName(const std::string& name) {
    std::string out = "'";
    for (char c : name) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// "A1:F20" → "$A$1:$F$20".
std::string AbsoluteRange(const std::string& range) {
    std::string out;
    bool inDigits = false;
    for (std::size_t i = 0; i < range.size(); ++i) {
        const char c = range[i];
        const bool letter = c >= 'A' && c <= 'Z';
        if (letter && (i == 0 || range[i - 1] == ':')) out += '$';
        if (!letter && c != ':' && !inDigits) out += '$';
        inDigits = c >= '0' && c <= '9';
        out += c;
    }
    return out;
}

// The rows and columns a sheet prints on every page, as its print titles name
// holds them: "'Loop'!$A:$D,'Loop'!$1:$1" (columns first); "" for none.
std::string PrintTitles(const Sheet& sheet, const std::string& quotedName) {
    std::string titles;
    if (sheet.titleColumnFirst > 0)
        titles = quotedName + "!$" + ColumnLetters(sheet.titleColumnFirst) + ":$" +
                 ColumnLetters(sheet.titleColumnLast);
    if (sheet.titleRows > 0)
        titles +=
            (titles.empty() ? "" : ",") + quotedName + "!$1:$" + std::to_string(sheet.titleRows);
    return titles;
}

bool IsRange(const std::string& range) {
    const auto colon = range.find(':');
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!ParseCellReference(range.substr(0, colon), top, left)) return false;
    if (colon == std::string::npos) return true;
    return ParseCellReference(range.substr(colon + 1), bottom, right) && bottom >= top &&
           right >= left;
}

pugi::xml_node SheetElement(pugi::xml_document& workbook, const std::string& relId) {
    for (pugi::xml_node s = Child(Child(workbook.document_element(), "sheets"), "sheet"); s;
         s = s.next_sibling()) {
        for (pugi::xml_attribute a = s.first_attribute(); a; a = a.next_attribute())
            if (EndsWith(a.name(), ":id") && relId == a.value()) return s;
    }
    return {};
}

}  // namespace

pugi::xml_node Sheet::ChildForWriting(const char* local) {
    pugi::xml_node root = Root();
    if (pugi::xml_node existing = Child(root, local)) return existing;
    pugi::xml_node probe;
    const std::string name = prefix + local;
    probe = root.append_child(name.c_str());
    const int order = OrderOf(probe);
    root.remove_child(probe);
    for (pugi::xml_node n = root.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_element && OrderOf(n) > order)
            return root.insert_child_before(name.c_str(), n);
    return root.append_child(name.c_str());
}

int WorkbookPackage::Impl::AddSheet() {
    const std::string folder = FolderOfPart(sheets.front()->part);
    std::string part;
    for (int n = static_cast<int>(sheets.size()) + 1; part.empty() || Entry(part) != nullptr; ++n)
        part = folder + "sheet" + std::to_string(n) + ".xml";
    auto sheet = std::make_unique<Sheet>();
    if (!sheet->Load(firstSheetXml)) return XLE_DAMAGED_PACKAGE;
    sheet->part = part;
    // Only the first sheet is the one shown when the workbook opens.
    for (pugi::xml_node v = Child(Child(sheet->Root(), "sheetViews"), "sheetView"); v;
         v = v.next_sibling())
        v.remove_attribute("tabSelected");

    pugi::xml_document workbook, rels, types;
    const std::string relsPart = RelationshipsPartOf(mainPart);
    if (!LoadXml(mainPart, workbook) || !LoadXml(relsPart, rels) ||
        !LoadXml("[Content_Types].xml", types))
        return XLE_DAMAGED_PACKAGE;
    pugi::xml_node sheetList = Child(workbook.document_element(), "sheets");
    const pugi::xml_node firstElement = Child(sheetList, "sheet");
    std::string idAttribute = "r:id";
    for (pugi::xml_attribute a = firstElement.first_attribute(); a; a = a.next_attribute())
        if (EndsWith(a.name(), ":id")) idAttribute = a.name();
    int sheetId = 0;
    for (pugi::xml_node s = firstElement; s; s = s.next_sibling())
        sheetId = std::max(sheetId, s.attribute("sheetId").as_int());

    sheet->relId = "rIdBriskelSheet" + std::to_string(sheetId + 1);
    pugi::xml_node r = rels.document_element().append_child(
        (PrefixOf(Child(rels.document_element(), "Relationship"), "Relationship") + "Relationship")
            .c_str());
    r.append_attribute("Id") = sheet->relId.c_str();
    r.append_attribute("Type") = WORKSHEET_TYPE;
    const std::string relative = part.rfind(FolderOfPart(mainPart), 0) == 0
                                     ? part.substr(FolderOfPart(mainPart).size())
                                     : "/" + part;
    r.append_attribute("Target") = relative.c_str();

    pugi::xml_node o = types.document_element().append_child("Override");
    o.append_attribute("PartName") = ("/" + part).c_str();
    o.append_attribute("ContentType") = WORKSHEET_CONTENT;

    pugi::xml_node s = sheetList.append_child(firstElement.name());
    std::string name;
    for (int n = static_cast<int>(sheets.size()) + 1; name.empty() || !SheetNameFree(name, -1); ++n)
        name = "Sheet" + std::to_string(n);
    s.append_attribute("name") = name.c_str();
    s.append_attribute("sheetId") = sheetId + 1;
    s.append_attribute(idAttribute.c_str()) = sheet->relId.c_str();

    Entry(mainPart)->data = XmlText(workbook);
    Entry(relsPart)->data = XmlText(rels);
    Entry("[Content_Types].xml")->data = XmlText(types);
    entries.push_back({part, firstSheetXml});
    if (!firstSheetRels.empty()) entries.push_back({RelationshipsPartOf(part), firstSheetRels});
    sheets.push_back(std::move(sheet));
    return static_cast<int>(sheets.size()) - 1;
}

bool WorkbookPackage::Impl::SheetNameFree(const std::string& name, int except) {
    pugi::xml_document workbook;
    if (!LoadXml(mainPart, workbook)) return false;
    const std::string wanted = Lower(name);
    int index = 0;
    for (pugi::xml_node s = Child(Child(workbook.document_element(), "sheets"), "sheet"); s;
         s = s.next_sibling()) {
        if (!IsNamed(s, "sheet")) continue;
        const bool self = except >= 0 && SheetElement(workbook, sheets[except]->relId) == s;
        if (!self && Lower(s.attribute("name").as_string()) == wanted) return false;
        ++index;
    }
    return true;
}

int WorkbookPackage::Impl::NameSheet(int index, const std::string& name) {
    Sheet* sheet = SheetAt(index);
    if (sheet == nullptr || name.empty() || CharacterCount(name) > MAX_SHEET_NAME ||
        name.find_first_of("[]:*?/\\") != std::string::npos || name.front() == '\'' ||
        name.back() == '\'' || !SheetNameFree(name, index))
        return XLE_INVALID_ARGUMENT;
    pugi::xml_document workbook;
    if (!LoadXml(mainPart, workbook)) return XLE_DAMAGED_PACKAGE;
    pugi::xml_node element = SheetElement(workbook, sheet->relId);
    if (!element) return XLE_DAMAGED_PACKAGE;
    element.attribute("name").set_value(name.c_str());
    Entry(mainPart)->data = XmlText(workbook);
    return XLE_NO_ERROR;
}

std::string WorkbookPackage::Impl::SheetName(int index) {
    Sheet* sheet = SheetAt(index);
    pugi::xml_document workbook;
    if (sheet == nullptr || !LoadXml(mainPart, workbook)) return "";
    return SheetElement(workbook, sheet->relId).attribute("name").as_string();
}

void WorkbookPackage::Impl::WriteSheetLinks(Sheet& sheet, std::vector<ZipEntry>& out) {
    if (sheet.links.empty()) return;
    const std::string part = RelationshipsPartOf(sheet.part);
    pugi::xml_document rels;
    ZipEntry* entry = nullptr;
    for (auto& e : out)
        if (EqualsIgnoringCase(e.name, part)) entry = &e;
    if (entry == nullptr ||
        !rels.load_buffer(entry->data.data(), entry->data.size(), XML_PARSE, pugi::encoding_utf8)) {
        rels.reset();
        rels.append_child("Relationships").append_attribute("xmlns") =
            RELATIONSHIPS_PACKAGE_NAMESPACE;
    }
    const std::string element = PrefixOf(rels.document_element(), "Relationships") + "Relationship";
    for (const auto& [id, target] : sheet.links) {
        pugi::xml_node r = rels.document_element().append_child(element.c_str());
        r.append_attribute("Id") = id.c_str();
        r.append_attribute("Type") = HYPERLINK_TYPE;
        r.append_attribute("Target") = EncodedTarget(target).c_str();
        r.append_attribute("TargetMode") = "External";
    }
    if (entry != nullptr) {
        entry->data = XmlText(rels);
    } else {
        out.push_back({part, XmlText(rels)});
    }
}

// A filter and print titles need the workbook's names that tell a spreadsheet
// program their ranges; written at the save, once the sheets have their final
// names. A name the package already holds for the same sheet is replaced.
void WorkbookPackage::Impl::WriteSheetNames(std::vector<ZipEntry>& out) {
    pugi::xml_document workbook;
    if (!LoadXml(mainPart, workbook)) return;
    pugi::xml_node root = workbook.document_element();
    bool any = false;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const pugi::xml_node element = SheetElement(workbook, sheets[i]->relId);
        const std::string sheetName = QuotedSheetName(element.attribute("name").as_string());
        std::vector<std::array<std::string, 3>> wanted;  // name, formula, hidden
        if (const pugi::xml_node filter = Child(sheets[i]->Root(), "autoFilter"))
            wanted.push_back({FILTER_NAME,
                              sheetName + "!" + AbsoluteRange(filter.attribute("ref").as_string()),
                              "1"});
        if (const std::string titles = PrintTitles(*sheets[i], sheetName); !titles.empty())
            wanted.push_back({PRINT_TITLES_NAME, titles, ""});
        if (wanted.empty()) continue;
        int position = 0;
        for (pugi::xml_node s = Child(Child(root, "sheets"), "sheet"); s && s != element;
             s = s.next_sibling())
            if (IsNamed(s, "sheet")) ++position;
        pugi::xml_node names = Child(root, "definedNames");
        if (!names) {
            pugi::xml_node after = Child(root, "sheets");
            for (const char* later : {"functionGroups", "externalReferences"})
                if (pugi::xml_node n = Child(root, later)) after = n;
            names = root.insert_child_after((PrefixOf(root, "workbook") + "definedNames").c_str(),
                                            after);
        }
        for (const auto& [name, formula, hidden] : wanted) {
            for (pugi::xml_node n = names.first_child(); n;) {
                const pugi::xml_node next = n.next_sibling();
                if (name == n.attribute("name").as_string() &&
                    n.attribute("localSheetId").as_int(-1) == position)
                    names.remove_child(n);
                n = next;
            }
            pugi::xml_node added =
                names.append_child((PrefixOf(root, "workbook") + "definedName").c_str());
            added.append_attribute("name") = name.c_str();
            added.append_attribute("localSheetId") = position;
            if (!hidden.empty()) added.append_attribute("hidden") = hidden.c_str();
            added.text().set(formula.c_str());
        }
        any = true;
    }
    if (!any) return;
    for (auto& e : out)
        if (EqualsIgnoringCase(e.name, mainPart)) e.data = XmlText(workbook);
}

int WorkbookPackage::SheetCount() const {
    return impl_ ? static_cast<int>(impl_->sheets.size()) : 0;
}

int WorkbookPackage::AddSheet() {
    return impl_ ? impl_->AddSheet() : XLE_WORKBOOK_CLOSED;
}

int WorkbookPackage::SetSheetName(int sheet, const std::string& name) {
    return impl_ ? impl_->NameSheet(sheet, name) : XLE_WORKBOOK_CLOSED;
}

std::string WorkbookPackage::SheetName(int sheet) const {
    return impl_ ? impl_->SheetName(sheet) : "";
}

int WorkbookPackage::FreezeRows(int sheet, int rows) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || rows < 0 || rows >= MAX_ROWS) return XLE_INVALID_ARGUMENT;
    pugi::xml_node views = s->ChildForWriting("sheetViews");
    pugi::xml_node view = Child(views, "sheetView");
    if (!view) {
        view = views.append_child((s->prefix + "sheetView").c_str());
        view.append_attribute("workbookViewId") = 0;
    }
    for (pugi::xml_node n = view.first_child(); n;) {
        const pugi::xml_node next = n.next_sibling();
        if (IsNamed(n, "pane") || IsNamed(n, "selection")) view.remove_child(n);
        n = next;
    }
    if (rows == 0) return XLE_NO_ERROR;
    const std::string topLeft = "A" + std::to_string(rows + 1);
    pugi::xml_node selection = view.prepend_child((s->prefix + "selection").c_str());
    selection.append_attribute("pane") = "bottomLeft";
    selection.append_attribute("activeCell") = topLeft.c_str();
    selection.append_attribute("sqref") = topLeft.c_str();
    pugi::xml_node pane = view.prepend_child((s->prefix + "pane").c_str());
    pane.append_attribute("ySplit") = rows;
    pane.append_attribute("topLeftCell") = topLeft.c_str();
    pane.append_attribute("activePane") = "bottomLeft";
    pane.append_attribute("state") = "frozen";
    return XLE_NO_ERROR;
}

int WorkbookPackage::SetAutoFilter(int sheet, const std::string& range) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || !IsRange(range)) return XLE_INVALID_ARGUMENT;
    pugi::xml_node filter = s->ChildForWriting("autoFilter");
    while (filter.first_child()) filter.remove_child(filter.first_child());
    (filter.attribute("ref") ? filter.attribute("ref") : filter.append_attribute("ref")) =
        range.c_str();
    return XLE_NO_ERROR;
}

int WorkbookPackage::AddHyperlink(int sheet, int row, int column, const std::string& target) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || target.empty() || row < 1 || row > MAX_ROWS || column < 1 ||
        column > MAX_COLUMNS)
        return XLE_INVALID_ARGUMENT;
    const std::string prefix = RelationshipsPrefix(s->doc.document_element());
    const std::string id = "rIdBriskelLink" + std::to_string(s->links.size() + 1);
    pugi::xml_node link =
        s->ChildForWriting("hyperlinks").append_child((s->prefix + "hyperlink").c_str());
    link.append_attribute("ref") = (ColumnLetters(column) + std::to_string(row)).c_str();
    link.append_attribute((prefix + ":id").c_str()) = id.c_str();
    s->links.emplace_back(id, target);
    return XLE_NO_ERROR;
}

int WorkbookPackage::SetColumnWidth(int sheet, int column, double width) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || column < 1 || column > MAX_COLUMNS || !(width >= 1 && width <= 255))
        return XLE_INVALID_ARGUMENT;
    pugi::xml_node cols = s->ChildForWriting("cols");
    const std::string name = s->prefix + "col";
    pugi::xml_node target;
    for (pugi::xml_node c = Child(cols, "col"); c && !target; c = c.next_sibling()) {
        if (!IsNamed(c, "col")) continue;
        const int min = c.attribute("min").as_int(), max = c.attribute("max").as_int();
        if (min > column) {
            target = cols.insert_child_before(name.c_str(), c);
        } else if (max >= column) {
            // The column leaves its range; the columns on either side keep it.
            if (min < column) cols.insert_copy_before(c, c).attribute("max") = column - 1;
            if (max > column) cols.insert_copy_after(c, c).attribute("min") = column + 1;
            target = c;
        }
    }
    if (!target) target = cols.append_child(name.c_str());
    for (const char* a : {"min", "max", "width", "customWidth"})
        if (!target.attribute(a)) target.append_attribute(a);
    target.attribute("min") = column;
    target.attribute("max") = column;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", width);
    target.attribute("width") = text;
    target.attribute("customWidth") = "1";
    return XLE_NO_ERROR;
}

std::string WorkbookPackage::SheetXml(int sheet) const {
    if (!impl_ || impl_->SheetAt(sheet) == nullptr) return "";
    impl_->SheetAt(sheet)->UpdateDimension();
    return XmlText(impl_->SheetAt(sheet)->doc);
}
