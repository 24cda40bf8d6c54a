// The system version check and the first-install driver advice.
#include <QTimer>

#include "platform/system/system.h"
#include "shell/driver_check.h"
#include "shell/hooks.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/startup.h"
#include "shell_fixture.h"

namespace {

class DriverCheckTest : public ShellFixture {
protected:
    // The Windows program's advice, unless a test says otherwise.
    void SetUp() override {
        ShellFixture::SetUp();
        SetRunningSystemForTesting(OperatingSystem::Windows);
    }
    void TearDown() override {
        SetRunningSystemForTesting(std::nullopt);
        ShellFixture::TearDown();
    }
    void FirstInstallFile() {
        WriteProgramFile("Briskel.ini", "0 1\r\n0\r\n56 1\r\n0\r\n/d\r\n\r\n1\r\n32\r\n102\r\n762\r\n1004\r\n0\r\n***\r\n");
        Charge_config();
    }
};

TEST_F(DriverCheckTest, FirstInstallShowsFourBoxesInOrder) {
    FirstInstallFile();
    SetOSVersionForTesting(5, 1);
    recorder().QueueAnswer("generic", "Quit", {VAL_GENERIC_POPUP_BTN2, ""});
    EXPECT_EQ(Gestion_OS_CP210(), 0);
    ASSERT_EQ(popups().size(), 4u);
    const std::string expected[][2] = {
        {"WARNING !", CP210version[1]},
        {"WARNING !", DriverUSB[1]},
        {"WARNING !", std::string(DebDriver[1]) + program_dir() + "/driverusb/Windows_XP_S2K3_Vista_7"},
        {"Quit", confir1[1]},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(popups()[i].title, expected[i][0]) << i;
        EXPECT_EQ(popups()[i].message, expected[i][1]) << i;
    }
    EXPECT_EQ(popups()[3].buttons[0], "Yes");
    // The cleared flag is saved although "Save settings on exit" is off.
    EXPECT_EQ(FirstInstall, 0);
    EXPECT_EQ(ReadProgramFile("Briskel.ini").substr(0, 5), "0 0\r\n");
}

TEST_F(DriverCheckTest, InstallerFolderFollowsTheSystemVersion) {
    const struct {
        int major, minor;
        const char* location;
    } cases[] = {
        {5, 0, "/driverusb/Win2K/CP210x_VCP_Win_2K.exe"},
        {5, 1, "/driverusb/Windows_XP_S2K3_Vista_7"},
        {5, 2, "/driverusb/CP210x_VCP_Windows"},
        {6, 1, "/driverusb/CP210x_VCP_Windows"},
        {3, 51, "/driverusb/CP210x_VCP_Windows"},
    };
    for (const auto& c : cases) {
        recorder().Clear();
        FirstInstall = 1;
        SetOSVersionForTesting(c.major, c.minor);
        recorder().SetDefaultAnswer({VAL_GENERIC_POPUP_BTN2, ""});
        Gestion_OS_CP210();
        ASSERT_EQ(popups().size(), 4u);
        EXPECT_EQ(popups()[2].message, std::string(DebDriver[1]) + program_dir() + c.location);
    }
}

// On Linux the bridge's driver is part of the kernel: the advice says so,
// and that the package's device rule opens the port, in every language; no
// Windows installer is named and the kernel's version is not taken for a
// Windows version (an old kernel is not refused).
TEST_F(DriverCheckTest, OnLinuxTheAdviceIsTrueThere) {
    SetRunningSystemForTesting(OperatingSystem::Linux);
    const char* driver[] = {"fait partie du noyau", "is part of the kernel", "ist Teil des Kernels",
                            "forma parte del núcleo", "fa parte del kernel"};
    for (int lang = 0; lang < 5; ++lang) {
        for (const int major : {6, 2}) {
            recorder().Clear();
            FirstInstall = 1;
            langue = lang;
            SetOSVersionForTesting(major, 1);
            recorder().SetDefaultAnswer({VAL_GENERIC_POPUP_BTN2, ""});
            EXPECT_EQ(Gestion_OS_CP210(), 0) << lang << " " << major;
            ASSERT_EQ(popups().size(), 2u) << lang << " " << major;
            const std::string advice = popups()[0].message;
            EXPECT_EQ(popups()[0].title, MsgAttention[lang]);
            EXPECT_EQ(advice, PiloteLinux[lang]);
            EXPECT_NE(advice.find(driver[lang]), std::string::npos) << advice;
            EXPECT_NE(advice.find("dialout"), std::string::npos) << advice;
            EXPECT_EQ(advice.find("driverusb"), std::string::npos) << advice;
            EXPECT_EQ(popups()[1].title, quitter[lang]);
            EXPECT_EQ(FirstInstall, 0);
        }
    }
}

TEST_F(DriverCheckTest, WithoutTheFlagNothingIsShown) {
    Charge_config();
    recorder().Clear();
    EXPECT_EQ(Gestion_OS_CP210(), 0);
    EXPECT_TRUE(popups().empty());
}

TEST_F(DriverCheckTest, ATooOldSystemEndsTheProgramWithoutSaving) {
    Charge_config();
    const std::string before = ReadProgramFile("Briskel.ini");
    FirstInstall = 1;
    ProgramLink().link_flag = 1;
    Ctrl_menu(1);
    SetOSVersionForTesting(2, 0);
    langue = 0;
    EXPECT_EQ(Gestion_OS_CP210(), 1);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].title, "Erreur");
    EXPECT_EQ(popups()[0].message, BadOS[0]);
    EXPECT_EQ(ProgramLink().link_flag, 0);
    EXPECT_EQ(Dimmed(MENU_FILE), 0);
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), before);
}

// Answering Yes ends the program before the connection and without the
// shutdown; the next start goes straight to the connection.
TEST_F(DriverCheckTest, QuitAfterTheAdviceEndsTheProgram) {
    FirstInstallFile();
    DiscardPanel(Fen_princ[PANEL_MAIN]);
    RegisterShellCallbacks();
    int connections = 0, power_offs = 0;
    shell_hooks.start_connection = [&](int, int, void*, int) {
        ++connections;
        QuitUserInterface(0);
    };
    shell_hooks.power_off_instrument = [&] { return ++power_offs, 0; };
    recorder().QueueAnswer("generic", "Quit", {VAL_GENERIC_POPUP_BTN1, ""});
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(connections, 0);
    EXPECT_EQ(power_offs, 0);
    EXPECT_EQ(popups().size(), 4u);

    auto hooks = shell_hooks;
    ResetAllSubsystemsForTesting();
    RegisterShellCallbacks();
    recorder().Clear();
    recorder().Install();
    shell_hooks = hooks;
    EXPECT_EQ(ProgramMain(), 0);
    EXPECT_EQ(connections, 1);
    EXPECT_TRUE(popups().empty());
}

}  // namespace
