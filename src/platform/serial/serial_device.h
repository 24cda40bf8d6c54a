// What the RS-232 services (serial.cpp) need from the system: one open serial
// device and the means to keep the windows painted while a read waits. The
// port table, the argument checks, the recorded status, the time-outs and the
// read loops are the same on every system and stay in serial.cpp.
#pragma once

#include <memory>
#include <string>

class SerialDevice {
   public:
    virtual ~SerialDevice() = default;  // closes the device

    // False once the driver has closed the device under us.
    virtual bool IsOpen() const = 0;
    // Applies line settings already checked by the caller (NO_PARITY...,
    // 5..8 data bits, 1 or 2 stop bits), no flow control; `writeTimeoutMs` is
    // the time-out of the writes until the next WriteByte. False when the
    // driver refuses them.
    virtual bool Configure(long baudRate, int parity, int dataBits, int stopBits,
                           int writeTimeoutMs) = 0;
    // Sends one byte, waiting up to `timeoutMs` until the driver has taken it:
    // RS232_NO_ERROR, RS232_WRITE_FAILED or RS232_TIMEOUT.
    virtual int WriteByte(char byte, int timeoutMs) = 0;
    // Waits up to `ms` for bytes and appends those that arrived (possibly
    // none) to `arrived`. False when the device can no longer deliver any.
    virtual bool WaitForBytes(int ms, std::string& arrived) = 0;
    // Drop what has arrived and not been read / what waits to be sent.
    virtual void PurgeInput() = 0;
    virtual void PurgeOutput() = 0;
    // XON/XOFF software handshake on or off; false when the driver refuses.
    virtual bool SetXonXoff(bool on) = 0;
    // True when the device has gone (unplugged, hung up), asked without
    // reading or waiting.
    virtual bool Vanished() = 0;
};

// Opens the system's device `devicePath` for reading and writing. `status`:
// RS232_NO_ERROR, RS232_INVALID_PORT when there is no such device,
// RS232_CANNOT_OPEN when it exists but cannot be opened (in use, locked, or no
// permission: all "busy" to callers).
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& devicePath, int& status);

// Hands pending painting and timer events to the windows, nothing else: the
// user's input stays queued for the program's own polls.
void KeepWindowPainted();
