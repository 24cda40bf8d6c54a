// The user-interface contract as every caller sees it through ui.h alone:
// handles, control values by kind, lists, menus, the queue of commit events,
// the loop and the popups' responder. The Linux build runs it over Qt (platform_tests), the Windows
// build over its native windows (windows_ui_tests), so both programs keep
// the same contract.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"
#include "ui_test_resources.h"

namespace {

using namespace ui_test_panels;

class UiContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetUserInterfaceForTesting();
        // An absolute path: the program directory is left alone. One file per
        // test, as CTest runs the tests side by side.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        uir = (std::filesystem::temp_directory_path() / ("briskel-ui-" + test + ".uir")).string();
        std::ofstream(uir, std::ios::binary | std::ios::trunc) << kTestUir;
        RegisterTestCallbacks();
        dialog = LoadPanel(0, uir, 1);
        main = LoadPanel(0, uir, 2);
        ASSERT_GT(dialog, 0);
        ASSERT_GT(main, 0);
        bar = GetPanelMenuBar(main);
        ASSERT_GT(bar, 0);
    }
    void TearDown() override {
        inside_button = nullptr;
        ResetUserInterfaceForTesting();
        std::error_code ec;
        std::filesystem::remove(uir, ec);
    }
    std::string uir;
    int dialog = 0, main = 0, bar = 0;
};

TEST_F(UiContractTest, DiscardedHandlesStayDeadAndTouchNothing) {
    const int child = LoadPanel(main, uir, 1);
    ASSERT_GT(child, 0);
    ASSERT_EQ(DiscardPanel(main), 0);
    EXPECT_FALSE(IsPanelValid(main));
    EXPECT_FALSE(IsPanelValid(child)) << "a child goes with its parent";
    std::string text;
    int value = 0;
    EXPECT_EQ(DisplayPanel(main), UIE_INVALID_HANDLE);
    EXPECT_EQ(DiscardPanel(main), UIE_INVALID_HANDLE);
    EXPECT_EQ(InstallPopup(child), UIE_INVALID_HANDLE);
    EXPECT_EQ(SetCtrlVal(child, 5, std::string("x")), UIE_INVALID_HANDLE);
    EXPECT_EQ(GetCtrlVal(child, 6, value), UIE_INVALID_HANDLE);
    EXPECT_EQ(SetPanelAttribute(main, ATTR_TITLE, "x"), UIE_INVALID_HANDLE);
    EXPECT_EQ(SetMenuBarAttribute(bar, 2, ATTR_DIMMED, 1), UIE_INVALID_HANDLE);
    EXPECT_EQ(SimulateCommit(child, 2), UIE_INVALID_HANDLE);
    EXPECT_EQ(SimulateMenuItem(bar, 3), UIE_INVALID_HANDLE);
    EXPECT_EQ(InsertListItem(child, 4, -1, "a", 0), UIE_INVALID_HANDLE);
    for (int never_issued : {0, -1, 99999}) {
        EXPECT_EQ(HidePanel(never_issued), UIE_INVALID_HANDLE);
        EXPECT_EQ(SetCtrlAttribute(never_issued, 2, ATTR_DIMMED, 1), UIE_INVALID_HANDLE);
    }
    // A fresh load never gets an old handle back.
    const int again = LoadPanel(0, uir, 2);
    EXPECT_NE(again, main);
    EXPECT_NE(again, child);
    EXPECT_EQ(LoadPanel(0, uir, 77), UIE_PANEL_NOT_FOUND);
    EXPECT_EQ(LoadPanel(0, uir + ".missing", 1), UIE_FILE_NOT_FOUND);
    EXPECT_TRUE(control_events.empty());
}

TEST_F(UiContractTest, ControlValuesByKind) {
    int number = -1;
    double real = -1;
    std::string text;
    EXPECT_EQ(SetCtrlVal(dialog, 5, std::string("C:/work folder")), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 5, text), 0);
    EXPECT_EQ(text, "C:/work folder");
    EXPECT_EQ(SetCtrlVal(dialog, 6, 42), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 6, number), 0);
    EXPECT_EQ(number, 42);
    EXPECT_EQ(GetCtrlVal(dialog, 6, real), 0);
    EXPECT_EQ(real, 42.0);
    EXPECT_EQ(SetCtrlVal(dialog, 7, 1), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 7, number), 0);
    EXPECT_EQ(number, 1);
    EXPECT_EQ(SetCtrlVal(dialog, 7, 0), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 7, number), 0);
    EXPECT_EQ(number, 0);
    // Texts shown as they are, never as markup nor with mnemonics.
    EXPECT_EQ(SetCtrlVal(dialog, 8, std::string("Please wait ...  <Stop> to abort & see")), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 8, text), 0);
    EXPECT_EQ(text, "Please wait ...  <Stop> to abort & see");
    // A number in a text, shown and read the same way on both systems.
    EXPECT_EQ(SetCtrlVal(dialog, 8, 2.5), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 8, text), 0);
    EXPECT_EQ(text, "2.5");
    EXPECT_EQ(SetCtrlVal(dialog, 5, std::string(" 12.5 ")), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 5, real), 0);
    EXPECT_EQ(real, 12.5);
    // A program change is not a user event.
    EXPECT_TRUE(control_events.empty());
    EXPECT_EQ(SetCtrlVal(dialog, 77, 1), UIE_INVALID_CONTROL);
    EXPECT_EQ(SetCtrlVal(dialog, 6, std::string("text")), UIE_WRONG_TYPE);
    EXPECT_EQ(SetCtrlAttribute(dialog, 8, ATTR_LABEL_TEXT, "no buddy"), UIE_INVALID_ATTRIBUTE);
}

TEST_F(UiContractTest, LabelsDimmingAndVisibilityByNumber) {
    std::string label;
    ASSERT_EQ(GetCtrlAttribute(dialog, 5, ATTR_LABEL_TEXT, label), 0);
    EXPECT_EQ(label, "Name") << "a field's label is its buddy's text";
    ASSERT_EQ(SetCtrlAttribute(dialog, 5, ATTR_LABEL_TEXT, "__Nom"), 0);
    GetCtrlAttribute(dialog, 5, ATTR_LABEL_TEXT, label);
    EXPECT_EQ(label, "__Nom");
    ASSERT_EQ(SetCtrlAttribute(dialog, 2, ATTR_LABEL_TEXT, "__Oui"), 0);
    std::string text;
    GetCtrlAttribute(dialog, 2, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, "__Oui");
    int value = -1;
    SetCtrlAttribute(dialog, 2, ATTR_DIMMED, 1);
    GetCtrlAttribute(dialog, 2, ATTR_DIMMED, value);
    EXPECT_EQ(value, 1);
    SetCtrlAttribute(dialog, 2, ATTR_DIMMED, 0);
    GetCtrlAttribute(dialog, 2, ATTR_DIMMED, value);
    EXPECT_EQ(value, 0);
    SetCtrlAttribute(dialog, 8, ATTR_VISIBLE, 0);
    GetCtrlAttribute(dialog, 8, ATTR_VISIBLE, value);
    EXPECT_EQ(value, 0);
    SetCtrlAttribute(dialog, 8, ATTR_VISIBLE, 1);
    GetCtrlAttribute(dialog, 8, ATTR_VISIBLE, value);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(SetCtrlAttribute(dialog, 2, 12345, 1), UIE_INVALID_ATTRIBUTE);
}

TEST_F(UiContractTest, ListsKeepLabelsValuesAndSelection) {
    int count = -1, index = -2, value = -1;
    std::string label;
    EXPECT_EQ(GetCtrlIndex(dialog, 4, index), 0);
    EXPECT_EQ(index, -1) << "an empty list has no row";
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(InsertListItem(dialog, 4, -1, "0" + std::to_string(row + 1), row), 0);
    }
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(index, 0) << "the first row becomes current";
    EXPECT_EQ(InsertListItem(dialog, 4, 0, "first", 9), 0);
    GetNumListItems(dialog, 4, count);
    EXPECT_EQ(count, 4);
    GetLabelFromIndex(dialog, 4, 0, label);
    EXPECT_EQ(label, "first");
    GetValueFromIndex(dialog, 4, 3, value);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(SetCtrlIndex(dialog, 4, 2), 0);
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(index, 2);
    GetCtrlVal(dialog, 4, value);
    EXPECT_EQ(value, 1);
    GetCtrlVal(dialog, 4, label);
    EXPECT_EQ(label, "02");
    EXPECT_EQ(SetCtrlVal(dialog, 4, 9), 0) << "a list's value selects its row";
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(SetCtrlVal(dialog, 4, 55), UIE_INVALID_INDEX);
    EXPECT_EQ(SetCtrlIndex(dialog, 4, 4), UIE_INVALID_INDEX);
    EXPECT_EQ(GetLabelFromIndex(dialog, 4, -1, label), UIE_INVALID_INDEX);
    EXPECT_EQ(InsertListItem(dialog, 4, 9, "x", 0), UIE_INVALID_INDEX);
    EXPECT_EQ(InsertListItem(dialog, 5, -1, "x", 0), UIE_WRONG_TYPE);
    EXPECT_EQ(SetListItemAccessibleName(dialog, 4, 1, "01, already exported"), 0);
    EXPECT_EQ(SetListItemAccessibleName(dialog, 4, 9, "x"), UIE_INVALID_INDEX);
    EXPECT_TRUE(control_events.empty()) << "program changes raise no events";
    ClearListCtrl(dialog, 4);
    GetNumListItems(dialog, 4, count);
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(index, -1);
}

TEST_F(UiContractTest, MenuNamesTicksAndDimming) {
    std::string name;
    GetMenuBarAttribute(bar, 2, ATTR_MENU_NAME, name);
    EXPECT_EQ(name, "__File") << "the file's mnemonic reads as the program writes it";
    EXPECT_EQ(SetMenuBarAttribute(bar, 2, ATTR_MENU_NAME, "__Datei"), 0);
    EXPECT_EQ(SetMenuBarAttribute(bar, 4, ATTR_ITEM_NAME, "__Importer_Exporter"), 0);
    GetMenuBarAttribute(bar, 4, ATTR_ITEM_NAME, name);
    EXPECT_EQ(name, "__Importer_Exporter");
    GetMenuBarAttribute(bar, 5, ATTR_MENU_NAME, name);
    EXPECT_EQ(name, "Sub");
    EXPECT_EQ(SetMenuBarAttribute(bar, 3, ATTR_MENU_NAME, "x"), UIE_INVALID_ATTRIBUTE);
    EXPECT_EQ(SetMenuBarAttribute(bar, 77, ATTR_CHECKED, 1), UIE_INVALID_CONTROL);

    int tick = -1;
    GetMenuBarAttribute(bar, 3, ATTR_CHECKED, tick);
    EXPECT_EQ(tick, 0);
    SetMenuBarAttribute(bar, 3, ATTR_CHECKED, 1);
    SimulateMenuItem(bar, 3);
    GetMenuBarAttribute(bar, 3, ATTR_CHECKED, tick);
    EXPECT_EQ(tick, 1) << "choosing an item runs its callback; the tick stays the program's";
    EXPECT_EQ(menu_items, std::vector<int>{3});

    // Items of a dimmed menu (or of a submenu of it) cannot be chosen.
    SetMenuBarAttribute(bar, 2, ATTR_DIMMED, 1);
    int dimmed = 0;
    GetMenuBarAttribute(bar, 2, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 1);
    SimulateMenuItem(bar, 4);
    SimulateMenuItem(bar, 6);
    EXPECT_EQ(menu_items, std::vector<int>{3});
    SetMenuBarAttribute(bar, 2, ATTR_DIMMED, 0);
    SimulateMenuItem(bar, 6);
    EXPECT_EQ(menu_items, (std::vector<int>{3, 6}));
    SetMenuBarAttribute(bar, 6, ATTR_DIMMED, 1);
    SimulateMenuItem(bar, 6);
    EXPECT_EQ(menu_items, (std::vector<int>{3, 6}));
}

TEST_F(UiContractTest, CommitsDuringACallbackAreQueuedForPolls) {
    std::vector<std::pair<int, int>> polled;
    inside_button = [&] {
        SimulateCommit(dialog, 3);  // a Stop pressed during the operation
        int panel = 0, control = 0;
        while (GetUserEvent(0, panel, control) == 1) polled.emplace_back(panel, control);
    };
    SimulateCommit(dialog, 2);
    EXPECT_EQ(polled, (std::vector<std::pair<int, int>>{{dialog, 3}}));
    // The stop button's own callback ran as well.
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 2, 1}, {dialog, 3, 1}}));
}

TEST_F(UiContractTest, UnpolledCommitsDoNotLeakIntoTheNextOperation) {
    inside_button = [&] { SimulateCommit(dialog, 3); };
    SimulateCommit(dialog, 2);
    inside_button = nullptr;
    int panel = 0, control = 0;
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
    // A commit outside any callback is not queued either.
    SimulateCommit(dialog, 3);
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
}

TEST_F(UiContractTest, ThePollHookCanPressAButtonMidOperation) {
    int hook_calls = 0;
    SetPollHookForTesting([&] {
        if (++hook_calls == 2) SimulateCommit(dialog, 3);
    });
    int panel = 0, control = 0;
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
    EXPECT_EQ(GetUserEvent(0, panel, control), 1);
    EXPECT_EQ(panel, dialog);
    EXPECT_EQ(control, 3);
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
    SetPollHookForTesting(nullptr);
}

TEST_F(UiContractTest, QuitBeforeTheLoopEndsItAtOnce) {
    QuitUserInterface(3);
    EXPECT_EQ(RunUserInterface(), 3);
}

TEST_F(UiContractTest, PopupsStackAndRemoveFromTheTop) {
    const int second = LoadPanel(0, uir, 1);
    InstallPopup(dialog);
    InstallPopup(second);
    int visible = -1;
    GetPanelAttribute(second, ATTR_VISIBLE, visible);
    EXPECT_EQ(visible, 1);
    EXPECT_EQ(RemovePopup(0), 0);
    GetPanelAttribute(second, ATTR_VISIBLE, visible);
    EXPECT_EQ(visible, 0);
    GetPanelAttribute(dialog, ATTR_VISIBLE, visible);
    EXPECT_EQ(visible, 1);
    EXPECT_EQ(RemovePopup(0), 0);
    EXPECT_EQ(RemovePopup(0), UIE_NOT_A_POPUP);
    EXPECT_EQ(RemovePopup(main), UIE_NOT_A_POPUP);
}

TEST_F(UiContractTest, PanelTitleAndDimming) {
    EXPECT_EQ(SetPanelAttribute(dialog, ATTR_TITLE, std::string("Données")), 0);
    std::string title;
    GetPanelAttribute(dialog, ATTR_TITLE, title);
    EXPECT_EQ(title, "Données");
    int dimmed = -1;
    SetPanelAttribute(dialog, ATTR_DIMMED, 1);
    GetPanelAttribute(dialog, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 1);
    SetPanelAttribute(dialog, ATTR_DIMMED, 0);
    GetPanelAttribute(dialog, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 0);
    EXPECT_EQ(SetPanelAttribute(dialog, ATTR_WIDTH, 0), UIE_INVALID_ATTRIBUTE);
}

// A minimized window gives the place and size it comes back to.
TEST_F(UiContractTest, AMinimizedWindowGivesItsNormalPlaceAndSize) {
    DisplayPanel(main);
    SetPanelPos(main, 120, 140);
    SetPanelAttribute(main, ATTR_WIDTH, 420);
    SetPanelAttribute(main, ATTR_HEIGHT, 310);
    SetPanelAttribute(main, ATTR_WINDOW_ZOOM, VAL_MINIMIZE);
    std::vector<int> values;
    for (int attribute : {ATTR_WINDOW_ZOOM, ATTR_TOP, ATTR_LEFT, ATTR_WIDTH, ATTR_HEIGHT})
        GetPanelAttribute(main, attribute, values.emplace_back());
    EXPECT_EQ(values, std::vector<int>({VAL_MINIMIZE, 120, 140, 420, 310}));
}

TEST_F(UiContractTest, WaitCursorIsAFlagNotAStack) {
    SetWaitCursor(1);
    SetWaitCursor(1);
    EXPECT_EQ(GetWaitCursor(), 1);
    SetWaitCursor(0);
    EXPECT_EQ(GetWaitCursor(), 0);
    SetWaitCursor(1);
    ResetUserInterfaceForTesting();
    EXPECT_EQ(GetWaitCursor(), 0);
}

TEST_F(UiContractTest, AResponderAnswersInsteadOfTheDialogs) {
    std::vector<PopupRecord> asked;
    SetPopupResponder([&](const PopupRecord& record) {
        asked.push_back(record);
        return PopupAnswer{record.kind == "file" ? 0 : 2, "C:\\x.xlsx"};
    });
    std::string path = "old";
    EXPECT_EQ(GenericMessagePopup("T", "M", "Oui", "Non", "", 1, 1, 2), 2);
    EXPECT_EQ(FileSelectPopup("C:\\", "n", ".xlsx", "S", VAL_SAVE_BUTTON, 0, 1, 1, 1, path), 0);
    EXPECT_EQ(path, "");
    SetPopupResponder(nullptr);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].buttons[1], "Non");
    EXPECT_EQ(asked[1].fileTypeList, ".xlsx");
}

}  // namespace
