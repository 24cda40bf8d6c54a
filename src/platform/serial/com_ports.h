// COM port numbers and the devices behind them.
//
// COM n is the symbolic link `dosdevices/comN` in the program directory when
// that link exists (the convention Wine uses, and how the emulated instrument
// registers itself), else the USB serial device /dev/ttyUSB(n-1).
#pragma once

#include <string>

// The program directory's dosdevices folder.
std::string DosDevicesDirectory();
// Path of the link that would declare COM `port` ("" when out of range).
std::string ComPortLinkPath(int port);

// The device of COM `port`, with links resolved. Returns 0 and the path, or
// RS232_INVALID_PORT (serial.h) when the number is out of range or the device
// does not exist (a link whose target is gone included).
int ComPortDevice(int port, std::string& devicePath);

// The COM number under which the device `devicePath` is reached: a dosdevices
// link pointing at it first, else n for /dev/ttyUSB(n-1). -1 when none.
int ComPortOfDevice(const std::string& devicePath);
