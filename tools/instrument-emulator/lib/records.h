// Test records of the ZR8812 memory, built from named values.
//
// Each builder returns the file exactly as the instrument stores it: little-
// endian words, reals as IEEE-754 single precision, every byte not named here
// zero. As the dump prints it ("od -hxv", 16-bit words little-endian, four hex
// digits each), a field's hex-digit position p maps to the file as follows:
//   16-bit field at digits 4k..4k+3      -> little-endian uint16 at byte 2k
//   32-bit field at digits 4k..4k+7      -> little-endian uint32/float at byte 2k
//   8-bit field at digits 4k,4k+1        -> byte 2k+1
//   8-bit field at digits 4k+2,4k+3      -> byte 2k
// The digit positions of every field are given beside it below.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace zr8812 {

// Record sizes in bytes.
constexpr std::size_t kCurrentSize = 50;
constexpr std::size_t kEarthSize = 48;
constexpr std::size_t kLoopSize = 118;
constexpr std::size_t kRcdSize = 16;
constexpr std::size_t kVoltageSize = 150;

// Current test, file "TT.a".
struct CurrentFields {
    uint16_t header = 0;                // digits 0-3     (not shown on sheets)
    float current_mA = 0;               // digits 12-19
    float battery_mV = 0;               // digits 52-59
    float temperature_C = 0;            // digits 60-67
    int32_t period_tenth_us = 0;        // digits 68-75, signal period; 0 = no frequency
    uint8_t smoothing = 0;              // digits 88-89 (read as the low byte of digits 86-89)
    uint8_t clamp_type = 0;             // digits 96-97: 0 no clamp, 1 "1 / 1000", 2 "1 / 10000"
    uint8_t byte_before_smoothing = 0;  // digits 86-87, ignored by the reader
};

// Earth resistance test, file "TT.e".
struct EarthFields {
    uint16_t header = 0;    // digits 0-3
    int32_t re_mOhm = 0;    // digits 4-11, earth resistance
    int32_t rs_mOhm = 0;    // digits 12-19, probe S resistance (3-pole only)
    int32_t rh_mOhm = 0;    // digits 20-27, probe H resistance (3-pole only)
    uint8_t smoothing = 0;  // digits 72-73
    uint8_t method = 0;     // digits 82-83: 0 3-pole, 1 2-pole, other unknown
    uint16_t trailer = 0;   // digits 92-95 (not shown on sheets)
};

// Loop impedance test, file "TT.l". Impedances and resistances in ohms,
// inductances in millihenries, voltages in volts, frequency in hertz.
struct LoopFields {
    uint8_t function = 0;                   // digits 0-1: 0 ZLOOP, 1 ZLINE, 2 REarth, 3 RCD variant
    uint8_t smoothing = 0;                  // digits 2-3
    uint8_t no_trip = 0;                    // digits 6-7: nonzero = measured without tripping
    float z_ln = 0, r_ln = 0, l_ln = 0;     // digits 28-35, 36-43, 44-51
    float z_lpe = 0, r_lpe = 0, l_lpe = 0;  // digits 60-67, 68-75, 76-83
    float z_npe = 0, r_npe = 0, l_npe = 0;  // digits 92-99, 100-107, 108-115
    float l_e = 0;                          // digits 124-131, earth loop inductance
    float z_e = 0;                          // digits 132-139, earth loop impedance
    float r_e = 0;                          // digits 140-147, earth loop resistance
    float v_ln = 0, v_lpe = 0, v_npe = 0;   // digits 156-163, 164-171, 172-179
    float v_p = 0;                          // digits 180-187, probe voltage
    float frequency_Hz = 0;                 // digits 188-195
    uint16_t extra_word = 0;                // digits 204-207 (not shown on sheets)
    float r_p = 0;                          // digits 224-231, probe resistance
    uint8_t earth_variant = 0;  // digits 232-233: with function 3, nonzero = earth layout
    uint8_t trip_select = 0;    // digits 234-235
};

// RCD trip test, file "TT.r".
struct RcdFields {
    uint16_t validity = 0;                   // digits 0-3: 50 or more hides current and time
    uint16_t measured_current_tenth_mA = 0;  // digits 4-7
    uint16_t extra_word = 0;                 // digits 8-11 (not shown on sheets)
    float trip_time_s = 0;                   // digits 12-19
    uint16_t rated_current_tenth_mA = 0;     // digits 20-23
    uint8_t multiplier = 0;                  // digits 24-25: 2, 5, 150, 250 (pulse mode)
    uint8_t test_mode = 0;                   // digits 26-27: 1 slope, 2 pulse
    uint8_t wave_code = 0;  // digits 30-31: 0x11 full/pos, 0x10 full/neg, 0x01 half/pos
};

// Voltage test, file "TT.v".
struct VoltageFields {
    uint16_t header = 0;           // digits 16-19
    float v_ln_mV = 0;             // digits 20-27
    float v_lpe_mV = 0;            // digits 28-35
    float v_npe_mV = 0;            // digits 36-43
    float battery_mV = 0;          // digits 52-59
    float temperature_C = 0;       // digits 60-67
    int32_t period_tenth_us = 0;   // digits 68-75
    float rod_resistance_ohm = 0;  // digits 84-91
    uint8_t smoothing = 0;         // digits 284-285
    uint8_t extra_byte = 0;        // digits 296-297 (not shown on sheets)
};

std::vector<uint8_t> build_current(const CurrentFields& fields);
std::vector<uint8_t> build_earth(const EarthFields& fields);
std::vector<uint8_t> build_loop(const LoopFields& fields);
std::vector<uint8_t> build_rcd(const RcdFields& fields);
std::vector<uint8_t> build_voltage(const VoltageFields& fields);

// Low-level placement by dump digit position (for hand-made records in tests).
// The digit position must be aligned as the header comment says (16/32-bit:
// multiple of 4; 8-bit: even); the record grows when too short.
void put_u8_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint8_t value);
void put_u16_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint16_t value);
void put_u32_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint32_t value);
void put_float_at_digit(std::vector<uint8_t>& record, std::size_t digit, float value);

// Writes memory_dir/OO/TT.x (creating OO), sets its modification time to
// `when`. object and test 0-99; kind_letter one of a c e k l m r p v. False on failure.
bool write_test(const std::string& memory_dir, int object, int test, char kind_letter,
                const std::vector<uint8_t>& bytes, std::time_t when);
// Creates memory_dir/OO if needed and sets its modification time.
bool write_object(const std::string& memory_dir, int object, std::time_t when);

// ---- The sample memory -------------------------------------------------

// One test of the sample memory.
struct SampleTest {
    int object;
    int test;
    char kind_letter;            // 'a', 'e', 'l', 'r', 'v' supported; others unsupported
    std::time_t when;            // file modification time
    std::string description;     // what it covers, e.g. "loop ZLOOP trip"
    std::vector<uint8_t> bytes;  // the file's contents
    bool supported() const;
    std::string file_name() const;  // "TT.x"
};

struct SampleObject {
    int object;
    std::time_t when;  // directory modification time
};

// Contents of the sample memory for the instrument clock `now`: dates of
// "recent" entries lie within the last weeks (listed as HH:MM), the others
// years back (listed with the year). Same `now`, same contents.
std::vector<SampleObject> sample_objects(std::time_t now);
std::vector<SampleTest> sample_tests(std::time_t now);

// A local date and time (the instrument's clock is local time).
std::time_t local_time(int year, int month, int day, int hour, int minute);

// Writes the sample memory into `dir` (created if missing; existing object
// folders of the sample are replaced). False on any file error.
bool make_sample_memory(const std::string& dir, std::time_t now = std::time(nullptr));

}  // namespace zr8812
