// How a worksheet prints: the page setup a spreadsheet program keeps with the
// sheet (Worksheet.PageSetup), given as values.
#pragma once

#include <string>

struct SheetPrintSetup {
    // The spreadsheet paper codes: 9 is A4, 1 is Letter.
    int paperSize = 9;
    bool landscape = false;
    // One page wide and as many pages down as the rows need; `scale` is then
    // the spreadsheet program's to choose.
    bool fitToWidth = false;
    int scale = 100;  // percent of the real size, 10 to 400
    // Margins, and the header's and footer's distances from the paper's edge,
    // in inches.
    double left = 0.7, right = 0.7, top = 0.75, bottom = 0.75;
    double headerMargin = 0.3, footerMargin = 0.3;
    // Rows 1 to `titleRows` printed on every page down; columns
    // `titleColumnFirst` to `titleColumnLast` on every page across (0: none).
    int titleRows = 0;
    int titleColumnFirst = 0, titleColumnLast = 0;
    // The footer as a header/footer code ("&LPage &P&R&F"): sections and
    // fields are the caller's, a literal "&" is written "&&".
    std::string footer;
};
