// Slot texts of decoded values: plain decimal, no exponent, and the same
// value when read back.
#include "import/slot_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "import/record_decoding.h"
#include "store/store.h"
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

TEST(TraducFloat, RewritesTheSlotInPlaceAndLeavesOthersAlone) {
    WriteSlotText(3, "2.5e-01");
    WriteSlotText(4, "2.5e-01");
    traduc_float(3);
    EXPECT_STREQ(&tamp[300], "0.25");
    EXPECT_STREQ(&tamp[400], "2.5e-01");
    traduc_float(-1);  // outside the slots: nothing happens
    traduc_float(500);
}

TEST(SlotReals, ReadBackAsTheSameValueWithoutExponent) {
    const float values[] = {0.0f,
                            1.0f,
                            -1.0f,
                            523.25f,
                            0.1f,
                            1e-10f,
                            123456.79f,
                            16777217.0f,
                            3.4028235e38f,
                            -3.4028235e38f,
                            std::numeric_limits<float>::min(),
                            std::numeric_limits<float>::denorm_min(),
                            1.17549e-38f,
                            9.999999e-5f,
                            230.04f,
                            0.0215f};
    for (float value : values) {
        WriteSlotReal(10, value);
        traduc_float(10);
        const char* text = &tamp[1000];
        SCOPED_TRACE(text);
        EXPECT_EQ(std::strchr(text, 'e'), nullptr);
        EXPECT_EQ(std::strtof(text, nullptr), value);
        EXPECT_LT(std::strlen(text), static_cast<std::size_t>(SLOT_SIZE));
    }
}

TEST(SlotText, LongTextIsCutToTheSlotAndNeverSpillsIntoTheNext) {
    WriteSlotText(6, "next");
    WriteSlotText(5, std::string(300, '9'));
    EXPECT_EQ(std::strlen(&tamp[500]), static_cast<std::size_t>(SLOT_SIZE - 1));
    EXPECT_STREQ(&tamp[600], "next");
}

}  // namespace
