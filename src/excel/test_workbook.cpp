#include "excel/test_workbook.h"

#include <cctype>

#include "excel/current_earth_sheets.h"
#include "excel/excel_instance.h"
#include "excel/loop_sheets.h"
#include "excel/voltage_rcd_sheets.h"
#include "excel/workbook_names.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/system/system.h"
#include "store/store.h"

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

void WriteKindRows(int object, int test, int kind) {
    switch (kind) {
        case KIND_CURRENT:
            MAJ_enteteExcel_courant();
            Exporter_courant(object, test);
            break;
        case KIND_EARTH:
            MAJ_enteteExcel_Terre();
            Exporter_Terre(object, test);
            break;
        case KIND_LOOP: {
            Exporter_Loop(object, test);
            const int function = Selection.fonction_boucle;
            const bool earthVariant = Selection.variante_terre != 0;
            if (function == 0 || function == 1) {
                MAJ_enteteExcel_Loop(LOOP_FULL);
                Suite_Exporter_Loop(LOOP_FULL);
            } else if (function == 2) {
                MAJ_enteteExcel_Loop_REarth(LOOP_FULL);
                Suite_Exporter_REarth(LOOP_FULL);
            } else if (function == 3 && !earthVariant) {
                MAJ_enteteExcel_Loop(LOOP_SHORT);
                Suite_Exporter_Loop(LOOP_SHORT);
            } else if (function == 3) {
                MAJ_enteteExcel_Loop_REarth(LOOP_SHORT);
                Suite_Exporter_REarth(LOOP_SHORT);
            }
            break;
        }
        case KIND_RCD:
            MAJ_enteteExcel_RCD();
            Exporter_RCD(object, test);
            break;
        case KIND_VOLTAGE:
            MAJ_enteteExcel_Tension();
            Exporter_Tension(object, test);
            break;
        default:
            break;
    }
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
