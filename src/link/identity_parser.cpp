// Parsers of the status values and of the identity answer. Bounded by what
// arrived; every field has its own length limit.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "link/answer_text.h"
#include "link/status_identity.h"

namespace {

constexpr std::size_t IDENTITY_SEARCH_LIMIT = 2490;
constexpr std::size_t HEX_FIELD_DIGITS = 4;
constexpr std::size_t SERIAL_DIGITS = 11;
constexpr std::size_t FIRMWARE_CHARS = 9;

struct Reader {
    const char* text;
    std::size_t end;
    std::size_t cursor = 0;

    bool Has(const char* keyword) const { return FindNoCase(text, end, keyword) >= 0; }
    // Moves to the next "=" and then to the next digit.
    bool ToValue() {
        const long equal = FindChar(text, end, '=', cursor);
        if (equal < 0) return false;
        for (std::size_t i = static_cast<std::size_t>(equal); i < end; ++i) {
            if (IsDigit(text[i])) {
                cursor = i;
                return true;
            }
        }
        return false;
    }
    // The run of characters accepted by `wanted` at the cursor, at most `limit`
    // long; false when the run is longer.
    template <typename Wanted>
    bool Run(Wanted wanted, std::size_t limit, std::string& run) {
        run.clear();
        while (cursor < end && wanted(text[cursor])) {
            if (run.size() == limit) return false;
            run += text[cursor++];
        }
        return true;
    }
    bool HexNumber(uint16_t& value) {
        std::string run;
        if (!ToValue() || !Run(IsDigit, HEX_FIELD_DIGITS, run)) return false;
        value = static_cast<uint16_t>(std::stoul(run, nullptr, 16));
        return true;
    }
};

// The model: "ZR" followed by a digit, six characters in all. A "ZR" without
// a digit after it is passed over for the next one, so the name always starts
// with the prefix.
bool ReadModel(Reader& r, char* model) {
    for (long at = FindNoCase(r.text, r.end, "ZR"); at >= 0;
         at = FindNoCase(r.text, r.end, "ZR", at + 1)) {
        const std::size_t start = static_cast<std::size_t>(at);
        if (start + 6 > r.end) return false;
        if (IsDigit(r.text[start + 2])) {
            std::memcpy(model, r.text + start, 6);
            model[6] = '\0';
            r.cursor = start + 6;
            return true;
        }
    }
    return false;
}

}  // namespace

int StatusValue(const char* bytes, std::size_t count, int width, char* taken) {
    taken[0] = '\0';
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsDigit(bytes[i])) continue;
        const std::size_t n = std::min(static_cast<std::size_t>(width), count - i);
        std::memcpy(taken, bytes + i, n);
        taken[n] = '\0';
        int value = 0;
        for (std::size_t k = 0; k < n && IsDigit(taken[k]); ++k)
            value = value * 10 + (taken[k] - '0');
        return value;
    }
    return 0;
}

int ParseIdentity(const char* text, std::size_t length, IdentityFields& f) {
    Reader r{text, std::min({length, TextLength(text, length), IDENTITY_SEARCH_LIMIT})};
    std::string run;
    if (r.Has("Modele")) {
        if (!ReadModel(r, f.model)) return -1;
        f.has_model = true;
        if (r.Has("hardware")) {
            if (!r.HexNumber(f.hardware)) return -1;
            f.has_hardware = true;
        }
        if (r.Has("firmware")) {
            const auto digitOrDot = [](char c) { return IsDigit(c) || c == '.'; };
            if (!r.ToValue() || !r.Run(digitOrDot, FIRMWARE_CHARS, run)) return -1;
            std::memcpy(f.firmware, run.c_str(), run.size() + 1);
            f.has_firmware = true;
        }
        if (r.Has("number")) {
            if (!r.ToValue() || !r.Run(IsDigit, SERIAL_DIGITS, run)) return -1;
            const long long serial = std::stoll(run);
            if (serial > INT32_MAX) return -1;
            f.serial = static_cast<int32_t>(serial);
            f.has_serial = true;
        }
    }
    if (!r.HexNumber(f.fab)) return -1;
    f.has_fab = true;
    if (r.cursor > 0) --r.cursor;
    if (!r.HexNumber(f.sub)) return -1;
    f.has_sub = true;
    return 0;
}
