// The emulated instrument in Modbus ASCII mode, through a real pseudo-terminal.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "line_client.h"
#include "modbus_slave.h"

namespace emulator_test {
namespace {

const std::string kRegister25Answer = ":0103020100F9\r\n";

class ModbusTest : public EmulatedLine {
   protected:
    void SetUp() override { start({}); }

    // The instrument answers requests in order: when the answer to a good
    // request is the first thing that comes back, the bad one got none.
    void expect_no_answer_to(const std::string& bytes) {
        client_->send(bytes);
        client_->send(kReadRegister25 + std::string(1, '\0'));
        EXPECT_EQ(client_->read_until("\r\n"), kRegister25Answer);
    }

    std::string exchange(const std::string& request) {
        client_->send(request + std::string(1, '\0'));
        return client_->read_until("\r\n");
    }

    void switch_to_command_mode() {
        ASSERT_EQ(exchange(kReadRegister25), kRegister25Answer);
        ASSERT_EQ(exchange(LineClient::frame(kSwitchCodeBody)), ":011001000004EA\r\n");
        ASSERT_EQ(exchange(LineClient::frame(kConfirmBody)), LineClient::frame(kConfirmBody));
    }
};

TEST(ModbusFrame, CheckIsTheTwosComplementOfTheByteSum) {
    EXPECT_EQ(zr8812::modbus::lrc({0x01, 0x03, 0x00, 0x19, 0x00, 0x01}), 0xE2);
    EXPECT_EQ(zr8812::modbus::frame({0x01, 0x03, 0x00, 0x19, 0x00, 0x01}), kReadRegister25);
    EXPECT_EQ(LineClient::frame("010300190001"), kReadRegister25);
}

TEST_F(ModbusTest, Register25HoldsTheSwitchBlockAddressInEitherCase) {
    EXPECT_EQ(exchange(kReadRegister25), kRegister25Answer);
    EXPECT_EQ(exchange(":010300190001e2\r\n"), kRegister25Answer);
    zr8812::EmulatorOptions options;
    options.switch_block = 0x0A20;
    start(options);
    EXPECT_EQ(exchange(kReadRegister25), zr8812::modbus::frame({0x01, 0x03, 0x02, 0x0A, 0x20}));
}

TEST_F(ModbusTest, StaysSilentOnAnythingThatIsNotAValidFrame) {
    const std::string bad_frames[] = {
        ":010300190001E3\r\n",   // wrong check
        ":0103 00190001E2\r\n",  // a blank
        ":0106"
        "0100"
        "9E3B    "
        "9F\r\n",                                    // value field padded with blanks
        ":010300190001E\r\n",                        // odd number of digits
        LineClient::frame("020300190001"),           // another slave
        "\r\n",                                      // a lone line end
        ":010300190001E2\n",                         // LF without CR
        ":010300190001E2\r",                         // CR without LF (the next ":" restarts)
        std::string("\xff\x80garbage\x01\x02", 12),  // no frame at all
        ":" + std::string(5000, '0') + "\r\n",       // far too long
        LineClient::frame("0103"),                   // too short for its function
    };
    for (const auto& bad : bad_frames) {
        SCOPED_TRACE(bad.substr(0, 40));
        expect_no_answer_to(bad);
    }
}

TEST_F(ModbusTest, NulBytesBetweenFramesAreIgnored) {
    client_->send(std::string(3, '\0'));
    EXPECT_EQ(exchange(std::string(1, '\0') + kReadRegister25), kRegister25Answer);
}

TEST_F(ModbusTest, OtherRegistersAndFunctionsGetExceptionAnswers) {
    EXPECT_EQ(exchange(LineClient::frame("010300200001")), ":0183027A\r\n");
    EXPECT_EQ(exchange(LineClient::frame("010100190001")), LineClient::frame("018101"));
    EXPECT_EQ(exchange(LineClient::frame("011002000004085B27E0D41963F8A2")),
              LineClient::frame("019002"));
}

TEST_F(ModbusTest, SwitchSequenceMovesToCommandMode) {
    switch_to_command_mode();
    EXPECT_TRUE(emulator_->in_command_mode());
    client_->send("\r\n");
    EXPECT_EQ(client_->read_until("$ "), "\r\nkorvid:/$ ");
}

TEST_F(ModbusTest, ConfirmationWithoutTheRightSwitchCodeStaysInModbus) {
    struct Case {
        const char* name;
        std::string switch_write;  // "" = none
        std::string confirmation;
    };
    const Case cases[] = {
        {"wrong switch code", "011001000004085B27E0D41963F8A3", kConfirmBody},
        {"no switch code", "", kConfirmBody},
        {"wrong confirmation", kSwitchCodeBody, "010601009E3C"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.switch_write.empty()) {
            EXPECT_EQ(exchange(LineClient::frame(c.switch_write)), ":011001000004EA\r\n");
        }
        EXPECT_EQ(exchange(LineClient::frame(c.confirmation)), LineClient::frame(c.confirmation));
        EXPECT_FALSE(emulator_->in_command_mode());
        EXPECT_EQ(exchange(kReadRegister25), kRegister25Answer);
    }
}

TEST_F(ModbusTest, FrameSentInCommandModeComesBackWithThePrompt) {
    zr8812::EmulatorOptions options;
    options.start_in_command_mode = true;
    start(options);
    client_->send(kReadRegister25 + std::string(1, '\0'));
    EXPECT_EQ(client_->read_until("$ "),
              ":010300190001E2\r\nsh: :010300190001E2: Error: not found\r\nkorvid:/$ ");
}

TEST_F(ModbusTest, FaultsChangeTheAnswersAsAsked) {
    emulator_->set_fault(zr8812::Fault::Register25FFFF);
    EXPECT_EQ(exchange(kReadRegister25), LineClient::frame("010302FFFF"));
    emulator_->set_fault(zr8812::Fault::None);

    emulator_->set_fault(zr8812::Fault::WrongLrc);
    const std::string wrong = exchange(kReadRegister25);
    ASSERT_EQ(wrong.size(), kRegister25Answer.size());
    EXPECT_EQ(wrong.substr(0, 11), kRegister25Answer.substr(0, 11));
    EXPECT_NE(wrong, kRegister25Answer);
    emulator_->clear_fault(zr8812::Fault::WrongLrc);

    emulator_->set_fault(zr8812::Fault::HighBitInModbus, "03", 1);
    const std::string high = exchange(kReadRegister25);
    EXPECT_TRUE(std::any_of(high.begin(), high.end(), [](char c) { return (c & 0x80) != 0; }));
    EXPECT_EQ(exchange(kReadRegister25), kRegister25Answer);  // counted: once only

    emulator_->set_fault(zr8812::Fault::ErrorAnswer, "03");
    EXPECT_EQ(exchange(kReadRegister25), LineClient::frame("018304"));
    EXPECT_EQ(exchange(kReadRegister25), LineClient::frame("018304"));
    emulator_->set_fault(zr8812::Fault::None);

    emulator_->set_fault(zr8812::Fault::StopMidAnswer);  // the next answer only
    client_->send(kReadRegister25);
    EXPECT_EQ(exchange(kReadRegister25), kRegister25Answer.substr(0, 8) + kRegister25Answer);
}

TEST_F(ModbusTest, SilentInstrumentNeverAnswers) {
    emulator_->set_fault(zr8812::Fault::Silent, "", 2);
    client_->send(kReadRegister25 + kReadRegister25 + kReadRegister25);
    EXPECT_EQ(client_->read_until("\r\n"), kRegister25Answer);
    const std::string sent = emulator_->sent();
    EXPECT_EQ(sent, kRegister25Answer);
}

}  // namespace
}  // namespace emulator_test
