// Inside the workbook engine: the parts of an open package held in memory,
// shared by workbook_package.cpp (cells, open, save) and workbook_sheets.cpp
// (several worksheets, their names, views, filters, links and widths).
#pragma once

#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/workbook_styles.h"
#include "platform/spreadsheet/xml_names.h"
#include "platform/spreadsheet/zip_archive.h"

constexpr int MAX_ROWS = 1048576;
constexpr int MAX_COLUMNS = 16384;
constexpr unsigned XML_PARSE =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;

bool EqualsIgnoringCase(const std::string& a, const std::string& b);
bool EndsWith(const std::string& text, const std::string& tail);
std::string FolderOfPart(const std::string& part);
// The relationships part of a part: "xl/workbook.xml" → "xl/_rels/workbook.xml.rels".
std::string RelationshipsPartOf(const std::string& part);
// A relationship target, relative to the folder of its source, as a part name.
std::string ResolveTarget(const std::string& sourceFolder, const std::string& target);
// The document as its part holds it: UTF-8, no indentation.
std::string XmlText(const pugi::xml_document& document);

// One worksheet of the package.
struct Sheet {
    std::string part;   // "xl/worksheets/sheet1.xml"
    std::string relId;  // the workbook's relationship to it, which its <sheet> names
    pugi::xml_document doc;
    pugi::xml_node data;  // its sheetData
    std::string prefix;   // namespace prefix of its elements, "" or "x:"
    // Hyperlinks added since the package was opened: relationship id, target.
    std::vector<std::pair<std::string, std::string>> links;
    // What it prints on every page (print titles): rows 1 to titleRows, the
    // columns from first to last (0: none).
    int titleRows = 0, titleColumnFirst = 0, titleColumnLast = 0;

    pugi::xml_node Root() const { return doc.document_element(); }
    // Reads the worksheet from its XML; false when it is not one.
    bool Load(const std::string& xml);
    void NumberRowsAndCells();
    pugi::xml_node FindRow(int row) const;
    pugi::xml_node FindCell(const pugi::xml_node& rowNode, int column) const;
    pugi::xml_node RowForWriting(int row);
    pugi::xml_node CellForWriting(pugi::xml_node rowNode, int row, int column);
    int TemplateStyle(const pugi::xml_node& rowNode, int column) const;
    void UpdateDimension();
    // The child element `local` of the worksheet, made where the worksheet's
    // element order puts it when missing.
    pugi::xml_node ChildForWriting(const char* local);
};

struct WorkbookPackage::Impl {
    std::vector<ZipEntry> entries;
    std::string mainPart;                        // the workbook part, "xl/workbook.xml"
    std::vector<std::unique_ptr<Sheet>> sheets;  // in the workbook's order
    // The first worksheet and its relationships as the package held them,
    // from which added worksheets are made.
    std::string firstSheetXml, firstSheetRels;
    std::vector<std::string> sharedStrings;
    std::string stylesPart;  // "" when the package has no usable styles part
    WorkbookStyles styles;

    ZipEntry* Entry(const std::string& name) {
        for (auto& e : entries)
            if (EqualsIgnoringCase(e.name, name)) return &e;
        return nullptr;
    }
    bool LoadXml(const std::string& part, pugi::xml_document& doc) {
        const ZipEntry* e = Entry(part);
        return e != nullptr &&
               doc.load_buffer(e->data.data(), e->data.size(), XML_PARSE, pugi::encoding_utf8);
    }
    // Target of the first relationship in `relsPart` whose type ends with `typeTail`
    // (or, with an id, whose Id equals it).
    std::string Target(const std::string& source, const std::string& typeTail,
                       const std::string& id = "") {
        pugi::xml_document rels;
        if (!LoadXml(RelationshipsPartOf(source), rels)) return "";
        for (pugi::xml_node r = Child(rels.document_element(), "Relationship"); r;
             r = r.next_sibling()) {
            if (!IsNamed(r, "Relationship")) continue;
            if (std::string(r.attribute("TargetMode").as_string()) == "External") continue;
            const bool match = id.empty() ? EndsWith(r.attribute("Type").as_string(), typeTail)
                                          : id == r.attribute("Id").as_string();
            if (match)
                return ResolveTarget(FolderOfPart(source), r.attribute("Target").as_string());
        }
        return "";
    }

    int Load();
    void ReadSharedStrings(const std::string& workbookPart);
    void ReadStyles(const std::string& workbookPart);
    void DropCalculationChain(const std::string& workbookPart);
    void PutValue(const Sheet& sheet, pugi::xml_node cell, const std::string& text);
    // The cell at `row`, `column` of `sheet`, made when missing, emptied.
    pugi::xml_node EmptyCell(Sheet& sheet, int row, int column);
    Sheet* SheetAt(int index) {
        return index >= 0 && static_cast<std::size_t>(index) < sheets.size() ? sheets[index].get()
                                                                             : nullptr;
    }
    // Workbook structure (workbook_sheets.cpp).
    int AddSheet();
    int NameSheet(int index, const std::string& name);
    std::string SheetName(int index);
    // No sheet but the one at `except` (-1: none) has `name`, compared without case.
    bool SheetNameFree(const std::string& name, int except);
    // The names of the sheets' filters and print titles, into the workbook part in `out`.
    void WriteSheetNames(std::vector<ZipEntry>& out);
    // The relationships part of `sheet` with its added hyperlinks, into `out`.
    void WriteSheetLinks(Sheet& sheet, std::vector<ZipEntry>& out);
};
