// The export panel and the writing of one workbook per test: launch, close
// and folder choice, proposed names, the save dialog, the overwrite question,
// failed spreadsheet calls, stops, the layout choice, the working folder kept
// as chosen and the base-name filter.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "excel/excel_instance.h"
#include "excel/registration.h"
#include "export/registration.h"
#include "export/workbook_export.h"
#include "import/record_decoding.h"
#include "platform/spreadsheet/atomic_file.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "store/store.h"
#include "support/app_fixture.h"
#include "unit/excel/excel_test_support.h"

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

namespace {

class ExportPanel : public AppFixture {
   protected:
    void SetUp() override {
        AppFixture::SetUp();
        out_ = OpenExportPanels();
        ASSERT_GT(Fen_princ[PANEL_EXPORT], 0);
        ASSERT_GT(Fen_princ[PANEL_IMPORT], 0);
        Excel.base_name = "Briskel";
        Excel.sequence = 1;
        Excel.working_folder = out_ + "/";
        SetCtrlVal(panel(), EXPORT_BASE_NAME, std::string("Briskel"));
        SetCtrlVal(panel(), EXPORT_FOLDER, out_);
        langue = 1;
        flag_stop = 1;
        DecodeCurrentTest();
    }
    void TearDown() override {
        SetPollHookForTesting(nullptr);
        SetWriteLimitForTesting(-1);
        AppFixture::TearDown();
    }

    static int panel() { return Fen_princ[PANEL_EXPORT]; }
    static bool Running() { return ProgramSpreadsheet().Status() == 0; }
    static int OpenWorkbooks() { return ProgramSpreadsheet().OpenWorkbookCountForTesting(); }
    std::string Out(const std::string& name) const { return out_ + "/" + name; }
    void Press(int control) { SimulateCommit(panel(), control); }
    void Launch() {
        Press(EXPORT_RUN);
        ASSERT_EQ(Excel.started, 1);
    }
    bool Dimmed(int p, int control) const {
        int dimmed = 0;
        GetCtrlAttribute(p, control, ATTR_DIMMED, dimmed);
        return dimmed != 0;
    }
    bool Visible(int p) const {
        int visible = 0;
        GetPanelAttribute(p, ATTR_VISIBLE, visible);
        return visible != 0;
    }
    std::string Text(int p, int control) const {
        std::string text;
        GetCtrlVal(p, control, text);
        return text;
    }
    // The save dialog's next answer.
    void Choose(const std::string& path, int result = VAL_NEW_FILE_SELECTED) {
        recorder().QueueAnswer("file", "", {result, path});
    }
    Texts Kinds() const {
        Texts kinds;
        for (const auto& p : popups()) kinds.push_back(p.kind);
        return kinds;
    }
    Texts Titles() { return recorder().titles(); }
    // Test 12 of object 5, a current test, decoded as the export loop leaves it.
    void DecodeCurrentTest() {
        SetDirectoryTest(5, 12, KIND_CURRENT);
        LoadDump(zr8812::build_current({.current_mA = 523, .period_tenth_us = 200000}));
        decoded_ = Lecture_courant();
    }
    bool ExportCurrent() {
        return Exporter_feuille(5, 12, KIND_CURRENT, decoded_) == SheetResult::Saved;
    }

    std::string out_;
    MeasuredRecord decoded_;
};

const Texts CURRENT_TITLES = {"Date of test", "Object", "Test", "Current",    "unit",
                              "Smooth",       "Freq",   "unit", "Clamp type", "Vbatt",
                              "unit",         "Temp.",  "unit"};

}  // namespace

// ---- Launch, close, folder choice ----

// A folder that cannot take the workbooks starts nothing: missing is error 4,
// the others are said in words; none is cut or changed.
TEST_F(ExportPanel, LaunchWithAFolderThatCannotTakeWorkbooksStartsNothing) {
    const struct {
        std::string folder, title, says;
    } cases[] = {
        {out_ + "/missing", "Error n° -104", "Working directory not found\n"},
        {"/proc", "Error", "cannot be written to"},
        {out_ + "/" + std::string(280, 'f'), "Error", "has more than 299 characters"},
    };
    for (const auto& c : cases) {
        recorder().Clear();
        SetCtrlVal(panel(), EXPORT_FOLDER, c.folder);
        Press(EXPORT_RUN);
        ASSERT_EQ(popups().size(), 1u) << c.folder;
        EXPECT_EQ(popups()[0].title, c.title);
        EXPECT_NE(popups()[0].message.find(c.says), std::string::npos) << popups()[0].message;
        EXPECT_EQ(Text(panel(), EXPORT_FOLDER), c.folder);
        EXPECT_EQ(Excel.started, 0);
        EXPECT_FALSE(Running());
    }
    // An empty field is the program folder.
    recorder().Clear();
    SetCtrlVal(panel(), EXPORT_FOLDER, std::string("  "));
    Press(EXPORT_RUN);
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(Excel.started, 1);
    EXPECT_EQ(Text(panel(), EXPORT_FOLDER), program_dir());
    EXPECT_EQ(Excel.working_folder, program_dir());
}

TEST_F(ExportPanel, LaunchLeavesOnlyTheExportButtonToPress) {
    SetCtrlAttribute(panel(), EXPORT_EXPORT, ATTR_DIMMED, 1);
    Press(EXPORT_RUN);
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(Excel.started, 1);
    EXPECT_TRUE(Running());
    EXPECT_EQ(Excel.working_folder, out_);
    EXPECT_EQ(Text(panel(), EXPORT_MESSAGE), "EXCEL Ready !\n");
    for (int control : {EXPORT_RUN, EXPORT_FOLDER, EXPORT_BROWSE})
        EXPECT_TRUE(Dimmed(panel(), control)) << control;
    EXPECT_FALSE(Dimmed(panel(), EXPORT_EXPORT));
}

TEST_F(ExportPanel, LaunchWithoutASpreadsheetProgramCanBeTriedAgain) {
    SpreadsheetFaultsForTesting().unavailable = true;
    Press(EXPORT_RUN);
    EXPECT_EQ(Titles(), Texts{"Error n° -106"});
    EXPECT_EQ(popups()[0].message, "Error writing to EXCEL\n");
    EXPECT_EQ(Excel.started, 0);
    EXPECT_FALSE(Running());
    EXPECT_FALSE(Dimmed(panel(), EXPORT_RUN));
    SpreadsheetFaultsForTesting().unavailable = false;
    Press(EXPORT_RUN);
    EXPECT_EQ(Excel.started, 1);
    EXPECT_TRUE(Running());
}

TEST_F(ExportPanel, CloseWithoutLaunchOnlyResetsThePanels) {
    flag_excel = 1;
    Press(EXPORT_QUIT);
    EXPECT_TRUE(popups().empty());
    EXPECT_FALSE(Visible(panel()));
    EXPECT_TRUE(Visible(Fen_princ[PANEL_IMPORT]));
    EXPECT_EQ(flag_excel, 0);
    EXPECT_FALSE(Dimmed(panel(), EXPORT_RUN));
    EXPECT_TRUE(Dimmed(panel(), EXPORT_EXPORT));
    EXPECT_EQ(Text(Fen_princ[PANEL_IMPORT], IMPORT_DESCRIPTION), "        ");
}

TEST_F(ExportPanel, CloseAfterLaunchWarnsAndQuits) {
    Launch();
    Press(EXPORT_QUIT);
    ASSERT_EQ(Titles(), Texts{"Error n° -107"});
    EXPECT_EQ(popups()[0].message, "Warning !  EXCEL will be closed\n");
    EXPECT_EQ(Excel.started, 0);
    EXPECT_FALSE(Running());
    // A new launch starts a new application.
    Press(EXPORT_RUN);
    EXPECT_EQ(Excel.started, 1);
}

TEST_F(ExportPanel, CloseAfterTheUserClosedTheApplicationReportsTheFailedQuit) {
    Launch();
    ProgramSpreadsheet().Quit();  // the user closes it by hand
    Press(EXPORT_QUIT);
    EXPECT_EQ(Titles(), (Texts{"Error n° -107", "Error n° -106"}));
    EXPECT_EQ(Excel.started, 0);
    // The next launch starts it again.
    Press(EXPORT_RUN);
    EXPECT_EQ(Excel.started, 1);
    EXPECT_TRUE(Running());
}

TEST_F(ExportPanel, FolderChoiceChangesTheFieldOnlyWhenAFolderWasChosen) {
    recorder().QueueAnswer("dir", "", {0, "/ignored"});
    Press(EXPORT_BROWSE);
    EXPECT_EQ(Text(panel(), EXPORT_FOLDER), out_);
    EXPECT_EQ(Excel.working_folder, out_ + "/");
    recorder().QueueAnswer("dir", "", {VAL_DIRECTORY_SELECTED, "/srv/sites"});
    Press(EXPORT_BROWSE);
    EXPECT_EQ(Text(panel(), EXPORT_FOLDER), "/srv/sites");
    EXPECT_EQ(Excel.working_folder, "/srv/sites");
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(popups()[0].defaultDirectory, "");
    EXPECT_EQ(popups()[0].title, "");
}

// ---- One workbook per test ----

TEST_F(ExportPanel, ThreeTestsProposeBriskelOneToThreeAndTheNextExportGoesOn) {
    Launch();
    for (int i = 1; i <= 4; ++i) {
        Choose(Out("B" + std::to_string(i) + ".xlsx"));
        EXPECT_TRUE(ExportCurrent()) << i;
    }
    ASSERT_EQ(popups().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        const PopupRecord& dialog = popups()[i];
        EXPECT_EQ(dialog.kind, "file");
        EXPECT_EQ(dialog.defaultFileName, "Briskel" + std::to_string(i + 1));
        EXPECT_EQ(dialog.defaultDirectory, out_);  // as the launch read it
        EXPECT_EQ(dialog.title, "Save");
        EXPECT_EQ(dialog.fileTypeList, ".xlsx");
        EXPECT_EQ(SavedRow(Out("B" + std::to_string(i + 1) + ".xlsx"), 1), CURRENT_TITLES);
    }
    EXPECT_EQ(Excel.sequence, 5);
    // Between tests the application runs on, and no workbook stays open.
    EXPECT_TRUE(Running());
    EXPECT_EQ(OpenWorkbooks(), 0);
}

TEST_F(ExportPanel, ASavedWorkbookTakesTheWorkbookExtensionAndOpensElsewhere) {
    Launch();
    Choose(Out("site"));  // typed without an extension
    EXPECT_TRUE(ExportCurrent());
    ASSERT_TRUE(fs::exists(Out("site.xlsx")));
    EXPECT_FALSE(fs::exists(Out("site")));
    const auto rows = ReadWithOpenpyxl(Out("site.xlsx"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], CURRENT_TITLES);
    EXPECT_EQ(rows[1], SavedRow(Out("site.xlsx"), 2));
    EXPECT_EQ(rows[1][3], "0.523");
}

TEST_F(ExportPanel, CancellingTheDialogConsumesTheNumber) {
    Launch();
    Choose("", VAL_NO_FILE_SELECTED);
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(Excel.sequence, 2);
    Choose(Out("second.xlsx"));
    EXPECT_TRUE(ExportCurrent());
    EXPECT_EQ(popups().back().defaultFileName, "Briskel2");
    EXPECT_EQ(fs::directory_iterator(out_)->path().filename(), "second.xlsx");
    EXPECT_TRUE(Running());
    EXPECT_EQ(OpenWorkbooks(), 0);
}

TEST_F(ExportPanel, AnsweringNoToTheOverwriteQuestionKeepsTheFileAndTheNumber) {
    Launch();
    WriteWholeFile(Out("old.xlsx"), "the old workbook");
    Choose(Out("old.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {2, ""});
    EXPECT_FALSE(ExportCurrent());
    ASSERT_EQ(popups().size(), 2u);
    const PopupRecord& question = popups()[1];
    EXPECT_EQ(question.title, "EXCEL Sheet");
    EXPECT_EQ(question.message, "Sheet already exist !    Overwrite Data ?\n");
    EXPECT_EQ(question.buttons[0], "Yes");
    EXPECT_EQ(question.buttons[1], "No");
    EXPECT_EQ(ReadWholeFile(Out("old.xlsx")), "the old workbook");
    EXPECT_EQ(Excel.sequence, 1);

    // The next test asks again, with the same number, and "Yes" replaces the file.
    Choose(Out("old.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {1, ""});
    EXPECT_TRUE(ExportCurrent());
    EXPECT_EQ(popups()[2].defaultFileName, "Briskel1");
    EXPECT_EQ(SavedRow(Out("old.xlsx"), 1), CURRENT_TITLES);
    EXPECT_EQ(Excel.sequence, 2);
    EXPECT_TRUE(Running());
    EXPECT_EQ(OpenWorkbooks(), 0);
}

TEST_F(ExportPanel, AFailedSaveKeepsTheOldWorkbookAndTellsTheUser) {
    Launch();
    WriteWholeFile(Out("old.xlsx"), "the old workbook");
    Choose(Out("old.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {1, ""});
    SetWriteLimitForTesting(300);  // the disk fills up during the save
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(Titles().back(), "Error n° -106");
    EXPECT_EQ(ReadWholeFile(Out("old.xlsx")), "the old workbook");
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 1);
    EXPECT_EQ(Excel.sequence, 1);

    SetWriteLimitForTesting(-1);
    Choose(Out("old.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {1, ""});
    EXPECT_TRUE(ExportCurrent());
    EXPECT_EQ(SavedRow(Out("old.xlsx"), 1), CURRENT_TITLES);
}

// A workbook marked read-only (no one may write it) is kept, and the message
// says so rather than that the writing failed.
TEST_F(ExportPanel, AWorkbookMarkedReadOnlyIsKeptAndSaidAsSuch) {
    Launch();
    WriteWholeFile(Out("old.xlsx"), "the old workbook");
    fs::permissions(Out("old.xlsx"), fs::perms::owner_read | fs::perms::group_read);
    Choose(Out("old.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {1, ""});
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(popups().back().message,
              "The workbook\n" + Out("old.xlsx") +
                  "\nis marked read-only, so it was not replaced. Clear that mark (in the file's "
                  "properties) or save under another name, then export again. Nothing was "
                  "erased: the test stays in the instrument.");
    EXPECT_EQ(ReadWholeFile(Out("old.xlsx")), "the old workbook");
    EXPECT_EQ(std::distance(fs::directory_iterator(out_), fs::directory_iterator()), 1);
}

TEST_F(ExportPanel, AFolderThatCannotBeWrittenGivesErrorSixAndNoFile) {
    Launch();
    Choose(Out("missing/sheet.xlsx"));
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(Titles().back(), "Error n° -106");
    EXPECT_TRUE(fs::is_empty(out_));
}

TEST_F(ExportPanel, AnApplicationClosedByTheUserGivesErrorSixForEachTest) {
    Launch();
    ProgramSpreadsheet().Quit();  // the user closes it by hand
    EXPECT_FALSE(ExportCurrent());
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(Titles(), (Texts{"Error n° -106", "Error n° -106"}));
    EXPECT_EQ(Excel.sequence, 1);
    EXPECT_EQ(Excel.started, 1);
    EXPECT_EQ(OpenWorkbooks(), 0);
}

TEST_F(ExportPanel, AMissingOrDamagedTemplateGivesErrorSix) {
    Launch();
    for (const std::string& content : {std::string("not a zip"), std::string()}) {
        if (content.empty()) {
            fs::remove(ProgramPath("Class.xl"));
        } else {
            WriteProgramFile("Class.xl", content);
        }
        Choose(Out("never.xlsx"));
        EXPECT_FALSE(ExportCurrent());
        EXPECT_EQ(Titles().back(), "Error n° -106");
    }
    EXPECT_TRUE(fs::is_empty(out_));
    EXPECT_EQ(Excel.sequence, 1);
    EXPECT_TRUE(Running());
    EXPECT_EQ(OpenWorkbooks(), 0);
}

TEST_F(ExportPanel, AStopBeforeTheDialogWritesNothingButConsumesTheNumber) {
    Launch();
    flag_stop = 0;
    EXPECT_FALSE(ExportCurrent());
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(Excel.sequence, 2);
}

TEST_F(ExportPanel, AStopOnceTheTemplateIsOpenClosesItUnsaved) {
    Launch();
    int polls = 0;
    SetPollHookForTesting([&] {
        if (++polls == 2) flag_stop = 0;  // the poll after the first titles
    });
    Choose(Out("stopped.xlsx"));
    EXPECT_FALSE(ExportCurrent());
    EXPECT_EQ(polls, 3);
    EXPECT_TRUE(fs::is_empty(out_));
    EXPECT_EQ(Excel.sequence, 2);
    EXPECT_TRUE(Running());
    EXPECT_EQ(OpenWorkbooks(), 0) << "the template copy is closed";
}

// A workbook that would hold no measured value (a kind or a loop function
// this program cannot lay out) is not saved: the test is named, it stays in
// the instrument and counts as failed, so it is never offered for erasure.
TEST_F(ExportPanel, TheLoopFieldsChooseTheLayout) {
    Launch();
    const struct {
        int kind;
        uint8_t function, variant;
        std::size_t columns;  // 0: not saved
        const char* label;
    } cases[] = {
        {KIND_LOOP, 0, 0, 31, "ZLOOP Trip"},
        {KIND_LOOP, 1, 0, 31, "ZLINE"},
        {KIND_LOOP, 2, 0, 23, "REarth Trip"},
        {KIND_LOOP, 3, 0, 15, "RCD ZLOOP No Trip"},
        {KIND_LOOP, 3, 1, 21, "RCD REarth No Trip"},
        {KIND_LOOP, 5, 0, 0, nullptr},
        {KIND_LOOP, 255, 1, 0, nullptr},
        {1, 0, 0, 0, nullptr},  // a kind without a layout
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + ":" + std::to_string(c.function));
        recorder().Clear();
        SetDirectoryTest(2, 4, c.kind);
        LoadDump(zr8812::build_loop({.function = c.function, .earth_variant = c.variant}));
        const MeasuredRecord decoded = ReadDownloadedRecord(c.kind);
        const std::string path = Out("loop" + std::to_string(++n) + ".xlsx");
        Choose(path);
        const SheetResult result = Exporter_feuille(2, 4, c.kind, decoded);
        EXPECT_EQ(OpenWorkbooks(), 0);
        if (c.columns == 0) {
            EXPECT_EQ(result, SheetResult::Failed);
            EXPECT_FALSE(fs::exists(path));
            ASSERT_EQ(Titles(), (Texts{"Save", "Error"}));
            EXPECT_EQ(popups()[1].message,
                      "Test 04 of object 02 (" + std::string(KindName(c.kind)) +
                          ") holds a measurement this program cannot lay out: no workbook was "
                          "written.\nIt was not exported and stays in the instrument.");
            continue;
        }
        EXPECT_EQ(result, SheetResult::Saved);
        const Texts values = SavedRow(path, 2);
        EXPECT_EQ(values.size(), c.columns) << int(c.function) << "/" << int(c.variant);
        EXPECT_EQ(SavedRow(path, 1).size(), c.columns);
        if (c.label != nullptr && values.size() > 3) {
            EXPECT_EQ(values[3], c.label);
        }
    }
}

TEST_F(ExportPanel, TitlesAndDialogsFollowTheLanguage) {
    Launch();
    langue = 0;
    WriteWholeFile(Out("fr.xlsx"), "old");
    Choose(Out("fr.xlsx"), VAL_EXISTING_FILE_SELECTED);
    recorder().QueueAnswer("generic", "", {1, ""});
    EXPECT_TRUE(ExportCurrent());
    EXPECT_EQ(popups()[0].title, "Enregistrer");
    EXPECT_EQ(popups()[1].title, "Feuille EXCEL");
    EXPECT_EQ(popups()[1].buttons[0], "Oui");
    EXPECT_EQ(popups()[1].buttons[1], "Non");
    const Texts titles = SavedRow(Out("fr.xlsx"), 1);
    EXPECT_EQ(Texts(titles.begin(), titles.begin() + 3), (Texts{"Date of test", "Object", "Test"}));
    EXPECT_EQ(titles[3], "Current");  // the same in every language
}

// ---- The export button ----

// The folder is kept exactly as chosen (only trailing blanks are not part of
// it; an empty field is the program folder); the base name, part of every file
// name, is filtered once.
TEST_F(ExportPanel, TheExportButtonKeepsTheFolderAsChosenAndFiltersTheName) {
    Launch();
    const std::string accents = Out(std::string("Données d'essai  (2)"));
    std::string accented;
    for (int i = 0; i < 100; ++i) accented += "\u00e9";  // 100 characters, 200 bytes
    // 231 characters, 431 bytes: the field counts characters.
    const std::string longest = Out(accented + "/" + accented);
    const struct {
        std::string name, folder, storedName, storedFolder;
    } cases[] = {
        {"My data (1)", accents, "My data (1)", accents + "/"},
        {"Briskel", Out("sites/"), "Briskel", Out("sites/")},
        {"a / b. ", Out("it's  here") + "  \t", "a _ b", Out("it's  here") + "/"},
        {"../x", Out("back\\slash"), "_._x", Out("back\\slash") + "/"},
        {"", "", "Briskel", program_dir() + "/"},
        {std::string(99, 'n'), longest, std::string(99, 'n'), longest + "/"},
    };
    for (const auto& c : cases) {
        fs::create_directories(c.storedFolder);
        SetCtrlVal(panel(), EXPORT_BASE_NAME, c.name);
        SetCtrlVal(panel(), EXPORT_FOLDER, c.folder);
        SetCtrlAttribute(panel(), EXPORT_EXPORT, ATTR_DIMMED, 0);
        Press(EXPORT_EXPORT);
        EXPECT_EQ(Excel.base_name, c.storedName) << c.name;
        EXPECT_EQ(Text(panel(), EXPORT_BASE_NAME), c.storedName) << "the field shows it";
        EXPECT_EQ(Excel.working_folder, c.storedFolder) << c.folder;
        EXPECT_EQ(Text(panel(), EXPORT_MESSAGE).rfind("Sheet ready.\nWorkbooks written: 0\n", 0),
                  0u);
        EXPECT_TRUE(Dimmed(panel(), EXPORT_EXPORT));
        EXPECT_FALSE(Dimmed(panel(), EXPORT_QUIT));
    }
    EXPECT_TRUE(popups().empty()) << popups()[0].message;
}

// A folder that cannot take the workbooks is said once, naming it, before
// anything is downloaded; the export button stays usable and the record keeps
// the last good folder.
TEST_F(ExportPanel, AFolderThatCannotTakeTheWorkbooksIsSaidBeforeTheExport) {
    Launch();
    const struct {
        std::string folder, says;
    } cases[] = {
        {Out("missing"), "does not exist (or is not a folder). Choose another one with Browse."},
        {Out("file.txt"), "does not exist (or is not a folder). Choose another one with Browse."},
        {std::string(300, 'f'), "has more than 299 characters, more than the program can keep."},
        // A folder nobody can create a file in, not even root.
        {"/proc", "cannot be written to: no workbook can be saved in it."},
    };
    WriteWholeFile(Out("file.txt"), "a file, not a folder");
    for (const auto& c : cases) {
        const std::size_t before = popups().size();
        SetCtrlVal(panel(), EXPORT_MESSAGE, std::string());
        SetCtrlVal(panel(), EXPORT_FOLDER, c.folder);
        SetCtrlAttribute(panel(), EXPORT_EXPORT, ATTR_DIMMED, 0);
        Press(EXPORT_EXPORT);
        ASSERT_EQ(popups().size(), before + 1) << c.folder;
        EXPECT_EQ(popups().back().title, "Error");
        EXPECT_NE(popups().back().message.find("\n" + c.folder + "\n"), std::string::npos)
            << popups().back().message;
        EXPECT_NE(popups().back().message.find(c.says), std::string::npos)
            << popups().back().message;
        EXPECT_NE(popups().back().message.find(
                      "\nNothing was downloaded or erased: every test stays in the instrument."),
                  std::string::npos);
        EXPECT_EQ(Text(panel(), EXPORT_MESSAGE), "");
        EXPECT_EQ(Excel.working_folder, out_);
        EXPECT_FALSE(Dimmed(panel(), EXPORT_EXPORT));
        EXPECT_FALSE(Dimmed(panel(), EXPORT_QUIT));
    }
}

// ---- Registration ----

TEST_F(ExportPanel, RegistrationBindsTheCallbacksTheWriterAndTheExitHook) {
    EXPECT_TRUE(IsCallbackRegistered("Lancer_excel"));
    EXPECT_TRUE(IsCallbackRegistered("Exporter_excel"));
    ASSERT_TRUE(shell_hooks.close_spreadsheet);
    shell_hooks.close_spreadsheet();  // not started: nothing to close
    EXPECT_TRUE(popups().empty());

    Launch();
    Choose(Out("hooked.xlsx"));
    EXPECT_EQ(Exporter_feuille(5, 12, KIND_CURRENT, AmpRecord{}), SheetResult::Saved);
    EXPECT_TRUE(fs::exists(Out("hooked.xlsx")));
    shell_hooks.close_spreadsheet();
    EXPECT_EQ(Titles().back(), "Error n° -107");
    EXPECT_FALSE(Running());
}
