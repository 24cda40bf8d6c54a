// The handle-based spreadsheet services: a whole export cycle, released and
// mismatched handles, an application the user closed, refused arguments.
#include <gtest/gtest.h>

#include <filesystem>

#include "excel_test_support.h"
#include "platform/spreadsheet/spreadsheet.h"

namespace fs = std::filesystem;

namespace {

class SpreadsheetServices : public ::testing::Test {
   protected:
    void SetUp() override {
        ResetSpreadsheetForTesting();
        folder_ = MakeTempFolder();
    }
    void TearDown() override {
        ResetSpreadsheetForTesting();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    // Application, collection, template workbook, sheets, first sheet, range.
    void OpenAll() {
        ASSERT_EQ(Excel_NewApp(app), 0);
        ASSERT_EQ(Excel_SetProperty(app, ExcelApp_Visible, true), 0);
        ASSERT_EQ(Excel_GetProperty(app, ExcelApp_Workbooks, workbooks), 0);
        ASSERT_EQ(Excel_WorkbooksOpen(workbooks, TemplatePath(), workbook), 0);
        ASSERT_EQ(Excel_GetProperty(app, ExcelApp_Sheets, sheets), 0);
        ASSERT_EQ(Excel_SheetsItem(sheets, 1, worksheet), 0);
        ASSERT_EQ(Excel_WorksheetActivate(worksheet), 0);
        ASSERT_EQ(Excel_WorksheetRange(worksheet, "A1:BA20", range), 0);
    }
    CAObjHandle app = 0, workbooks = 0, workbook = 0, sheets = 0, worksheet = 0, range = 0;
    std::string folder_;
};

}  // namespace

TEST_F(SpreadsheetServices, AWholeExportCycleWritesTheWorkbookAndReleasesEverything) {
    OpenAll();
    EXPECT_EQ(Excel_HeldHandleCountForTesting(), 6);
    EXPECT_EQ(Excel_RangeSetItem(range, 1, 1, "Date of test"), 0);
    EXPECT_EQ(Excel_RangeSetItem(range, 2, 31, "Hz"), 0);
    const std::string path = folder_ + "/Briskel1.xlsx";
    EXPECT_EQ(Excel_WorkbookSaveAs(workbook, path, 1), 0);
    EXPECT_EQ(Excel_WorkbookClose(workbook, false), 0);
    EXPECT_EQ(Excel_OpenWorkbookCountForTesting(), 0);
    for (CAObjHandle h : {range, worksheet, sheets, workbook, workbooks})
        EXPECT_EQ(CA_DiscardObjHandle(h), 0);
    EXPECT_EQ(Excel_AppQuit(app), 0);
    EXPECT_EQ(CA_DiscardObjHandle(app), 0);
    EXPECT_EQ(Excel_HeldHandleCountForTesting(), 0);

    const auto row2 = SavedRow(path, 2);
    ASSERT_EQ(row2.size(), 31u);
    EXPECT_EQ(row2[30], "Hz");
    EXPECT_EQ(SavedRow(path, 1), std::vector<std::string>{"Date of test"});
}

TEST_F(SpreadsheetServices, ARangeAddressesCellsFromItsFirstCell) {
    OpenAll();
    CAObjHandle inner = 0;
    ASSERT_EQ(Excel_WorksheetRange(worksheet, "C3", inner), 0);
    ASSERT_EQ(Excel_RangeSetItem(inner, 2, 2, "x"), 0);
    std::string value;
    ASSERT_EQ(Excel_RangeGetItem(range, 4, 4, value), 0);
    EXPECT_EQ(value, "x");
    for (const char* bad : {"", "A0", "B2:A1", "A1:B", "1:2", "A1:BA20:C3"})
        EXPECT_EQ(Excel_WorksheetRange(worksheet, bad, inner), XLE_INVALID_ARGUMENT) << bad;
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(Excel_RangeSetItem(range, 0, 1, "x"), XLE_INVALID_ARGUMENT);
    EXPECT_EQ(Excel_RangeSetItem(range, 1, 0, "x"), XLE_INVALID_ARGUMENT);
    EXPECT_EQ(Excel_SheetsItem(sheets, 2, inner), XLE_INVALID_ARGUMENT);
    EXPECT_EQ(Excel_WorkbookSaveAs(workbook, folder_ + "/x.xlsx", 2), XLE_INVALID_ARGUMENT);
}

TEST_F(SpreadsheetServices, ReleasedMissingAndMismatchedHandlesFailWithoutEffect) {
    OpenAll();
    ASSERT_EQ(CA_DiscardObjHandle(range), 0);
    EXPECT_EQ(CA_DiscardObjHandle(range), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_RangeSetItem(range, 1, 1, "late"), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_RangeSetItem(0, 1, 1, "none"), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_RangeSetItem(worksheet, 1, 1, "wrong kind"), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_WorkbookSaveAs(workbooks, folder_ + "/x.xlsx", 1), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_AppQuit(workbook), XLE_INVALID_HANDLE);
    EXPECT_EQ(Excel_WorkbooksOpen(app, TemplatePath(), workbook), XLE_INVALID_HANDLE);
    EXPECT_EQ(workbook, 0);
    EXPECT_EQ(Excel_SetProperty(app, ExcelApp_Workbooks, true), XLE_INVALID_ARGUMENT);
    CAObjHandle h = 0;
    EXPECT_EQ(Excel_GetProperty(app, ExcelApp_Visible, h), XLE_INVALID_ARGUMENT);
    // A handle number is never issued twice.
    ASSERT_EQ(Excel_WorksheetRange(worksheet, "A1", h), 0);
    EXPECT_NE(h, range);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SpreadsheetServices, EveryCallFailsOnceTheUserClosedTheApplication) {
    OpenAll();
    Excel_SimulateUserClosedForTesting();
    CAObjHandle h = 0;
    EXPECT_EQ(Excel_SetProperty(app, ExcelApp_Visible, true), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_GetProperty(app, ExcelApp_Workbooks, h), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_WorkbooksOpen(workbooks, TemplatePath(), h), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_RangeSetItem(range, 1, 1, "x"), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_WorkbookSaveAs(workbook, folder_ + "/x.xlsx", 1), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_WorkbookClose(workbook, false), XLE_APPLICATION_GONE);
    EXPECT_EQ(Excel_AppQuit(app), XLE_APPLICATION_GONE);
    EXPECT_EQ(h, 0);
    // The handles can still be released.
    for (CAObjHandle held : {range, worksheet, sheets, workbook, workbooks, app})
        EXPECT_EQ(CA_DiscardObjHandle(held), 0);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SpreadsheetServices, AClosedWorkbookTakesNoMoreCells) {
    OpenAll();
    ASSERT_EQ(Excel_WorkbookClose(workbook, false), 0);
    EXPECT_EQ(Excel_RangeSetItem(range, 1, 1, "x"), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(Excel_WorkbookSaveAs(workbook, folder_ + "/x.xlsx", 1), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(Excel_WorkbookClose(workbook, false), XLE_WORKBOOK_CLOSED);
    CAObjHandle h = 0;
    EXPECT_EQ(Excel_GetProperty(app, ExcelApp_Sheets, h), XLE_NO_ACTIVE_WORKBOOK);
    EXPECT_EQ(Excel_WorkbookClose(0, false), XLE_INVALID_HANDLE);
}

TEST_F(SpreadsheetServices, TemplatesThatCannotBeOpenedAreReported) {
    ASSERT_EQ(Excel_NewApp(app), 0);
    ASSERT_EQ(Excel_GetProperty(app, ExcelApp_Workbooks, workbooks), 0);
    WriteWholeFile(folder_ + "/Class.xl", "");
    EXPECT_EQ(Excel_WorkbooksOpen(workbooks, folder_ + "/Class.xl", workbook), XLE_DAMAGED_PACKAGE);
    EXPECT_EQ(Excel_WorkbooksOpen(workbooks, folder_ + "/none.xl", workbook), XLE_FILE_NOT_FOUND);
    EXPECT_EQ(workbook, 0);
    EXPECT_EQ(Excel_OpenWorkbookCountForTesting(), 0);
}

TEST_F(SpreadsheetServices, WithoutASpreadsheetProgramNothingStarts) {
    Excel_SetAvailableForTesting(false);
    app = 99;
    EXPECT_EQ(Excel_NewApp(app), XLE_NOT_AVAILABLE);
    EXPECT_EQ(app, 0);
    Excel_SetAvailableForTesting(true);
    EXPECT_EQ(Excel_NewApp(app), 0);
    EXPECT_GT(app, 0);
}
