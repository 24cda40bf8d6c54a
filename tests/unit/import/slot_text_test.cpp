// The texts of decoded values: plain decimal, no exponent, the same value when
// read back, and read back within their first characters.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "store/value_text.h"

namespace {

TEST(WithoutExponent, RewritesExponentNotationAsPlainDecimal) {
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"1.25e-03", "0.00125"},
        {"4.5e+02", "450"},
        {"3.0e+00", "3"},
        {"2.5e-01", "0.25"},
        {"-1.5e+01", "-15"},
        {"1e+05", "100000"},
        {"-7.25e-02", "-0.0725"},
        {"1.23456789e+05", "123456.789"},
        {"5e-01", "0.5"},
        {"3.4028235e+38", "340282350000000000000000000000000000000"},
        {"1e-45", "0.000000000000000000000000000000000000000000001"},
        {"1.5e+2x", "150"},  // characters after the two exponent digits are ignored
        {"7e", "7"},         // no readable exponent: the mantissa as it is
        {"12.5", "12.5"},    // no "e": unchanged
        {"0", "0"},
        {"inf", "inf"},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WithoutExponent(row.text), row.expected) << row.text;
    }
}

TEST(SlotReals, ReadBackAsTheSameValueWithoutExponent) {
    using limits = std::numeric_limits<float>;
    const float values[] = {0.0f,          1.0f,           -1.0f,         523.25f,
                            0.1f,          1e-10f,         123456.79f,    16777217.0f,
                            3.4028235e38f, -3.4028235e38f, limits::min(), limits::denorm_min(),
                            1.17549e-38f,  9.999999e-5f,   230.04f,       0.0215f};
    for (float value : values) {
        const std::string text = SlotTextOf(value);
        SCOPED_TRACE(text);
        EXPECT_EQ(text.find('e'), std::string::npos);
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), value);
        EXPECT_LE(text.size(), VALUE_TEXT_SIZE);
    }
}

TEST(SlotReals, AreReadWithinTheirFirstCharacters) {
    const std::string digits = "12345.678901";
    EXPECT_DOUBLE_EQ(SlotReal(digits), 12345.6789);
    EXPECT_DOUBLE_EQ(SlotReal(digits, 12), 12345.678901);
    EXPECT_EQ(SlotReal(std::string("not a number")), 0);
    EXPECT_EQ(SlotReal(std::string("-42")), -42);
    // A text is read no further than its end.
    EXPECT_GT(SlotReal(std::string(100, '7'), 400), 7.7e99);
    EXPECT_LT(SlotReal(std::string(100, '7'), 400), 7.8e99);
    EXPECT_EQ(SlotReal(digits, 0), 0);
    // A negative integer's eleventh character is not read.
    EXPECT_EQ(SlotReal(SlotTextOf(int32_t{-2147483647 - 1})), -214748364);
    EXPECT_EQ(SlotReal(523.25f, 12), 523.25);
}

}  // namespace
