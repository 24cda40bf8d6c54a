// The whole program's start-up connection and exit power-off against the
// emulated instrument declared as a bridge.
#include <QTimer>

#include "import/instrument_setup.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "shell/startup.h"
#include "support/instrument_fixture.h"

namespace {

class ProgramLink : public InstrumentFixture {
   protected:
    // After the start-up connection, quit through the confirmation box.
    void QuitOnceStarted() {
        shell_hooks.start_connection = [](int menuBar, int item, void* data, int panel) {
            Gestion_parametre(menuBar, item, data, panel);
            QTimer::singleShot(
                0, [] { Sortir(Fen_princ[PANEL_MAIN], 0, EVENT_COMMIT, nullptr, 0, 0); });
        };
    }
};

TEST_F(ProgramLink, StartUpFindsTheInstrumentAndExitSwitchesOffItsPowerOff) {
    QuitOnceStarted();
    recorder().QueueAnswer("generic", "", {VAL_GENERIC_POPUP_BTN2, ""});  // port number not known
    EXPECT_EQ(ProgramMain(), 0);

    EXPECT_TRUE(instrument().in_command_mode());
    const std::string log = ReadProgramFile("ZR881x_9025.log");
    const std::string found =
        "The number of the port of communication used for the USB adapter / optical serial is:\r\n "
        " = 7\r\n";
    const auto at = log.find(found);
    ASSERT_NE(at, std::string::npos) << log;
    EXPECT_EQ(log.rfind("\t\tLOG BRISKEL VIEW \r\r\n", 0), 0u);
    EXPECT_NE(log.find("position du commutateur =25\r\n"), std::string::npos);
    // The exit's power-off sequence is the last thing written.
    EXPECT_EQ(log.substr(at + found.size()), "btb status.ShutofEn=0\r\nbtb status.ShutofEn\r\n");
    const std::string wire = Wire();
    const std::string powerOff =
        std::string("btb status.ShutofEn=0\r\n") + '\0' + "btb status.ShutofEn\r\n" + '\0';
    ASSERT_GE(wire.size(), powerOff.size());
    EXPECT_EQ(wire.substr(wire.size() - powerOff.size()), powerOff);
}

TEST_F(ProgramLink, InstrumentNotFoundTwiceEndsTheProgramWithoutTheQuitBox) {
    RestartInstrument(DefaultOptions(), 0);
    recorder().QueueAnswer("generic", "", {VAL_GENERIC_POPUP_BTN2, ""});
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(recorder().CountTitled("Quit"), 0);
    EXPECT_EQ(recorder().CountTitled("Error"), 1);
    const std::string log = ReadProgramFile("ZR881x_9025.log");
    EXPECT_NE(log.find("Error = The software has not detected the instrument.\r\n"),
              std::string::npos);
    // The power-off is still sent (to no port): logged, nothing on the wire.
    EXPECT_NE(log.find("btb status.ShutofEn=0\r\n"), std::string::npos);
    EXPECT_TRUE(Wire().empty());
}

}  // namespace
