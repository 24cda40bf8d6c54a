// Replacing a workbook on Windows: the new content arrives whole, no
// temporary file stays behind, and a workbook another program holds open
// (as a spreadsheet program does) is kept as it was and reported as in use,
// so the user can be told which file to close.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/spreadsheet_status.h"
#include "platform/system/system.h"
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
