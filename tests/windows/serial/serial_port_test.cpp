// The serial services on Windows, against the emulated instrument: the Linux
// emulator program serves a pseudo-terminal linked into the Wine prefix as
// dosdevices/com7, which Wine opens as COM7 (tests/windows/wine.sh). The
// instrument starts in command mode and pulls its cable when "ls -l" arrives,
// so the test of a vanishing port comes last.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>

#include <cstring>
#include <string>

#include "platform/serial/serial.h"
#include "platform/system/system.h"

namespace {

constexpr int kInstrumentCom = 7;

class SerialPort : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_EQ(OpenComConfig(kInstrumentCom, "", 9600, NO_PARITY, 8, 1, 512, 512), 0);
        ASSERT_EQ(SetXMode(kInstrumentCom, 1), 0);
        ASSERT_EQ(SetComTime(kInstrumentCom, 2.0), 0);
    }
    void TearDown() override { CloseAllComForTesting(); }

    void Send(const std::string& line) {
        for (char c : line) ASSERT_EQ(ComWrtByte(kInstrumentCom, c), 1);
    }
    // Reads until the prompt ends the answer, as the exchange does.
    std::string Answer() {
        char buffer[8192];
        const int n = ComRdUntil(kInstrumentCom, buffer, sizeof buffer,
                                 [](const char* bytes, std::size_t length) {
                                     const std::string text(bytes, length);
                                     return length >= 2 && text.find("korvid:") != std::string::npos &&
                                            text.compare(length - 2, 2, "$ ") == 0;
                                 });
        return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
    }
};

}  // namespace

TEST(SerialPortNumbers, APortWithoutADeviceIsInvalid) {
    EXPECT_EQ(OpenComConfig(9, "", 9600, NO_PARITY, 8, 1, 512, 512), RS232_INVALID_PORT);
    EXPECT_EQ(ReturnRS232Err(), RS232_INVALID_PORT);
    EXPECT_EQ(OpenComConfig(0, "", 9600, NO_PARITY, 8, 1, 512, 512), RS232_INVALID_PORT);
    EXPECT_FALSE(IsComOpen(9));
    EXPECT_TRUE(ComPortLost(9));
}

TEST_F(SerialPort, AnAnswerEndsAtItsPromptNotAtTheTimeOut) {
    Send("cd /etc/mem\r");
    const std::string answer = Answer();
    EXPECT_EQ(ReturnRS232Err(), RS232_NO_ERROR);
    EXPECT_EQ(answer, "cd /etc/mem\r\nkorvid:/etc/mem$ ");
    // Nothing more is on its way: a read for more ends at the time-out.
    SetComTime(kInstrumentCom, 0.2);
    char rest[16];
    EXPECT_EQ(ComRd(kInstrumentCom, rest, sizeof rest), 0);
    EXPECT_EQ(ReturnRS232Err(), RS232_TIMEOUT);
    EXPECT_FALSE(ComPortLost(kInstrumentCom));
}

TEST_F(SerialPort, ATerminatedReadStopsAtTheTerminatorAndKeepsTheRest) {
    Send("cd /etc\r");
    char line[64] = {};
    const int n = ComRdTerm(kInstrumentCom, line, sizeof line, '\n');
    EXPECT_EQ(std::string(line, static_cast<std::size_t>(n)), "cd /etc\r");
    EXPECT_EQ(ReturnRS232Err(), RS232_NO_ERROR);
    EXPECT_EQ(Answer(), "korvid:/etc$ ");
    FlushInQ(kInstrumentCom);
}

TEST_F(SerialPort, AnUnknownCommandGetsItsErrorAndThePrompt) {
    Send("frobnicate\r");
    const std::string answer = Answer();
    EXPECT_EQ(ReturnRS232Err(), RS232_NO_ERROR);
    EXPECT_NE(answer.find("sh: frobnicate: Error: not found"), std::string::npos) << answer;
}

// Windows' word that the device was removed, as Windows sends it to the
// window that watches the port's handle (Wine has no plug and play to send
// it), closes the port at once: it reads as gone, so the link looks for the
// instrument again. (That the handle is closed only Windows shows: Wine lets
// a second program open a port that is open.)
TEST_F(SerialPort, ADeviceRemovedClosesThePortAtOnce) {
    const HWND watch = FindWindowExW(HWND_MESSAGE, nullptr, L"BriskelSerialRemovalWatch", nullptr);
    ASSERT_NE(watch, nullptr) << "nobody listens for the removal of the port's device";
    DEV_BROADCAST_HANDLE removed{};
    removed.dbch_size = sizeof removed;
    removed.dbch_devicetype = DBT_DEVTYP_HANDLE;
    EXPECT_EQ(SendMessageW(watch, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                           reinterpret_cast<LPARAM>(&removed)),
              TRUE);
    EXPECT_TRUE(ComPortLost(kInstrumentCom));
    EXPECT_FALSE(IsComOpen(kInstrumentCom));
    EXPECT_EQ(ComWrtByte(kInstrumentCom, '\r'), RS232_PORT_NOT_OPEN);
}

// Last: the instrument pulls its cable when "ls -l" arrives.
TEST_F(SerialPort, ZAPortThatVanishesIsToldApartFromAReadThatTimedOut) {
    SetComTime(kInstrumentCom, 0.5);
    Send("ls -l /etc/mem\r");
    char buffer[256];
    ComRd(kInstrumentCom, buffer, sizeof buffer);
    EXPECT_TRUE(ComPortLost(kInstrumentCom));
    EXPECT_LT(ComWrtByte(kInstrumentCom, '\r'), 0);
}
