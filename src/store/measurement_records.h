// The decoded record of each measurement kind, as the decoders return it and
// the sheet layouts take it: one value per downloaded test.
#pragma once

#include <cstdint>
#include <variant>

// Fields in file order. Units are the instrument's; the sheet writers scale the
// slot texts. Comments give the text slot each field is written to.
struct AmpRecord {
    uint16_t header = 0;    // slot 0
    float current = 0;      // slot 1, milliamperes
    float battery = 0;      // slot 2, millivolts
    float temperature = 0;  // slot 3, degrees Celsius
    int32_t period = 0;     // slot 4, tenths of a microsecond (0 = no frequency)
    uint8_t smoothing = 0;  // slot 5
    uint8_t clamp = 0;      // slot 6: 0 no clamp, 1 "1 / 1000", 2 "1 / 10000"
    uint8_t reserved = 0;   // slot 7, never read from the file
};
struct EarthRecord {
    uint16_t header = 0;    // slot 0
    int32_t re = 0;         // slot 1, milliohms
    int32_t rs = 0;         // slot 2, milliohms
    int32_t rh = 0;         // slot 3, milliohms
    uint8_t smoothing = 0;  // slot 4
    uint8_t method = 0;     // slot 5: 0 three-pole, 1 two-pole
    uint16_t trailer = 0;   // slot 6
};
struct LoopRecord {
    uint8_t smoothing = 0;                  // slot 0
    uint8_t fonction_boucle = 0;            // slot 1: 0 ZLOOP, 1 ZLINE, 2 REarth, 3 RCD variant
    uint8_t sans_declench = 0;              // slot 19, nonzero = measured without tripping
    float z_ln = 0, r_ln = 0, l_ln = 0;     // slots 2, 3, 4 (ohms, ohms, millihenries)
    float z_lpe = 0, r_lpe = 0, l_lpe = 0;  // slots 5, 6, 7
    float z_npe = 0, r_npe = 0, l_npe = 0;  // slots 8, 9, 10
    float l_e = 0;                          // slot 22
    float z_e = 0;                          // slot 20
    float r_e = 0;                          // slot 21
    float v_ln = 0, v_lpe = 0, v_npe = 0, v_p = 0;  // slots 11 to 14, volts
    float frequency = 0;                            // slot 15, hertz
    uint16_t word16 = 0;                            // slot 16
    float r_p = 0;                                  // slot 17
    uint8_t variante_terre = 0;                     // slot 23
    uint8_t select_declench = 0;                    // slot 18
};
struct RcdRecord {
    uint16_t validity = 0;          // slot 0: 50 or more = current and time not shown
    uint16_t measured_current = 0;  // slot 1, tenths of a milliampere
    uint16_t word2 = 0;             // slot 2
    float trip_time = 0;            // slot 3, seconds
    uint16_t rated_current = 0;     // slot 4, tenths of a milliampere
    uint8_t test_mode = 0;          // slot 5: 1 slope, 2 pulse
    uint8_t multiplier = 0;         // slot 6
    uint16_t wave_start = 0;        // slot 7, only the low byte is ever set
};
struct VoltRecord {
    uint16_t header = 0;                   // slot 0
    float v_ln = 0, v_lpe = 0, v_npe = 0;  // slots 1, 2, 3, millivolts
    float battery = 0;                     // slot 4, millivolts
    float temperature = 0;                 // slot 5, degrees Celsius
    int32_t period = 0;                    // slot 6, tenths of a microsecond
    float rod_resistance = 0;              // slot 7, ohms
    uint8_t smoothing = 0;                 // slot 8
    uint8_t trailer = 0;                   // slot 9
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
