#include "excel/test_workbook.h"

#include <cctype>
#include <variant>

#include "excel/current_earth_sheets.h"
#include "excel/loop_sheets.h"
#include "excel/voltage_rcd_sheets.h"
#include "excel/workbook_names.h"
#include "platform/system/system.h"

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
    if (text.size() < tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) !=
            std::tolower(static_cast<unsigned char>(tail[i])))
            return false;
    return true;
}

}  // namespace

// The saved file is an Office Open XML workbook; its name says so, whatever
// was typed, so that spreadsheet programs open it as one.
std::string WithWorkbookExtension(const std::string& path) {
    return EndsWithIgnoringCase(path, WORKBOOK_EXTENSION) ? path : path + WORKBOOK_EXTENSION;
}

int OpenTemplateCopy(Workbook& book) {
    std::string directory;
    GetProjectDir(directory);
    SetDir(directory);
    const int status = book.Open(JoinPath(directory, TEMPLATE_NAME));
    return status < 0 ? status : book.SelectSheet(1);
}

namespace {

struct LayoutOf {
    Cells operator()(std::monostate) const { return {}; }
    Cells operator()(const AmpRecord& amp) const { return CurrentCells(amp); }
    Cells operator()(const EarthRecord& earth) const { return EarthCells(earth); }
    Cells operator()(const LoopRecord& loop) const { return LoopCells(loop); }
    Cells operator()(const RcdRecord& rcd) const { return RcdCells(rcd); }
    Cells operator()(const VoltRecord& volt) const { return VoltageCells(volt); }
};

}  // namespace

Cells SheetCells(int object, int test, const MeasuredRecord& record) {
    Cells cells;
    AddIdentificationCells(cells, object, test);
    const Cells layout = std::visit(LayoutOf{}, record);
    cells.insert(cells.end(), layout.begin(), layout.end());
    return cells;
}

void WriteKindRows(Workbook& book, int object, int test, const MeasuredRecord& record) {
    WriteCells(book, SheetCells(object, test, record));
}
