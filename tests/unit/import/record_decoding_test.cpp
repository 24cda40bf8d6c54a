// Decoding of downloaded measurement files: every field of every kind at its
// digit positions, against files built by the emulated instrument.
#include "import/record_decoding.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <tuple>

#include "records.h"
#include "store/store.h"
#include "unit/import/dump_text.h"

namespace {

class DecodingTest : public ::testing::Test {
   protected:
    AmpRecord amp;
    EarthRecord earth;
    LoopRecord loop;
    RcdRecord rcd;
    VoltRecord volt;
};

TEST_F(DecodingTest, CurrentFieldsAtTheirPositions) {
    zr8812::CurrentFields f;
    f.header = 0xBEEF, f.current_mA = 523.25f, f.battery_mV = 9120.5f, f.temperature_C = -12.75f;
    f.period_tenth_us = 200000, f.smoothing = 3, f.clamp_type = 2;
    f.byte_before_smoothing = 0x77;  // must not leak into the smoothing byte
    amp = DecodeAmp(DumpDigitsOf(zr8812::build_current(f)));
    EXPECT_EQ(std::tie(amp.header, amp.current, amp.battery, amp.temperature, amp.period,
                       amp.smoothing, amp.clamp, amp.reserved),
              std::make_tuple(0xBEEF, 523.25f, 9120.5f, -12.75f, 200000, 3, 2, 0));
}

TEST_F(DecodingTest, CurrentSmoothingKeepsOnlyTheLowByteOfItsWord) {
    amp = DecodeAmp(DigitsWith(100, 86, "12AB"));
    EXPECT_EQ(amp.smoothing, 171);
    amp = DecodeAmp(DigitsWith(100, 94, "FF02"));
    EXPECT_EQ(amp.clamp, 2);
}

TEST_F(DecodingTest, EarthFieldsIncludingNegativeIntegers) {
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    zr8812::EarthFields f;
    f.header = 7, f.re_mOhm = -1, f.rs_mOhm = kMin, f.rh_mOhm = kMax;
    f.smoothing = 0xA5, f.method = 1, f.trailer = 0xFFFF;
    earth = DecodeEarth(DumpDigitsOf(zr8812::build_earth(f)));
    EXPECT_EQ(std::tie(earth.header, earth.re, earth.rs, earth.rh, earth.smoothing, earth.method,
                       earth.trailer),
              std::make_tuple(7, -1, kMin, kMax, 0xA5, 1, 0xFFFF));
}

TEST_F(DecodingTest, LoopFieldsEachAtItsOwnPosition) {
    zr8812::LoopFields f;
    f.function = 3, f.smoothing = 4, f.no_trip = 1;
    // Distinct values so a field read from a neighbour's digits shows.
    float* reals[] = {&f.z_ln,  &f.r_ln,  &f.l_ln,  &f.z_lpe, &f.r_lpe,        &f.l_lpe,
                      &f.z_npe, &f.r_npe, &f.l_npe, &f.l_e,   &f.z_e,          &f.r_e,
                      &f.v_ln,  &f.v_lpe, &f.v_npe, &f.v_p,   &f.frequency_Hz, &f.r_p};
    for (std::size_t i = 0; i < std::size(reals); ++i) *reals[i] = 1.5f + static_cast<float>(i);
    f.extra_word = 0x1234, f.earth_variant = 1, f.trip_select = 2;
    loop = DecodeLoop(DumpDigitsOf(zr8812::build_loop(f)));
    EXPECT_EQ(std::tie(loop.fonction_boucle, loop.smoothing, loop.sans_declench, loop.word16,
                       loop.variante_terre, loop.select_declench),
              std::make_tuple(3, 4, 1, 0x1234, 1, 2));
    const float decoded[] = {loop.z_ln,  loop.r_ln,      loop.l_ln,  loop.z_lpe, loop.r_lpe,
                             loop.l_lpe, loop.z_npe,     loop.r_npe, loop.l_npe, loop.l_e,
                             loop.z_e,   loop.r_e,       loop.v_ln,  loop.v_lpe, loop.v_npe,
                             loop.v_p,   loop.frequency, loop.r_p};
    for (std::size_t i = 0; i < std::size(reals); ++i) {
        EXPECT_EQ(decoded[i], *reals[i]) << "real field " << i;
    }
}

TEST_F(DecodingTest, RcdFieldsAndTheSwappedModeBytes) {
    zr8812::RcdFields f;
    f.validity = 51, f.measured_current_tenth_mA = 305, f.extra_word = 9, f.trip_time_s = 0.0215f;
    f.rated_current_tenth_mA = 300, f.multiplier = 5, f.test_mode = 2, f.wave_code = 0x11;
    rcd = DecodeRcd(DumpDigitsOf(zr8812::build_rcd(f)));
    EXPECT_EQ(std::tie(rcd.validity, rcd.measured_current, rcd.word2, rcd.trip_time,
                       rcd.rated_current, rcd.test_mode, rcd.multiplier, rcd.wave_start),
              std::make_tuple(51, 305, 9, 0.0215f, 300, 2, 5, 0x11));

    rcd = DecodeRcd(DigitsWith(32, 24, "0102"));
    EXPECT_EQ(std::tie(rcd.test_mode, rcd.multiplier), std::make_tuple(2, 1));
}

TEST_F(DecodingTest, VoltageFields) {
    zr8812::VoltageFields f;
    f.header = 0x0102, f.v_ln_mV = 230100.0f, f.v_lpe_mV = 229900.0f, f.v_npe_mV = 0.5f;
    f.battery_mV = 8900.0f, f.temperature_C = 21.5f, f.period_tenth_us = -200000;
    f.rod_resistance_ohm = 1234.5f, f.smoothing = 6, f.extra_byte = 0xEE;
    volt = DecodeVolt(DumpDigitsOf(zr8812::build_voltage(f)));
    EXPECT_EQ(
        std::tie(volt.header, volt.v_ln, volt.v_lpe, volt.v_npe, volt.battery, volt.temperature,
                 volt.period, volt.rod_resistance, volt.smoothing, volt.trailer),
        std::make_tuple(0x0102, 230100.0f, 229900.0f, 0.5f, 8900.0f, 21.5f, -200000, 1234.5f, 6,
                        0xEE));
}

TEST_F(DecodingTest, RealsTakeTheLowWordFirst) {
    amp = DecodeAmp(DigitsWith(100, 12, "00003F80"));
    EXPECT_EQ(amp.current, 1.0f);
    rcd = DecodeRcd(DigitsWith(32, 12, "00003F80"));  // the record's only 32-bit field
    EXPECT_EQ(rcd.trip_time, 1.0f);
    amp = DecodeAmp(DigitsWith(100, 12, "3F800000"));
    EXPECT_GT(amp.current, 0.0f);
    EXPECT_LT(amp.current, std::numeric_limits<float>::min());  // a denormal near zero
}

TEST(DumpCompleteness, NeedsEveryDigitOfTheLayoutAndOnlyHexDigits) {
    // The layout's digit count, and a file the emulator builds for the kind.
    struct Row {
        int kind;
        std::size_t needed;
        std::vector<uint8_t> built;
    } rows[] = {{KIND_CURRENT, 98, zr8812::build_current({})},
                {KIND_EARTH, 96, zr8812::build_earth({})},
                {KIND_LOOP, 236, zr8812::build_loop({})},
                {KIND_RCD, 32, zr8812::build_rcd({})},
                {KIND_VOLTAGE, 298, zr8812::build_voltage({})}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind);
        EXPECT_EQ(DumpDigitsNeeded(row.kind), row.needed);
        std::string full(row.needed, 'a');
        EXPECT_TRUE(DumpHoldsRecord(row.kind, full));
        EXPECT_FALSE(DumpHoldsRecord(row.kind, full.substr(0, row.needed - 1)));
        EXPECT_FALSE(DumpHoldsRecord(row.kind, ""));
        std::string foreign = full;
        foreign[row.needed - 1] = 'g';
        EXPECT_FALSE(DumpHoldsRecord(row.kind, foreign));
        // Digits past the layout do not matter.
        EXPECT_TRUE(DumpHoldsRecord(row.kind, full + "zz"));
        // The emulator's files are at least as long as their layouts.
        EXPECT_TRUE(DumpHoldsRecord(row.kind, DumpDigitsOf(row.built)));
    }
    for (int kind : {1, 3, 5, 7, 9, -1}) EXPECT_FALSE(DumpHoldsRecord(kind, std::string(400, '0')));
}

TEST_F(DecodingTest, ShortOrForeignDigitsAreNeverReadPastTheText) {
    // Exactly-sized heap copies: a read past the end shows under the sanitizers.
    for (std::size_t length : {0u, 1u, 13u, 97u}) {
        std::unique_ptr<char[]> text(new char[length + 1]);
        std::memset(text.get(), 'f', length);
        std::string_view digits(text.get(), length);
        amp = DecodeAmp(digits);
        earth = DecodeEarth(digits);
        loop = DecodeLoop(digits);
        rcd = DecodeRcd(digits);
        volt = DecodeVolt(digits);
    }
    volt = DecodeVolt(std::string(300, 'z'));
    EXPECT_EQ(std::tie(volt.smoothing, volt.v_ln), std::make_tuple(0, 0.0f));
    // A dump of 40,000 digits decodes its layout and ignores the rest.
    std::string huge = DigitsWith(40000, 12, "00003F80");
    amp = DecodeAmp(huge);
    EXPECT_EQ(amp.current, 1.0f);
}

}  // namespace
