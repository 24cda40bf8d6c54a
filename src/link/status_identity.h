// Parameter queries ("btb NAME", "btb NAME=0") and the identity ("ident") of
// the instrument.
//
// Each "btb" command sent and each status value read is appended to the log.
#pragma once

#include <cstddef>
#include <cstdint>

#include "link/link_context.h"

// Position of the rotary switch on SET-UP.
constexpr int SWITCH_SETUP = 25;

// The switch position (0 when the answer did not carry it), or the serial
// library's negative code.
int ZR8812_Stat_Rot(LinkContext& ctx);
// The automatic power-off status digit (0 when not readable), or the serial
// library's negative code.
int ZR8812_Stat_Shut(LinkContext& ctx);
// Switches the automatic power-off off, then queries it without reading the
// answer. 0, or the serial library's negative code.
int ZR8812_shutof(LinkContext& ctx);
// The set-up's power-off step: the status read into Mesure.auto_power_off and,
// when it is on, switched off. 0, or the power-off command's negative code.
int SwitchOffAutoPowerOff(LinkContext& ctx);
// Reads the identity into Mesure (and whether it carried a serial number into
// `ctx`). 0 when parsed through its last field, -1 when not, or the serial
// library's code when "ident" could not be written.
int ZR8812_Identify(LinkContext& ctx);
// ---- Parsers (pure) ---------------------------------------------------------
// The value after "=" in the `count` bytes read: from the first digit, `width`
// characters (fewer when the bytes end), as a decimal number; 0 without a digit.
// The characters taken go to `taken` (NUL-terminated, at least width + 1 bytes).
int StatusValue(const char* bytes, std::size_t count, int width, char* taken);

// The identity as "ident" prints it, after the answer filter.
struct IdentityFields {
    bool has_model = false, has_hardware = false, has_firmware = false, has_serial = false;
    char model[7] = {};      // "ZR" and four characters
    uint16_t hardware = 0;   // hex digits
    char firmware[10] = {};  // digits and dots
    int32_t serial = 0;      // decimal digits
    bool has_fab = false, has_sub = false;
    uint16_t fab = 0, sub = 0;
};
// 0 when parsed through the last field, -1 otherwise (also for a "Modele"
// without "ZR" and for a digit run longer than its field allows). The fields
// read before a failure are set and flagged.
int ParseIdentity(const char* text, std::size_t length, IdentityFields& fields);
