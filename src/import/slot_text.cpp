// Slot texts of the decoded values, and the rewriting of exponent notation.
#include "import/slot_text.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "import/record_decoding.h"
#include "store/store.h"
#include "store/value_text.h"

namespace {

char* SlotAt(int slot) {
    return &tamp[slot * SLOT_SIZE];
}

bool ValidSlot(int slot) {
    return slot >= 0 && slot < NB_SLOTS;
}

}  // namespace

void WriteSlotText(int slot, const std::string& text) {
    if (!ValidSlot(slot)) return;
    std::size_t length = std::min(text.size(), static_cast<std::size_t>(SLOT_SIZE - 1));
    char* target = SlotAt(slot);
    std::memset(target, 0, SLOT_SIZE);
    std::memcpy(target, text.data(), length);
}

void WriteSlotUnsigned(int slot, uint32_t value) {
    WriteSlotText(slot, std::to_string(value));
}

void WriteSlotSigned(int slot, int32_t value) {
    WriteSlotText(slot, std::to_string(value));
}

void WriteSlotReal(int slot, float value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    WriteSlotText(slot, std::string(buffer, result.ptr));
}

int ReadSlotInteger(int slot) {
    if (!ValidSlot(slot)) return 0;
    return std::atoi(SlotAt(slot));
}

void traduc_float(int slot) {
    if (!ValidSlot(slot)) return;
    std::string text(SlotAt(slot), strnlen(SlotAt(slot), SLOT_SIZE));
    if (text.find('e') == std::string::npos) return;
    WriteSlotText(slot, WithoutExponent(text));
}
