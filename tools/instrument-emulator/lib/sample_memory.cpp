// The sample memory: what an electrician's tester might hold after two site
// visits, chosen so that every record layout and listing form appears once.
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include "records.h"

namespace zr8812 {

std::time_t local_time(int year, int month, int day, int hour, int minute) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

namespace {

constexpr std::time_t kDay = 24 * 3600;

// `days_ago` days before `now`, at hour:minute; never later than `now`.
std::time_t recent(std::time_t now, int days_ago, int hour, int minute) {
    const std::time_t day = now - days_ago * kDay;
    std::tm fields{};
    localtime_r(&day, &fields);
    std::time_t when =
        local_time(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, hour, minute);
    while (when > now) when -= kDay;
    return when;
}

int year_of(std::time_t when) {
    std::tm fields{};
    localtime_r(&when, &fields);
    return fields.tm_year + 1900;
}

// Dates of the four visits: two recent (listed HH:MM), two old (listed with the year).
struct Visits {
    std::time_t panel_check;   // object 01, current and earth, 3 days ago
    std::time_t loop_survey;   // object 02, loops, 10 days ago
    std::time_t rcd_campaign;  // object 04, RCDs, 5 Nov 2008
    std::time_t voltage_log;   // object 07, voltages, two years back
    std::time_t new_site;      // object 05, empty, yesterday
};

Visits visits(std::time_t now) {
    return {recent(now, 3, 9, 12), recent(now, 10, 14, 7), local_time(2008, 11, 5, 10, 30),
            local_time(year_of(now) - 2, 6, 18, 16, 45), recent(now, 1, 8, 0)};
}

SampleTest current_test(int test, std::time_t when, const char* what, const CurrentFields& f) {
    return {1, test, 'a', when, what, build_current(f)};
}

SampleTest earth_test(int test, std::time_t when, const char* what, const EarthFields& f) {
    return {1, test, 'e', when, what, build_earth(f)};
}

SampleTest loop_test(int test, std::time_t when, const char* what, const LoopFields& f) {
    return {2, test, 'l', when, what, build_loop(f)};
}

SampleTest rcd_test(int test, std::time_t when, const char* what, const RcdFields& f) {
    return {4, test, 'r', when, what, build_rcd(f)};
}

SampleTest voltage_test(int test, std::time_t when, const char* what, const VoltageFields& f) {
    return {7, test, 'v', when, what, build_voltage(f)};
}

// A loop measured on a healthy circuit; each test changes what it is about.
LoopFields loop_base() {
    LoopFields f;
    f.smoothing = 1;
    f.z_ln = 0.42f, f.r_ln = 0.40f, f.l_ln = 0.5f;
    f.z_lpe = 0.61f, f.r_lpe = 0.58f, f.l_lpe = 0.7f;
    f.z_npe = 0.55f, f.r_npe = 0.52f, f.l_npe = 0.6f;
    f.v_ln = 231.2f, f.v_lpe = 230.8f, f.v_npe = 0.4f, f.v_p = 0.0f;
    f.frequency_Hz = 50.0f;
    return f;
}

LoopFields earth_loop_base() {
    LoopFields f = loop_base();
    f.function = 2;
    f.z_e = 27.3f, f.r_e = 26.9f, f.l_e = 1.2f;
    f.r_p = 310.0f;
    f.v_p = 2.1f;
    return f;
}

std::vector<SampleTest> current_and_earth(std::time_t day) {
    const auto at = [day](int minutes) { return day + minutes * 60; };
    return {
        current_test(1, at(0), "current, no clamp, 50 Hz",
                     {.current_mA = 523.0f,
                      .battery_mV = 8650.0f,
                      .temperature_C = 21.5f,
                      .period_tenth_us = 200000,
                      .smoothing = 1,
                      .clamp_type = 0}),
        current_test(2, at(4), "current, clamp 1/1000, period 0",
                     {.current_mA = 4560.0f,
                      .battery_mV = 8640.0f,
                      .temperature_C = 21.7f,
                      .period_tenth_us = 0,
                      .smoothing = 0,
                      .clamp_type = 1}),
        current_test(3, at(9), "current, clamp 1/10000, 60 Hz",
                     {.current_mA = 12345.0f,
                      .battery_mV = 8610.0f,
                      .temperature_C = 22.0f,
                      .period_tenth_us = 166667,
                      .smoothing = 2,
                      .clamp_type = 2}),
        earth_test(
            4, at(31), "earth 3-pole, probe above 1000 ohms",
            {.re_mOhm = 12500, .rs_mOhm = 1350000, .rh_mOhm = 2210, .smoothing = 1, .method = 0}),
        earth_test(5, at(38), "earth 2-pole, 2.5 kohm",
                   {.re_mOhm = 2500000, .smoothing = 0, .method = 1}),
        earth_test(7, at(52), "earth, unknown method",
                   {.re_mOhm = 85000, .rs_mOhm = 400, .rh_mOhm = 900, .smoothing = 2, .method = 3}),
    };
}

std::vector<SampleTest> loops(std::time_t day) {
    const auto at = [day](int minutes) { return day + minutes * 60; };
    LoopFields zloop_trip = loop_base();
    LoopFields zloop_no_trip = loop_base();
    zloop_no_trip.no_trip = 1;
    zloop_no_trip.z_lpe = 15.01f, zloop_no_trip.r_lpe = 14.8f, zloop_no_trip.l_lpe = 2.4f;
    LoopFields zline = loop_base();
    zline.function = 1;
    zline.z_ln = 15.0f, zline.r_ln = 14.6f, zline.l_ln = 3.1f;
    LoopFields rearth_trip = earth_loop_base();
    LoopFields rearth_no_trip = earth_loop_base();
    rearth_no_trip.no_trip = 1;
    LoopFields rearth_select = earth_loop_base();
    rearth_select.trip_select = 1;
    rearth_select.z_e = 1200.0f, rearth_select.r_e = 1185.0f, rearth_select.l_e = 4.0f;
    LoopFields rcd_loop = loop_base();
    rcd_loop.function = 3;
    rcd_loop.no_trip = 1;
    rcd_loop.z_lpe = 1200.0f, rcd_loop.r_lpe = 1187.5f, rcd_loop.l_lpe = 9.9f;
    LoopFields rcd_earth = earth_loop_base();
    rcd_earth.function = 3;
    rcd_earth.no_trip = 1;
    rcd_earth.earth_variant = 1;
    return {
        loop_test(1, at(0), "loop ZLOOP trip", zloop_trip),
        loop_test(2, at(6), "loop ZLOOP no trip, Z-LPE just above 15 ohms", zloop_no_trip),
        loop_test(3, at(11), "loop ZLINE, Z-LN exactly 15 ohms", zline),
        loop_test(4, at(25), "loop REarth trip", rearth_trip),
        loop_test(5, at(29), "loop REarth no trip", rearth_no_trip),
        loop_test(6, at(34), "loop REarth trip select, Z e above 1000 ohms", rearth_select),
        loop_test(8, at(47), "loop RCD variant, loop layout, Z-LPE above 1000 ohms", rcd_loop),
        loop_test(9, at(53), "loop RCD variant, earth layout", rcd_earth),
        SampleTest{2, 10, 'c', at(60), "unsupported kind (.c)", std::vector<uint8_t>(64, 0x5A)},
    };
}

std::vector<SampleTest> rcds(std::time_t day) {
    const auto at = [day](int minutes) { return day + minutes * 60; };
    return {
        rcd_test(1, at(0), "RCD slope, full wave positive, valid",
                 {.validity = 0,
                  .measured_current_tenth_mA = 215,
                  .trip_time_s = 0.0234f,
                  .rated_current_tenth_mA = 300,
                  .multiplier = 1,
                  .test_mode = 1,
                  .wave_code = 0x11}),
        rcd_test(2, at(3), "RCD pulse x2, full wave negative, validity 49",
                 {.validity = 49,
                  .measured_current_tenth_mA = 600,
                  .trip_time_s = 0.0185f,
                  .rated_current_tenth_mA = 300,
                  .multiplier = 2,
                  .test_mode = 2,
                  .wave_code = 0x10}),
        rcd_test(3, at(7), "RCD pulse x5, half wave positive, validity 50",
                 {.validity = 50,
                  .measured_current_tenth_mA = 1500,
                  .trip_time_s = 0.0121f,
                  .rated_current_tenth_mA = 300,
                  .multiplier = 5,
                  .test_mode = 2,
                  .wave_code = 0x01}),
        rcd_test(5, at(15), "RCD pulse 150mA, code 0x00, validity 63",
                 {.validity = 63,
                  .measured_current_tenth_mA = 1500,
                  .trip_time_s = 0.0f,
                  .rated_current_tenth_mA = 100,
                  .multiplier = 150,
                  .test_mode = 2,
                  .wave_code = 0x00}),
        rcd_test(6, at(19), "RCD pulse 250mA, code 0x12, validity 12",
                 {.validity = 12,
                  .measured_current_tenth_mA = 2500,
                  .trip_time_s = 0.0402f,
                  .rated_current_tenth_mA = 3000,
                  .multiplier = 250,
                  .test_mode = 2,
                  .wave_code = 0x12}),
    };
}

std::vector<SampleTest> voltages(std::time_t day) {
    const auto at = [day](int minutes) { return day + minutes * 60; };
    return {
        voltage_test(1, at(0), "voltage 230.4 V, rod 2.5 kohm",
                     {.v_ln_mV = 230400.0f,
                      .v_lpe_mV = 229800.0f,
                      .v_npe_mV = 600.0f,
                      .battery_mV = 8420.0f,
                      .temperature_C = 27.5f,
                      .period_tenth_us = 200000,
                      .rod_resistance_ohm = 2500.0f,
                      .smoothing = 1}),
        voltage_test(2, at(12), "voltage 0 (line dead)",
                     {.battery_mV = 8410.0f,
                      .temperature_C = 27.8f,
                      .period_tenth_us = 0,
                      .rod_resistance_ohm = 0.0f,
                      .smoothing = 0}),
        voltage_test(3, at(20), "voltage three-phase 398.5 V",
                     {.v_ln_mV = 398500.0f,
                      .v_lpe_mV = 231100.0f,
                      .v_npe_mV = 230700.0f,
                      .battery_mV = 8390.0f,
                      .temperature_C = 28.1f,
                      .period_tenth_us = 199960,
                      .rod_resistance_ohm = 12.5f,
                      .smoothing = 2}),
    };
}

std::string two_digits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

}  // namespace

bool SampleTest::supported() const {
    return kind_letter == 'a' || kind_letter == 'e' || kind_letter == 'l' || kind_letter == 'r' ||
           kind_letter == 'v';
}

std::string SampleTest::file_name() const {
    return two_digits(test) + "." + kind_letter;
}

std::vector<SampleObject> sample_objects(std::time_t now) {
    const Visits v = visits(now);
    // Each folder carries the time of its last test; the new site has none yet.
    return {{1, v.panel_check + 52 * 60},
            {2, v.loop_survey + 60 * 60},
            {4, v.rcd_campaign + 19 * 60},
            {5, v.new_site},
            {7, v.voltage_log + 20 * 60}};
}

std::vector<SampleTest> sample_tests(std::time_t now) {
    const Visits v = visits(now);
    std::vector<SampleTest> tests = current_and_earth(v.panel_check);
    for (auto part : {loops(v.loop_survey), rcds(v.rcd_campaign), voltages(v.voltage_log)}) {
        tests.insert(tests.end(), part.begin(), part.end());
    }
    return tests;
}

bool make_sample_memory(const std::string& dir, std::time_t now) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) return false;
    const auto objects = sample_objects(now);
    for (const auto& object : objects) {
        fs::remove_all(fs::path(dir) / two_digits(object.object), error);
        if (error) return false;
    }
    for (const auto& test : sample_tests(now)) {
        if (!write_test(dir, test.object, test.test, test.kind_letter, test.bytes, test.when)) {
            return false;
        }
    }
    // Folder times last: writing a file changes its folder's time.
    for (const auto& object : objects) {
        if (!write_object(dir, object.object, object.when)) return false;
    }
    const timespec times[2] = {{now, 0}, {now, 0}};
    return utimensat(AT_FDCWD, dir.c_str(), times, 0) == 0;
}

}  // namespace zr8812
