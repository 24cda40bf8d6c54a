// The workbook engine's page setup of a worksheet: paper, orientation, scale
// or fit to the page width, margins, footer and the rows and columns printed
// on every page. Each element goes where the Office Open XML schema orders it.
#include <cstdio>
#include <initializer_list>

#include "platform/spreadsheet/workbook_parts.h"

namespace {

// Spreadsheet programs refuse a header or footer code longer than this.
constexpr std::size_t MAX_FOOTER = 255;

bool Valid(const SheetPrintSetup& p) {
    for (double margin : {p.left, p.right, p.top, p.bottom, p.headerMargin, p.footerMargin})
        if (!(margin >= 0 && margin < 50)) return false;
    const bool noColumns = p.titleColumnFirst == 0 && p.titleColumnLast == 0;
    const bool columns = p.titleColumnFirst >= 1 && p.titleColumnFirst <= p.titleColumnLast &&
                         p.titleColumnLast <= MAX_COLUMNS;
    return p.paperSize >= 1 && p.scale >= 10 && p.scale <= 400 && p.titleRows >= 0 &&
           p.titleRows <= MAX_ROWS && (noColumns || columns) && p.footer.size() <= MAX_FOOTER;
}

void Put(pugi::xml_node node, const char* attribute, const std::string& value) {
    (node.attribute(attribute) ? node.attribute(attribute) : node.append_attribute(attribute)) =
        value.c_str();
}

std::string Inches(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

// The child `local` of `parent`, made after the first of `before` it has (in
// the schema's order, latest first), else as its first child.
pugi::xml_node ChildAfter(pugi::xml_node parent, const std::string& prefix, const char* local,
                          std::initializer_list<const char*> before) {
    if (pugi::xml_node existing = Child(parent, local)) return existing;
    const std::string name = prefix + local;
    for (const char* earlier : before)
        if (pugi::xml_node n = Child(parent, earlier))
            return parent.insert_child_after(name.c_str(), n);
    return parent.prepend_child(name.c_str());
}

void WriteFooter(Sheet& s, const std::string& footer) {
    pugi::xml_node headerFooter = s.ChildForWriting("headerFooter");
    // One footer on every page: no other one for the first or the even pages.
    headerFooter.remove_attribute("differentFirst");
    headerFooter.remove_attribute("differentOddEven");
    pugi::xml_node odd = ChildAfter(headerFooter, s.prefix, "oddFooter", {"oddHeader"});
    odd.text().set(footer.c_str());
}

}  // namespace

int WorkbookPackage::SetPrintSetup(int sheet, const SheetPrintSetup& p) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    Sheet* s = impl_->SheetAt(sheet);
    if (s == nullptr || !Valid(p)) return XLE_INVALID_ARGUMENT;
    // pageSetUpPr is the last child a sheetPr may have.
    pugi::xml_node properties = s->ChildForWriting("sheetPr");
    pugi::xml_node fit = Child(properties, "pageSetUpPr");
    if (!fit) fit = properties.append_child((s->prefix + "pageSetUpPr").c_str());
    Put(fit, "fitToPage", p.fitToWidth ? "1" : "0");

    pugi::xml_node margins = s->ChildForWriting("pageMargins");
    Put(margins, "left", Inches(p.left));
    Put(margins, "right", Inches(p.right));
    Put(margins, "top", Inches(p.top));
    Put(margins, "bottom", Inches(p.bottom));
    Put(margins, "header", Inches(p.headerMargin));
    Put(margins, "footer", Inches(p.footerMargin));

    // What the template's page setup holds besides (its printer settings) stays.
    pugi::xml_node setup = s->ChildForWriting("pageSetup");
    Put(setup, "paperSize", std::to_string(p.paperSize));
    Put(setup, "orientation", p.landscape ? "landscape" : "portrait");
    for (const char* a : {"scale", "fitToWidth", "fitToHeight"}) setup.remove_attribute(a);
    if (p.fitToWidth) {
        Put(setup, "fitToWidth", "1");
        Put(setup, "fitToHeight", "0");  // as many pages down as needed
    } else {
        Put(setup, "scale", std::to_string(p.scale));
    }
    WriteFooter(*s, p.footer);
    s->titleRows = p.titleRows;
    s->titleColumnFirst = p.titleColumnFirst;
    s->titleColumnLast = p.titleColumnLast;
    return XLE_NO_ERROR;
}
