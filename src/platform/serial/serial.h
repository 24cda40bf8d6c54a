// The RS-232 services of the run-time engine, over the platform's serial port
// driver, used in blocking fashion on the calling thread. Ports are addressed
// by COM number (see com_ports.h for how a number becomes a device).
//
// Status codes. Every service returns a negative code on failure and records
// it; ReturnRS232Err() gives the last code recorded (0 after a service that
// succeeded, except the reads: a read that ends at the time-out returns the
// bytes it got and records RS232_TIMEOUT).
#pragma once

#include <cstddef>
#include <functional>
#include <string>

constexpr int RS232_NO_ERROR = 0;
constexpr int RS232_UNKNOWN_ERROR = -1;       // the driver failed for another reason
constexpr int RS232_INVALID_PORT = -2;        // number out of range, or no such device
constexpr int RS232_PORT_NOT_OPEN = -3;       // the port was never opened or has been closed
constexpr int RS232_CANNOT_OPEN = -7;         // busy, in use elsewhere, or permission denied
constexpr int RS232_INVALID_PARAMETER = -11;  // a setting the driver does not accept
constexpr int RS232_WRITE_FAILED = -5;        // the byte could not be handed to the driver
constexpr int RS232_TIMEOUT = -99;            // nothing (or not enough) arrived in time

constexpr int RS232_FIRST_PORT = 1;
constexpr int RS232_LAST_PORT = 256;

constexpr int NO_PARITY = 0;
constexpr int ODD_PARITY = 1;
constexpr int EVEN_PARITY = 2;

// Opens COM `port` (closing it first if it is open) with the given line
// settings. `deviceName` empty: the number alone selects the device. The queue
// sizes are accepted for compatibility; the driver grows its queues as needed.
// The time-out starts at 10 s. Returns 0, RS232_INVALID_PORT when the number is
// out of range or names no device, RS232_CANNOT_OPEN when the device exists but
// cannot be opened (in use, locked, or no permission).
int OpenComConfig(int port, const std::string& deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize);
// Closes the port; 0, or RS232_PORT_NOT_OPEN / RS232_INVALID_PORT.
int CloseCom(int port);

// Sends one byte and waits (up to the time-out) until the driver has taken it.
// Returns 1, or a negative code.
int ComWrtByte(int port, int byte);
// Reads until `count` bytes arrived or the time-out (counted from the call)
// elapsed. Returns the number of bytes stored (0..count), or a negative code when
// the port is not usable.
int ComRd(int port, char* buffer, std::size_t count);
// As ComRd, and also ends at the byte `terminator`, which is consumed but not
// stored nor counted.
int ComRdTerm(int port, char* buffer, std::size_t count, int terminator);
// Says whether the bytes read so far (`length` of them) make a whole answer.
using AnswerComplete = std::function<bool(const char* bytes, std::size_t length)>;
// Reads until `complete` holds after a byte, `count` bytes arrived, or nothing
// arrived for the time-out: the time-out counts from the last byte, so a slow
// or paused sender is waited for and a silent one still ends the read. While it
// waits the windows keep repainting (drawing and timers are processed every
// few milliseconds; the user's input stays queued for the program's own polls).
// Returns the number of bytes stored (0..count), or a negative code when the
// port is not usable; records RS232_TIMEOUT when the silence ended it.
// `firstByteSeconds` > 0 (scaled like the time-out, but never below 0.1 s):
// a read that got nothing for that long ends then, as at the time-out; once
// bytes came, the time-out counts from the last one as always.
int ComRdUntil(int port, char* buffer, std::size_t count, const AnswerComplete& complete,
               double firstByteSeconds = 0.0);
// One byte (0..255), or a negative code (RS232_TIMEOUT when nothing came).
int ComRdByte(int port);

// Drop what has arrived and not been read / what waits to be sent.
int FlushInQ(int port);
int FlushOutQ(int port);
// Time-out of every read and write, in seconds; multiplied by the test time
// scale (TimeScale()) when used.
int SetComTime(int port, double seconds);
// 1: XON/XOFF software handshake, 0: none.
int SetXMode(int port, int on);

// What an open port was set to: the line, the handshake and the time-out (in
// seconds, unscaled), as the services above were asked.
struct ComSettings {
    long baudRate = 0;
    int parity = NO_PARITY;
    int dataBits = 0;
    int stopBits = 0;
    bool xonXoff = false;
    double timeoutSeconds = 10.0;
};
// False when `port` is not open.
bool GetComSettings(int port, ComSettings& settings);

// The code the last service recorded.
int ReturnRS232Err();

// True while COM `port` is open in this program.
bool IsComOpen(int port);
// True when COM `port` can no longer carry anything: it is not open (never
// opened, or closed under the caller), or its device has gone (unplugged,
// hung up). A read that merely timed out leaves it false. Reads nothing.
bool ComPortLost(int port);
// Closes every port (tests start clean).
void CloseAllComForTesting();

// Bytes handed to the driver and bytes it delivered, on every port since the
// program started: what the benchmark measures the line's load by.
struct ComTraffic {
    std::size_t sent = 0, received = 0;
};
ComTraffic ComTrafficSoFar();
