// The decoded record of each measurement kind, as the decoders return it and
// the sheet layouts take it: one value per downloaded test.
#pragma once

#include <cstdint>
#include <variant>

// Fields in file order. Units are the instrument's; the sheet layouts scale
// the values.
struct AmpRecord {
    uint16_t header = 0;
    float current = 0;      // milliamperes
    float battery = 0;      // millivolts
    float temperature = 0;  // degrees Celsius
    int32_t period = 0;     // tenths of a microsecond (0 = no frequency)
    uint8_t smoothing = 0;
    uint8_t clamp = 0;     // 0 no clamp, 1 "1 / 1000", 2 "1 / 10000"
    uint8_t reserved = 0;  // never read from the file
};
struct EarthRecord {
    uint16_t header = 0;
    int32_t re = 0;  // milliohms
    int32_t rs = 0;  // milliohms
    int32_t rh = 0;  // milliohms
    uint8_t smoothing = 0;
    uint8_t method = 0;  // 0 three-pole, 1 two-pole
    uint16_t trailer = 0;
};
struct LoopRecord {
    uint8_t smoothing = 0;
    uint8_t fonction_boucle = 0;         // 0 ZLOOP, 1 ZLINE, 2 REarth, 3 RCD variant
    uint8_t sans_declench = 0;           // nonzero = measured without tripping
    float z_ln = 0, r_ln = 0, l_ln = 0;  // ohms, ohms, millihenries
    float z_lpe = 0, r_lpe = 0, l_lpe = 0;
    float z_npe = 0, r_npe = 0, l_npe = 0;
    float l_e = 0;
    float z_e = 0;
    float r_e = 0;
    float v_ln = 0, v_lpe = 0, v_npe = 0, v_p = 0;  // volts
    float frequency = 0;                            // hertz
    uint16_t word16 = 0;
    float r_p = 0;
    uint8_t variante_terre = 0;
    uint8_t select_declench = 0;
};
struct RcdRecord {
    uint16_t validity = 0;          // 50 or more = current and time not shown
    uint16_t measured_current = 0;  // tenths of a milliampere
    uint16_t word2 = 0;
    float trip_time = 0;         // seconds
    uint16_t rated_current = 0;  // tenths of a milliampere
    uint8_t test_mode = 0;       // 1 slope, 2 pulse
    uint8_t multiplier = 0;
    uint16_t wave_start = 0;  // only the low byte is ever set
};
struct VoltRecord {
    uint16_t header = 0;
    float v_ln = 0, v_lpe = 0, v_npe = 0;  // millivolts
    float battery = 0;                     // millivolts
    float temperature = 0;                 // degrees Celsius
    int32_t period = 0;                    // tenths of a microsecond
    float rod_resistance = 0;              // ohms
    uint8_t smoothing = 0;
    uint8_t trailer = 0;
};

// One decoded test: the record of its kind, or nothing for a kind without a
// reader.
using MeasuredRecord =
    std::variant<std::monostate, AmpRecord, EarthRecord, LoopRecord, RcdRecord, VoltRecord>;

// The loop's trip mode from its record: 2 trip select, 1 without tripping,
// 0 tripping (the mode_declench of the directory's test).
inline int32_t TripMode(const LoopRecord& loop) {
    if (loop.select_declench != 0) return 2;
    if (loop.sans_declench != 0) return 1;
    return 0;
}
