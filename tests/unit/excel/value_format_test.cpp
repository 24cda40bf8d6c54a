// Valeur's ranges and prefixes, the unit cells, numbers in fields, the
// frequency from a period, and the reading of the text slots.
#include "excel/value_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "store/store.h"

namespace {

struct ValeurCase {
    double value;
    const char* text;
    const char* prefix;
};

void SetSlot(int slot, const char* text) {
    std::memset(&tamp[slot * SLOT_SIZE], 0, SLOT_SIZE);
    std::strncpy(&tamp[slot * SLOT_SIZE], text, SLOT_SIZE - 1);
}

}  // namespace

TEST(Valeur, EveryRangeGivesItsDecimalsAndPrefix) {
    const ValeurCase cases[] = {
        {0, "  0.0", ""},          {0.0004, "  0.0", ""},     {0.001, " 0.001", ""},
        {0.25, " 0.250", ""},      {0.42f, " 0.420", ""},     {1, " 1.00", ""},
        {12.5, "12.50", ""},       {15.01f, "15.01", ""},     {39.99, "39.99", ""},
        {40, " 40.0", ""},         {150, "150.0", ""},        {230.4f, "230.4", ""},
        {400, "400.0", ""},        {401.3, "  401", ""},      {500, "500.0", ""},
        {523.7, "  524", ""},      {999, "999.0", ""},        {1000, " 1.000", " k"},
        {1200, " 1.200", " k"},    {1234, " 1.234", " k"},    {2500, " 2.500", " k"},
        {39999, "39.999", " k"},   {40000, " 40.00", " k"},   {250000, "250.00", " k"},
        {400000, "   400", " k"},  {450000, "   450", " k"},  {450500, " 450.5", " k"},
        {3999000, "  3999", " k"}, {4000000, "  4000", " k"}, {4000600, "  4001", " k"},
        {-2.5, "- 2.50", ""},      {-0.25, "- 0.250", ""},    {-1234, "- 1.234", " k"},
        {1e300, "", " k"},
    };
    for (const auto& c : cases) {
        std::string out, prefix = "unchanged";
        Valeur(c.value, out, prefix);
        if (std::strlen(c.text) > 0) {
            EXPECT_EQ(out, c.text) << c.value;
        } else {
            EXPECT_EQ(out.size(), 20u) << "the text is cut at 20 characters";
        }
        EXPECT_EQ(prefix, *c.prefix ? c.prefix : "unchanged") << c.value;
    }
}

TEST(Valeur, FormatValueClearsThePrefixOfThePreviousValue) {
    EXPECT_EQ(FormatValue(1200), " 1.200");
    EXPECT_EQ(tabdest, " k");
    EXPECT_EQ(FormatValue(12), "12.00");
    EXPECT_EQ(tabdest, "");
    // Not a number: some text, never a crash.
    EXPECT_FALSE(FormatValue(std::nan("")).empty());
}

TEST(UnitCells, ResistanceAndVoltageUnitsFollowThePrefix) {
    FormatValue(999);
    EXPECT_EQ(ResistanceUnit(tabdest), "Ohm ");
    FormatValue(1000);
    EXPECT_EQ(ResistanceUnit(tabdest), " kOhm");
    EXPECT_EQ(VoltageUnit(""), "V");
    EXPECT_EQ(VoltageUnit(" k"), "kV");
}

TEST(Fields, TextsAreCutByCharactersAndNumbersNever) {
    EXPECT_EQ(Field("Tensione di rete", 10), "Tensione d");
    EXPECT_EQ(Field("Tensión de red", 10), "Tensión de");
    EXPECT_EQ(Field("°C", 2), "°C");
    EXPECT_EQ(Field("°C", 1), "°");
    EXPECT_EQ(Field("", 5), "");
    EXPECT_EQ(FormatFixed(0.523, 10, 3), "     0.523");
    EXPECT_EQ(FormatFixed(23.4, 10, 1), "      23.4");
    EXPECT_EQ(FormatFixed(123456789012.0, 10, 1), "123456789012.0");
}

TEST(Frequency, ComesFromThePeriodInTenthsOfAMicrosecond) {
    EXPECT_DOUBLE_EQ(FrequencyFromPeriod(200000), 50.0);
    EXPECT_DOUBLE_EQ(FrequencyFromPeriod(166667), 1e7 / 166667);
    EXPECT_EQ(FrequencyFromPeriod(0), 0);
    EXPECT_EQ(FrequencyFromPeriod(-5), 0);
    EXPECT_EQ(FormatFixed(FrequencyFromPeriod(200000), 10, 2), "     50.00");
    EXPECT_EQ(FormatFixed(FrequencyFromPeriod(0), 10, 2), "      0.00");
}

TEST(Slots, AreReadWithinTheirFirstCharacters) {
    SetSlot(1, "12345.678901");
    EXPECT_DOUBLE_EQ(SlotReal(1), 12345.6789);
    EXPECT_DOUBLE_EQ(SlotReal(1, 12), 12345.678901);
    SetSlot(2, "not a number");
    EXPECT_EQ(SlotReal(2), 0);
    EXPECT_EQ(SlotInteger(2), 0);
    SetSlot(3, "-42");
    EXPECT_EQ(SlotInteger(3), -42);
    SetSlot(4, "abcdefghijklmnop");
    EXPECT_EQ(SlotText(4), "abcdefghij");
    // A slot without its terminator is read no further than its own 100 characters.
    std::memset(&tamp[5 * SLOT_SIZE], '7', SLOT_SIZE);
    EXPECT_EQ(SlotText(5), "7777777777");
    EXPECT_GT(SlotReal(5, 400), 7.7e99);
    EXPECT_LT(SlotReal(5, 400), 7.8e99);
    EXPECT_EQ(SlotText(-1), "");
    EXPECT_EQ(SlotText(NB_SLOTS), "");
    SetSlot(5, "");
}
