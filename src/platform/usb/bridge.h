// The USB-serial bridge device library (the CP210x manufacturing interface):
// how many bridges are present, and the vendor id, product id and serial
// number of each. Bridges are the USB serial ports of vendor 0x10C4 present
// now, in the order of their device names, followed by the virtual bridges
// declared in the program directory: next to a link dosdevices/comN, a file
// dosdevices/comN.usb holding "vvvv pppp SERIAL" (hex vendor and product ids,
// then the serial number, which may hold blanks) on its first line. A declared
// bridge whose link leads nowhere is absent, as an unplugged one would be.
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

// One bridge as the library and the registry view see it.
struct BridgeDevice {
    uint16_t vid = 0;
    uint16_t pid = 0;
    std::string serial;
    int comPort = -1;  // the COM number that reaches it, -1 when none
};
// The bridges present now, in library order.
std::vector<BridgeDevice> ListBridgeDevices();

// Parses one declaration line "vvvv pppp SERIAL"; false when malformed.
bool ParseBridgeDeclaration(const std::string& line, BridgeDevice& device);
