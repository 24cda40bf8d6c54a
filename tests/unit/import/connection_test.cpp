// Connection set-up, discovery and the Setup menu's dialogs as the user meets
// them: popups, log lines, and what reached the instrument.

#include <QSerialPort>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "import/instrument_setup.h"
#include "link/com_port.h"
#include "link/modbus.h"
#include "link/registration.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/startup.h"
#include "support/instrument_fixture.h"

namespace fs = std::filesystem;
using zr8812::Fault;

namespace {

const char* const kLog = "ZR881x_9025.log";
const std::string kNotDetectedAtStart =
    "The software has not detected the instrument.\n Verify connection and follow the "
    "procedure.\n\nProcedure :\n"
    " - Switch off the device.\n - Close the application.\n - Let USB cable between PC and "
    "device.\n"
    " - Start the device on 'SET- UP' position.\n - Run application.";
// Later the program stays open: no closing, no restart.
const std::string kNotDetected =
    "The software has not detected the instrument.\n The application stays open: verify "
    "connection and follow the procedure.\n\nProcedure :\n - Check the USB cable between PC and "
    "device.\n - Check that the device is on, its switch on 'SET- UP' position.\n - Choose "
    "Setup, Communication.";

class Connection : public InstrumentFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        LoadMainPanel();
        ptLog = CVI_OpenFile(ProgramPath(kLog), VAL_READ_WRITE, VAL_TRUNCATE);
        ASSERT_GT(ptLog, 0);
    }
    void TearDown() override {
        if (ptLog > 0) CVI_CloseFile(ptLog);
        ptLog = 0;
        InstrumentFixture::TearDown();
    }
    std::string Log() {
        CVI_CloseFile(ptLog);
        const std::string text = ReadProgramFile(kLog);
        ptLog = CVI_OpenFile(ProgramPath(kLog), VAL_READ_WRITE, VAL_APPEND);
        return text;
    }
    int Count(const std::string& title, const std::string& message = {}) const {
        int n = 0;
        for (const PopupRecord& p : popups())
            if (p.title == title && (message.empty() || p.message == message)) ++n;
        return n;
    }
    static int Occurrences(const std::string& text, const std::string& part) {
        int n = 0;
        for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
        return n;
    }
    // Runs the event loop; true when a quit was requested before (it returns at once).
    static bool QuitWasRequested() {
        QTimer guard;  // ends the loop if no quit was pending; gone with this call
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [] { QuitUserInterface(99); });
        guard.start(3000);
        return RunUserInterface() == 0;
    }
    // Answers the port question with No (button 2).
    void AnswerPortQuestion(int button) { recorder().QueueAnswer("generic", "", {button, ""}); }
};

TEST_F(Connection, InstrumentInModbusModeIsSwitchedAndSetUp) {
    EXPECT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    EXPECT_TRUE(instrument().in_command_mode());
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_EQ(ProgramLink().serial_port, kInstrumentCom);
    EXPECT_EQ(Mesure.auto_power_off, 1);
    EXPECT_EQ(instrument().shutof_en(), 0);
    EXPECT_EQ(Count("Communication", "Communication OK"), 1);
    EXPECT_EQ(Count("Set of the rotator", "Instrument must be in set-up position"), 1);
    EXPECT_NE(Wire().find(std::string("stty ixon\r\n") + '\0'), std::string::npos);
    EXPECT_EQ(GetWaitCursor(), 0);
}

// The first probe waits 0.5 s for an answer to begin: a slower instrument
// answers the switch sequence's first read with its prompt instead.
TEST_F(Connection, InstrumentInCommandModeIsSetUpWithoutTheSwitchSequence) {
    instrument().set_command_mode(true);
    instrument().set_shutof_en(0);
    for (bool late : {false, true}) {
        SCOPED_TRACE(late ? "answers after 1 s" : "answers at once");
        if (late) instrument().set_fault(Fault::LateAnswer);
        ClearWire();
        EXPECT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
        const std::string wire = Wire();
        EXPECT_EQ(wire.find(':') != std::string::npos, late);
        EXPECT_EQ(wire.find(":0110"), std::string::npos);
        EXPECT_NE(wire.find("stty ixon"), std::string::npos);
        EXPECT_EQ(wire.find("btb status.ShutofEn=0"), std::string::npos);  // already off
        EXPECT_EQ(Mesure.auto_power_off, 0);
    }
}

TEST_F(Connection, SwitchOffSetUpIsAskedForTwiceThenFails) {
    instrument().set_rotary(3);
    EXPECT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), -1);
    EXPECT_EQ(Count("Set of the rotator", "Let the rotator on SET-UP"), 2);
    EXPECT_EQ(Occurrences(Wire(), "btb status.RotPos\r\n"), 4);
    // The power-off still goes out, and does not turn the failure into success.
    EXPECT_NE(Wire().find("btb status.ShutofEn=0"), std::string::npos);

    recorder().Clear();
    EXPECT_EQ(Open_dev(ProgramLink(), 0), -1);
    EXPECT_EQ(Count("Error n° -110"), 1);
    EXPECT_EQ(Count("Error", kNotDetected), 1);
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
}

TEST_F(Connection, SwitchTurnedToSetUpDuringTheRetriesSucceeds) {
    instrument().set_rotary(3);
    recorder().SetObserver([this](const PopupRecord& p) {
        if (p.message == "Let the rotator on SET-UP") instrument().set_rotary(SWITCH_SETUP);
    });
    EXPECT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    EXPECT_EQ(Count("Set of the rotator", "Let the rotator on SET-UP"), 1);
}

TEST_F(Connection, FailedSetUpsAreReportedByTheirCode) {
    struct Row {
        const char* what;
        std::function<void()> arrange;
        int port;
        const char* title;
    };
    QSerialPort holder;
    const std::vector<Row> rows = {
        {"no such port", [] {}, 9, "Error n° -111"},
        {"invalid number", [] {}, 0, "Error n° -111"},
        {"busy",
         [&] {
             holder.setPortName(QString::fromStdString(instrument().device_path()));
             ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
         },
         kInstrumentCom, "Error n° -112"},
        {"wrong check",
         [&] {
             holder.close();
             instrument().set_fault(Fault::WrongLrc);
         },
         kInstrumentCom, "Error n° -110"},
        {"silent", [&] { instrument().set_fault(Fault::Silent); }, kInstrumentCom, "Error n° -110"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.arrange();
        recorder().Clear();
        ProgramLink().serial_port = row.port;
        ProgramLink().link_flag = 0;
        EXPECT_EQ(Open_dev(ProgramLink(), 0), -1);
        EXPECT_EQ(Count(row.title), 1);
        EXPECT_FALSE(IsComOpen(row.port));
        EXPECT_EQ(Count("Error", kNotDetected), 1);
        EXPECT_EQ(ProgramLink().link_flag, 0);
        EXPECT_EQ(GetWaitCursor(), 0);
    }
}

TEST_F(Connection, RegisterStuckAtFFFFIsReportedTwice) {
    // The switch sequence reports its own error 10, then the set-up fails as a whole.
    instrument().set_fault(Fault::Register25FFFF);
    ProgramLink().serial_port = kInstrumentCom;
    EXPECT_EQ(Open_dev(ProgramLink(), 0), -1);
    EXPECT_EQ(Count("Error n° -110"), 2);
    EXPECT_EQ(Count("Error", kNotDetected), 1);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    EXPECT_EQ(Wire().find(":0110"), std::string::npos);
}

TEST_F(Connection, OpenLinkIsRetestedCheaply) {
    ASSERT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    ClearWire();
    EXPECT_EQ(Open_dev(ProgramLink(), 1), 0);
    EXPECT_EQ(Wire(), std::string("\r\n") + '\0');
    // A link that no longer answers gets a full set-up.
    instrument().set_command_mode(false);
    ClearWire();
    EXPECT_EQ(Open_dev(ProgramLink(), 1), 0);
    EXPECT_TRUE(instrument().in_command_mode());
    EXPECT_NE(Wire().find(":010300190001E2"), std::string::npos);
}

TEST_F(Connection, DiscoveryFindsTheDeclaredBridgeAndLogsItsPort) {
    AnswerPortQuestion(VAL_GENERIC_POPUP_BTN2);
    ProgramLink().serial_port = 1;
    Gestion_parametre(menu, ITEM_COMMUNICATION, nullptr, Fen_princ[PANEL_MAIN]);
    EXPECT_EQ(ProgramLink().serial_port, kInstrumentCom);
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_TRUE(instrument().in_command_mode());
    ASSERT_FALSE(popups().empty());
    EXPECT_EQ(popups()[0].message,
              "Do you know the number of the port of communication used for the USB adapter / "
              "optical serial ?\n ");
    EXPECT_EQ(popups()[0].buttons[0], "Yes");
    EXPECT_EQ(popups()[0].buttons[1], "No");
    const std::string log = Log();
    EXPECT_NE(log.find("btb status.RotPos\r\nposition du commutateur =25\r\n"), std::string::npos);
    EXPECT_NE(log.find("btb status.ShutofEn\r\nvaleur du status Shut =1\r\n"), std::string::npos);
    EXPECT_NE(log.find("btb status.ShutofEn=0\r\n"), std::string::npos);
    EXPECT_NE(log.find("The number of the port of communication used for the USB adapter / optical "
                       "serial is:\r\n  = 7\r\n"),
              std::string::npos);
    int dimmed = 1;
    GetMenuBarAttribute(menu, MENU_SETUP, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 0);
    int wait = 0;
    EXPECT_EQ(GetUserEvent(0, wait, wait), 0);  // no popup left installed to answer
}

// Not found at start-up, the program ends; not found later (the cable was
// pulled), the program stays, so the person can plug back in and try again.
TEST_F(Connection, DiscoveryWithoutBridgeOpensNothingAndEndsTheProgramOnlyAtStartUp) {
    RestartInstrument(DefaultOptions(), 0);  // not registered: no bridge at all
    Fen_princ[PANEL_PROGRESS] = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    ProgramLink().serial_port = 5;
    EXPECT_EQ(Traitement_com(ProgramLink()), 1);
    EXPECT_EQ(ProgramLink().serial_port, 5);  // no candidate was tried
    EXPECT_TRUE(Wire().empty());

    for (bool startingUp : {false, true}) {
        SCOPED_TRACE(startingUp);
        recorder().Clear();
        SetStartingUpForTesting(startingUp);
        AnswerPortQuestion(VAL_GENERIC_POPUP_BTN2);
        Gestion_parametre(menu, ITEM_COMMUNICATION, nullptr, Fen_princ[PANEL_MAIN]);
        EXPECT_EQ(Count("Error", startingUp ? kNotDetectedAtStart : kNotDetected), 1);
        const std::string log = Log();
        EXPECT_NE(log.find("Error = The software has not detected the instrument.\r\n"),
                  std::string::npos);
        EXPECT_EQ(QuitWasRequested(), startingUp);
    }
    SetStartingUpForTesting(false);
}

TEST_F(Connection, DeadOrForeignBridgesDoNotHideTheInstrument) {
    // COM 3, declared first, is no serial port at all, and reports the
    // instrument's own serial number (cheap boards report 0001 or the like);
    // COM 4 reports none; COM 5 is a device on the same chip that never
    // answers; the instrument comes last, on COM 7. Each is tried on its own port.
    fs::create_symlink("/dev/null", ProgramPath("dosdevices/com3"));
    WriteProgramFile("dosdevices/com3.usb", std::string("10c4 ea60 ") + kBridgeSerial + "\n");
    fs::create_symlink("/dev/null", ProgramPath("dosdevices/com4"));
    WriteProgramFile("dosdevices/com4.usb", "10c4 ea60\n");
    zr8812::Emulator foreign(DefaultOptions());
    ASSERT_TRUE(foreign.start());
    ASSERT_TRUE(foreign.register_com(program_dir(), 5, "FOREIGN"));
    foreign.set_fault(zr8812::Fault::Silent);
    Fen_princ[PANEL_PROGRESS] = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    EXPECT_EQ(Traitement_com(ProgramLink()), 0);
    EXPECT_EQ(ProgramLink().serial_port, kInstrumentCom);
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_FALSE(IsComOpen(3));
    EXPECT_FALSE(IsComOpen(5)) << "no port is left open behind";
    EXPECT_TRUE(IsComOpen(kInstrumentCom));
    EXPECT_FALSE(foreign.received().empty()) << "the foreign bridge was tried";
    EXPECT_TRUE(instrument().in_command_mode());

    // With the instrument gone as well, the walk fails only after every bridge.
    ResetLinkStateForTesting();
    instrument().unplug();
    ASSERT_TRUE(instrument().wait_unplugged());
    foreign.clear_log();
    EXPECT_EQ(Traitement_com(ProgramLink()), 1);
    EXPECT_FALSE(foreign.received().empty());
    for (int com : {3, 4, 5, kInstrumentCom}) EXPECT_FALSE(IsComOpen(com)) << com;
}

TEST_F(Connection, PortFoundThroughTheRegistryWithBlanksInTheSerial) {
    ASSERT_TRUE(instrument().register_com(program_dir(), 12, "AB 12"));
    char serial[] = "AB 12";
    EXPECT_EQ(GetPortNumXP2000Vista(0x10C4, 0xEA60, serial), 12);
    EXPECT_STREQ(serial, "AB_12");
    char other[] = "AB 13";
    EXPECT_EQ(GetPortNumXP2000Vista(0x10C4, 0xEA60, other), -1);
    Fen_princ[PANEL_PROGRESS] = LoadPanel(0, UIR_FILE, PANEL_PROGRESS);
    EXPECT_EQ(Traitement_com(ProgramLink()), 0);
    EXPECT_EQ(ProgramLink().serial_port, 12);
}

class CommunicationDialog : public Connection {
   protected:
    // Setup > Communication answered Yes: the communication panel is up.
    int OpenDialog() {
        AnswerPortQuestion(VAL_GENERIC_POPUP_BTN1);
        SimulateMenuItem(menu, ITEM_COMMUNICATION);
        EXPECT_TRUE(IsPanelValid(Fen_princ[PANEL_COM]));
        return Fen_princ[PANEL_COM];
    }
    void Commit(int port) {
        const int panel = Fen_princ[PANEL_COM];
        SetCtrlVal(panel, COM_NUMBER, port);
        recorder().Clear();
        ClearWire();
        SimulateCommit(panel, COM_OK);
    }
};

TEST_F(CommunicationDialog, SamePortWhileConnectedIsTestedWithoutReopening) {
    ASSERT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    const int panel = OpenDialog();
    int shown = 0;
    GetCtrlVal(panel, COM_NUMBER, shown);
    EXPECT_EQ(shown, kInstrumentCom);
    int dimmed = 0;
    GetMenuBarAttribute(menu, MENU_FILE, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 1);
    Commit(kInstrumentCom);
    EXPECT_EQ(Count("Communication", "Communication OK"), 1);
    EXPECT_EQ(Wire(), std::string("\r\n") + '\0');
    EXPECT_FALSE(IsPanelValid(panel));
    GetMenuBarAttribute(menu, MENU_FILE, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 0);
}

TEST_F(CommunicationDialog, AnotherPortForcesAFullSetUp) {
    ASSERT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    ASSERT_TRUE(instrument().register_com(program_dir(), 8));
    OpenDialog();
    Commit(8);
    EXPECT_EQ(ProgramLink().serial_port, 8);
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    EXPECT_TRUE(IsComOpen(8));
    EXPECT_NE(Wire().find("stty ixon"), std::string::npos);
    EXPECT_NE(Wire().find("btb status.RotPos"), std::string::npos);
}

TEST_F(CommunicationDialog, FailuresGiveTheirErrorAndTheNotDetectedBox) {
    OpenDialog();
    Commit(9);  // nothing behind COM 9
    EXPECT_EQ(Count("Error n° -111"), 1);
    EXPECT_EQ(Count("Error", kNotDetected), 1);
    EXPECT_EQ(ProgramLink().link_flag, 0);

    instrument().set_fault(Fault::Silent);
    OpenDialog();
    Commit(kInstrumentCom);
    EXPECT_EQ(Count("Error n° -110"), 1);
    EXPECT_EQ(Count("Error", kNotDetected), 1);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
}

TEST_F(CommunicationDialog, QuitClosesThePanelAndRestoresTheMenus) {
    const int panel = OpenDialog();
    SimulateCommit(panel, COM_QUIT);
    EXPECT_FALSE(IsPanelValid(panel));
    int dimmed = 1;
    GetMenuBarAttribute(menu, MENU_HELP, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 0);
    EXPECT_TRUE(Wire().empty());
}

TEST_F(Connection, InstrumentMenuShowsTheIdentity) {
    ASSERT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    SimulateMenuItem(menu, ITEM_INSTRUMENT);
    ASSERT_TRUE(IsPanelValid(Fen_princ[PANEL_IDENTITY]));
    int count = 0;
    GetNumListItems(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, count);
    EXPECT_EQ(count, 4);
    std::string last;
    GetLabelFromIndex(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, 3, last);
    EXPECT_EQ(last, "serial number == 0000123");
    EXPECT_EQ(GetWaitCursor(), 0);
    // An identity without a serial number: no number of zeros.
    SimulateCommit(Fen_princ[PANEL_IDENTITY], IDENTITY_CLOSE);
    instrument().forge_answer("ident",
                              "ident\r\nModele : ZR8812\r\nfab ident = 0101\r\n"
                              "sub ident = 0002\r\nkorvid:/etc/mem/01$ ");
    SimulateMenuItem(menu, ITEM_INSTRUMENT);
    GetLabelFromIndex(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, 3, last);
    EXPECT_EQ(last, "serial number == unknown");
}

TEST_F(Connection, IdentityLackingItsLastFieldIsRetriedOnceThenTheLinkCloses) {
    instrument().set_fault(Fault::StopMidAnswer, "ident");
    ProgramLink().serial_port = kInstrumentCom;
    Gestion_parametre(menu, ITEM_INSTRUMENT, nullptr, Fen_princ[PANEL_MAIN]);
    EXPECT_EQ(Occurrences(Wire(), "ident\r\n"), 2);
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    EXPECT_EQ(Count("Error", kNotDetected), 1);
    EXPECT_EQ(Count("Error n° -110"), 0);
    EXPECT_NE(Log().find("Error = The software has not detected the instrument."),
              std::string::npos);
    EXPECT_FALSE(QuitWasRequested()) << "Setup, Communication stays at hand";
}

TEST_F(Connection, PowerOffAtExitGoesOnTheWireAndIntoTheLog) {
    ASSERT_EQ(ZR8812_init(ProgramLink(), kInstrumentCom), 0);
    instrument().set_shutof_en(1);
    ClearWire();
    const std::size_t logBefore = Log().size();
    ASSERT_TRUE(shell_hooks.power_off_instrument);
    EXPECT_EQ(shell_hooks.power_off_instrument(), 0);
    EXPECT_EQ(Wire(),
              std::string("btb status.ShutofEn=0\r\n") + '\0' + "btb status.ShutofEn\r\n" + '\0');
    EXPECT_EQ(Log().substr(logBefore), "btb status.ShutofEn=0\r\nbtb status.ShutofEn\r\n");
    EXPECT_EQ(instrument().shutof_en(), 0);
}

}  // namespace
