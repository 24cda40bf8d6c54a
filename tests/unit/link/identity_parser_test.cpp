// The status value and identity parsers.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "link/answer_filter.h"
#include "link/status_identity.h"

namespace {

TEST(StatusValueParser, TakesTheDigitsAfterTheEqualSign) {
    struct Row {
        std::string bytes;  // the four bytes after "="
        int width;
        int value;
        std::string taken;
    };
    const std::vector<Row> rows = {
        {" 25\r", 2, 25, "25"}, {"5\r\n", 2, 5, "5\r"}, {"  ab", 2, 0, ""}, {"   7", 2, 7, "7"},
        {"1\r\nk", 1, 1, "1"},  {" 0\r\n", 1, 0, "0"},  {"", 2, 0, ""},     {"99\r\n", 2, 99, "99"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        char taken[3] = {'#', '#', '#'};
        EXPECT_EQ(StatusValue(row.bytes.data(), row.bytes.size(), row.width, taken), row.value);
        EXPECT_EQ(std::string(taken), row.taken);
    }
}

const char* const kIdentAnswer =
    "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\n"
    "serial number = 123\r\nfab ident = 0101\r\nsub ident = 0002\r\nkorvid:/$ ";

int Parse(const std::string& answer, IdentityFields& f) {
    std::vector<char> text(40000);
    const std::size_t n = FilterAnswer(answer.data(), answer.size(), text.data(), text.size());
    return ParseIdentity(text.data(), n, f);
}

TEST(IdentityParser, ReadsEveryFieldInOrder) {
    IdentityFields f;
    ASSERT_EQ(Parse(kIdentAnswer, f), 0);
    // Printed digits are read as hexadecimal.
    EXPECT_EQ(
        std::make_tuple(std::string(f.model), f.hardware, std::string(f.firmware), f.serial, f.fab,
                        f.sub),
        std::make_tuple(std::string("ZR8812"), 0x12, std::string("1.05"), 123, 0x0101, 0x0002));
}

TEST(IdentityParser, MalformedAnswersFailWithoutReadingPastTheText) {
    struct Row {
        const char* what;
        std::string answer;
    };
    const std::vector<Row> rows = {
        {"last field missing",
         "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\nserial "
         "number = 123\r\n"
         "fab ident = 0101\r\nsub ident =\r\nkorvid:/$ "},
        {"cut without prompt", "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\n"},
        {"Modele without ZR",
         "ident\r\nModele : XY8812\r\nfab ident = 1\r\nsub ident = 2\r\nkorvid"},
        {"ZR without digits",
         "ident\r\nModele : ZRabcd\r\nfab ident = 1\r\nsub ident = 2\r\nkorvid"},
        {"hardware too long",
         "Modele : ZR8812\r\nversion hardware = 12345\r\nfab ident = 1\r\nsub ident = 2\r\nkorvid"},
        {"firmware too long",
         "Modele : ZR8812\r\nversion firmware = 1.2.3.4.5.6\r\nfab = 1\r\nsub = 2\r\nkorvid"},
        {"serial too long",
         "Modele : ZR8812\r\nserial number = 123456789012\r\nfab = 1\r\nsub = 2\r\nkorvid"},
        {"serial above 32 bits",
         "Modele : ZR8812\r\nserial number = 99999999999\r\nfab = 1\r\nsub = 2\r\nkorvid"},
        {"fab ident too long", "Modele : ZR8812\r\nfab ident = 01010\r\nsub ident = 2\r\nkorvid"},
        {"nothing", "korvid"},
        {"garbage", "\x01\x02\x03==== korvid"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        IdentityFields f;
        EXPECT_EQ(Parse(row.answer, f), -1);
    }
}

TEST(IdentityParser, MissingKeywordsSkipOnlyTheirOwnField) {
    IdentityFields f;
    ASSERT_EQ(Parse("ident\r\nModele : ZR8812\r\nserial number = 4567\r\nfab ident = 0A\r\nsub "
                    "ident = 7\r\nkorvid",
                    f),
              0);
    EXPECT_STREQ(f.model, "ZR8812");
    // fab "0A": the run of digits stops at the letter.
    EXPECT_EQ(std::make_tuple(f.has_hardware, f.has_firmware, f.serial, f.fab, f.sub),
              std::make_tuple(false, false, 4567, 0x0, 0x7));

    IdentityFields m;
    ASSERT_EQ(Parse("Modele : ZRX ZR9912\r\nfab = 1\r\nsub = 2\r\nkorvid", m), 0);
    EXPECT_STREQ(m.model, "ZR9912");  // the first "ZR" followed by a digit

    IdentityFields g;
    EXPECT_EQ(Parse("x = 12\r\ny = 34\r\nkorvid", g), 0);
    EXPECT_EQ(std::make_tuple(g.has_model, g.fab, g.sub), std::make_tuple(false, 0x12, 0x34));
}

}  // namespace
