// The emulator as the program reaches it: registered as COM 7 of the program
// directory, found among the USB bridges and opened through the program's
// own serial services.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "line_client.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/usb/bridge.h"

namespace emulator_test {
namespace {

class PlatformSerialTest : public ::testing::Test {
   protected:
    void SetUp() override {
        SetProjectDirForTesting(program_.path());
        zr8812::EmulatorOptions options;
        options.memory_dir = memory_.path();
        emulator_ = std::make_unique<zr8812::Emulator>(options);
        ASSERT_TRUE(emulator_->start());
        ASSERT_TRUE(emulator_->register_com(program_.path(), 7));
    }
    void TearDown() override {
        CloseAllComForTesting();
        emulator_.reset();
        SetProjectDirForTesting("");
    }

    static void send(int port, const std::string& bytes) {
        for (char c : bytes) ASSERT_EQ(ComWrtByte(port, static_cast<unsigned char>(c)), 1);
    }

    TempDir memory_, program_;
    std::unique_ptr<zr8812::Emulator> emulator_;
};

TEST_F(PlatformSerialTest, ComSevenIsABridgeThatAnswersModbus) {
    const auto bridges = ListBridgeDevices();
    EXPECT_TRUE(std::any_of(bridges.begin(), bridges.end(), [](const BridgeDevice& b) {
        return b.vid == 0x10C4 && b.pid == 0xEA60 && b.serial == "ZR8812-0000123" && b.comPort == 7;
    }));

    ASSERT_EQ(OpenComConfig(7, "", 9600, NO_PARITY, 8, 1, 512, 512), 0);
    SetXMode(7, 1);
    SetComTime(7, 3.0);
    send(7, kReadRegister25 + std::string(1, '\0'));
    char answer[64] = {};
    ASSERT_EQ(ComRdTerm(7, answer, sizeof answer - 1, '\n'), 14);
    EXPECT_STREQ(answer, ":0103020100F9\r");
    // The instrument answers at the frame's line end; the NUL after it may
    // still be on its way to the emulator's reader when the answer is here.
    const std::string expected = kReadRegister25 + std::string(1, '\0');
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (emulator_->received().size() < expected.size() &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_EQ(emulator_->received(), expected);

    // The port closed and opened again still reaches the same instrument.
    ASSERT_EQ(CloseCom(7), 0);
    ASSERT_EQ(OpenComConfig(7, "", 9600, NO_PARITY, 8, 1, 512, 512), 0);
    SetComTime(7, 3.0);
    send(7, kReadRegister25);
    ASSERT_EQ(ComRdTerm(7, answer, sizeof answer - 1, '\n'), 14);
}

}  // namespace
}  // namespace emulator_test
