// Finding the instrument's COM number from the bridges present and the
// registry records of their driver.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>

#include "link/com_port.h"
#include "link/connection.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "platform/usb/bridge.h"
#include "platform/usb/registry.h"
#include "shell/globals.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

constexpr std::size_t PORT_NAME_SIZE = 101;

// Reads "PortName" of `path` below `parent`; true when a value was read.
bool ReadPortName(RegistryKey parent, const char* path, char* value) {
    RegistryKey key = 0;
    if (RegistryOpenKey(parent, path, key) != REGISTRY_SUCCESS) return false;
    std::size_t size = PORT_NAME_SIZE - 1;
    const bool read = RegistryQueryText(key, "PortName", value, size) == REGISTRY_SUCCESS;
    RegistryCloseKey(key);
    return read;
}

}  // namespace

int GetPortNumXP2000Vista(uint16_t vid, uint16_t pid, char* serial) {
    char value[PORT_NAME_SIZE] = {};
    int result = -1;
    RegistryKey controlSet = 0;
    RegistryKey usb = 0;
    if (RegistryOpenKey(REGISTRY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\", controlSet) !=
        REGISTRY_SUCCESS) {
        return result;
    }
    if (RegistryOpenKey(controlSet, "Enum\\USB\\", usb) == REGISTRY_SUCCESS) {
        for (char* c = serial; *c != '\0'; ++c)
            if (*c == ' ') *c = '_';
        char path[400];
        std::snprintf(path, sizeof path, "Vid_%04x&Pid_%04x&Mi_00\\%s_00\\Device Parameters\\", vid,
                      pid, serial);
        bool read = ReadPortName(usb, path, value);
        if (!read) {
            std::snprintf(path, sizeof path, "Vid_%04x&Pid_%04x\\%s\\Device Parameters\\", vid, pid,
                          serial);
            read = ReadPortName(usb, path, value);
        }
        if (read) {
            // "COM12" -> "00012" -> 12
            value[PORT_NAME_SIZE - 1] = '\0';
            for (std::size_t i = 0; i < 3 && value[i] != '\0'; ++i) value[i] = '0';
            result = std::atoi(value);
        }
        RegistryCloseKey(usb);
    }
    RegistryCloseKey(controlSet);
    return result;
}

int SetUpFirstBridge(LinkContext& ctx, bool announce, std::set<int> tried) {
    int result = -1;
    unsigned long count = 0;
    CP210x_GetNumDevices(&count);
    // Bridges beyond the walk's room are not tried.
    if (count > static_cast<unsigned long>(MAX_BRIDGES)) count = MAX_BRIDGES;
    for (unsigned long i = 0; i < count; ++i) {
        // Each bridge's own entry gives its COM number: two bridges with the
        // same serial number, or none, share a registry key, and the second
        // would never be tried. A port listed twice is tried once.
        int port = -1;
        CP210x_HANDLE handle = 0;
        CP210x_Open(i, &handle);
        const bool hasPort = GetBridgeComPort(handle, &port) == CP210x_SUCCESS;
        CP210x_Close(handle);
        if (!hasPort || !tried.insert(port).second) continue;

        Mesure.serial_port = port;
        result = ZR8812_init(ctx, port, announce);
        if (result == 0) break;
        // A bridge that cannot be opened or does not answer as the instrument
        // (another device on the same chip, a dead one) must not hide the
        // instrument behind it: every bridge is tried, and none is left open.
        Mesure.link_flag = 0;
        CloseCom(port);
    }
    return result;
}

int Traitement_com(LinkContext& ctx) {
    SetWaitCursor(1);
    SetCtrlVal(Fen_princ[PANEL_PROGRESS], PROGRESS_TEXT, std::string(Texte(comcours)));
    InstallPopup(Fen_princ[PANEL_PROGRESS]);
    const int result = SetUpFirstBridge(ctx, true);
    SetWaitCursor(0);

    if (result == 0) {
        Mesure.link_flag = 1;
        Ctrl_menu(0);
        return 0;
    }
    RemovePopup(Fen_princ[PANEL_PROGRESS]);
    if (Mesure.link_flag == 1) {
        Mesure.link_flag = 0;
        CloseCom(Mesure.serial_port);
    }
    Ctrl_menu(0);
    return 1;
}
