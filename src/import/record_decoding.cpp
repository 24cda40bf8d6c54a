// Decoders of the downloaded measurement files and their readers.
#include "import/record_decoding.h"

#include <cstring>

#include "link/answer_text.h"
#include "link/com_port.h"
#include "store/store.h"

namespace {

// The digits of one dump. A position past the end, or a character that is
// not a hexadecimal digit, reads as 0: nothing is read beyond what arrived.
class Dump {
   public:
    explicit Dump(std::string_view digits) : digits_(digits) {}

    uint32_t Hex(std::size_t position, int count) const {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            std::size_t p = position + static_cast<std::size_t>(i);
            int nibble = p < digits_.size() ? HexValue(digits_[p]) : -1;
            value = (value << 4) | static_cast<uint32_t>(nibble < 0 ? 0 : nibble);
        }
        return value;
    }

    // The byte spelt by digits p, p+1.
    uint8_t Byte(std::size_t p) const { return static_cast<uint8_t>(Hex(p, 2)); }

    // Four digits read as one number of which only the low byte is kept.
    uint8_t LowByteOfWord(std::size_t p) const { return static_cast<uint8_t>(Hex(p, 4) & 0xFFu); }

    // High byte at p, p+1, low byte at p+2, p+3.
    uint16_t Word(std::size_t p) const {
        return static_cast<uint16_t>((static_cast<uint32_t>(Byte(p)) << 8) | Byte(p + 2));
    }

    // Low half at p … p+3, high half at p+4 … p+7.
    uint32_t Long(std::size_t p) const { return Hex(p, 4) | (Hex(p + 4, 4) << 16); }

    float Real(std::size_t p) const {
        uint32_t bits = Long(p);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    int32_t Integer(std::size_t p) const {
        uint32_t bits = Long(p);
        int32_t value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

   private:
    std::string_view digits_;
};

// Position of the last digit each layout reads, + 1.
constexpr std::size_t AMP_DIGITS = 98;
constexpr std::size_t EARTH_DIGITS = 96;
constexpr std::size_t LOOP_DIGITS = 236;
constexpr std::size_t RCD_DIGITS = 32;
constexpr std::size_t VOLT_DIGITS = 298;

}  // namespace

std::size_t DumpDigitsNeeded(int kind) {
    switch (kind) {
        case KIND_CURRENT:
            return AMP_DIGITS;
        case KIND_EARTH:
            return EARTH_DIGITS;
        case KIND_LOOP:
            return LOOP_DIGITS;
        case KIND_RCD:
            return RCD_DIGITS;
        case KIND_VOLTAGE:
            return VOLT_DIGITS;
        default:
            return 0;
    }
}

bool DumpHoldsRecord(int kind, std::string_view digits) {
    std::size_t needed = DumpDigitsNeeded(kind);
    if (needed == 0 || digits.size() < needed) return false;
    for (std::size_t i = 0; i < needed; ++i) {
        if (HexValue(digits[i]) < 0) return false;
    }
    return true;
}

std::string_view DownloadedDigits() {
    return std::string_view(ProgramLink().rep_buf, strnlen(ProgramLink().rep_buf, REP_BUF_SIZE));
}

// ---- Decoders: fields in record order ----

AmpRecord DecodeAmp(std::string_view digits) {
    Dump d(digits);
    AmpRecord record;
    record.header = d.Word(0);
    record.current = d.Real(12);
    record.battery = d.Real(52);
    record.temperature = d.Real(60);
    record.period = d.Integer(68);
    record.smoothing = d.LowByteOfWord(86);
    record.clamp = d.LowByteOfWord(94);
    return record;
}

EarthRecord DecodeEarth(std::string_view digits) {
    Dump d(digits);
    EarthRecord record;
    record.header = d.Word(0);
    record.re = d.Integer(4);
    record.rs = d.Integer(12);
    record.rh = d.Integer(20);
    record.smoothing = d.Byte(72);
    record.method = d.Byte(82);
    record.trailer = d.Word(92);
    return record;
}

LoopRecord DecodeLoop(std::string_view digits) {
    Dump d(digits);
    LoopRecord record;
    record.smoothing = d.Byte(2);
    record.fonction_boucle = d.Byte(0);
    record.sans_declench = d.Byte(6);
    record.z_ln = d.Real(28);
    record.r_ln = d.Real(36);
    record.l_ln = d.Real(44);
    record.z_lpe = d.Real(60);
    record.r_lpe = d.Real(68);
    record.l_lpe = d.Real(76);
    record.z_npe = d.Real(92);
    record.r_npe = d.Real(100);
    record.l_npe = d.Real(108);
    record.l_e = d.Real(124);
    record.z_e = d.Real(132);
    record.r_e = d.Real(140);
    record.v_ln = d.Real(156);
    record.v_lpe = d.Real(164);
    record.v_npe = d.Real(172);
    record.v_p = d.Real(180);
    record.frequency = d.Real(188);
    record.word16 = d.Word(204);
    record.r_p = d.Real(224);
    record.variante_terre = d.Byte(232);
    record.select_declench = d.Byte(234);
    return record;
}

RcdRecord DecodeRcd(std::string_view digits) {
    Dump d(digits);
    RcdRecord record;
    record.validity = d.Word(0);
    record.measured_current = d.Word(4);
    record.word2 = d.Word(8);
    record.trip_time = d.Real(12);
    record.rated_current = d.Word(20);
    // The byte at digits 26-27 comes first in the record.
    record.test_mode = d.Byte(26);
    record.multiplier = d.Byte(24);
    record.wave_start = d.Byte(30);
    return record;
}

VoltRecord DecodeVolt(std::string_view digits) {
    Dump d(digits);
    VoltRecord record;
    record.header = d.Word(16);
    record.v_ln = d.Real(20);
    record.v_lpe = d.Real(28);
    record.v_npe = d.Real(36);
    record.battery = d.Real(52);
    record.temperature = d.Real(60);
    record.period = d.Integer(68);
    record.rod_resistance = d.Real(84);
    record.smoothing = d.Byte(284);
    record.trailer = d.Byte(296);
    return record;
}

AmpRecord Lecture_courant() {
    return DecodeAmp(DownloadedDigits());
}

EarthRecord Lecture_Terre() {
    return DecodeEarth(DownloadedDigits());
}

LoopRecord Lecture_loop() {
    return DecodeLoop(DownloadedDigits());
}

RcdRecord Lecture_rcd() {
    return DecodeRcd(DownloadedDigits());
}

VoltRecord Lecture_tension() {
    return DecodeVolt(DownloadedDigits());
}

MeasuredRecord ReadDownloadedRecord(int kind) {
    switch (kind) {
        case KIND_CURRENT:
            return Lecture_courant();
        case KIND_EARTH:
            return Lecture_Terre();
        case KIND_LOOP:
            return Lecture_loop();
        case KIND_RCD:
            return Lecture_rcd();
        case KIND_VOLTAGE:
            return Lecture_tension();
        default:
            return {};
    }
}
