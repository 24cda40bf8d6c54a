// Modbus ASCII frames as the program builds and checks them.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "link/modbus.h"

namespace {

TEST(ModbusFrame, ReadRequestOfRegister25) {
    EXPECT_EQ(BuildModbusFrame(0x03, 25, 1, ""), ":010300190001E2\r\n");
}

TEST(ModbusFrame, FramesAreUpperCaseWithTheirCheck) {
    struct Row {
        int function;
        uint16_t address;
        int quantity;
        const char* text;
        const char* frame;
    };
    const Row rows[] = {
        // Write of the switch code into four registers, byte count 08.
        {0x10, 0x0100, 4, "5B27E0D41963F8A2", ":011001000004085B27E0D41963F8A2"},
        // Lower-case digits from the caller come out upper case.
        {0x10, 0xabcd, 4, "5b27e0d41963f8a2", ":0110ABCD0004085B27E0D41963F8A2"},
        // The confirmation is the standard write of one register.
        {0x06, 0x0100, 8, "9E3B", ":010601009E3B"},
        {0x06, 0x0100, 8, "9e3b", ":010601009E3B"},
    };
    for (const Row& row : rows) {
        const std::string frame =
            BuildModbusFrame(row.function, row.address, row.quantity, row.text);
        SCOPED_TRACE(frame);
        ASSERT_GE(frame.size(), 5u);
        EXPECT_EQ(frame.substr(0, frame.size() - 4), row.frame);
        EXPECT_EQ(frame.substr(frame.size() - 2), "\r\n");
        const std::string line = frame.substr(0, frame.size() - 2);
        EXPECT_TRUE(IsValidModbusLine(line.c_str(), line.size()));
        for (char c : line) EXPECT_FALSE(c >= 'a' && c <= 'z');
    }
}

TEST(ModbusFrame, CheckIsTheTwosComplementOfTheByteSum) {
    // -1 for a text that is not hex pairs.
    const std::pair<const char*, int> rows[] = {
        {"010300190001", 0xE2}, {"", 0x00},  {"FF", 0x01}, {"0101", 0xFE}, {"0103020100", 0xF9},
        {"ff", 0x01},           {"010", -1}, {"0G", -1},   {"0 ", -1}};
    for (const auto& [text, check] : rows)
        EXPECT_EQ(ModbusLrc(text, std::strlen(text)), check) << text;
}

TEST(ModbusFrame, AnswerLinesAreChecked) {
    struct Row {
        const char* line;
        bool valid;
        bool oneRegister;
    };
    const Row rows[] = {
        {":0103020100F9", true, true},
        {":0103020100f9", true, true},    // check digits in either case
        {":0103020100F8", false, false},  // wrong check
        {":01030201 0F9", false, false},  // a blank
        {":0103020100F", false, false},   // odd number of digits
        {"0103020100F9", false, false},   // no colon
        {":010302", false, false},        // too short for its check
        {":0103020\x80"
         "00F9",
         false, false},
        {":01030401000000F7", true, false},  // two registers
        {":010300190001E2", true, false},    // the request itself
        {":0183024A", false, false},
        {":0183027A", true, false},  // exception answer
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(IsValidModbusLine(row.line, std::strlen(row.line)), row.valid);
        EXPECT_EQ(IsOneRegisterAnswer(row.line, std::strlen(row.line)), row.oneRegister);
    }
}

}  // namespace
