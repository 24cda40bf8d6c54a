// The answer filter and the dump translation, over answers as the instrument
// sends them and over cut or foreign ones.
#include "link/answer_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Filter(const std::string& answer) {
    std::vector<char> out(40000);
    const std::size_t n = FilterAnswer(answer.data(), answer.size(), out.data(), out.size());
    EXPECT_EQ(n, std::string(out.data()).size());
    return out.data();
}

std::string Dump(const std::string& answer, std::size_t outSize = 40000) {
    std::vector<char> out(outSize);
    const std::size_t n = TranslateDump(answer.data(), answer.size(), out.data(), out.size());
    EXPECT_EQ(n, std::string(out.data()).size());
    return out.data();
}

TEST(AnswerFilter, KeepsLettersDigitsAndSignsThroughTheModelCode) {
    struct Row {
        std::string answer;
        std::string kept;
    };
    const std::vector<Row> rows = {
        {"ls -l\r\ntotal 0\r\nkorvid:/etc/mem$ ", "ls-ltotal0k"},
        {"ident\r\nserial number = 123\r\nKORVID:/$ ", "identserialnumber=123K"},
        {"a,b;c!d+e*f\tg\r\nkorvid", "abcd+e*fgk"},
        // Without the model code the filter stops after position 12.
        {"ls -l\r\ntotal 12345678", "ls-ltotal"},
        {"", ""},
        // A NUL hides the prompt: the fixed 13 first positions are walked.
        {std::string("ab\0cd korvid", 12), "abcdkorvid"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(Filter(row.answer), row.kept);
    }
}

TEST(AnswerFilter, OutputIsBoundedByItsBuffer) {
    const std::string answer = std::string(50000, 'x') + "korvid";
    std::vector<char> out(100, '#');
    EXPECT_EQ(FilterAnswer(answer.data(), answer.size(), out.data(), out.size()), 99u);
    EXPECT_EQ(out[99], '\0');
}

const char* const kDumpOf6Bytes =
    "od -hxv /etc/mem/03/12.l\r\n"
    "0000000 0201 0403 0605\r\n"
    "0000006\r\n"
    "korvid:/etc/mem/03$ ";

TEST(DumpTranslation, KeepsTheGroupsOfEveryLineWithoutOffsetEchoOrPrompt) {
    EXPECT_EQ(Dump(kDumpOf6Bytes), "020104030605");

    std::string full = "od -hxv /etc/mem/01/01.a\r\n";
    std::string expected;
    for (int line = 0; line < 4; ++line) {
        char offset[16];
        std::snprintf(offset, sizeof offset, "%07o", line * 16);
        full += offset;
        for (int word = 0; word < 8; ++word) {
            char group[8];
            std::snprintf(group, sizeof group, " %04x", line * 0x1000 + word * 0x0111 + 0xa);
            full += group;
            expected += group + 1;
        }
        full += "\r\n";
    }
    full += "0000100\r\nkorvid:/etc/mem/01$ ";
    const std::string digits = Dump(full);
    EXPECT_EQ(digits.size(), 4u * 32u);
    EXPECT_EQ(digits, expected);
}

TEST(DumpTranslation, CutOrForeignAnswersGiveNothingOrWholeLinesOnly) {
    struct Row {
        std::string answer;
        std::string digits;
    };
    const std::vector<Row> rows = {
        // No prompt: only the first 12 characters are looked at.
        {"0000000 0201 0403 0605\r\n0000006\r\n", ""},
        // A dump cut by the prompt is no file: nothing is written.
        {"0000000 0201 0403 0605\r\n0000006 0a0b 0c0korvid", ""},
        // An error answer holds no run of seven digits.
        {"od -hxv /etc/mem/03/99.l\r\nod: Error: /etc/mem/03/99.l: no such file\r\nkorvid:/$ ", ""},
        // LF line ends and a shorter last line.
        {"0000000 aaaa bbbb\n0000004\nkorvid", "aaaabbbb"},
        {"korvid", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(Dump(row.answer), row.digits);
    }
}

TEST(DumpTranslation, ManyLinesBeforeTheFinalOffsetAddNoPromptText) {
    // Many full lines give the walk plenty of room past the last offset line;
    // the prompt must still not reach the digits.
    std::string answer;
    for (int line = 0; line < 200; ++line) {
        char offset[16];
        std::snprintf(offset, sizeof offset, "%07o", line * 16);
        answer += std::string(offset) + " 1111 2222 3333 4444 5555 6666 7777 8888\r\n";
    }
    answer += "0006200\r\nkorvid:/etc/mem/03$ ";
    const std::string digits = Dump(answer);
    EXPECT_EQ(digits.size(), 200u * 32u);
    EXPECT_EQ(digits.find_first_not_of("12345678"), std::string::npos);
}

TEST(DumpTranslation, ADumpBeyondTheScanLimitOrTheOutputBufferGivesNothing) {
    std::string answer;
    int line = 0;
    while (answer.size() < 60000) {
        char offset[16];
        std::snprintf(offset, sizeof offset, "%07o", (line++ * 16) & 07777777);
        answer += std::string(offset) + " 0001 0002 0003 0004 0005 0006 0007 0008\r\n";
    }
    char last[16];
    std::snprintf(last, sizeof last, "%07o\r\n", line * 16);
    answer += std::string(last) + "korvid";
    // Its end lies beyond the scan limit: the dump is not whole.
    EXPECT_EQ(Dump(answer), "");
    // A whole dump too long for the output buffer is not taken either.
    const std::string small = answer.substr(0, 2 * 49) + "0000040\r\nkorvid";
    EXPECT_EQ(Dump(small).size(), 64u);
    EXPECT_EQ(Dump(small, 60).size(), 0u);
}

}  // namespace
