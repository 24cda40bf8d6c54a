// A read-only view of the system registry, answering the keys under which the
// bridge driver records the COM port of each bridge:
//
//   LOCAL_MACHINE\SYSTEM\CurrentControlSet\Enum\USB\Vid_vvvv&Pid_pppp\SERIAL\Device Parameters
//       value "PortName" = "COMn"
//
// built from the bridge list (bridge.h) at the time a key is opened, with the
// blanks of a serial number recorded as underscores. Key paths ignore case and
// may end with a backslash. Nothing can be written. Bridges that report the
// same serial number (or none) share one key here, which names the first of
// them: discovery therefore takes each bridge's COM number from its own entry
// (GetBridgeComPort, bridge.h), not from this view.
//
// Status codes returned (as the system's registry interface does):
#pragma once

#include <cstddef>
#include <string>

constexpr long REGISTRY_SUCCESS = 0;
constexpr long REGISTRY_NOT_FOUND = 2;  // no such key, or no such value
constexpr long REGISTRY_INVALID_HANDLE = 6;
constexpr long REGISTRY_MORE_DATA = 234;  // the value does not fit the buffer

using RegistryKey = long;
constexpr RegistryKey REGISTRY_LOCAL_MACHINE = -2;  // predefined root, never closed

// Opens `subKey` below `parent` for reading; the new key in `key`.
long RegistryOpenKey(RegistryKey parent, const std::string& subKey, RegistryKey& key);
// Copies the text value `valueName` of `key` with its NUL into `buffer` of
// `size` bytes; `size` becomes the bytes the value takes (NUL included).
long RegistryQueryText(RegistryKey key, const std::string& valueName, char* buffer,
                       std::size_t& size);
long RegistryCloseKey(RegistryKey key);
