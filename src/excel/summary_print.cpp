// The choice of how a summary sheet prints, from its titles and widths.
#include "excel/summary_print.h"

#include <algorithm>

#include "shell/messages.h"

namespace {

// A4, the paper of offices across Europe, turned landscape: 297 mm across.
constexpr int PAPER_A4 = 9;
constexpr double PAPER_WIDTH = 297 / 25.4;  // inches
// Margins every office printer prints within (1 cm at the sides), the footer
// below the last row.
constexpr double SIDE_MARGIN = 0.4, TOP_MARGIN = 0.6, BOTTOM_MARGIN = 0.75, HEADER = 0.3,
                 FOOTER = 0.3;
// A column `w` characters wide prints about 7 w pixels of 1/96 inch in Excel
// (7 pixels: the digit width of the template's font, Calibri 11) and a little
// more in LibreOffice (7.44, from Carlito's outlines): reckoned with the wider,
// so that no program fits a sheet below the smallest scale.
constexpr double INCHES_PER_CHARACTER = 7.5 / 96;
// A column no width was set for has the spreadsheet programs' default.
constexpr double DEFAULT_WIDTH = 8.43;
// Below this the print gets hard to read: a wider sheet spreads across pages.
constexpr int SMALLEST_SCALE = 60;

// A literal text in a header/footer code: "&" starts a code there.
std::string LiteralCode(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? std::string("&&") : std::string(1, c);
    return out;
}

double SheetWidthInches(const std::map<int, std::string>& titles,
                        const std::map<int, double>& widths) {
    int last = titles.empty() ? 0 : titles.rbegin()->first;
    if (!widths.empty()) last = std::max(last, widths.rbegin()->first);
    double characters = 0;
    for (int column = 1; column <= last; ++column) {
        const auto width = widths.find(column);
        characters += width == widths.end() ? DEFAULT_WIDTH : width->second;
    }
    return characters * INCHES_PER_CHARACTER;
}

}  // namespace

std::pair<int, int> IdentityColumns(const std::map<int, std::string>& titles,
                                    const std::vector<std::string>& identityTitles) {
    auto identity = [&](int column) {
        const auto title = titles.find(column);
        return title != titles.end() && std::find(identityTitles.begin(), identityTitles.end(),
                                                  title->second) != identityTitles.end();
    };
    int first = 0;
    for (const auto& [column, title] : titles)
        if (identity(column)) {
            first = column;
            break;
        }
    if (first == 0) return {0, 0};
    int last = first;
    while (identity(last + 1) || identity(last + 2)) last += identity(last + 1) ? 1 : 2;
    return {first, last};
}

SheetPrintSetup SummaryPrintSetup(const std::map<int, std::string>& titles,
                                  const std::map<int, double>& widths,
                                  const std::vector<std::string>& identityTitles,
                                  const std::string& pageText) {
    SheetPrintSetup setup;
    setup.paperSize = PAPER_A4;
    setup.landscape = true;
    setup.left = setup.right = SIDE_MARGIN;
    setup.top = TOP_MARGIN;
    setup.bottom = BOTTOM_MARGIN;
    setup.headerMargin = HEADER;
    setup.footerMargin = FOOTER;
    setup.titleRows = 1;
    const double printable = PAPER_WIDTH - 2 * SIDE_MARGIN;
    const double width = SheetWidthInches(titles, widths);
    if (width * SMALLEST_SCALE / 100 <= printable) {
        setup.fitToWidth = true;
    } else {
        setup.scale = SMALLEST_SCALE;
        const auto [first, last] = IdentityColumns(titles, identityTitles);
        setup.titleColumnFirst = first;
        setup.titleColumnLast = last;
    }
    // The file's own name (&F) follows the workbook when it is renamed; the
    // sheet's name (&A) says which list a loose page belongs to.
    setup.footer =
        "&L&F&C&A&R" + FillPlaceholders(LiteralCode(pageText), {{"page", "&P"}, {"pages", "&N"}});
    return setup;
}
