// The user-interface services over Qt: what reaches Qt's widgets, the real
// clicks and keys, popups. The contract through ui.h alone is in
// ui_contract_test.cpp, which the Windows build runs too.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
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
#include <QWindow>
#include <functional>
#include <tuple>

#include "platform/ui/ui.h"
#include "support/app_fixture.h"
#include "ui_test_resources.h"

namespace {

using namespace ui_test_panels;

class UiServicesTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteProgramFile("TEST.UIR", kTestUir);
        RegisterTestCallbacks();
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

TEST_F(UiServicesTest, TextsAreShownPlainNeverAsMarkup) {
    EXPECT_EQ(SetCtrlVal(dialog, 8, std::string("Please wait ...  <Stop> to abort")), 0);
    EXPECT_EQ(qobject_cast<QLabel*>(PanelWidgetForTesting(dialog)->findChild<QLabel*>("text"))->textFormat(),
              Qt::PlainText);
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

// A marked row tells assistive technology in words what its mark means.
TEST_F(UiServicesTest, ListRowsGiveTheirAccessibleNames) {
    for (int row = 0; row < 3; ++row) {
        ASSERT_EQ(InsertListItem(dialog, 4, -1, "0" + std::to_string(row + 1), row), 0);
    }
    ASSERT_EQ(SetListItemAccessibleName(dialog, 4, 1, "01, already exported"), 0);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
        PanelWidgetForTesting(dialog)->findChild<QListWidget*>());
    ASSERT_NE(list, nullptr);
    bool found = false;
    for (int i = 0; i < list->childCount(); ++i)
        found = found || list->child(i)->text(QAccessible::Name) == "01, already exported";
    EXPECT_TRUE(found);
}

TEST_F(UiServicesTest, AUserClickOnAListGivesValueChangedThenLeftClick) {
    InsertListItem(dialog, 4, -1, "01", 0);
    InsertListItem(dialog, 4, -1, "02", 1);
    auto* list = PanelWidgetForTesting(dialog)->findChild<QListWidget*>("list");
    list->setCurrentRow(1);
    emit list->itemClicked(list->item(1));
    EXPECT_EQ(control_events, (std::vector<Seen>{{dialog, 4, EVENT_VAL_CHANGED}, {dialog, 4, EVENT_LEFT_CLICK}}));
}

TEST_F(UiServicesTest, MenuNamesAndTicksReachQtsMenus) {
    auto* window = qobject_cast<QMainWindow*>(PanelWidgetForTesting(main));
    QMenu* file = window->findChild<QMenu*>("menuFile");
    EXPECT_EQ(SetMenuBarAttribute(bar, 2, ATTR_MENU_NAME, "__Datei"), 0);
    EXPECT_EQ(file->title(), "&Datei");
    EXPECT_EQ(SetMenuBarAttribute(bar, 4, ATTR_ITEM_NAME, "__Importer_Exporter"), 0);
    EXPECT_EQ(window->findChild<QAction*>("actionPlain")->text(), "&Importer_Exporter");
    SetMenuBarAttribute(bar, 3, ATTR_CHECKED, 1);
    // The user's choice runs the callback; the tick stays the program's.
    window->findChild<QAction*>("actionTick")->trigger();
    int tick = -1;
    GetMenuBarAttribute(bar, 3, ATTR_CHECKED, tick);
    EXPECT_EQ(tick, 1);
    EXPECT_TRUE(window->findChild<QAction*>("actionTick")->isChecked());
    EXPECT_EQ(menu_items, std::vector<int>{3});
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

TEST_F(UiServicesTest, AQuitFromTheRunningLoopEndsIt) {
    QTimer::singleShot(0, [] { QuitUserInterface(5); });
    EXPECT_EQ(RunUserInterface(), 5);
}

// Each popup belongs to the window below it (the window manager keeps it
// there) and opens centred over it, not on the screen the pointer is on.
TEST_F(UiServicesTest, PopupsAreApplicationModalUntilRemovedAndBelongToTheWindowBelow) {
    const int second = LoadPanel(0, "TEST.UIR", 1);
    DisplayPanel(main);
    PanelWidgetForTesting(main)->setGeometry(40, 30, 700, 500);
    InstallPopup(dialog);
    InstallPopup(second);
    EXPECT_EQ(PanelWidgetForTesting(second)->windowModality(), Qt::ApplicationModal);
    QWidget *under = PanelWidgetForTesting(main), *first = PanelWidgetForTesting(dialog);
    EXPECT_EQ(first->windowHandle()->transientParent(), under->windowHandle());
    EXPECT_EQ(PanelWidgetForTesting(second)->windowHandle()->transientParent(), first->windowHandle());
    EXPECT_LE((first->frameGeometry().center() - under->frameGeometry().center()).manhattanLength(), 2);
    EXPECT_EQ(RemovePopup(0), 0);
    EXPECT_EQ(PanelWidgetForTesting(second)->windowModality(), Qt::NonModal);
}

TEST_F(UiServicesTest, TheWaitCursorIsQtsOverrideCursor) {
    SetWaitCursor(1);
    SetWaitCursor(1);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    SetWaitCursor(0);
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

// The real question box: Enter gives the button bound to it, Escape the one
// bound to Escape, or 0 when none is (a key that leaves it up fails the test).
TEST_F(UiServicesTest, QuestionBoxKeys) {
    PopupRecorder::Uninstall();
    const std::tuple<Qt::Key, int, int, int> cases[] = {  // key, Enter's, Escape's, answer
        {Qt::Key_Escape, 1, 2, 2}, {Qt::Key_Return, 1, 2, 1}, {Qt::Key_Return, 2, 1, 2},
        {Qt::Key_Escape, 2, 1, 1}, {Qt::Key_Escape, 1, 0, 0}};
    for (auto [key, enter, escape, expected] : cases) {
        SCOPED_TRACE(testing::Message() << key << ", Enter " << enter << ", Escape " << escape);
        QTimer::singleShot(0, [key = key] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
            QTimer::singleShot(5000, box,
                               [box] { ADD_FAILURE(), qobject_cast<QDialog*>(box)->reject(); });
        });
        EXPECT_EQ(GenericMessagePopup("Quit", "?", "Yes", "No", "", enter, enter, escape),
                  expected);
    }
}

}  // namespace
