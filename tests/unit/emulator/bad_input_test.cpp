// Whatever arrives on the line, the instrument neither crashes nor answers
// without bound, and goes on answering good requests afterwards.
#include <gtest/gtest.h>

#include <random>

#include "instrument.h"
#include "line_client.h"

namespace emulator_test {
namespace {

std::string random_bytes(std::mt19937& random, std::size_t count, const std::string& alphabet) {
    std::string bytes(count, '\0');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (auto& c : bytes) c = alphabet[pick(random)];
    return bytes;
}

std::string every_byte() {
    std::string bytes;
    for (int c = 0; c < 256; ++c) bytes += static_cast<char>(c);
    return bytes;
}

TEST(BadInput, RandomBytesInEitherModeLeaveTheInstrumentWorking) {
    TempDir memory;
    std::mt19937 random(8812);
    // Binary noise, then noise made of frame characters, so half frames,
    // bad checks and line ends come up often.
    const std::string alphabets[] = {every_byte(), ":0123456789ABCDEFabcdef \r\n",
                                     "cdlsorm -/.\r\n"};
    for (bool command_mode : {false, true}) {
        zr8812::EmulatorOptions options;
        options.memory_dir = memory.path();
        options.start_in_command_mode = command_mode;
        zr8812::Instrument instrument(options);
        for (const auto& alphabet : alphabets) {
            for (int round = 0; round < 10; ++round) {
                const std::string noise = random_bytes(random, 1000, alphabet);
                const std::string answer = instrument.receive(noise, 0);
                // Every answer is bounded by the lines that caused it.
                EXPECT_LE(answer.size(), 200 * noise.size());
            }
        }
        instrument.set_command_mode(command_mode);
        if (command_mode) {
            EXPECT_EQ(instrument.receive("\r\ncd /etc\r\n", 0).substr(0, 2), "\r\n");
            EXPECT_EQ(instrument.current_directory(), "/etc");
        } else {
            EXPECT_EQ(instrument.receive("\r\n" + kReadRegister25, 0), ":0103020100F9\r\n");
        }
    }
}

}  // namespace
}  // namespace emulator_test
