#include "store/file_tags.h"

#include <cstdio>

#include "store/store.h"

const char* const SERIAL_UNKNOWN_TEXT = "serial-unknown";
const char* const TIME_UNKNOWN_TEXT = "time-unknown";

std::string SerialText(int32_t serial) {
    if (serial < 0) return SERIAL_UNKNOWN_TEXT;
    char text[16];
    std::snprintf(text, sizeof text, "%07u", static_cast<uint32_t>(serial));
    return text;
}

std::string KindTag(int kind) {
    switch (kind) {
        case KIND_CURRENT:
            return "Current";
        case KIND_EARTH:
            return "Earth";
        case KIND_LOOP:
            return "Loop";
        case KIND_RCD:
            return "RCD";
        case KIND_VOLTAGE:
            return "Voltage";
        default:
            return "Kind" + std::to_string(kind);
    }
}

bool ReadKind(const std::string& text, int& kind) {
    for (int k = 0; k < NB_KINDS; ++k) {
        if (KindTag(k) == text) {
            kind = k;
            return true;
        }
    }
    return false;
}

bool AllDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}
