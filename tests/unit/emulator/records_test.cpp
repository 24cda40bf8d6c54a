// The record builders, checked the way the program reads a record: dumped by
// the emulator's "od -hxv", turned into hex digits, values taken at digit
// positions.
#include "records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <sstream>

#include "line_client.h"
#include "record_digits.h"

namespace emulator_test {
namespace {

struct Field {
    const char* name;
    std::size_t digit;
    Assembly assembly;
    double expected;
};

class RecordsTest : public EmulatedLine {
   protected:
    void SetUp() override {
        zr8812::EmulatorOptions options;
        options.start_in_command_mode = true;
        start(options);
    }

    // Stores the record, dumps it through the line and returns its digits.
    std::string round_trip(char kind, const std::vector<uint8_t>& bytes, std::size_t size) {
        EXPECT_EQ(bytes.size(), size);
        EXPECT_TRUE(zr8812::write_test(memory_.path(), 1, 2, kind, bytes, std::time(nullptr)));
        const std::string digits =
            dump_digits(client_->command(std::string("od -hxv /etc/mem/01/02.") + kind));
        EXPECT_EQ(digits.size(), 4 * ((size + 1) / 2));
        return digits;
    }

    void expect_fields(const std::string& digits, const std::vector<Field>& fields) {
        for (const auto& field : fields) {
            SCOPED_TRACE(field.name);
            const std::size_t width = field.assembly == Assembly::U8    ? 2
                                      : field.assembly == Assembly::U16 ? 4
                                                                        : 8;
            ASSERT_LE(field.digit + width, digits.size());
            EXPECT_FLOAT_EQ(read_field(digits, field.digit, field.assembly), field.expected);
        }
    }
};

TEST_F(RecordsTest, Current) {
    zr8812::CurrentFields f;
    f.header = 0x1234, f.current_mA = 523.5f, f.battery_mV = 8650.0f, f.temperature_C = -4.5f;
    f.period_tenth_us = 200000, f.smoothing = 0xAB, f.clamp_type = 2;
    f.byte_before_smoothing = 0x12;
    const auto digits = round_trip('a', zr8812::build_current(f), 50);
    expect_fields(digits, {{"header", 0, Assembly::U16, 0x1234},
                           {"current", 12, Assembly::Real, 523.5},
                           {"battery", 52, Assembly::Real, 8650},
                           {"temperature", 60, Assembly::Real, -4.5},
                           {"period", 68, Assembly::I32, 200000},
                           {"smoothing", 88, Assembly::U8, 0xAB},
                           {"clamp", 96, Assembly::U8, 2}});
    EXPECT_EQ(digits.substr(86, 4), "12ab");  // the reader keeps the low byte: 171
}

TEST_F(RecordsTest, Earth) {
    zr8812::EarthFields f;
    f.header = 7, f.re_mOhm = 12500, f.rs_mOhm = 1350000, f.rh_mOhm = -2;
    f.smoothing = 2, f.method = 1, f.trailer = 0xBEEF;
    const auto digits = round_trip('e', zr8812::build_earth(f), 48);
    expect_fields(digits, {{"header", 0, Assembly::U16, 7},
                           {"Re", 4, Assembly::I32, 12500},
                           {"Rs", 12, Assembly::I32, 1350000},
                           {"Rh", 20, Assembly::I32, -2},
                           {"smoothing", 72, Assembly::U8, 2},
                           {"method", 82, Assembly::U8, 1},
                           {"trailer", 92, Assembly::U16, 0xBEEF}});
}

TEST_F(RecordsTest, Loop) {
    zr8812::LoopFields f;
    f.function = 3, f.smoothing = 2, f.no_trip = 1;
    f.z_ln = 1.5f, f.r_ln = 2.5f, f.l_ln = 3.5f, f.z_lpe = 4.5f, f.r_lpe = 5.5f, f.l_lpe = 6.5f;
    f.z_npe = 7.5f, f.r_npe = 8.5f, f.l_npe = 9.5f, f.l_e = 10.5f, f.z_e = 1200.0f, f.r_e = 12.5f;
    f.v_ln = 231.0f, f.v_lpe = 230.5f, f.v_npe = 0.5f, f.v_p = 2.25f, f.frequency_Hz = 49.98f;
    f.extra_word = 0x0102, f.r_p = 310.0f, f.earth_variant = 1, f.trip_select = 4;
    const auto digits = round_trip('l', zr8812::build_loop(f), 118);
    expect_fields(digits, {{"smoothing", 2, Assembly::U8, 2},
                           {"function", 0, Assembly::U8, 3},
                           {"no trip", 6, Assembly::U8, 1},
                           {"Z-LN", 28, Assembly::Real, 1.5},
                           {"R-LN", 36, Assembly::Real, 2.5},
                           {"L-LN", 44, Assembly::Real, 3.5},
                           {"Z-LPE", 60, Assembly::Real, 4.5},
                           {"R-LPE", 68, Assembly::Real, 5.5},
                           {"L-LPE", 76, Assembly::Real, 6.5},
                           {"Z-NPE", 92, Assembly::Real, 7.5},
                           {"R-NPE", 100, Assembly::Real, 8.5},
                           {"L-NPE", 108, Assembly::Real, 9.5},
                           {"L e", 124, Assembly::Real, 10.5},
                           {"Z e", 132, Assembly::Real, 1200},
                           {"R e", 140, Assembly::Real, 12.5},
                           {"V-LN", 156, Assembly::Real, 231},
                           {"V-LPE", 164, Assembly::Real, 230.5},
                           {"V-NPE", 172, Assembly::Real, 0.5},
                           {"V p", 180, Assembly::Real, 2.25},
                           {"frequency", 188, Assembly::Real, 49.98f},
                           {"extra word", 204, Assembly::U16, 0x0102},
                           {"R p", 224, Assembly::Real, 310},
                           {"earth variant", 232, Assembly::U8, 1},
                           {"trip select", 234, Assembly::U8, 4}});
}

TEST_F(RecordsTest, Rcd) {
    zr8812::RcdFields f;
    f.validity = 49, f.measured_current_tenth_mA = 215, f.extra_word = 9, f.trip_time_s = 0.0234f;
    f.rated_current_tenth_mA = 300, f.multiplier = 1, f.test_mode = 2, f.wave_code = 0x11;
    const auto digits = round_trip('r', zr8812::build_rcd(f), 16);
    expect_fields(digits, {{"validity", 0, Assembly::U16, 49},
                           {"measured", 4, Assembly::U16, 215},
                           {"extra", 8, Assembly::U16, 9},
                           {"time", 12, Assembly::Real, 0.0234f},
                           {"rated", 20, Assembly::U16, 300},
                           {"mode", 26, Assembly::U8, 2},
                           {"multiplier", 24, Assembly::U8, 1},
                           {"wave", 28, Assembly::U16, 0x11}});
    EXPECT_EQ(digits.substr(24, 4), "0102");
}

TEST_F(RecordsTest, Voltage) {
    zr8812::VoltageFields f;
    f.header = 3, f.v_ln_mV = 230400.0f, f.v_lpe_mV = 229800.0f, f.v_npe_mV = 600.0f;
    f.battery_mV = 8420.0f, f.temperature_C = 27.5f, f.period_tenth_us = 199960;
    f.rod_resistance_ohm = 2500.0f, f.smoothing = 1, f.extra_byte = 0x5A;
    const auto digits = round_trip('v', zr8812::build_voltage(f), 150);
    expect_fields(digits, {{"header", 16, Assembly::U16, 3},
                           {"V-LN", 20, Assembly::Real, 230400},
                           {"V-LPE", 28, Assembly::Real, 229800},
                           {"V-NPE", 36, Assembly::Real, 600},
                           {"battery", 52, Assembly::Real, 8420},
                           {"temperature", 60, Assembly::Real, 27.5},
                           {"period", 68, Assembly::I32, 199960},
                           {"rod", 84, Assembly::Real, 2500},
                           {"smoothing", 284, Assembly::U8, 1},
                           {"extra", 296, Assembly::U8, 0x5A}});
}

TEST(RecordPlacement, EightBitFieldsFollowTheDumpsByteOrder) {
    std::vector<uint8_t> record;
    zr8812::put_u8_at_digit(record, 4, 0xAA);  // high byte of word 1
    zr8812::put_u8_at_digit(record, 6, 0xBB);  // low byte of word 1
    EXPECT_EQ(record, (std::vector<uint8_t>{0, 0, 0xBB, 0xAA}));
}

TEST(WriteTest, RefusesNumbersAndKindsOutsideTheMemoryLayout) {
    TempDir memory;
    EXPECT_FALSE(zr8812::write_test(memory.path(), 100, 1, 'a', {}, 0));
    EXPECT_FALSE(zr8812::write_test(memory.path(), 1, -1, 'a', {}, 0));
    EXPECT_FALSE(zr8812::write_test(memory.path(), 1, 1, 'x', {}, 0));
    EXPECT_FALSE(zr8812::write_test(memory.path(), 1, 1, '\0', {}, 0));
    EXPECT_TRUE(zr8812::write_test(memory.path(), 0, 99, 'p', {1}, 0));
    EXPECT_TRUE(std::filesystem::exists(memory.path() + "/00/99.p"));
}

}  // namespace
}  // namespace emulator_test
