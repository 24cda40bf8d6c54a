#include "excel/test_workbook.h"

#include <cctype>
#include <variant>

#include "excel/current_earth_sheets.h"
#include "excel/excel_instance.h"
#include "excel/loop_sheets.h"
#include "excel/voltage_rcd_sheets.h"
#include "excel/workbook_names.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/system/system.h"

namespace {

constexpr int RANGE_ROWS = 20;

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

int OpenWorkbooks() {
    ClearObjHandle(&ExcelWorkbooksHandle);
    return Excel_GetProperty(ExcelAppHandle, ExcelApp_Workbooks, ExcelWorkbooksHandle);
}

int OpenTemplateCopy() {
    std::string directory;
    GetProjectDir(directory);
    SetDir(directory);
    const std::string templatePath = JoinPath(directory, TEMPLATE_NAME);

    ClearObjHandle(&ExcelWorkbookHandle);
    int status = Excel_WorkbooksOpen(ExcelWorkbooksHandle, templatePath, ExcelWorkbookHandle);
    if (status >= 0) {
        ClearObjHandle(&ExcelSheetsHandle);
        status = Excel_GetProperty(ExcelAppHandle, ExcelApp_Sheets, ExcelSheetsHandle);
    }
    if (status >= 0) {
        ClearObjHandle(&ExcelWorksheetHandle);
        status = Excel_SheetsItem(ExcelSheetsHandle, 1, ExcelWorksheetHandle);
    }
    if (status >= 0) status = Excel_WorksheetActivate(ExcelWorksheetHandle);
    if (status < 0) return status;
    ClearObjHandle(&ExcelRangeHandle);
    Excel_WorksheetRange(ExcelWorksheetHandle, "A1:BA" + std::to_string(RANGE_ROWS),
                         ExcelRangeHandle);
    return status;
}

void ReleasePerTestHandles() {
    ClearObjHandle(&ExcelRangeHandle);
    ClearObjHandle(&ExcelSheetsHandle);
    ClearObjHandle(&ExcelWorksheetHandle);
    ClearObjHandle(&ExcelWorkbookHandle);
    ClearObjHandle(&ExcelWorkbooksHandle);
    ExcelWorksheetHandle = 0;
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

void WriteKindRows(int object, int test, const MeasuredRecord& record) {
    WriteCells(SheetCells(object, test, record));
}
