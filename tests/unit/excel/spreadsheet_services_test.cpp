// The spreadsheet application and its workbooks: a whole export cycle, refused
// arguments, an application the user closed, a closed workbook, templates that
// cannot be opened, no spreadsheet program, cell writes and saves that fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "excel/registration.h"
#include "excel_test_support.h"
#include "platform/system/system.h"

namespace fs = std::filesystem;

namespace {

class SpreadsheetServices : public FolderTest {
   protected:
    void SetUp() override {
        FolderTest::SetUp();
        ResetExcelStateForTesting();
    }
    void TearDown() override {
        ResetExcelStateForTesting();
        SetWriteLimitForTesting(-1);
        FolderTest::TearDown();
    }
    // The application started and shown, the template open on its first sheet.
    void OpenAll() {
        ASSERT_EQ(app.Start(), 0);
        ASSERT_EQ(app.Show(), 0);
        ASSERT_EQ(book.Open(TemplatePath()), 0);
        ASSERT_EQ(book.SelectSheet(1), 0);
    }
    SpreadsheetApplication app;
    Workbook book{app};
};

}  // namespace

TEST_F(SpreadsheetServices, AWholeExportCycleWritesTheWorkbookAndClosesEverything) {
    OpenAll();
    EXPECT_EQ(app.OpenWorkbookCountForTesting(), 1);
    EXPECT_EQ(book.SetText(1, 1, "Date of test"), 0);
    EXPECT_EQ(book.SetText(2, 31, "Hz"), 0);
    EXPECT_EQ(book.Text(2, 31), "Hz");
    const std::string path = Path("Briskel1.xlsx");
    EXPECT_EQ(book.SaveAs(path), 0);
    EXPECT_EQ(book.Close(), 0);
    EXPECT_EQ(app.OpenWorkbookCountForTesting(), 0);
    EXPECT_EQ(app.Quit(), 0);

    const auto row2 = SavedRow(path, 2);
    ASSERT_EQ(row2.size(), 31u);
    EXPECT_EQ(row2[30], "Hz");
    EXPECT_EQ(SavedRow(path, 1), std::vector<std::string>{"Date of test"});
}

TEST_F(SpreadsheetServices, RefusedArgumentsChangeNothing) {
    OpenAll();
    EXPECT_EQ(book.SetText(0, 1, "x"), XLE_INVALID_ARGUMENT);
    EXPECT_EQ(book.SetText(1, 0, "x"), XLE_INVALID_ARGUMENT);
    EXPECT_EQ(book.SetNumber(0, 1, 1.5), XLE_INVALID_ARGUMENT);
    for (int index : {0, 2}) EXPECT_EQ(book.SelectSheet(index), XLE_INVALID_ARGUMENT) << index;
    EXPECT_EQ(book.SetSheetName("a/b"), XLE_INVALID_ARGUMENT);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SpreadsheetServices, EveryCallFailsOnceTheUserClosedTheApplication) {
    OpenAll();
    ASSERT_EQ(app.Quit(), 0);  // as the user closing it by hand
    EXPECT_EQ(app.Show(), XLE_APPLICATION_GONE);
    EXPECT_EQ(app.Quit(), XLE_APPLICATION_GONE);
    Workbook other(app);
    EXPECT_EQ(other.Open(TemplatePath()), XLE_APPLICATION_GONE);
    EXPECT_EQ(book.SetText(1, 1, "x"), XLE_APPLICATION_GONE);
    EXPECT_EQ(book.SaveAs(Path("x.xlsx")), XLE_APPLICATION_GONE);
    EXPECT_EQ(app.OpenWorkbookCountForTesting(), 0);
    // A new start does not bring back the workbooks of the one before.
    ASSERT_EQ(app.Start(), 0);
    EXPECT_EQ(book.SetText(1, 1, "x"), XLE_APPLICATION_GONE);
    EXPECT_EQ(book.Close(), XLE_APPLICATION_GONE);
    EXPECT_EQ(app.OpenWorkbookCountForTesting(), 0);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SpreadsheetServices, AClosedWorkbookTakesNoMoreCells) {
    OpenAll();
    ASSERT_EQ(book.Close(), 0);
    EXPECT_EQ(book.SetText(1, 1, "x"), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(book.SaveAs(Path("x.xlsx")), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(book.Close(), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(book.SelectSheet(1), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(book.Text(1, 1), "");
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(SpreadsheetServices, TemplatesThatCannotBeOpenedAreReported) {
    ASSERT_EQ(app.Start(), 0);
    WriteWholeFile(Path("Class.xl"), "");
    EXPECT_EQ(book.Open(Path("Class.xl")), XLE_DAMAGED_PACKAGE);
    EXPECT_EQ(book.Open(Path("none.xl")), XLE_FILE_NOT_FOUND);
    EXPECT_EQ(book.SetText(1, 1, "x"), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(app.OpenWorkbookCountForTesting(), 0);
}

TEST_F(SpreadsheetServices, WithoutASpreadsheetProgramNothingStarts) {
    SpreadsheetFaultsForTesting().unavailable = true;
    EXPECT_EQ(app.Start(), XLE_NOT_AVAILABLE);
    EXPECT_EQ(app.Status(), XLE_APPLICATION_GONE);
    EXPECT_EQ(book.Open(TemplatePath()), XLE_APPLICATION_GONE);
    SpreadsheetFaultsForTesting().unavailable = false;
    EXPECT_EQ(app.Start(), 0);
    EXPECT_EQ(app.Status(), 0);
}

// Once the application stops taking cells, every later write fails too; a
// failed save leaves the file it was to replace as it was.
TEST_F(SpreadsheetServices, RefusedWritesAndAFailedSaveLeaveTheFilesAlone) {
    OpenAll();
    SpreadsheetFaultsForTesting().cell_writes_before_failure = 1;
    EXPECT_EQ(book.SetText(1, 1, "taken"), 0);
    EXPECT_EQ(book.SetText(1, 2, "refused"), XLE_WRITE_FAILED);
    EXPECT_EQ(book.SetNumber(1, 3, 2.5), XLE_WRITE_FAILED);
    EXPECT_EQ(book.Text(1, 2), "");
    WriteWholeFile(Path("old.xlsx"), "the old workbook");
    SetWriteLimitForTesting(300);
    EXPECT_LT(book.SaveAs(Path("old.xlsx")), 0);
    EXPECT_EQ(ReadWholeFile(Path("old.xlsx")), "the old workbook");
}
