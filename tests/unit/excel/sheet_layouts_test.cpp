// Every sheet layout cell by cell: records built as the instrument stores
// them, decoded by the readers, written by the layouts into the template, and
// compared with values worked out by hand from the record's fields.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "excel/current_earth_sheets.h"
#include "excel/loop_sheets.h"
#include "excel/registration.h"
#include "excel/sheet_cells.h"
#include "excel/voltage_rcd_sheets.h"
#include "excel_test_support.h"
#include "import/store/store.h"
#include "import/workflow/record_decoding.h"
#include "records.h"
#include "shell/globals.h"

using Cells = std::vector<std::string>;

namespace {

const Cells IDENTIFICATION = {"03/07/2012", "05", "12"};

Cells WithIdentification(const Cells& values) {
    Cells row = IDENTIFICATION;
    row.insert(row.end(), values.begin(), values.end());
    return row;
}

Cells AfterBlankIdentification(const Cells& titles) {
    Cells row = {"", "", ""};
    row.insert(row.end(), titles.begin(), titles.end());
    return row;
}

class SheetLayouts : public ::testing::Test {
protected:
    void SetUp() override {
        ResetExcelStateForTesting();
        langue = 1;
        std::memset(tamp, 0, sizeof tamp);
        Selection = FicTest{};
        SetDirectoryTest(5, 12, KIND_LOOP);
        sheet_ = std::make_unique<OpenSheet>();
        ASSERT_TRUE(sheet_->ok());
    }
    void TearDown() override {
        sheet_.reset();
        ResetExcelStateForTesting();
        langue = 1;
    }
    // A new copy of the template, for a layout narrower than the one before.
    void FreshSheet() {
        sheet_.reset();
        sheet_ = std::make_unique<OpenSheet>();
        ASSERT_TRUE(sheet_->ok());
    }
    Cells Titles() const { return sheet_->Row(TITLE_ROW); }
    Cells Values() const { return sheet_->Row(VALUE_ROW); }
    std::unique_ptr<OpenSheet> sheet_;
};

// ---- Current ----

zr8812::CurrentFields SampleCurrent() {
    zr8812::CurrentFields f;
    f.current_mA = 523;
    f.battery_mV = 9120;
    f.temperature_C = 21.5f;
    f.period_tenth_us = 200000;
    f.smoothing = 1;
    f.clamp_type = 1;
    return f;
}

void WriteCurrent(const zr8812::CurrentFields& f) {
    LoadDump(zr8812::build_current(f));
    Lecture_courant();
    MAJ_enteteExcel_courant();
    Exporter_courant(5, 12);
}

}  // namespace

TEST_F(SheetLayouts, CurrentSheet) {
    WriteCurrent(SampleCurrent());
    EXPECT_EQ(Titles(), AfterBlankIdentification({"Current", "unit", "Smooth", "Freq", "unit",
                                                  "Clamp type", "Vbatt", "unit", "Temp.", "unit"}));
    EXPECT_EQ(Values(), WithIdentification({"     0.523", "A", "1", "     50.00", "Hz", "1 / 1000",
                                            "       9.1", "V", "      21.5", "°C"}));
}

TEST_F(SheetLayouts, CurrentDecimalsClampTypesAndMissingFrequency) {
    const struct {
        float milliamperes;
        uint8_t clamp;
        int32_t period;
        const char* current;
        const char* clampText;
        const char* frequency;
    } cases[] = {
        {523, 0, 200000, "     0.523", "no clamp", "     50.00"},
        {4560, 1, 0, "      4.56", "1 / 1000", "      0.00"},
        {12345, 2, 166667, "      12.3", "1 / 10000", "     60.00"},
        {999.4f, 7, 200000, "     0.999", "code 7", "     50.00"},
    };
    for (const auto& c : cases) {
        auto f = SampleCurrent();
        f.current_mA = c.milliamperes;
        f.clamp_type = c.clamp;
        f.period_tenth_us = c.period;
        WriteCurrent(f);
        const Cells row = Values();
        ASSERT_EQ(row.size(), 13u);
        EXPECT_EQ(row[3], c.current) << c.milliamperes;
        EXPECT_EQ(row[8], c.clampText) << int(c.clamp);
        EXPECT_EQ(row[6], c.frequency) << c.period;
    }
}

// ---- Earth ----

TEST_F(SheetLayouts, EarthSheetByMethod) {
    zr8812::EarthFields f;
    f.re_mOhm = 12500;
    f.rs_mOhm = 2500000;
    f.rh_mOhm = 800;
    f.smoothing = 3;
    const std::string dash = " --- ";
    const struct {
        uint8_t method;
        Cells values;
    } cases[] = {
        {0, {"Earth 3P", "12.50", "Ohm ", " 2.500", " kOhm", " 0.800", "Ohm ", "3"}},
        {1, {"Earth 2P", "12.50", "Ohm ", dash, dash, dash, dash, "3"}},
        {3, {"     ", "12.50", "Ohm ", dash, dash, dash, dash, "3"}},
    };
    for (const auto& c : cases) {
        f.method = c.method;
        LoadDump(zr8812::build_earth(f));
        Lecture_Terre();
        MAJ_enteteExcel_Terre();
        Exporter_Terre(5, 12);
        EXPECT_EQ(Values(), WithIdentification(c.values)) << int(c.method);
    }
    EXPECT_EQ(Titles(), AfterBlankIdentification(
                            {"MeasType", "Re", "unit", "Rs", "unit", "Rh", "unit", "Smooth"}));
    // Each value has its own prefix: a kilo-ohm Re does not leak into Rs.
    f.method = 0;
    f.re_mOhm = 2500000;
    f.rs_mOhm = 12500;
    LoadDump(zr8812::build_earth(f));
    Lecture_Terre();
    Exporter_Terre(5, 12);
    EXPECT_EQ(Values(), WithIdentification({"Earth 3P", " 2.500", " kOhm", "12.50", "Ohm ",
                                            " 0.800", "Ohm ", "3"}));
}

// ---- Loop ----

namespace {

zr8812::LoopFields SampleLoop() {
    zr8812::LoopFields f;
    f.smoothing = 2;
    f.z_ln = 0.42f, f.r_ln = 0.40f, f.l_ln = 0.5f;
    f.z_lpe = 1200, f.r_lpe = 1.5f, f.l_lpe = 2.0f;
    f.z_npe = 0.8f, f.r_npe = 0.7f, f.l_npe = 0.3f;
    f.v_ln = 230.4f, f.v_lpe = 229.9f, f.v_npe = 1.2f, f.v_p = 4.5f;
    f.frequency_Hz = 50.02f;
    f.z_e = 12.7f, f.r_e = 11.9f, f.l_e = 3.3f, f.r_p = 350;
    return f;
}

const std::string D = " --- ";
const Cells LOOP_FULL_TITLES = {"MeasType", "Z-LN",  "unit", "R-LN",  "unit", "L-LN",  "unit",
                                "Z-LPE",    "unit",  "R-LPE", "unit", "L-LPE", "unit", "Z-NPE",
                                "unit",     "R-NPE", "unit",  "L-NPE", "unit", "V-LN",  "unit",
                                "V-LPE",    "unit",  "V-NPE", "unit",  "Smooth", "Freq", "unit"};
const Cells EARTH_LOOP_FULL_TITLES = {"MeasType", "Z e",  "unit",  "R e",  "unit", "L e",  "unit",
                                      "R p",      "unit", "V-LN",  "unit", "V-LPE", "unit", "V-NPE",
                                      "unit",     "V p",  "unit",  "Smooth", "Freq", "unit"};

Cells Joined(std::initializer_list<Cells> parts) {
    Cells all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

const Cells LN = {" 0.420", "Ohm ", " 0.400", "Ohm ", "       0.5", " mH "};
// Z-LPE of 1200 ohms: shown in kilo-ohms, inductance dashed.
const Cells LPE = {" 1.200", " kOhm", " 1.50", "Ohm ", D, D};
const Cells NPE = {" 0.800", "Ohm ", " 0.700", "Ohm ", "       0.3", " mH "};
const Cells VOLTAGES = {"230.4", "V", "229.9", "V", " 1.20", "V"};
const Cells ENDING = {"2", "     50.02", "Hz"};

void Decode(const zr8812::LoopFields& f) {
    LoadDump(zr8812::build_loop(f));
    Lecture_loop();
}

}  // namespace

TEST_F(SheetLayouts, LoopLayoutInEveryCase) {
    const struct {
        const char* what;
        uint8_t function, noTrip, tripSelect;
        Cells values;
    } cases[] = {
        {"ZLOOP Trip", 0, 0, 0, Joined({{"ZLOOP Trip"}, LN, LPE, NPE, VOLTAGES, ENDING})},
        {"ZLOOP No Trip", 0, 1, 0,
         Joined({{"ZLOOP No Trip"}, LN, LPE, {D, D, " 0.700", "Ohm ", D, D}, VOLTAGES, ENDING})},
        {"ZLINE", 1, 0, 0,
         Joined({{"ZLINE"}, LN, {D, D, D, D, D, D}, {D, D, D, D, D, D}, VOLTAGES, ENDING})},
        {"ZLOOP trip select", 0, 0, 1,
         Joined({{"ZLOOP Trip Select."}, LN, LPE, NPE, VOLTAGES, ENDING})},
    };
    for (const auto& c : cases) {
        auto f = SampleLoop();
        f.function = c.function, f.no_trip = c.noTrip, f.trip_select = c.tripSelect;
        Decode(f);
        Exporter_Loop(5, 12);
        MAJ_enteteExcel_Loop(LOOP_FULL);
        Suite_Exporter_Loop(LOOP_FULL);
        EXPECT_EQ(Titles(), AfterBlankIdentification(LOOP_FULL_TITLES)) << c.what;
        const Cells row = Values();
        EXPECT_EQ(row.size(), 31u) << c.what << ": columns A to AE";
        EXPECT_EQ(row, WithIdentification(c.values)) << c.what;
    }
}

TEST_F(SheetLayouts, InductanceIsDashedAboveFifteenOhms) {
    for (auto [ohms, value, inductance, unitText] :
         {std::tuple{15.0f, "15.00", "       0.5", " mH "}, {15.01f, "15.01", " --- ", " --- "}}) {
        auto f = SampleLoop();
        f.z_ln = ohms;
        Decode(f);
        Suite_Exporter_Loop(LOOP_FULL);
        const Cells row = Values();
        ASSERT_GE(row.size(), 10u);
        EXPECT_EQ(row[4], value);
        EXPECT_EQ(row[8], inductance) << ohms;
        EXPECT_EQ(row[9], unitText) << ohms;
    }
}

TEST_F(SheetLayouts, RcdVariantOfTheLoopHasFifteenColumns) {
    auto f = SampleLoop();
    f.function = 3;
    f.z_lpe = 0.9f;
    Decode(f);
    Exporter_Loop(5, 12);
    MAJ_enteteExcel_Loop(LOOP_SHORT);
    Suite_Exporter_Loop(LOOP_SHORT);
    EXPECT_EQ(Titles(), AfterBlankIdentification({"MeasType", "Z-LPE", "unit", "R-LPE", "unit",
                                                  "L-LPE", "unit", "V-LPE", "unit", "Smooth",
                                                  "Freq", "unit"}));
    EXPECT_EQ(Values(), WithIdentification({"RCD ZLOOP No Trip", " 0.900", "Ohm ", " 1.50", "Ohm ",
                                            "       2.0", " mH ", "229.9", "V", "2", "     50.02",
                                            "Hz"}));
}

TEST_F(SheetLayouts, EarthLoopLayoutFullAndShort) {
    const Cells earthLoop = {"12.70", "Ohm ", "11.90", "Ohm "};
    const Cells inductance = {"       3.3", " mH "};
    const Cells rest = {"350.0", "Ohm ", "230.4", "V", "229.9", "V", " 1.20", "V",
                        " 4.50", "V", "2", "     50.02", "Hz"};
    const struct {
        const char* what;
        uint8_t function, variant, noTrip, tripSelect;
        int mode;
        Cells values;
    } cases[] = {
        {"REarth Trip", 2, 0, 0, 0, LOOP_FULL, Joined({{"REarth Trip"}, earthLoop, inductance, rest})},
        {"REarth No Trip", 2, 0, 1, 0, LOOP_FULL,
         Joined({{"REarth No Trip", D, D, "11.90", "Ohm ", D, D}, rest})},
        {"REarth Trip Select.", 2, 0, 0, 1, LOOP_FULL,
         Joined({{"REarth Trip Select."}, earthLoop, inductance, rest})},
        {"RCD REarth No Trip", 3, 1, 1, 0, LOOP_SHORT,
         Joined({{"RCD REarth No Trip", D, D, "11.90", "Ohm "}, rest})},
        {"RCD REarth, tripping", 3, 1, 0, 0, LOOP_SHORT,
         Joined({{"RCD REarth No Trip"}, earthLoop, rest})},
    };
    for (const auto& c : cases) {
        auto f = SampleLoop();
        f.function = c.function, f.earth_variant = c.variant;
        f.no_trip = c.noTrip, f.trip_select = c.tripSelect;
        FreshSheet();
        Decode(f);
        Exporter_Loop(5, 12);
        MAJ_enteteExcel_Loop_REarth(c.mode);
        Suite_Exporter_REarth(c.mode);
        EXPECT_EQ(Values(), WithIdentification(c.values)) << c.what;
        if (c.mode == LOOP_SHORT) {
            EXPECT_EQ(Values().size(), 21u) << c.what << ": columns A to U";
            Cells shortTitles = EARTH_LOOP_FULL_TITLES;
            shortTitles.erase(shortTitles.begin() + 5, shortTitles.begin() + 7);
            EXPECT_EQ(Titles(), AfterBlankIdentification(shortTitles)) << c.what;
        } else {
            EXPECT_EQ(Titles(), AfterBlankIdentification(EARTH_LOOP_FULL_TITLES)) << c.what;
        }
    }
    // An earth impedance above 15 ohms hides its inductance.
    auto f = SampleLoop();
    f.function = 2;
    f.z_e = 20;
    Decode(f);
    flag_tiret = 0;
    Suite_Exporter_REarth(LOOP_FULL);
    const Cells row = Values();
    EXPECT_EQ(row[8], D);
    EXPECT_EQ(row[9], D);
}

// ---- RCD ----

namespace {

zr8812::RcdFields SampleRcd() {
    zr8812::RcdFields f;
    f.validity = 49;
    f.measured_current_tenth_mA = 300;
    f.trip_time_s = 0.0234f;
    f.rated_current_tenth_mA = 300;
    f.test_mode = 2;
    f.multiplier = 5;
    f.wave_code = 0x11;
    return f;
}

void WriteRcd(const zr8812::RcdFields& f) {
    LoadDump(zr8812::build_rcd(f));
    Lecture_rcd();
    MAJ_enteteExcel_RCD();
    Exporter_RCD(5, 12);
}

}  // namespace

TEST_F(SheetLayouts, RcdSheetShowsCurrentAndTimeOnlyBelowValidityFifty) {
    WriteRcd(SampleRcd());
    EXPECT_EQ(Values(),
              WithIdentification({"RCD Trip Pulse x5", "Full", "Pos", "30", " mA ", "30.000",
                                  " mA ", "      23.4", " ms "}));
    EXPECT_EQ(Titles(), AfterBlankIdentification({"MeasType", "Wave", "Start", "Rated current",
                                                  "unit", "Meas current", "unit", "Time", "unit"}));
    auto f = SampleRcd();
    f.validity = 50;
    WriteRcd(f);
    EXPECT_EQ(Values(), WithIdentification({"RCD Trip Pulse x5", "Full", "Pos", "30", " mA ",
                                               " --- ", " mA ", " --- ", " ms "}));
}

TEST_F(SheetLayouts, RcdLabelsAndWaveCodes) {
    const struct {
        uint8_t mode, multiplier;
        const char* label;
    } labels[] = {
        {1, 5, "RCD Trip Slope"},         {2, 2, "RCD Trip Pulse x2"},
        {2, 5, "RCD Trip Pulse x5"},      {2, 150, "RCD Trip Pulse 150mA"},
        {2, 250, "RCD Trip Pulse 250mA"}, {2, 7, "RCD Trip Pulse"},
        {0, 5, ""},
    };
    for (const auto& l : labels) {
        auto f = SampleRcd();
        f.test_mode = l.mode, f.multiplier = l.multiplier;
        WriteRcd(f);
        EXPECT_EQ(Values()[3], l.label) << int(l.mode) << " " << int(l.multiplier);
    }
    const struct {
        uint8_t code;
        const char* wave;
        const char* start;
    } codes[] = {{0x11, "Full", "Pos"}, {0x10, "Full", "Neg"}, {0x01, "Half", "Pos"},
                 {0x00, "Half", "Neg"}, {0x12, "Half", "Neg"}};
    for (const auto& c : codes) {
        auto f = SampleRcd();
        f.wave_code = c.code;
        WriteRcd(f);
        const Cells row = Values();
        EXPECT_EQ(row[4], c.wave) << int(c.code);
        EXPECT_EQ(row[5], c.start) << int(c.code);
    }
}

// ---- Voltage ----

TEST_F(SheetLayouts, VoltageSheet) {
    zr8812::VoltageFields f;
    f.v_ln_mV = 230400;
    f.v_lpe_mV = 0;
    f.v_npe_mV = 1200000;  // 1200 V: shown in kilovolts
    f.battery_mV = 9100;
    f.temperature_C = 25;
    f.period_tenth_us = 200000;
    f.rod_resistance_ohm = 2500;
    f.smoothing = 1;
    LoadDump(zr8812::build_voltage(f));
    Lecture_tension();
    MAJ_enteteExcel_Tension();
    Exporter_Tension(5, 12);
    EXPECT_EQ(Titles(), AfterBlankIdentification({"MeasType", "V-LN", "unit", "V-LPE", "unit",
                                                  "V-NPE", "unit", "Smooth", "Freq", "unit",
                                                  "Rod Resist", "unit", "Vbatt", "unit", "Temp.",
                                                  "unit"}));
    EXPECT_EQ(Values(), WithIdentification({"Voltage ", "230.4", "V", "  0.0", "V", " 1.200", "kV",
                                            "1", "     50.00", "Hz", " 2.500", " kOhm",
                                            "       9.1", "V", "      25.0", "°C"}));
}

TEST_F(SheetLayouts, DateAndVoltageLabelInEveryLanguage) {
    const char* const labels[] = {"Tension ", "Voltage ", "Spannung", "Tensión ", "Tensione"};
    for (int l = 0; l < 5; ++l) {
        langue = l;
        Exporter_Tension(5, 12);
        const Cells row = Values();
        ASSERT_GE(row.size(), 4u);
        EXPECT_EQ(row[0], "03/07/2012") << l;
        EXPECT_EQ(row[3], labels[l]) << l;
    }
}

TEST_F(SheetLayouts, IdentificationCellsStayInsideTheDirectory) {
    Director[99].tests[99] = FicTest{};
    SetDirectoryTest(99, 99, KIND_VOLTAGE, 31, 12, 1999);
    WriteIdentificationCells(99, 99);
    EXPECT_EQ(Values(), (Cells{"12/31/1999", "99", "99"}));
    for (auto [object, test] : {std::pair{-1, 0}, {0, -1}, {100, 0}, {0, 100}}) {
        WriteIdentificationCells(object, test);
        EXPECT_TRUE(Values().empty()) << object << "/" << test;
    }
}
