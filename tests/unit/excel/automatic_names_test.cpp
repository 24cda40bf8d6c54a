// Automatic workbook names: what the names are made of, what they never hold,
// how they avoid existing files, and one test's workbook written without a
// dialog, also into a folder that is missing, read-only or full.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "excel/registration.h"
#include "excel/summary_workbook.h"
#include "excel/workbook_names.h"
#include "excel_test_support.h"
#include "export/export_record.h"
#include "export/registration.h"
#include "export/workbook_export.h"
#include "import/export_journal.h"
#include "import/object_names.h"
#include "import/record_decoding.h"
#include "import/scanned_instrument.h"
#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "support/app_fixture.h"
#include "support/listed_test.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(AutomaticNames, SayWhichTestOfWhichInstrumentEveryKindIs) {
    EXPECT_EQ(AutomaticWorkbookName("Briskel", 123, ListedTest(1, 3, KIND_LOOP)),
              "Briskel_0000123_O01-T03_2026-03-05_1407_Loop");
    const std::pair<int, const char*> kinds[] = {{KIND_CURRENT, "Current"}, {KIND_EARTH, "Earth"},
                                                 {KIND_LOOP, "Loop"},       {KIND_RCD, "RCD"},
                                                 {KIND_VOLTAGE, "Voltage"}, {1, "Kind1"}};
    for (const auto& [kind, tag] : kinds) {
        const std::string name = AutomaticWorkbookName("Site", 4560123, ListedTest(12, 99, kind));
        EXPECT_EQ(name, std::string("Site_4560123_O12-T99_2026-03-05_1407_") + tag);
    }
    // A test listed with its year says that its time is not known.
    FicTest old = ListedTest(4, 1, KIND_RCD, 12, 0);
    old.sans_heure = 1;
    EXPECT_EQ(AutomaticWorkbookName("Briskel", 123, old),
              "Briskel_0000123_O04-T01_2026-03-05_time-unknown_RCD");
    EXPECT_EQ(AutomaticWorkbookName("Briskel", SERIAL_UNKNOWN, ListedTest(1, 3, KIND_LOOP)),
              "Briskel_serial-unknown_O01-T03_2026-03-05_1407_Loop");
    // Two instruments never share a name for the same object and test.
    EXPECT_NE(AutomaticWorkbookName("B", 123, ListedTest(1, 3, KIND_LOOP)),
              AutomaticWorkbookName("B", 124, ListedTest(1, 3, KIND_LOOP)));
}

// The summary's name goes through the same filter; its links reach workbooks
// the save dialog put elsewhere; its sheet names are ones a spreadsheet
// program takes (a refused one would lose the whole summary).
TEST(AutomaticNames, TheSummaryIsNamedLinkedAndItsSheetsNamedSafely) {
    EXPECT_EQ(SummaryWorkbookName("../My site", 123, "2026-12-07", "1658"),
              "_._My site_0000123_summary_2026-12-07_1658");
    EXPECT_EQ(SummaryWorkbookName("B", SERIAL_UNKNOWN, "2026-12-07", "0905"),
              "B_serial-unknown_summary_2026-12-07_0905");
    const std::pair<std::string, std::string> links[] = {
        {"/data/site/Briskel_1.xlsx", "Briskel_1.xlsx"},
        {"/data/site/sub/a b.xlsx", "sub/a b.xlsx"},
        {"/data/other/été.xlsx", "../other/été.xlsx"},
    };
    for (const auto& [target, link] : links) EXPECT_EQ(LinkFromFolder("/data/site/", target), link);
    const std::vector<std::string> taken = {"Tests", "Loop"};
    EXPECT_EQ(SheetNameFor("loop", taken), "loop (2)");
    EXPECT_EQ(SheetNameFor("Tensión ", taken), "Tensión");
    EXPECT_EQ(SheetNameFor("a[b]:c*d?e/f\\g", taken), "a_b__c_d_e_f_g");
    EXPECT_EQ(SheetNameFor("'x'", taken), "x");
    const std::string longName = SheetNameFor(std::string(40, 'e') + "é", {std::string(31, 'e')});
    EXPECT_EQ(longName, std::string(27, 'e') + " (2)");
}

TEST(AutomaticNames, AnExistingFileIsNeverTakenTheNextFreeNumberIs) {
    const std::string folder = MakeTempFolder() + "/";
    EXPECT_EQ(FreeWorkbookPath(folder, "B_1", ".xlsx"), folder + "B_1.xlsx");
    WriteWholeFile(folder + "B_1.xlsx", "old");
    EXPECT_EQ(FreeWorkbookPath(folder, "B_1", ".xlsx"), folder + "B_1 (2).xlsx");
    WriteWholeFile(folder + "B_1 (2).xlsx", "old");
    fs::create_directory(folder + "B_1 (3).xlsx");  // a folder takes the name as well
    EXPECT_EQ(FreeWorkbookPath(folder, "B_1", ".xlsx"), folder + "B_1 (4).xlsx");
    fs::remove_all(folder);
}

namespace {

// One decoded test written through Exporter_feuille with the check box ticked.
class AutomaticExport : public AppFixture {
   protected:
    void SetUp() override {
        AppFixture::SetUp();
        out_ = OpenExportPanels();
        Excel.working_folder = out_ + "/";
        Excel.base_name = "Briskel";
        SetCtrlVal(panel(), EXPORT_FOLDER, out_);
        SetCtrlVal(panel(), EXPORT_AUTOMATIC_NAMES, 1);
        langue = 1;
        flag_stop = 1;
        SetInstrumentSerialForTesting(true, 123);
        SetDirectoryTest(5, 12, KIND_CURRENT);
        Director[5].tests[12].heure = 9;
        Director[5].tests[12].minute = 41;
        LoadDump(zr8812::build_current({.current_mA = 523}));
        decoded_ = Lecture_courant();
        SimulateCommit(panel(), EXPORT_RUN);
        ASSERT_EQ(Excel.started, 1);
    }
    void TearDown() override {
        SetWriteLimitForTesting(-1);
        AppFixture::TearDown();
    }
    static int panel() { return Fen_princ[PANEL_EXPORT]; }
    SheetResult Export() { return Exporter_feuille(5, 12, KIND_CURRENT, decoded_); }
    MeasuredRecord decoded_;
    int JournalEntries() const {
        return static_cast<int>(ReadJournal(JournalPath()).entries.size());
    }

    const std::string name_ = "Briskel_0000123_O05-T12_2012-03-07_0941_Current";
    std::string out_;
};

}  // namespace

TEST_F(AutomaticExport, NoDialogTheTestsOwnNameAndAJournalLineEachTime) {
    EXPECT_EQ(Export(), SheetResult::Saved);
    EXPECT_EQ(Export(), SheetResult::Saved);
    Excel.base_name = SafeBaseName("Chantier Élysée: A/B");  // as the export button keeps it
    EXPECT_EQ(Export(), SheetResult::Saved);
    EXPECT_TRUE(popups().empty()) << popups()[0].kind;
    EXPECT_EQ(Files(out_),
              (std::vector<std::string>{name_ + " (2).xlsx", name_ + ".xlsx",
                                        "Chantier Élysée_ A_B" + name_.substr(7) + ".xlsx"}));
    EXPECT_EQ(SavedRow(out_ + "/" + name_ + ".xlsx", 2)[2], "12");
    const JournalReading journal = ReadJournal(JournalPath());
    ASSERT_EQ(journal.entries.size(), 3u);
    EXPECT_EQ(journal.entries[1].workbook, out_ + "/" + name_ + " (2).xlsx");
    EXPECT_EQ(journal.entries[0].serial, "0000123");
    EXPECT_EQ(fs::path(JournalPath()).parent_path(), fs::path(program_dir()));
}

// A power cut must never leave a journal line (and so an erased test) without
// its workbook: the workbook and its folder entry reach the disk first.
TEST_F(AutomaticExport, TheWorkbookAndItsFolderEntryAreOnTheDiskBeforeItsJournalLine) {
    std::vector<std::string> flushed;
    SetDiskFlushObserverForTesting([&](const std::string& what) { flushed.push_back(what); });
    EXPECT_EQ(Export(), SheetResult::Saved);
    ASSERT_GE(flushed.size(), 3u);
    EXPECT_EQ(flushed[0], "file " + out_ + "/" + name_ + ".xlsx");
    EXPECT_EQ(flushed[1], "folder " + out_);
    EXPECT_EQ(flushed[2], "file " + JournalPath());
}

// A named object's workbook carries the name in its file name, its title and
// its journal line; once the memory was reused for other tests the name is
// stale and goes into none of them.
TEST_F(AutomaticExport, ANamedObjectsWorkbookCarriesItsCurrentNameOnly) {
    Director[5].present = 1;
    Director[5].num_objet = 5;
    Director[5].nb_test = 1;
    ASSERT_TRUE(NameObject(ObjectNamesPath(), 123, Director[5], "Rue Haute 12, flat 3").written);
    ReadExportObjectNames();
    EXPECT_EQ(Export(), SheetResult::Saved);
    const std::string named =
        "Briskel_0000123_O05_Rue Haute 12, flat 3_T12_2012-03-07_0941_Current";
    ASSERT_EQ(Files(out_), std::vector<std::string>{named + ".xlsx"});
    WorkbookPackage workbook;
    ASSERT_EQ(workbook.Open(out_ + "/" + named + ".xlsx"), 0);
    EXPECT_EQ(workbook.Title(), "Object 05 \u2014 Rue Haute 12, flat 3");
    EXPECT_EQ(ReadJournal(JournalPath()).entries.at(0).object_name, "Rue Haute 12, flat 3");

    Director[5].tests[12].minute = 42;  // another test under the same number
    ReadExportObjectNames();
    EXPECT_EQ(Export(), SheetResult::Saved);
    EXPECT_EQ(Files(out_).at(0), "Briskel_0000123_O05-T12_2012-03-07_0942_Current.xlsx");
    EXPECT_EQ(ReadJournal(JournalPath()).entries.at(1).object_name, "");
}

TEST_F(AutomaticExport, AMissingReadOnlyOrFullFolderNamesTheTestAndLeavesNoFile) {
    const std::string missing = out_ + "/gone/";
    Excel.working_folder = missing;
    EXPECT_EQ(Export(), SheetResult::Failed);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_NE(popups()[0].message.find("test 12 of object 05 (Current)"), std::string::npos)
        << popups()[0].message;
    EXPECT_NE(popups()[0].message.find(missing + name_ + ".xlsx"), std::string::npos);
    EXPECT_NE(popups()[0].message.find("Nothing was erased"), std::string::npos);

    Excel.working_folder = out_ + "/";
    SetWriteLimitForTesting(100);  // the disk fills up during the save
    EXPECT_EQ(Export(), SheetResult::Failed);
    SetWriteLimitForTesting(-1);
    EXPECT_TRUE(Files(out_).empty()) << Files(out_)[0];

    if (geteuid() != 0) {  // root writes into read-only folders
        fs::permissions(out_, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(Export(), SheetResult::Failed);
        fs::permissions(out_, fs::perms::owner_all);
        EXPECT_TRUE(Files(out_).empty());
    }
    EXPECT_EQ(JournalEntries(), 0);
    // The next test finds the spreadsheet application ready again.
    EXPECT_EQ(Export(), SheetResult::Saved);
    EXPECT_EQ(JournalEntries(), 1);
}

TEST_F(AutomaticExport, UntickedTheSaveDialogAsksAndTheJournalStillNotesTheWorkbook) {
    SetCtrlVal(panel(), EXPORT_AUTOMATIC_NAMES, 0);
    recorder().QueueAnswer("file", "", {VAL_NEW_FILE_SELECTED, out_ + "/mine.xlsx"});
    EXPECT_EQ(Export(), SheetResult::Saved);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].kind, "file");
    EXPECT_EQ(popups()[0].defaultFileName, "Briskel1");
    ASSERT_EQ(JournalEntries(), 1);
    EXPECT_EQ(ReadJournal(JournalPath()).entries[0].workbook, out_ + "/mine.xlsx");
    // Cancelled: neither saved nor failed.
    EXPECT_EQ(Export(), SheetResult::NotSaved);
}

TEST_F(AutomaticExport, AJournalThatCannotBeWrittenIsReportedOnceAndTheExportGoesOn) {
    fs::create_directory(JournalPath());
    StartExportCounts(out_ + "/");
    EXPECT_EQ(Export(), SheetResult::Saved);
    EXPECT_EQ(Export(), SheetResult::Saved);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Export journal");
    EXPECT_EQ(Files(out_).size(), 2u);
}

TEST_F(AutomaticExport, OpenFolderHandsTheWorkingFolderToTheFileManager) {
    std::vector<std::string> opened;
    SetDocumentViewerForTesting([&](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    SimulateCommit(panel(), EXPORT_OPEN_FOLDER);
    SetCtrlVal(panel(), EXPORT_FOLDER, out_ + "/gone");
    SimulateCommit(panel(), EXPORT_OPEN_FOLDER);
    SetDocumentViewerForTesting(nullptr);
    EXPECT_EQ(opened, std::vector<std::string>{out_});
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Error n° -104");
}
