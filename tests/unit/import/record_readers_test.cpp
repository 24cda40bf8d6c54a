// The readers: decoding of the downloaded dump left in rep_buf, the texts its
// values are shown through and the loop fields of the current test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "import/record_decoding.h"
#include "link/com_port.h"
#include "records.h"
#include "store/store.h"
#include "store/value_text.h"
#include "unit/import/dump_text.h"

namespace {

class ReaderTest : public ::testing::Test {
   protected:
    void SetUp() override {
        std::memset(ProgramLink().rep_buf, 0, REP_BUF_SIZE);
    }
    static void Download(const std::string& digits) {
        std::memset(ProgramLink().rep_buf, 0, REP_BUF_SIZE);
        std::memcpy(ProgramLink().rep_buf, digits.data(), std::min(digits.size(), REP_BUF_SIZE));
    }
    static std::string Text(float value) { return SlotTextOf(value); }
    static std::string Text(int32_t value) { return SlotTextOf(value); }
    using Texts = std::vector<std::string>;
};

TEST_F(ReaderTest, CurrentSlots) {
    zr8812::CurrentFields f;
    f.header = 9, f.current_mA = 0.00001f, f.battery_mV = 8650.0f, f.temperature_C = -3.25f;
    f.period_tenth_us = -200000, f.smoothing = 2, f.clamp_type = 1;
    Download(DumpDigitsOf(zr8812::build_current(f)));
    const AmpRecord amp = Lecture_courant();
    EXPECT_EQ((Texts{Text(amp.header), Text(amp.current), Text(amp.battery), Text(amp.temperature),
                     Text(amp.period), Text(amp.smoothing), Text(amp.clamp), Text(amp.reserved)}),
              (Texts{"9", "0.00001", "8650", "-3.25", "-200000", "2", "1", "0"}));
}

TEST_F(ReaderTest, LoopSlotsAndTheTripMode) {
    zr8812::LoopFields f;
    f.function = 2, f.smoothing = 1, f.z_ln = 3.4e38f, f.r_ln = 1.25e-3f, f.l_e = 22.5f;
    f.z_e = 20.5f, f.r_e = 21.5f, f.v_p = 14.5f, f.frequency_Hz = 49.98f, f.extra_word = 600;
    f.r_p = 1200.0f, f.earth_variant = 1;
    Download(DumpDigitsOf(zr8812::build_loop(f)));
    const LoopRecord loop = Lecture_loop();
    EXPECT_EQ(
        (Texts{Text(loop.smoothing), Text(loop.fonction_boucle), Text(loop.z_ln), Text(loop.r_ln),
               Text(loop.v_p), Text(loop.frequency), Text(loop.word16), Text(loop.r_p),
               Text(loop.z_e), Text(loop.r_e), Text(loop.l_e), Text(loop.variante_terre)}),
        (Texts{"1", "2", "340000000000000000000000000000000000000", "0.00125", "14.5", "49.98",
               "600", "1200", "20.5", "21.5", "22.5", "1"}));
    for (float real : {loop.z_ln, loop.r_ln, loop.l_ln, loop.z_lpe, loop.r_lpe, loop.l_lpe,
                       loop.z_npe, loop.r_npe, loop.l_npe, loop.v_ln, loop.v_lpe, loop.v_npe,
                       loop.v_p, loop.frequency, loop.r_p, loop.z_e, loop.r_e, loop.l_e})
        EXPECT_EQ(Text(real).find('e'), std::string::npos);

    struct Row {
        uint8_t no_trip, trip_select;
        int mode;
    } rows[] = {{0, 0, 0}, {1, 0, 1}, {0, 1, 2}, {1, 1, 2}, {7, 0, 1}};
    for (const Row& row : rows) {
        f.no_trip = row.no_trip, f.trip_select = row.trip_select;
        Download(DumpDigitsOf(zr8812::build_loop(f)));
        const LoopRecord decoded = Lecture_loop();
        EXPECT_EQ(
            std::make_tuple(decoded.sans_declench, decoded.select_declench, TripMode(decoded)),
            std::make_tuple(row.no_trip, row.trip_select, row.mode));
        EXPECT_EQ(Text(decoded.sans_declench), std::to_string(row.no_trip));
        EXPECT_EQ(Text(decoded.select_declench), std::to_string(row.trip_select));
    }
}

TEST_F(ReaderTest, RcdSlots) {
    zr8812::RcdFields f;
    f.validity = 50, f.measured_current_tenth_mA = 305, f.trip_time_s = 0.0215f;
    f.rated_current_tenth_mA = 300, f.wave_code = 0x10;
    std::string digits = DumpDigitsOf(zr8812::build_rcd(f));
    digits.replace(24, 4, "0102");
    Download(digits);
    const RcdRecord rcd = Lecture_rcd();
    EXPECT_EQ((Texts{Text(rcd.validity), Text(rcd.measured_current), Text(rcd.word2),
                     Text(rcd.trip_time), Text(rcd.rated_current), Text(rcd.test_mode),
                     Text(rcd.multiplier), Text(rcd.wave_start)}),
              (Texts{"50", "305", "0", "0.0215", "300", "2", "1", "16"}));
}

TEST_F(ReaderTest, VoltageSlots) {
    zr8812::VoltageFields f;
    f.header = 3, f.v_ln_mV = 230100.0f, f.v_lpe_mV = 1e-7f, f.v_npe_mV = 0.0f;
    f.battery_mV = 8900.0f, f.temperature_C = 21.5f, f.period_tenth_us = 200000;
    f.rod_resistance_ohm = 1e9f, f.smoothing = 6, f.extra_byte = 1;
    Download(DumpDigitsOf(zr8812::build_voltage(f)));
    const VoltRecord volt = Lecture_tension();
    EXPECT_EQ(
        (Texts{Text(volt.header), Text(volt.v_ln), Text(volt.v_lpe), Text(volt.v_npe),
               Text(volt.battery), Text(volt.temperature), Text(volt.period),
               Text(volt.rod_resistance), Text(volt.smoothing), Text(volt.trailer)}),
        (Texts{"3", "230100", "0.0000001", "0", "8900", "21.5", "200000", "1000000000", "6", "1"}));
}

TEST_F(ReaderTest, DownloadedDigitsStopAtTheEndOfTheBuffer) {
    std::memset(ProgramLink().rep_buf, 'a', REP_BUF_SIZE);  // no terminating zero at all
    EXPECT_EQ(DownloadedDigits().size(), REP_BUF_SIZE);
    EXPECT_EQ(Text(Lecture_tension().trailer), "170");
}

}  // namespace
