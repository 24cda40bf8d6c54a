// The styles part of a workbook package, as far as number formats go: which
// format a cell style shows its numbers with, and the cell style that adds a
// number format to another one while keeping its font, fill, border and
// alignment. New number formats and cell styles are added once and reused.
#pragma once

#include <map>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

class WorkbookStyles {
   public:
    // Reads the styles part from its XML. False, and the object stays unusable,
    // when it is not a style sheet whose cell styles can be extended: not
    // XML, another root element, no cell style list, or a number format table
    // that a new format could not be told apart in.
    bool Load(const std::string& xml);
    bool IsLoaded() const { return !cellXfs_.empty(); }

    // The number format code of cell style `style` ("0.000", "@"; "General"
    // for the default); "" when the style does not exist or its format is
    // neither in the part nor one of the common built-in ones.
    std::string FormatCode(int style) const;

    // True when cells of `style` take whatever is typed as text, as a
    // spreadsheet program does for the text format "@" and for a style that
    // marks its text with a leading apostrophe (quotePrefix).
    bool KeepsTypedText(int style) const;

    // The cell style that is `style` with the number format `code`: an equal
    // one already there, else a new one. -1 when `style` does not exist.
    int StyleWithFormat(int style, const std::string& code);

    // The cell style a style added by StyleWithFormat was made from (any
    // other style: itself), so a text written over a number goes back to the
    // style the template gave the cell.
    int BaseStyle(int style) const;

    // True once something was added; Xml() is then the part to write.
    bool Changed() const { return changed_; }
    std::string Xml() const;

   private:
    int FormatId(const std::string& code);

    pugi::xml_document document_;
    pugi::xml_node cellXfs_;
    std::vector<pugi::xml_node> xfs_;  // the cell styles, by index
    std::string prefix_;               // namespace prefix of the part's elements, "" or "x:"
    std::map<std::pair<int, std::string>, int> derived_;  // (base, format) → style
    std::map<int, int> bases_;                            // style added here → its base
    std::map<std::string, int> xfIndex_;                  // a cell style's XML → its index
    bool changed_ = false;
};
