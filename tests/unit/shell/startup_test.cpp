// The whole program run: start-up order, the quit box and the shutdown steps,
// with the later subsystems replaced by recording hooks.
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QTimer>
#include <filesystem>
#include <regex>
#include <tuple>

#include "platform/system/program_instance.h"
#include "platform/system/system.h"
#include "platform/ui/session.h"
#include "shell/driver_check.h"
#include "shell/hooks.h"
#include "shell/messages.h"
#include "shell/startup.h"
#include "shell_fixture.h"

namespace {

class StartupTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        saved_hooks = shell_hooks;
        RegisterShellCallbacks();
        shell_hooks.init_import_flags = [this] { calls.push_back("import flags"); };
        shell_hooks.start_connection = [this](int bar, int item, void*, int panel) {
            calls.push_back("connection");
            EXPECT_EQ(bar, menu);
            EXPECT_EQ(item, ITEM_COMMUNICATION);
            EXPECT_EQ(panel, Fen_princ[PANEL_MAIN]);
            // What start-up has done by now.
            EXPECT_TRUE(ProgramFileExists("Briskel.ini"));
            EXPECT_EQ(ProgramLink().link_flag, 0);
            EXPECT_EQ(Excel.base_name, "Briskel");
            EXPECT_EQ(GetWaitCursor(), 0);
            if (during_connection) during_connection();
        };
        shell_hooks.power_off_instrument = [this] {
            calls.push_back("power off");
            LogWrite("btb status.ShutofEn=0\n");
            return 0;
        };
        shell_hooks.close_spreadsheet = [this] { calls.push_back("close spreadsheet"); };
    }

    void TearDown() override {
        shell_hooks = saved_hooks;
        AppFixture::TearDown();
    }

    // Presses the main panel's quit control once the event loop runs.
    void QuitFromTheLoop(int answer) {
        recorder().QueueAnswer("generic", "Quit", {answer, ""});
        QTimer::singleShot(0, [] { SimulateCommit(Fen_princ[PANEL_MAIN], MAIN_QUIT); });
    }

    ShellHooks saved_hooks;
    std::vector<std::string> calls;
    std::function<void()> during_connection;
};

TEST_F(StartupTest, WithoutTheResourceFileOnlyTheFatalBoxAppears) {
    for (const char* content : {static_cast<const char*>(nullptr), "garbage, not a resource file"}) {
        recorder().Clear();
        if (content == nullptr) std::filesystem::remove(ProgramPath(UIR_FILE));
        else WriteProgramFile(UIR_FILE, content);
        EXPECT_LT(ProgramMain(), 0);
        ASSERT_EQ(popups().size(), 1u);
        EXPECT_EQ(popups()[0].title, "FATAL RUNTIME ERROR");
        EXPECT_EQ(popups()[0].message, "File BRISKEL.UIR not found !\n");
        EXPECT_FALSE(ProgramFileExists("ZR881x_9025.log"));
        EXPECT_FALSE(ProgramFileExists("Briskel.ini"));
        EXPECT_TRUE(calls.empty());
    }
}

// The connection set-up ends the loop before it has started (instrument not detected):
// the loop returns at once and every shutdown step runs once.
TEST_F(StartupTest, AStopBeforeTheLoopRunsTheShutdownOnce) {
    during_connection = [] {
        Excel.started = 1;
        QuitUserInterface(0);
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"import flags", "connection", "power off", "close spreadsheet"}));
    EXPECT_TRUE(popups().empty());
    for (int panel : {PANEL_MAIN, PANEL_EXPORT, PANEL_IMPORT})
        EXPECT_FALSE(IsPanelValid(Fen_princ[panel])) << panel;
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_SPLASH]) && PanelWidgetForTesting(Fen_princ[PANEL_SPLASH])->isVisible());
    EXPECT_EQ(ptLog, 0);
    EXPECT_EQ(GetWaitCursor(), 0);
    // The log: header, then what the power-off step wrote.
    const std::string log = ReadProgramFile("ZR881x_9025.log");
    EXPECT_TRUE(std::regex_match(log, std::regex("\t\tLOG BRISKEL VIEW \r\r\n"
                                                 "\\d\\d-\\d\\d-\\d{4} - \\d\\d:\\d\\d:\\d\\d\r\n"
                                                 "btb status.ShutofEn=0\r\n")))
        << log;
    EXPECT_EQ(ReadProgramFile("Briskel.ini").substr(0, 5), "1 0\r\n");
}

TEST_F(StartupTest, QuitBoxAnsweredNoThenYes) {
    during_connection = [this] {
        WriteProgramFile("Briskel.ini", "marker");
        QuitFromTheLoop(VAL_GENERIC_POPUP_BTN2);
        QTimer::singleShot(5, [this] {
            // Still running, and the No wrote nothing.
            EXPECT_EQ(calls.size(), 2u);
            EXPECT_EQ(ReadProgramFile("Briskel.ini"), "marker");
            EXPECT_EQ(recorder().CountTitled("Quit"), 1);
            QuitFromTheLoop(VAL_GENERIC_POPUP_BTN1);
        });
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"import flags", "connection", "power off"}))
        << "no spreadsheet application was started";
    ASSERT_EQ(recorder().CountTitled("Quit"), 2);
    const PopupRecord& box = popups().back();
    EXPECT_EQ(std::tie(box.kind, box.message, box.buttons[0], box.buttons[1], box.buttons[2]),
              std::make_tuple("generic", "Are you sure you want to quit ?\n", "Yes", "No", ""));
    EXPECT_EQ(ReadProgramFile("Briskel.ini").substr(0, 5), "1 0\r\n");
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_MAIN]));
}

TEST_F(StartupTest, ConfirmedQuitClosesTheSpreadsheetOnce) {
    during_connection = [this] {
        Excel.started = 1;
        QuitFromTheLoop(VAL_GENERIC_POPUP_BTN1);
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"import flags", "connection", "power off", "close spreadsheet"}));
}

TEST_F(StartupTest, TheQuitBoxSpeaksTheStoredLanguage) {
    WriteProgramFile("Briskel.ini", "1 0\r\n0\r\n56 1\r\n0\r\n/d\r\n\r\n4\r\n32\r\n102\r\n762\r\n1004\r\n0\r\n***\r\n");
    during_connection = [this] {
        EXPECT_EQ(langue, 4);
        int ticked = 0;
        GetMenuBarAttribute(menu, ITEM_ITALIAN, ATTR_CHECKED, ticked);
        EXPECT_EQ(ticked, 1);
        std::string name;
        GetMenuBarAttribute(menu, MENU_FILE, ATTR_MENU_NAME, name);
        EXPECT_EQ(name, "__File");
        GetMenuBarAttribute(menu, ITEM_EXIT, ATTR_ITEM_NAME, name);
        EXPECT_EQ(name, "__Esci");
        QuitFromTheLoop(VAL_GENERIC_POPUP_BTN1);
    };
    recorder().QueueAnswer("generic", "Esci", {1, ""});
    EXPECT_EQ(ProgramMain(), 0);
    ASSERT_FALSE(popups().empty());
    EXPECT_EQ(popups().back().message, "               Uscire ?\n");
    EXPECT_EQ(popups().back().buttons[0], "Si");
}

TEST_F(StartupTest, ClosingTheMainWindowAsksToQuit) {
    during_connection = [this] {
        recorder().QueueAnswer("generic", "Quit", {VAL_GENERIC_POPUP_BTN1, ""});
        QTimer::singleShot(0, [] { PanelWidgetForTesting(Fen_princ[PANEL_MAIN])->close(); });
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(recorder().CountTitled("Quit"), 1);
}

TEST_F(StartupTest, TheMainPanelsHiddenControlsStayHidden) {
    during_connection = [] {
        for (int control = MAIN_HIDDEN_FIRST; control <= MAIN_HIDDEN_LAST; ++control) {
            int visible = -1;
            GetCtrlAttribute(Fen_princ[PANEL_MAIN], control, ATTR_VISIBLE, visible);
            EXPECT_EQ(visible, 0) << control;
        }
        int shown = 0;
        GetPanelAttribute(Fen_princ[PANEL_MAIN], ATTR_VISIBLE, shown);
        EXPECT_EQ(shown, 1);
        QuitUserInterface(0);
    };
    ProgramMain();
}

TEST_F(StartupTest, TheImportPanelProposesToday) {
    during_connection = [] {
        int month = 0, day = 0, year = 0;
        GetSystemDate(month, day, year);
        int shown[3] = {};
        GetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_DAY, shown[0]);
        GetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_MONTH, shown[1]);
        GetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_YEAR, shown[2]);
        EXPECT_EQ(std::make_tuple(shown[0], shown[1], shown[2]), std::make_tuple(day, month, year));
        QuitUserInterface(0);
    };
    ProgramMain();
}

TEST_F(StartupTest, WithoutALogTheProgramRunsOn) {
    std::filesystem::create_directory(ProgramPath("ZR881x_9025.log"));
    during_connection = [] {
        EXPECT_EQ(ptLog, 0);
        LogWrite("nowhere\n");
        QuitUserInterface(0);
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(calls.size(), 4u - 1u);
}

// Signing out with the program idle: it lets the session end and, before the
// system may end the process, has run its exit's steps (no box waits).
TEST_F(StartupTest, TheSessionsEndWhileIdleSavesAndEndsTheProgram) {
    during_connection = [this] {
        Excel.started = 1;
        WriteProgramFile("Briskel.ini", "marker");
        QTimer::singleShot(0, [this] {
            EXPECT_TRUE(RaiseSessionEndForTesting());
            EXPECT_EQ(ReadProgramFile("Briskel.ini").substr(0, 5), "1 0\r\n");
            EXPECT_EQ(calls, (std::vector<std::string>{"import flags", "connection", "power off",
                                                       "close spreadsheet"}));
            EXPECT_EQ(ptLog, 0);
            QuitUserInterface(0);
        });
    };
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_TRUE(popups().empty());
    EXPECT_EQ(SessionEndReason(), "");
}

// A second start in the same folder ends before its splash and asks the
// running copy to come forward; another folder is another program.
TEST_F(StartupTest, ASecondStartBringsTheFirstForwardAndEnds) {
    int asked = 0;
    const ProgramInstance first(program_dir(), [&asked] { ++asked; });
    ASSERT_TRUE(first.Claimed());
    during_connection = [] { QuitUserInterface(0); };  // had it started
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_FALSE(ProgramFileExists("ZR881x_9025.log"));
    QElapsedTimer waited;
    waited.start();
    while (asked == 0 && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(ProgramInstance(program_dir() + "/other", nullptr).Claimed());
}

TEST_F(StartupTest, EachStartEmptiesTheLog) {
    WriteProgramFile("ZR881x_9025.log", std::string(10000, 'x'));
    during_connection = [] { QuitUserInterface(0); };
    ProgramMain();
    EXPECT_EQ(ReadProgramFile("ZR881x_9025.log").rfind("\t\tLOG BRISKEL VIEW \r\r\n", 0), 0u);
    EXPECT_LT(ReadProgramFile("ZR881x_9025.log").size(), 100u);
}

}  // namespace
