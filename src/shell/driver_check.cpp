// Once per start-up: refuse a system that is too old, and after a fresh
// installation tell the user about the USB adapter driver.
#include "shell/driver_check.h"

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/settings.h"

namespace {

// Where the driver installer for this system version lies, below the program directory.
std::string InstallerLocation(const std::string& directory, int major, int minor) {
    const std::string sep = PathSeparator();
    const std::string base = directory + sep + "driverusb" + sep;
    if (major == 5 && minor == 0) return base + "Win2K" + sep + "CP210x_VCP_Win_2K.exe";
    if (major == 5 && minor == 1) return base + "Windows_XP_S2K3_Vista_7";
    return base + "CP210x_VCP_Windows";
}

// The last box of the advice: end the program now (to set up what it says)?
// The settings are saved either way.
int AskWhetherToQuit() {
    const int answer = GenericMessagePopup(Texte(quitter), Texte(confir1), TexteOui(), TexteNon(),
                                           "", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1,
                                           VAL_GENERIC_POPUP_BTN2);
    // Saved now, so that the cleared first-install flag is kept whichever way
    // the "Save settings on exit" switch stands.
    Fin_prog();
    return answer == VAL_GENERIC_POPUP_BTN1 ? 1 : 0;
}

// Linux has the bridge's driver in its kernel, and the package's device rule
// gives the person at the seat its port: the advice says so, and the kernel's
// version is no Windows version to check.
int LinuxAdvice() {
    if (FirstInstall != 1) return 0;
    FirstInstall = 0;
    MessagePopup(Texte(MsgAttention), Texte(PiloteLinux));
    return AskWhetherToQuit();
}

}  // namespace

int Gestion_OS_CP210() {
    if (RunningSystem() == OperatingSystem::Linux) return LinuxAdvice();
    std::string directory;
    GetProjectDir(directory);
    int major = 0, minor = 0, build = 0, platform = 0;
    // A system that does not tell its version is not refused: it gets the
    // advice for current systems.
    if (GetWinOSVersion(major, minor, build, platform) != 0) {
        major = 99;
        minor = 0;
    }

    if (major < 3) {
        MessagePopup(Texte(titre_erreur), Texte(BadOS));
        if (shell_hooks.link_down) shell_hooks.link_down();
        Ctrl_menu(0);
        return 1;
    }
    if (FirstInstall != 1) return 0;

    FirstInstall = 0;
    MessagePopup(Texte(MsgAttention), Texte(CP210version));
    MessagePopup(Texte(MsgAttention), Texte(DriverUSB));
    MessagePopup(Texte(MsgAttention),
                 std::string(Texte(DebDriver)) + InstallerLocation(directory, major, minor));
    return AskWhetherToQuit();
}
