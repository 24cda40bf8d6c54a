// Writing decoded values into the text slots `tamp`.
#pragma once

#include <cstdint>
#include <string>

// Slot `slot` (0 to 499) replaced by `text`, cut to the slot's 99 characters.
void WriteSlotText(int slot, const std::string& text);
// Decimal text without leading zeros or blanks.
void WriteSlotUnsigned(int slot, uint32_t value);
void WriteSlotSigned(int slot, int32_t value);
// The shortest decimal text that reads back as the same single-precision value;
// it may be in exponent notation ("1.25e-03") until traduc_float rewrites it.
void WriteSlotReal(int slot, float value);
// The slot's text read as a decimal integer (0 when it does not start with one).
int ReadSlotInteger(int slot);
