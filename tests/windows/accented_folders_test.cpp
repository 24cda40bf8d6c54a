// The program's files in folders whose names are not ASCII, as a French
// user's are: the program folder below C:\Users\Zoë\AppData\Local\Programs and
// the working folder C:\Users\Zoë\Documents\Données. Every file the program
// keeps (settings, log, journal, template, workbooks) is reached through the
// UTF-16 paths Windows takes, whatever the system's code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "excel/workbook_names.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/system/program_instance.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"
#include "support/listed_test.h"
#include "windows_test_folders.h"

namespace fs = std::filesystem;

class AccentedFolders : public TemporaryFolderTest {
   protected:
    void SetUp() override {
        TemporaryFolderTest::SetUp();
        program_ = MakeFolder("Zoë\\AppData\\Local\\Programs\\Briskel View");
        working_ = MakeFolder("Zoë\\Documents\\Données");
    }
    void TearDown() override {
        SetProjectDirForTesting("");
        TemporaryFolderTest::TearDown();
    }
    std::string program_, working_;
};

TEST_F(AccentedFolders, TheProgramFolderIsTheExecutablesOwn) {
    // A copy of a program in the accented folder writes the folder it finds
    // for itself into a file there.
    const std::string copy = program_ + "\\briskel-probe.exe";
    ASSERT_TRUE(CopyFileW(Wide(ProbePath()).c_str(), Wide(copy).c_str(), FALSE));
    ASSERT_EQ(RunAndWait(copy), 0);
    std::string written;
    ASSERT_EQ(ReadWholeFile(program_ + "\\program-dir.txt", written), 1);
    EXPECT_EQ(written, program_);
}

// A copy started while another runs from the same folder (named in
// another case) finds the first one's window, asks it forward and ends.
TEST_F(AccentedFolders, ASecondCopyAsksTheFirstForwardAndEnds) {
    const std::string copy = program_ + "\\briskel-probe.exe";
    ASSERT_TRUE(CopyFileW(Wide(ProbePath()).c_str(), Wide(copy).c_str(), FALSE));
    std::wstring shouted = Wide(program_);
    CharUpperBuffW(shouted.data(), static_cast<DWORD>(shouted.size()));
    int asked = 0;
    const ProgramInstance first(Utf8(shouted), [&asked] { ++asked; });
    ASSERT_TRUE(first.Claimed());
    EXPECT_EQ(RunAndWait(copy, "second-copy"), 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    EXPECT_EQ(asked, 1);
}

TEST_F(AccentedFolders, TextFilesAreWrittenReadRenamedAndDeleted) {
    SetProjectDirForTesting(program_);
    std::string dir;
    GetProjectDir(dir);
    ASSERT_EQ(dir, program_);
    const std::string log = dir + PathSeparator() + "ZR881x_9025.log";
    int handle = CVI_OpenFile(log, VAL_READ_WRITE, VAL_TRUNCATE);
    ASSERT_GT(handle, 0);
    EXPECT_GT(FmtFile(handle, "COM 7 répond\n"), 0);
    ASSERT_EQ(CVI_CloseFile(handle), 0);

    handle = CVI_OpenFile(log, VAL_READ_ONLY, VAL_OPEN_AS_IS);
    ASSERT_GT(handle, 0);
    std::string line;
    EXPECT_GT(ReadLine(handle, line), 0);
    EXPECT_EQ(line, "COM 7 répond");
    CVI_CloseFile(handle);
    long size = 0;
    EXPECT_EQ(GetFileInfo(log, size), 1);
    EXPECT_EQ(size, static_cast<long>(std::string("COM 7 répond\r\n").size()));

    // A rename replaces a file already there, as the settings save does.
    const std::string settings = dir + "\\Briskel.ini";
    ASSERT_EQ(AppendLineDurably(settings, "old\n"), 0);
    EXPECT_EQ(RenameFile(log, settings), 0);
    std::string content;
    EXPECT_EQ(ReadWholeFile(settings, content), 1);
    EXPECT_EQ(content, "COM 7 répond\r\n");
    EXPECT_EQ(GetFileInfo(log, size), 0);
    EXPECT_EQ(CVI_DeleteFile(settings), 0);
    EXPECT_EQ(ReadWholeFile(settings, content), 0);
}

TEST_F(AccentedFolders, TheJournalTakesWholeLinesAfterADamagedOne) {
    const std::string journal = program_ + "\\Briskel_exports.txt";
    ASSERT_EQ(AppendLineDurably(journal, "first\r\n"), 0);
    ASSERT_EQ(AppendLineDurably(journal, "cut short"), 0);
    ASSERT_EQ(AppendLineDurably(journal, "third\r\n"), 0);
    std::string content;
    ASSERT_EQ(ReadWholeFile(journal, content), 1);
    EXPECT_EQ(content, "first\r\ncut short\nthird\r\n");
}

TEST_F(AccentedFolders, AWorkbookIsSavedInTheWorkingFolderAndReadBack) {
    const std::string templ = program_ + "\\Class.xl";
    ASSERT_TRUE(CopyFileW(Wide(TemplateSource()).c_str(), Wide(templ).c_str(), FALSE));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(templ), XLE_NO_ERROR);
    ASSERT_EQ(book.SetCellText(1, 1, "Données de Zoë"), XLE_NO_ERROR);
    // Named as an export names it from the base name a French user typed.
    const std::string name =
        AutomaticWorkbookName(SafeBaseName("Chantier Élysée"), 123, ListedTest(1, 3, KIND_LOOP));
    const std::string saved = FreeWorkbookPath(working_, name, ".xlsx");
    ASSERT_EQ(book.SaveAs(saved), XLE_NO_ERROR);
    WorkbookPackage again;
    ASSERT_EQ(again.Open(saved), XLE_NO_ERROR);
    EXPECT_EQ(again.CellText(1, 1), "Données de Zoë");
    const std::string file = "Chantier Élysée_0000123_O01-T03_2026-03-05_1407_Loop";
    EXPECT_EQ(FolderEntries(working_), std::vector<std::string>{file + ".xlsx"});
    EXPECT_EQ(FreeWorkbookPath(working_, name, ".xlsx"), working_ + "\\" + file + " (2).xlsx");
}

TEST_F(AccentedFolders, TheWorkingFolderIsCheckedAndJoinedAsItIsNamed) {
    EXPECT_EQ(CheckWritableFolder(working_), FOLDER_WRITABLE);
    EXPECT_EQ(CheckWritableFolder(working_ + "\\"), FOLDER_WRITABLE);
    EXPECT_EQ(FolderEntries(working_), std::vector<std::string>{});  // the probe is gone
    EXPECT_EQ(CheckWritableFolder(working_ + "\\Archivé"), FOLDER_MISSING);
    ASSERT_EQ(AppendLineDurably(working_ + "\\note.txt", "x\n"), 0);
    EXPECT_EQ(CheckWritableFolder(working_ + "\\note.txt"), FOLDER_MISSING);
    EXPECT_EQ(JoinPath(working_, "Test 1.xlsx"), working_ + "\\Test 1.xlsx");
    EXPECT_EQ(JoinPath(working_ + "\\", "Test 1.xlsx"), working_ + "\\Test 1.xlsx");
    EXPECT_EQ(FolderOfPath(working_ + "\\Test 1.xlsx"), working_ + "\\");
    EXPECT_EQ(RunningSystem(), OperatingSystem::Windows);
}

// Workbooks go by default to the user's Documents, not to the program folder,
// which a per-user installation puts below the hidden AppData folder.
TEST_F(AccentedFolders, WorkbooksGoToTheUsersDocumentsByDefault) {
    SetProjectDirForTesting(program_);
    wchar_t profile[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"USERPROFILE", profile, MAX_PATH), 0u);
    const std::string documents = DefaultWorkingFolder();
    EXPECT_EQ(Wide(documents), std::wstring(profile) + L"\\Documents");
    EXPECT_EQ(CheckWritableFolder(documents), FOLDER_WRITABLE);
}
