// File, Import/Export against the emulated instrument: the lists, the progress
// line, Stop, an empty memory, and the exit entry.
#include "import/memory_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "link/link_context.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"
#include "unit/import/import_flow_fixture.h"

namespace {

using Strings = std::vector<std::string>;

TEST_F(ImportFlowTest, ScanListsObjectsWithTestsInOrder) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 3, 'a', day);
    AddFile(1, 12, 'l', day);
    AddFile(2, 1, 'e', day);
    AddEmptyObject(3, day);
    AddFile(5, 0, 'r', day);
    AddFile(5, 7, 'v', day);
    StartInstrument();
    Scan();

    EXPECT_EQ(nb_total, 4);
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (Strings{"01", "02", "05"}));
    EXPECT_EQ(Rows(IMPORT_TESTS), (Strings{"03", "12"}));
    EXPECT_EQ(Text(PANEL_IMPORT, IMPORT_DESCRIPTION), "Current  /  11-05-2008");
    EXPECT_TRUE(PanelVisible(PANEL_IMPORT));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_SCAN]));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_PROGRESS]));
    EXPECT_EQ(std::make_tuple(flag_stop, flag_excel), std::make_tuple(1, 0));
    int fileMenuDimmed = 1;
    GetMenuBarAttribute(menu, MENU_FILE, ATTR_DIMMED, fileMenuDimmed);
    EXPECT_EQ(fileMenuDimmed, 0);
    EXPECT_EQ(GetWaitCursor(), 0);
    EXPECT_TRUE(popups().empty());

    // The row after the empty object 03 shows object 05's tests.
    SetCtrlIndex(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, 2);
    SimulateEvent(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, EVENT_VAL_CHANGED);
    EXPECT_EQ(Rows(IMPORT_TESTS), (Strings{"00", "07"}));
    EXPECT_EQ(Text(PANEL_IMPORT, IMPORT_DESCRIPTION), "RCD  /  11-05-2008");

    // A new scan starts from an emptied directory.
    Director[40].present = 1;
    Director[40].nb_test = 1;
    Director[40].tests[0].present = 1;
    Scan();
    EXPECT_EQ(Director[40].present, 0);
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (Strings{"01", "02", "05"}));
}

TEST_F(ImportFlowTest, ProgressShowsEachWholePercentageOnceIncreasing) {
    const std::time_t day = Date(2008, 11, 5);
    for (int object : {2, 9, 30}) AddFile(object, 1, 'a', day);
    StartInstrument();
    Strings shown;
    SetPollHookForTesting([&] {
        std::string text;
        if (GetCtrlVal(Fen_princ[PANEL_SCAN], SCAN_PROGRESS, text) == 0 && !text.empty() &&
            (shown.empty() || shown.back() != text)) {
            shown.push_back(text);
        }
    });
    Scan();
    SetPollHookForTesting(nullptr);
    ASSERT_FALSE(shown.empty());
    int last = 0;
    for (const std::string& text : shown) {
        const std::string prefix = "Reading in progress : ";
        ASSERT_EQ(text.rfind(prefix, 0), 0u) << text;
        ASSERT_EQ(text.back(), ' ');
        int percentage = std::stoi(text.substr(prefix.size()));
        EXPECT_GT(percentage, last) << text;
        last = percentage;
    }
    EXPECT_EQ(last, 30);  // the walk ends with the last present object
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (Strings{"02", "09", "30"}));
}

TEST_F(ImportFlowTest, StopDuringTheFileListingLeavesTheImportPanelHidden) {
    const std::time_t day = Date(2008, 11, 5);
    for (int object : {1, 2, 3}) AddFile(object, 1, 'a', day);
    StartInstrument();
    int polls = 0;
    SetPollHookForTesting([&] {
        // The directory listing polls once; the second poll is the file walk's.
        if (++polls == 2) SimulateCommit(Fen_princ[PANEL_SCAN], SCAN_STOP);
    });
    Scan();
    SetPollHookForTesting(nullptr);
    EXPECT_EQ(flag_stop, 0);
    EXPECT_FALSE(PanelVisible(PANEL_IMPORT));
    EXPECT_TRUE(Rows(IMPORT_OBJECTS).empty());
    EXPECT_EQ(Received("ls -l"), 1);  // the object listings were skipped
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_SCAN]));
    EXPECT_EQ(flag_excel, 0);
}

// A folder the instrument refuses to enter lists nothing for its object (not
// the tests of the folder it stayed in), and the person is told which.
TEST_F(ImportFlowTest, AnObjectWhoseFolderCannotBeEnteredIsNamedAndListsNothing) {
    const std::time_t day = Date(2008, 11, 5);
    AddFile(1, 3, 'a', day);
    AddFile(2, 1, 'e', day);
    AddFile(5, 7, 'v', day);
    StartInstrument();
    instrument().set_fault(zr8812::Fault::ErrorAnswer, "cd /etc/mem/02/");
    Scan();
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (Strings{"01", "05"}));
    EXPECT_EQ(Director[2].nb_test, 0);
    EXPECT_EQ(Director[2].tests[3].present, 0);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Error");
    EXPECT_EQ(popups()[0].message,
              "Object 02 could not be read from the instrument: its tests are not listed.\n"
              "They stay in the instrument.");
    EXPECT_TRUE(PanelVisible(PANEL_IMPORT));
}

TEST_F(ImportFlowTest, EmptyMemoryIsReported) {
    StartInstrument();
    Scan();
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Error n° -113");
    EXPECT_TRUE(Rows(IMPORT_OBJECTS).empty());
    EXPECT_TRUE(PanelVisible(PANEL_IMPORT));
}

TEST_F(ImportFlowTest, ADeadLinkAbandonsTheScan) {
    AddFile(1, 1, 'a', Date(2008, 11, 5));
    StartInstrument();
    instrument().set_fault(zr8812::Fault::Silent);
    Scan();
    EXPECT_EQ(Received("ls -l"), 0);
    EXPECT_EQ(std::make_tuple(flag_stop, ProgramLink().link_flag), std::make_tuple(0, 0));
    EXPECT_FALSE(PanelVisible(PANEL_IMPORT));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_PROGRESS]));
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_SCAN]));
    int fileMenuDimmed = 1;
    GetMenuBarAttribute(menu, MENU_FILE, ATTR_DIMMED, fileMenuDimmed);
    EXPECT_EQ(fileMenuDimmed, 0);
    EXPECT_EQ(GetWaitCursor(), 0);
}

TEST_F(ImportFlowTest, ExitEntryAsksTheQuitQuestion) {
    StartInstrument();
    recorder().QueueButton(2);
    Gestion_fichier(menu, ITEM_EXIT, nullptr, Fen_princ[PANEL_MAIN]);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Quit");
    Gestion_fichier(menu, MENU_FILE, nullptr, Fen_princ[PANEL_MAIN]);  // not an entry: nothing
    EXPECT_EQ(popups().size(), 1u);
}

}  // namespace
