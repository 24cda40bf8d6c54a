// Finding a bridge's COM number from the registry records of its driver.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "link/com_port.h"
#include "platform/usb/registry.h"

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
