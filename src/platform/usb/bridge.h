// The USB-serial bridge device library (the CP210x manufacturing interface):
// how many bridges are present, and the vendor id, product id and serial
// number of each; and, beyond the vendor's library, the COM number of each
// entry (GetBridgeComPort). Bridges are the USB serial ports of vendor 0x10C4
// present now, in the order of their device names, followed by the virtual
// bridges declared in the program directory: next to a link dosdevices/comN, a
// file dosdevices/comN.usb holding "vvvv pppp SERIAL" (hex vendor and product
// ids, then the serial number, which may hold blanks or be missing, as cheap
// boards report none) on its first line. A declared bridge whose link leads
// nowhere is absent, as an unplugged one would be.
//
// The contract every system implements the same way (Windows from the
// system's device list): one entry per bridge present, each with its own COM
// number. Serial numbers identify nothing: two bridges may report the same
// one, or none.
//
// Status codes returned (as the vendor's library does):
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int CP210x_SUCCESS = 0x00;
constexpr int CP210x_INVALID_HANDLE = 0x01;
constexpr int CP210x_INVALID_PARAMETER = 0x02;
constexpr int CP210x_DEVICE_NOT_FOUND = 0xFF;

constexpr uint16_t CP210x_VENDOR_ID = 0x10C4;
// Longest serial number handed out; the caller's buffer holds at least this many bytes.
constexpr int CP210x_MAX_SERIAL_STRLEN = 63;

using CP210x_HANDLE = int;

// Takes a fresh list of the bridges present and gives their number.
int CP210x_GetNumDevices(unsigned long* numDevices);
// Opens bridge `deviceIndex` of the last list taken.
int CP210x_Open(unsigned long deviceIndex, CP210x_HANDLE* handle);
int CP210x_Close(CP210x_HANDLE handle);
int CP210x_GetDeviceVid(CP210x_HANDLE handle, uint16_t* vid);
int CP210x_GetDevicePid(CP210x_HANDLE handle, uint16_t* pid);
// Copies the serial number (not NUL-terminated, at most CP210x_MAX_SERIAL_STRLEN
// bytes) and its length. Only ASCII is offered.
int CP210x_GetDeviceSerialNumber(CP210x_HANDLE handle, char* buffer, uint8_t* length,
                                 bool isAscii = true);

// The COM number through which bridge `handle` is reached, taken from that
// bridge's own entry of the last list (never looked up by serial number):
// CP210x_SUCCESS with *comPort >= 1; CP210x_DEVICE_NOT_FOUND when the bridge
// has no COM port; CP210x_INVALID_HANDLE, CP210x_INVALID_PARAMETER.
int GetBridgeComPort(CP210x_HANDLE handle, int* comPort);

// One bridge as the library and the registry view see it.
struct BridgeDevice {
    uint16_t vid = 0;
    uint16_t pid = 0;
    std::string serial;
    int comPort = -1;  // the COM number that reaches it, -1 when none
};
// The bridges present now, in library order.
std::vector<BridgeDevice> ListBridgeDevices();

// Parses one declaration line "vvvv pppp SERIAL" (SERIAL may be missing);
// false when malformed.
bool ParseBridgeDeclaration(const std::string& line, BridgeDevice& device);
