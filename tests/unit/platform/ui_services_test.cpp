// The user-interface services: handles, controls, lists, menus, the event
// queue, the loop, popups and the cursor.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "platform/ui/ui.h"
#include "support/app_fixture.h"
#include "ui_test_resources.h"

namespace {

struct Seen {
    int panel, control, event;
    bool operator==(const Seen&) const = default;
};
std::vector<Seen> control_events;
std::vector<int> menu_items;
std::function<void()> inside_button;  // runs inside the TestButton callback

int TestButton(int panel, int control, int event, void*, int, int) {
    control_events.push_back({panel, control, event});
    if (inside_button) inside_button();
    return 0;
}
int TestOther(int panel, int control, int event, void*, int, int) {
    control_events.push_back({panel, control, event});
    return 0;
}
void TestMenu(int, int item, void*, int) { menu_items.push_back(item); }

class UiServicesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteProgramFile("TEST.UIR", kTestUir);
        RegisterCallbacks({{"TestButton", TestButton, nullptr},
                           {"TestStop", TestOther, nullptr},
                           {"TestList", TestOther, nullptr},
                           {"TestMenu", nullptr, TestMenu}});
        control_events.clear();
        menu_items.clear();
        inside_button = nullptr;
        dialog = LoadPanel(0, "TEST.UIR", 1);
        main = LoadPanel(0, "TEST.UIR", 2);
        ASSERT_GT(dialog, 0);
        ASSERT_GT(main, 0);
        bar = GetPanelMenuBar(main);
        ASSERT_GT(bar, 0);
    }
    void TearDown() override {
        inside_button = nullptr;
        AppFixture::TearDown();
    }
    int dialog = 0, main = 0, bar = 0;
};

TEST_F(UiServicesTest, DiscardedHandlesStayDeadAndTouchNothing) {
    const int child = LoadPanel(main, "TEST.UIR", 1);
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
    const int again = LoadPanel(0, "TEST.UIR", 2);
    EXPECT_NE(again, main);
    EXPECT_NE(again, child);
    EXPECT_TRUE(control_events.empty());
}

TEST_F(UiServicesTest, ResetFreesEveryPanel) {
    QPointer<QWidget> widgets[] = {PanelWidgetForTesting(dialog), PanelWidgetForTesting(main)};
    QuitUserInterface(1);
    SetWaitCursor(1);
    ResetUserInterfaceForTesting();
    for (const auto& w : widgets) EXPECT_TRUE(w.isNull());
    EXPECT_EQ(GetWaitCursor(), 0);
    QTimer::singleShot(0, [] { QuitUserInterface(2); });
    EXPECT_EQ(RunUserInterface(), 2) << "the quit asked before the reset is forgotten";
    recorder().Install();
}

TEST_F(UiServicesTest, ControlValuesByKind) {
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
    // Texts shown as they are, never as markup.
    EXPECT_EQ(SetCtrlVal(dialog, 8, std::string("Please wait ...  <Stop> to abort")), 0);
    EXPECT_EQ(GetCtrlVal(dialog, 8, text), 0);
    EXPECT_EQ(text, "Please wait ...  <Stop> to abort");
    EXPECT_EQ(qobject_cast<QLabel*>(PanelWidgetForTesting(dialog)->findChild<QLabel*>("text"))->textFormat(),
              Qt::PlainText);
    // A program change is not a user event.
    EXPECT_TRUE(control_events.empty());
    EXPECT_EQ(SetCtrlVal(dialog, 77, 1), UIE_INVALID_CONTROL);
    EXPECT_EQ(SetCtrlVal(dialog, 6, std::string("text")), UIE_WRONG_TYPE);
}

TEST_F(UiServicesTest, LabelsDimmingAndVisibilityReachTheBuddy) {
    QWidget* w = PanelWidgetForTesting(dialog);
    auto* buddy = w->findChild<QLabel*>("nameLabel");
    EXPECT_EQ(SetCtrlAttribute(dialog, 5, ATTR_LABEL_TEXT, "__Name & place"), 0);
    EXPECT_EQ(buddy->text(), "&Name && place");
    std::string label;
    GetCtrlAttribute(dialog, 5, ATTR_LABEL_TEXT, label);
    EXPECT_EQ(label, "__Name & place");
    EXPECT_EQ(w->findChild<QWidget*>("nameEdit")->accessibleName(), "Name & place");

    EXPECT_EQ(SetCtrlAttribute(dialog, 2, ATTR_LABEL_TEXT, "__Run"), 0);
    EXPECT_EQ(w->findChild<QPushButton*>("okButton")->text(), "&Run");

    int value = -1;
    SetCtrlAttribute(dialog, 5, ATTR_VISIBLE, 0);
    GetCtrlAttribute(dialog, 5, ATTR_VISIBLE, value);
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(buddy->isHidden());
    SetCtrlAttribute(dialog, 5, ATTR_DIMMED, 1);
    GetCtrlAttribute(dialog, 5, ATTR_DIMMED, value);
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(buddy->isEnabled());
    EXPECT_EQ(SetCtrlAttribute(dialog, 8, ATTR_LABEL_TEXT, "no buddy"), UIE_INVALID_ATTRIBUTE);
}

TEST_F(UiServicesTest, ListsKeepLabelsValuesAndSelection) {
    int count = -1, index = -2, value = -1;
    std::string label;
    EXPECT_EQ(GetCtrlIndex(dialog, 4, index), 0);
    EXPECT_EQ(index, -1) << "an empty list has no row";
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(InsertListItem(dialog, 4, -1, "0" + std::to_string(row + 1), row), 0);
    }
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
    EXPECT_EQ(SetCtrlIndex(dialog, 4, 4), UIE_INVALID_INDEX);
    EXPECT_EQ(GetLabelFromIndex(dialog, 4, -1, label), UIE_INVALID_INDEX);
    EXPECT_EQ(InsertListItem(dialog, 4, 9, "x", 0), UIE_INVALID_INDEX);
    EXPECT_EQ(InsertListItem(dialog, 5, -1, "x", 0), UIE_WRONG_TYPE);
    // A marked row tells assistive technology in words what its mark means.
    ASSERT_EQ(SetListItemAccessibleName(dialog, 4, 1, "01, already exported"), 0);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
        PanelWidgetForTesting(dialog)->findChild<QListWidget*>());
    ASSERT_NE(list, nullptr);
    bool found = false;
    for (int i = 0; i < list->childCount(); ++i)
        found = found || list->child(i)->text(QAccessible::Name) == "01, already exported";
    EXPECT_TRUE(found);
    EXPECT_EQ(SetListItemAccessibleName(dialog, 4, 9, "x"), UIE_INVALID_INDEX);
    EXPECT_TRUE(control_events.empty()) << "program changes raise no events";
    ClearListCtrl(dialog, 4);
    GetNumListItems(dialog, 4, count);
    GetCtrlIndex(dialog, 4, index);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(index, -1);
}

TEST_F(UiServicesTest, AUserClickOnAListGivesValueChangedThenLeftClick) {
    InsertListItem(dialog, 4, -1, "01", 0);
    InsertListItem(dialog, 4, -1, "02", 1);
    auto* list = PanelWidgetForTesting(dialog)->findChild<QListWidget*>("list");
    list->setCurrentRow(1);
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 4, EVENT_VAL_CHANGED}, {dialog, 4, EVENT_LEFT_CLICK}}));
}

TEST_F(UiServicesTest, MenuNamesTicksAndDimming) {
    auto* window = qobject_cast<QMainWindow*>(PanelWidgetForTesting(main));
    QMenu* file = window->findChild<QMenu*>("menuFile");
    EXPECT_EQ(SetMenuBarAttribute(bar, 2, ATTR_MENU_NAME, "__Datei"), 0);
    EXPECT_EQ(file->title(), "&Datei");
    EXPECT_EQ(SetMenuBarAttribute(bar, 4, ATTR_ITEM_NAME, "__Importer_Exporter"), 0);
    EXPECT_EQ(window->findChild<QAction*>("actionPlain")->text(), "&Importer_Exporter");
    std::string name;
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
    // The user's choice runs the callback; the tick stays the program's.
    window->findChild<QAction*>("actionTick")->trigger();
    GetMenuBarAttribute(bar, 3, ATTR_CHECKED, tick);
    EXPECT_EQ(tick, 1);
    EXPECT_TRUE(window->findChild<QAction*>("actionTick")->isChecked());
    EXPECT_EQ(menu_items, std::vector<int>{3});

    // Items of a dimmed menu (or of a submenu of it) cannot be chosen.
    SetMenuBarAttribute(bar, 2, ATTR_DIMMED, 1);
    SimulateMenuItem(bar, 4);
    SimulateMenuItem(bar, 6);
    EXPECT_EQ(menu_items, std::vector<int>{3});
    SetMenuBarAttribute(bar, 2, ATTR_DIMMED, 0);
    SimulateMenuItem(bar, 6);
    EXPECT_EQ(menu_items, (std::vector<int>{3, 6}));
}

TEST_F(UiServicesTest, CommitsDuringACallbackAreQueuedForPolls) {
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

TEST_F(UiServicesTest, UnpolledCommitsDoNotLeakIntoTheNextOperation) {
    inside_button = [&] { SimulateCommit(dialog, 3); };
    SimulateCommit(dialog, 2);
    inside_button = nullptr;
    int panel = 0, control = 0;
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
    // A commit outside any callback is not queued either.
    SimulateCommit(dialog, 3);
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
}

TEST_F(UiServicesTest, ThePollHookCanPressAButtonMidOperation) {
    int hook_calls = 0;
    SetPollHookForTesting([&] {
        if (++hook_calls == 2) SimulateCommit(dialog, 3);
    });
    int panel = 0, control = 0;
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
    EXPECT_EQ(GetUserEvent(0, panel, control), 1);
    EXPECT_EQ(control, 3);
    EXPECT_EQ(GetUserEvent(0, panel, control), 0);
}

TEST_F(UiServicesTest, ARealButtonClickReachesTheCallback) {
    PanelWidgetForTesting(dialog)->findChild<QPushButton*>("okButton")->click();
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 2, EVENT_COMMIT}}));
}

TEST_F(UiServicesTest, ClosingAWindowCommitsItsCloseControl) {
    DisplayPanel(dialog);
    PanelWidgetForTesting(dialog)->close();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(PanelWidgetForTesting(dialog), &escape);
    DisplayPanel(main);
    PanelWidgetForTesting(main)->close();
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 3, 1}, {dialog, 3, 1}, {main, 2, 1}}));
    EXPECT_TRUE(PanelWidgetForTesting(dialog)->isVisible()) << "the callback decides";
}

TEST_F(UiServicesTest, QuitBeforeTheLoopEndsItAtOnce) {
    QuitUserInterface(3);
    EXPECT_EQ(RunUserInterface(), 3);
    QTimer::singleShot(0, [] { QuitUserInterface(5); });
    EXPECT_EQ(RunUserInterface(), 5);
}

TEST_F(UiServicesTest, PopupsStackAndRemoveFromTheTop) {
    const int second = LoadPanel(0, "TEST.UIR", 1);
    InstallPopup(dialog);
    InstallPopup(second);
    EXPECT_EQ(PanelWidgetForTesting(second)->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(RemovePopup(0), 0);
    EXPECT_FALSE(PanelWidgetForTesting(second)->isVisible());
    EXPECT_EQ(PanelWidgetForTesting(second)->windowModality(), Qt::NonModal);
    EXPECT_TRUE(PanelWidgetForTesting(dialog)->isVisible());
    EXPECT_EQ(RemovePopup(0), 0);
    EXPECT_EQ(RemovePopup(0), UIE_NOT_A_POPUP);
    EXPECT_EQ(RemovePopup(main), UIE_NOT_A_POPUP);
}

TEST_F(UiServicesTest, WaitCursorIsAFlagNotAStack) {
    SetWaitCursor(1);
    SetWaitCursor(1);
    EXPECT_EQ(GetWaitCursor(), 1);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    SetWaitCursor(0);
    EXPECT_EQ(GetWaitCursor(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(UiServicesTest, ResponderAnswersInsteadOfADialog) {
    recorder().QueueAnswer("generic", "Quit", {2, ""});
    recorder().QueueAnswer("file", "", {VAL_NEW_FILE_SELECTED, "/tmp/x.xls"});
    EXPECT_EQ(GenericMessagePopup("Quit", "Sure ?", "Yes", "No", "", 1, 1, 2), 2);
    std::string path;
    EXPECT_EQ(FileSelectPopup("/tmp", "a.xls", ".xls", "Save", VAL_SAVE_BUTTON, 0, 1, 1, 1, path),
              VAL_NEW_FILE_SELECTED);
    EXPECT_EQ(path, "/tmp/x.xls");
    EXPECT_EQ(DirSelectPopup("", "", 1, 0, path), 0) << "folder dialogs cancel by default";
    EXPECT_EQ(path, "");
    ASSERT_EQ(popups().size(), 3u);
    EXPECT_EQ(popups()[0].buttons[1], "No");
    EXPECT_EQ(popups()[1].defaultFileName, "a.xls");
    EXPECT_EQ(popups()[2].kind, "dir");
}

// The real question box: Enter gives the button bound to it, Escape the other.
TEST_F(UiServicesTest, QuestionBoxKeys) {
    PopupRecorder::Uninstall();
    for (auto [key, expected] : {std::pair{Qt::Key_Escape, 2}, std::pair{Qt::Key_Return, 1}}) {
        QTimer::singleShot(0, [key = key] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        });
        EXPECT_EQ(GenericMessagePopup("Quit", "Sure ?", "Yes", "No", "", 1, 1, 2), expected);
    }
}

}  // namespace
