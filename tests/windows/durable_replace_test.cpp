// Replacing a workbook on Windows: the new content arrives whole, no
// temporary file stays behind, and a workbook another program holds open
// (as a spreadsheet program does) is kept as it was and reported as in use,
// so the user can be told which file to close; one marked read-only is kept
// and reported as such. Folders past the old limit of 260 characters take
// workbooks as any other.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/spreadsheet_status.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/system/replace_refusal.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"
#include "windows_test_folders.h"

class DurableReplace : public TemporaryFolderTest {
   protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        folder_ = MakeFolder("Données");
        target_ = folder_ + "\\Test 1.xlsx";
        SetTimeScale(0.02);
    }
    void TearDown() override {
        SetTimeScale(1.0);
        SetWriteLimitForTesting(-1);
        TemporaryFolderTest::TearDown();
    }
    std::string Content() const {
        std::string bytes;
        ReadWholeFile(target_, bytes);
        return bytes;
    }
    std::string folder_, target_;
};

TEST_F(DurableReplace, ANewFileAndAReplacedOneHoldExactlyTheNewContent) {
    ASSERT_EQ(ReplaceFileAtomically(target_, std::string(100000, 'a')), XLE_NO_ERROR);
    EXPECT_EQ(Content(), std::string(100000, 'a'));
    ASSERT_EQ(ReplaceFileAtomically(target_, "short"), XLE_NO_ERROR);
    EXPECT_EQ(Content(), "short");
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Test 1.xlsx"});
}

TEST_F(DurableReplace, AFullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    ASSERT_EQ(ReplaceFileAtomically(target_, "old workbook"), XLE_NO_ERROR);
    SetWriteLimitForTesting(3);
    EXPECT_EQ(ReplaceFileAtomically(target_, "new workbook"), XLE_WRITE_FAILED);
    EXPECT_EQ(Content(), "old workbook");
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Test 1.xlsx"});
}

TEST_F(DurableReplace, AWorkbookHeldOpenByAnotherProgramIsKeptAndReported) {
    ASSERT_EQ(ReplaceFileAtomically(target_, "old workbook"), XLE_NO_ERROR);
    // A spreadsheet program keeps its workbook open and shares it for reading only.
    const HANDLE held = CreateFileW(Wide(target_).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReplaceFileAtomically(target_, "new workbook"), XLE_FILE_IN_USE);
    CloseHandle(held);
    EXPECT_EQ(Content(), "old workbook");
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Test 1.xlsx"});
    // Once the other program lets go, the same save goes through.
    EXPECT_EQ(ReplaceFileAtomically(target_, "new workbook"), XLE_NO_ERROR);
    EXPECT_EQ(Content(), "new workbook");
}

TEST_F(DurableReplace, AFolderThatIsGoneTakesNothing) {
    EXPECT_EQ(ReplaceFileAtomically(folder_ + "\\missing\\Test.xlsx", "x"), XLE_WRITE_FAILED);
    EXPECT_EQ(ReplaceFileAtomically(folder_ + "\\", "x"), XLE_WRITE_FAILED);
}

TEST_F(DurableReplace, AWorkbookMarkedReadOnlyIsKeptAndReportedAsSuch) {
    ASSERT_EQ(ReplaceFileAtomically(target_, "old workbook"), XLE_NO_ERROR);
    ASSERT_TRUE(SetFileAttributesW(Wide(target_).c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReplaceFileAtomically(target_, "new workbook"), XLE_FILE_READ_ONLY);
    SetFileAttributesW(Wide(target_).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Content(), "old workbook");
    EXPECT_EQ(FolderEntries(folder_), std::vector<std::string>{"Test 1.xlsx"});
}

// Only a file another program holds is tried again; a folder Windows keeps
// from the program (Controlled folder access, an access list, a write-protected
// medium) is said with its causes.
TEST(ReplaceRefusals, EachRefusalOfWindowsIsToldForWhatItIs) {
    const struct {
        ReplaceStep step;
        long error;
        int status;
    } cases[] = {
        {ReplaceStep::CreateTemporary, ERROR_ACCESS_DENIED, FILE_FOLDER_REFUSED},
        {ReplaceStep::CreateTemporary, ERROR_WRITE_PROTECT, FILE_FOLDER_REFUSED},
        {ReplaceStep::CreateTemporary, ERROR_DISK_FULL, -1},
        {ReplaceStep::CreateTemporary, ERROR_PATH_NOT_FOUND, -1},
        {ReplaceStep::MoveOverTarget, ERROR_SHARING_VIOLATION, FILE_HELD_ELSEWHERE},
        {ReplaceStep::MoveOverTarget, ERROR_LOCK_VIOLATION, FILE_HELD_ELSEWHERE},
        {ReplaceStep::MoveOverTarget, ERROR_DISK_FULL, -1},
        // A refused rename, then the target opened: another program or its rights.
        {ReplaceStep::OpenTarget, 0, FILE_HELD_ELSEWHERE},
        {ReplaceStep::OpenTarget, ERROR_SHARING_VIOLATION, FILE_HELD_ELSEWHERE},
        {ReplaceStep::OpenTarget, ERROR_ACCESS_DENIED, FILE_FOLDER_REFUSED},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceRefusal(c.step, c.error), c.status)
            << static_cast<int>(c.step) << " " << c.error;
}

// Every Windows file call takes the absolute long form, so a path of 260
// characters or more reaches the file.
TEST_F(DurableReplace, AWorkbookIsSavedAndReplacedInAFolderPastTheOldLimit) {
    std::string folder = MakeFolder("OneDrive - Société Exemple\\Documents");
    while (Wide(folder).size() < 210) folder += "\\" + std::string(40, 'd');
    folder += "\\" + std::string(289 - Wide(folder).size(), 'e');
    ASSERT_EQ(Wide(MakeFolder(folder.substr(root().size() + 1))).size(), 290u);
    const std::string target = folder + "\\Test 1.xlsx";
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplateSource()), XLE_NO_ERROR);
    for (const char* text : {"first", "second"}) {
        ASSERT_EQ(book.SetCellText(1, 1, text), XLE_NO_ERROR);
        ASSERT_EQ(book.SaveAs(target), XLE_NO_ERROR) << text;
    }
    WorkbookPackage again;
    ASSERT_EQ(again.Open(target), XLE_NO_ERROR);
    EXPECT_EQ(again.CellText(1, 1), "second");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"Test 1.xlsx"});
    EXPECT_EQ(CheckWritableFolder(folder), FOLDER_WRITABLE);
    long size = 0;
    EXPECT_EQ(GetFileInfo(target, size), 1);
    // The export's launch enters the working folder.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(SetDir(folder), 0);
    SetCurrentDirectoryW(current);

    const std::wstring drive = SystemFilePath("C:/Users/../Zoë/./Documents/x.xlsx");
    EXPECT_EQ(drive, L"\\\\?\\C:\\Zoë\\Documents\\x.xlsx");
    EXPECT_EQ(SystemFilePath("\\\\server\\share\\x.xlsx"), L"\\\\?\\UNC\\server\\share\\x.xlsx");
    EXPECT_EQ(SystemFilePath("\\\\.\\COM7"), L"\\\\.\\COM7");
}
