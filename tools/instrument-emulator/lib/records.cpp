#include "records.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace zr8812 {
namespace {

void ensure_size(std::vector<uint8_t>& record, std::size_t size) {
    if (record.size() < size) record.resize(size, 0);
}

uint32_t float_bits(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

bool set_modification_time(const std::string& path, std::time_t when) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

std::string two_digits(int number) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

}  // namespace

void put_u8_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint8_t value) {
    // Digits 4k,4k+1 print the high byte of word k (byte 2k+1), digits
    // 4k+2,4k+3 its low byte (byte 2k).
    const std::size_t word = digit / 4;
    const std::size_t byte = digit % 4 == 0 ? 2 * word + 1 : 2 * word;
    ensure_size(record, byte + 1);
    record[byte] = value;
}

void put_u16_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint16_t value) {
    const std::size_t byte = digit / 2;
    ensure_size(record, byte + 2);
    record[byte] = static_cast<uint8_t>(value & 0xFF);
    record[byte + 1] = static_cast<uint8_t>(value >> 8);
}

void put_u32_at_digit(std::vector<uint8_t>& record, std::size_t digit, uint32_t value) {
    const std::size_t byte = digit / 2;
    ensure_size(record, byte + 4);
    for (std::size_t i = 0; i < 4; ++i) record[byte + i] = static_cast<uint8_t>(value >> (8 * i));
}

void put_float_at_digit(std::vector<uint8_t>& record, std::size_t digit, float value) {
    put_u32_at_digit(record, digit, float_bits(value));
}

std::vector<uint8_t> build_current(const CurrentFields& f) {
    std::vector<uint8_t> r(kCurrentSize, 0);
    put_u16_at_digit(r, 0, f.header);
    put_float_at_digit(r, 12, f.current_mA);
    put_float_at_digit(r, 52, f.battery_mV);
    put_float_at_digit(r, 60, f.temperature_C);
    put_u32_at_digit(r, 68, static_cast<uint32_t>(f.period_tenth_us));
    put_u8_at_digit(r, 86, f.byte_before_smoothing);
    put_u8_at_digit(r, 88, f.smoothing);
    put_u8_at_digit(r, 96, f.clamp_type);
    return r;
}

std::vector<uint8_t> build_earth(const EarthFields& f) {
    std::vector<uint8_t> r(kEarthSize, 0);
    put_u16_at_digit(r, 0, f.header);
    put_u32_at_digit(r, 4, static_cast<uint32_t>(f.re_mOhm));
    put_u32_at_digit(r, 12, static_cast<uint32_t>(f.rs_mOhm));
    put_u32_at_digit(r, 20, static_cast<uint32_t>(f.rh_mOhm));
    put_u8_at_digit(r, 72, f.smoothing);
    put_u8_at_digit(r, 82, f.method);
    put_u16_at_digit(r, 92, f.trailer);
    return r;
}

std::vector<uint8_t> build_loop(const LoopFields& f) {
    std::vector<uint8_t> r(kLoopSize, 0);
    put_u8_at_digit(r, 0, f.function);
    put_u8_at_digit(r, 2, f.smoothing);
    put_u8_at_digit(r, 6, f.no_trip);
    put_float_at_digit(r, 28, f.z_ln);
    put_float_at_digit(r, 36, f.r_ln);
    put_float_at_digit(r, 44, f.l_ln);
    put_float_at_digit(r, 60, f.z_lpe);
    put_float_at_digit(r, 68, f.r_lpe);
    put_float_at_digit(r, 76, f.l_lpe);
    put_float_at_digit(r, 92, f.z_npe);
    put_float_at_digit(r, 100, f.r_npe);
    put_float_at_digit(r, 108, f.l_npe);
    put_float_at_digit(r, 124, f.l_e);
    put_float_at_digit(r, 132, f.z_e);
    put_float_at_digit(r, 140, f.r_e);
    put_float_at_digit(r, 156, f.v_ln);
    put_float_at_digit(r, 164, f.v_lpe);
    put_float_at_digit(r, 172, f.v_npe);
    put_float_at_digit(r, 180, f.v_p);
    put_float_at_digit(r, 188, f.frequency_Hz);
    put_u16_at_digit(r, 204, f.extra_word);
    put_float_at_digit(r, 224, f.r_p);
    put_u8_at_digit(r, 232, f.earth_variant);
    put_u8_at_digit(r, 234, f.trip_select);
    return r;
}

std::vector<uint8_t> build_rcd(const RcdFields& f) {
    std::vector<uint8_t> r(kRcdSize, 0);
    put_u16_at_digit(r, 0, f.validity);
    put_u16_at_digit(r, 4, f.measured_current_tenth_mA);
    put_u16_at_digit(r, 8, f.extra_word);
    put_float_at_digit(r, 12, f.trip_time_s);
    put_u16_at_digit(r, 20, f.rated_current_tenth_mA);
    put_u8_at_digit(r, 24, f.multiplier);
    put_u8_at_digit(r, 26, f.test_mode);
    put_u8_at_digit(r, 30, f.wave_code);
    return r;
}

std::vector<uint8_t> build_voltage(const VoltageFields& f) {
    std::vector<uint8_t> r(kVoltageSize, 0);
    put_u16_at_digit(r, 16, f.header);
    put_float_at_digit(r, 20, f.v_ln_mV);
    put_float_at_digit(r, 28, f.v_lpe_mV);
    put_float_at_digit(r, 36, f.v_npe_mV);
    put_float_at_digit(r, 52, f.battery_mV);
    put_float_at_digit(r, 60, f.temperature_C);
    put_u32_at_digit(r, 68, static_cast<uint32_t>(f.period_tenth_us));
    put_float_at_digit(r, 84, f.rod_resistance_ohm);
    put_u8_at_digit(r, 284, f.smoothing);
    put_u8_at_digit(r, 296, f.extra_byte);
    return r;
}

bool write_object(const std::string& memory_dir, int object, std::time_t when) {
    if (object < 0 || object > 99) return false;
    const std::string folder = memory_dir + "/" + two_digits(object);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    return set_modification_time(folder, when);
}

bool write_test(const std::string& memory_dir, int object, int test, char kind_letter,
                const std::vector<uint8_t>& bytes, std::time_t when) {
    static const std::string kKinds = "aceklmrpv";
    if (object < 0 || object > 99 || test < 0 || test > 99) return false;
    if (kind_letter == '\0' || kKinds.find(kind_letter) == std::string::npos) return false;
    const std::string folder = memory_dir + "/" + two_digits(object);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return false;
    const std::string path = folder + "/" + two_digits(test) + "." + kind_letter;
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        if (!file.flush()) return false;
    }
    return set_modification_time(path, when);
}

}  // namespace zr8812
