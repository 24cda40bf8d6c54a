#include "platform/usb/registry.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "platform/usb/bridge.h"

namespace {

using KeyPath = std::vector<std::string>;  // lower-case components

std::map<RegistryKey, KeyPath> openKeys;
RegistryKey nextKey = 1;

KeyPath Split(const std::string& path) {
    KeyPath parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

struct PortEntry {
    KeyPath key;           // the "Device Parameters" key
    std::string portName;  // "COMn"
};

std::vector<PortEntry> Entries() {
    std::vector<PortEntry> entries;
    for (const BridgeDevice& d : ListBridgeDevices()) {
        if (d.comPort < 1) continue;
        std::string serial = d.serial;
        std::replace(serial.begin(), serial.end(), ' ', '_');
        char device[32];
        std::snprintf(device, sizeof device, "Vid_%04x&Pid_%04x", d.vid, d.pid);
        PortEntry e;
        e.key = Split(std::string("SYSTEM\\CurrentControlSet\\Enum\\USB\\") + device + "\\" +
                      serial + "\\Device Parameters");
        e.portName = "COM" + std::to_string(d.comPort);
        entries.push_back(e);
    }
    return entries;
}

bool IsPrefix(const KeyPath& prefix, const KeyPath& path) {
    return prefix.size() <= path.size() && std::equal(prefix.begin(), prefix.end(), path.begin());
}

}  // namespace

long RegistryOpenKey(RegistryKey parent, const std::string& subKey, RegistryKey& key) {
    KeyPath path;
    if (parent != REGISTRY_LOCAL_MACHINE) {
        const auto found = openKeys.find(parent);
        if (found == openKeys.end()) return REGISTRY_INVALID_HANDLE;
        path = found->second;
    }
    for (const std::string& part : Split(subKey)) path.push_back(part);
    for (const PortEntry& e : Entries()) {
        if (IsPrefix(path, e.key)) {
            key = nextKey++;
            openKeys[key] = path;
            return REGISTRY_SUCCESS;
        }
    }
    return REGISTRY_NOT_FOUND;
}

long RegistryQueryText(RegistryKey key, const std::string& valueName, char* buffer,
                       std::size_t& size) {
    const auto found = openKeys.find(key);
    if (found == openKeys.end()) return REGISTRY_INVALID_HANDLE;
    if (Split(valueName) != KeyPath{"portname"}) return REGISTRY_NOT_FOUND;
    for (const PortEntry& e : Entries()) {
        if (e.key != found->second) continue;
        const std::size_t needed = e.portName.size() + 1;
        if (buffer == nullptr || size < needed) {
            size = needed;
            return REGISTRY_MORE_DATA;
        }
        std::memcpy(buffer, e.portName.c_str(), needed);
        size = needed;
        return REGISTRY_SUCCESS;
    }
    return REGISTRY_NOT_FOUND;
}

long RegistryCloseKey(RegistryKey key) {
    if (key == REGISTRY_LOCAL_MACHINE) return REGISTRY_SUCCESS;
    return openKeys.erase(key) == 1 ? REGISTRY_SUCCESS : REGISTRY_INVALID_HANDLE;
}
