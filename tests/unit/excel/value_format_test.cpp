// Valeur's ranges and prefixes, the unit cells, numbers in fields, the
// frequency from a period, and the names typed texts give workbooks.
#include "excel/value_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "excel/workbook_names.h"
#include "support/listed_test.h"

namespace {

struct ValeurCase {
    double value;
    const char* text;
    const char* prefix;
};

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

TEST(Valeur, FormatValueGivesEachValueItsOwnPrefix) {
    EXPECT_EQ(FormatValue(1200).text, " 1.200");
    EXPECT_EQ(FormatValue(1200).prefix, " k");
    EXPECT_EQ(FormatValue(12).text, "12.00");
    EXPECT_EQ(FormatValue(12).prefix, "");
    // Not a number: some text, never a crash.
    EXPECT_FALSE(FormatValue(std::nan("")).text.empty());
}

TEST(UnitCells, ResistanceAndVoltageUnitsFollowThePrefix) {
    EXPECT_EQ(ResistanceUnit(FormatValue(999).prefix), "Ohm ");
    EXPECT_EQ(ResistanceUnit(FormatValue(1000).prefix), " kOhm");
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

// A typed base name as the workbooks' names carry it, on both systems: what
// was typed stays, only what a file name cannot hold or what disguises it is
// replaced; the composed name is no device of Windows and fits 255 bytes.
TEST(WorkbookNames, KeepWhatWasTypedAndReplaceOnlyWhatNoFileNameHolds) {
    const std::string id = "_0000123_O01-T03_2026-03-05_1407_Loop";  // automatic: sequence 0
    std::string han;  // 68 characters of 3 bytes: the cut falls inside the "é" after them
    for (int i = 0; i < 68; ++i) han += "\u6f22";
    struct Case {
        std::string typed;
        int sequence;  // the save dialog's proposal with this number
        std::string name;
    };
    std::vector<Case> cases = {
        {"Müller Küche", 0, "Müller Küche" + id},
        {"Chantier Élysée", 2, "Chantier Élysée2"},
        {"Τεστ 1 (Ελλάδα) [a+b=c]; d'e", 1, "Τεστ 1 (Ελλάδα) [a+b=c]; d'e1"},
        {"../../etc/passwd", 0, "_._.._etc_passwd" + id},
        {"tab\there\nnew\x01\x7f\u0085", 1, "tab_here_new___1"},
        {"a*b?c\"d<e>f|g\\h:i", 1, "a_b_c_d_e_f_g_h_i1"},
        {"<>:\"/\\|?*", 0, "Briskel" + id},
        {"Site . .", 1, "Site1"},
        {"..", 1, "Briskel1"},
        {"-rf", 1, "_rf1"},
        {"", 1, "Briskel1"},
        {"\xC3(\xED\xA0\x80ok\xE2\x82", 1, "_(_ok_1"},
        {"Rapport\u202Exslx.exe", 0, "Rapport_xslx.exe" + id},
        {"a\u200Fb\u2066c\u00ADd\uFEFFe\u200Df", 1, "a_b_c_d_e\u200Df1"},
        {std::string(300, 'x'), 1, std::string(99, 'x') + "1"},
        {"a" + han + "\u00e9z", 0, "a" + han + id},
        {"COM\u00B9.x", 0, "COM\u00B9_.x" + id},
        {"COM", 10, "COM10"},
        {"nul .site", 0, "nul _.site" + id},
    };
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        cases.push_back({std::string(device) + ".site", 0, std::string(device) + "_.site" + id});
    for (const char* port : {"COM", "LPT"})
        for (int n = 1; n <= 9; ++n) cases.push_back({port, n, port + std::to_string(n) + "_"});
    for (const Case& c : cases) {
        const std::string base = SafeBaseName(c.typed);
        EXPECT_EQ(SafeBaseName(base), base) << "filtering twice changes nothing: " << c.typed;
        const std::string name = c.sequence == 0
                                     ? AutomaticWorkbookName(base, 123, ListedTest(1, 3, KIND_LOOP))
                                     : ProposedWorkbookName(base, c.sequence);
        EXPECT_EQ(name, c.name) << c.typed;
        EXPECT_LE((name + " (9999).xlsx").size(), 255u) << c.typed;
    }
}

// An object's name follows its number, filtered as the base name is; when the
// whole name would pass 255 bytes the object's name is cut first (by whole
// characters), then left out, and only then the base name cut.
TEST(WorkbookNames, AnObjectsNameFollowsItsNumberAndGivesWayFirst) {
    const auto han = [](int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += "\u6f22";
        return text;
    };
    const std::string id = "_T03_2026-03-05_1407_Loop";
    const struct {
        std::string base, name, expected;
    } rows[] = {
        {"Briskel", "Rue Haute 12, flat 3", "Briskel_0000123_O01_Rue Haute 12, flat 3" + id},
        {"Briskel", "a/b: c?", "Briskel_0000123_O01_a_b_ c_" + id},
        {"Briskel", "", "Briskel_0000123_O01-T03_2026-03-05_1407_Loop"},
        // 40 + 28 characters of 3 bytes: 254 bytes with " (9999).xlsx".
        {han(40), han(60), han(40) + "_0000123_O01_" + han(28) + id},
        {han(40), han(27) + "\u00e9" + han(30),
         han(40) + "_0000123_O01_" + han(27) + "\u00e9" + id},
        {han(99), han(60), han(68) + "_0000123_O01-T03_2026-03-05_1407_Loop"},
    };
    for (const auto& row : rows) {
        const std::string name =
            AutomaticWorkbookName(row.base, 123, ListedTest(1, 3, KIND_LOOP), row.name);
        EXPECT_EQ(name, row.expected);
        EXPECT_LE((name + " (9999).xlsx").size(), 255u);
    }
}
