// The serial link below the protocols: the model code the instrument's prompt
// carries, the single transmit routine, the port configuration of every
// connection attempt and the registry look-up of a bridge's COM number (the
// port, the link flag and the answer buffers are in the link context).
//
// Results: 0 success, -1 failure, and the serial library's negative codes
// passed up unchanged (-2 invalid port number, -7 port busy, -99 time-out).
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/link_context.h"

// The model code; every answer in command mode ends with a prompt holding it.
extern const char Modele[7];

// Longest text ComWrite sends (its local buffer holds 52 bytes with the NUL).
constexpr std::size_t COM_WRITE_MAX = 51;
// Sends `text` byte by byte on the serial port of `ctx`, then one NUL
// byte. 1 when every byte was accepted, else the serial library's last error;
// bytes already sent stay sent. A longer text is cut at COM_WRITE_MAX characters.
int ComWrite(const LinkContext& ctx, const char* text);

// Makes `port` the serial port of `ctx` and opens it at 9600 baud, no parity,
// 8 data bits, 1 stop bit, queues of 5000, then XON/XOFF, 0.2 s settle, both
// queues flushed, time-out 3.0 s. 0, or the library's negative code from the open.
int OpenInstrumentPort(LinkContext& ctx, int port);
// The instrument answered on the open port: link flag 1, both queues flushed.
void LinkAnswered(LinkContext& ctx);

// COM number recorded by the bridge driver for the bridge (vid, pid, serial);
// blanks of `serial` become underscores in place. -1 when not found. Bridges
// sharing a serial number share the record, so the walk below does not rely
// on it.
int GetPortNumXP2000Vista(uint16_t vid, uint16_t pid, char* serial);
