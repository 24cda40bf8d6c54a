// Whole exports with automatic names: "Only tests not exported yet" (the
// sample memory exported, one test added to the instrument, and the second
// export writes exactly that one), and the working folder kept as chosen.
#include <gtest/gtest.h>

#include <filesystem>

#include "excel/registration.h"
#include "import/export_journal.h"
#include "import/registration.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "unit/excel/export_fixture.h"

namespace fs = std::filesystem;

namespace {

class NewOnlyExport : public ExportFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        LoadExportPanels();
        ConnectInCommandMode();
        UseWorkbookFolder();
        Excel.automatic_names = 1;
        for (int supported = 0; const auto& t : zr8812::sample_tests(InstrumentClock()))
            sample_supported_ = supported += t.supported() ? 1 : 0;
    }
    static int Import() { return Fen_princ[PANEL_IMPORT]; }
    static int Export() { return Fen_princ[PANEL_EXPORT]; }

    // Scan, Export, Run, Export, then close the spreadsheet application.
    std::string ExportMemory(int newOnly) {
        SimulateMenuItem(menu, ITEM_IMPORT);
        SetCtrlVal(Import(), IMPORT_ALL_DATES, 1);
        SetCtrlVal(Import(), IMPORT_NEW_ONLY, newOnly);
        SimulateCommit(Import(), IMPORT_EXPORT);
        SimulateCommit(Export(), EXPORT_RUN);
        SimulateCommit(Export(), EXPORT_EXPORT);
        std::string message;
        GetCtrlVal(Export(), EXPORT_MESSAGE, message);
        SimulateCommit(Export(), EXPORT_QUIT);
        return message;
    }
    std::set<std::string> Workbooks() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(out_)) names.insert(e.path().filename());
        return names;
    }
    std::vector<std::string> TestRows(int objectRow) {
        SetCtrlIndex(Import(), IMPORT_OBJECTS, objectRow);
        SimulateEvent(Import(), IMPORT_OBJECTS, EVENT_VAL_CHANGED);
        int count = 0;
        GetNumListItems(Import(), IMPORT_TESTS, count);
        std::vector<std::string> rows(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) GetLabelFromIndex(Import(), IMPORT_TESTS, i, rows[i]);
        return rows;
    }
    int FileDialogs() const {
        int count = 0;
        for (const auto& p : popups()) count += p.kind == "file" ? 1 : 0;
        return count;
    }

    int sample_supported_ = 0;
};

}  // namespace

TEST_F(NewOnlyExport, TheSecondExportWritesExactlyTheTestAddedSince) {
    const std::string first = ExportMemory(1);  // an empty journal holds nothing yet
    const std::set<std::string> before = Workbooks();
    EXPECT_EQ(static_cast<int>(before.size()), sample_supported_);
    EXPECT_EQ(FileDialogs(), 0);
    EXPECT_NE(first.find("Workbooks written: " + std::to_string(sample_supported_) +
                         "\nSkipped, already exported: 0\nFailed: 0\nFolder: " + out_ + "/"),
              std::string::npos)
        << first;
    EXPECT_EQ(static_cast<int>(ReadJournal(JournalPath()).entries.size()), sample_supported_);
    EXPECT_EQ(first.find("longer than 218"), std::string::npos) << first;

    ASSERT_TRUE(zr8812::write_test(memory_dir(), 1, 9, 'v', zr8812::build_voltage({}),
                                   InstrumentClock() - 3600));
    // With "Delete after export" the two questions come for the exported test
    // only (answered Yes here); the skipped tests are neither asked about nor erased.
    Excel.erase_after_export = 1;
    const std::size_t popupsBefore = popups().size();
    const std::string second = ExportMemory(1);
    std::vector<std::string> questions;
    for (std::size_t i = popupsBefore; i < popups().size(); ++i)
        if (popups()[i].kind == "generic") questions.push_back(popups()[i].title);
    EXPECT_EQ(questions, (std::vector<std::string>{"Test File", "Erase Data in the instrument ?"}));
    EXPECT_FALSE(fs::exists(memory_dir() + "/01/09.v"));
    EXPECT_TRUE(fs::exists(memory_dir() + "/01/01.a"));
    Excel.erase_after_export = 0;
    std::set<std::string> added = Workbooks();
    for (const auto& name : before) added.erase(name);
    ASSERT_EQ(added.size(), 1u);
    EXPECT_NE(added.begin()->find("Briskel_0000123_O01-T09_"), std::string::npos);
    EXPECT_NE(added.begin()->find("_Voltage.xlsx"), std::string::npos);
    EXPECT_NE(second.find("Workbooks written: 1\nSkipped, already exported: " +
                          std::to_string(sample_supported_) + "\nFailed: 0"),
              std::string::npos)
        << second;
    EXPECT_EQ(FileDialogs(), 0);

    // The test list marks what the journal holds, with or without the box
    // (the added test was exported, then erased).
    SetCtrlVal(Import(), IMPORT_NEW_ONLY, 0);
    const std::vector<std::string> rows = TestRows(0);
    ASSERT_FALSE(rows.empty());
    for (const std::string& row : rows) EXPECT_EQ(row.substr(2), "  \u2713") << row;

    // Unticked, everything is exported again, next to the first copies.
    ExportMemory(0);
    EXPECT_EQ(Workbooks().size(), 2 * before.size() + 1);
}

// A French user's folder with accents, an apostrophe, brackets and two blanks
// takes every workbook, also past the path length spreadsheet programs open; a
// folder gone since the launch is said once, before any test is downloaded,
// and nothing is erased.
TEST_F(NewOnlyExport, TheWorkingFolderIsKeptAsChosenAndAGoneOneIsSaidBeforeAnyDownload) {
    // 200 characters: each workbook's path passes the 218 characters the
    // common spreadsheet program opens; the end of the export says so, once.
    std::string chosen = out_ + "/Donn\u00e9es d'essai  (2)/";
    chosen += std::string(199 - CharacterCount(chosen), 'l');
    fs::create_directories(chosen);
    Excel.working_folder = chosen + "  ";
    const std::string message = ExportMemory(0);
    const std::string said = "\nWorkbooks with a path longer than 218 characters: " +
                             std::to_string(sample_supported_) + ". Your spreadsheet program";
    EXPECT_NE(message.find(said), std::string::npos) << message;
    EXPECT_EQ(message.find(said), message.rfind(said));
    ASSERT_EQ(popups().size(), 1u);  // only the closing of the spreadsheet application
    EXPECT_EQ(popups()[0].title, "Error n\u00b0 -107");
    EXPECT_EQ(std::distance(fs::directory_iterator(chosen), fs::directory_iterator()),
              sample_supported_);
    EXPECT_EQ(Excel.working_folder, chosen + "/");

    SimulateMenuItem(menu, ITEM_IMPORT);
    SetCtrlVal(Import(), IMPORT_ALL_DATES, 1);
    SimulateCommit(Import(), IMPORT_EXPORT);
    SetCtrlVal(Export(), EXPORT_ERASE, 1);
    SimulateCommit(Export(), EXPORT_RUN);
    fs::remove_all(chosen);
    ClearWire();
    SimulateCommit(Export(), EXPORT_EXPORT);
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(popups()[1].message,
              "The working folder\n" + chosen +
                  "/\ndoes not exist (or is not a folder). Choose another one with Browse."
                  "\nNothing was downloaded or erased: every test stays in the instrument.");
    EXPECT_EQ(Wire().find("od "), std::string::npos) << Wire();
    EXPECT_EQ(Wire().find("rm "), std::string::npos) << Wire();
    EXPECT_TRUE(fs::exists(memory_dir() + "/01/01.a"));
}
