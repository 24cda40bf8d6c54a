// Starting, registering, logging and stopping the emulator, in-process and
// as the zr8812-emulator program.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>

#include "line_client.h"
#include "records.h"

namespace emulator_test {
namespace {

namespace fs = std::filesystem;

std::string read_text(const std::string& path) {
    std::ifstream file(path);
    return {std::istreambuf_iterator<char>(file), {}};
}

zr8812::EmulatorOptions command_mode_options(const TempDir& memory) {
    zr8812::EmulatorOptions options;
    options.memory_dir = memory.path();
    options.start_in_command_mode = true;
    return options;
}

TEST(EmulatorLifecycle, RegistersAsAComPortAndRemovesItsFiles) {
    TempDir memory, program;
    const std::string link = program.path() + "/dosdevices/com7";
    {
        zr8812::Emulator emulator(command_mode_options(memory));
        EXPECT_FALSE(emulator.register_com(program.path(), 7)) << "not started";
        ASSERT_TRUE(emulator.start());
        ASSERT_TRUE(emulator.register_com(program.path(), 7));
        EXPECT_EQ(fs::read_symlink(link).string(), emulator.device_path());
        EXPECT_EQ(read_text(link + ".usb"), "10c4 ea60 ZR8812-0000123\n");

        LineClient client(link);
        ASSERT_TRUE(client.is_open());
        EXPECT_EQ(client.command("cd /etc"), "cd /etc\r\nkorvid:/etc$ ");

        emulator.unregister_com();
        EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
        EXPECT_FALSE(fs::exists(link + ".usb"));
        ASSERT_TRUE(emulator.register_com(program.path(), 7, "SN-9"));
        EXPECT_EQ(read_text(link + ".usb"), "10c4 ea60 SN-9\n");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "the destructor unregisters";
    EXPECT_FALSE(fs::exists(link + ".usb"));
}

TEST(EmulatorLifecycle, StopHangsUpTheLineAndCanBeRepeated) {
    TempDir memory;
    zr8812::Emulator emulator(command_mode_options(memory));
    ASSERT_TRUE(emulator.start());
    EXPECT_FALSE(emulator.start()) << "already running";
    LineClient client(emulator.device_path());
    EXPECT_EQ(client.command(""), "\r\nkorvid:/$ ");
    EXPECT_FALSE(client.hung_up());
    emulator.stop();
    EXPECT_FALSE(emulator.running());
    EXPECT_TRUE(client.hung_up());
    emulator.stop();
    ASSERT_TRUE(emulator.start());
    LineClient again(emulator.device_path());
    EXPECT_EQ(again.command(""), "\r\nkorvid:/$ ");
}

TEST(EmulatorLifecycle, WireLogHoldsEveryByteWithItsTime) {
    TempDir memory;
    zr8812::EmulatorOptions options = command_mode_options(memory);
    std::mutex mutex;
    std::string monitored;
    options.monitor = [&](const zr8812::WireEvent& event) {
        std::lock_guard lock(mutex);
        monitored += event.incoming ? "<" : ">";
    };
    zr8812::Emulator emulator(options);
    ASSERT_TRUE(emulator.start());
    LineClient client(emulator.device_path());
    client.command("cd /etc");
    const std::string sent_by_program("cd /etc\r\n\0", 10);
    EXPECT_EQ(emulator.received(), sent_by_program);
    EXPECT_EQ(emulator.sent(), "cd /etc\r\nkorvid:/etc$ ");
    const auto log = emulator.wire_log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_TRUE(log.front().incoming);
    EXPECT_FALSE(log.back().incoming);
    for (std::size_t i = 1; i < log.size(); ++i) EXPECT_GE(log[i].seconds, log[i - 1].seconds);
    emulator.clear_log();
    EXPECT_TRUE(emulator.wire_log().empty());
    emulator.stop();  // joins the thread: every monitor call is done
    EXPECT_EQ(monitored.front(), '<');
    EXPECT_EQ(monitored.back(), '>');
}

TEST(EmulatorLifecycle, PacedOutputKeepsToTheLineRate) {
    TempDir memory;
    zr8812::EmulatorOptions options = command_mode_options(memory);
    options.paced = true;
    zr8812::Emulator emulator(options);
    ASSERT_TRUE(emulator.start());
    LineClient client(emulator.device_path());
    const std::string answer = client.command("ident");
    ASSERT_EQ(answer.substr(answer.size() - 10), "korvid:/$ ");
    double first = -1, last = 0;
    for (const auto& event : emulator.wire_log()) {
        if (event.incoming) continue;
        if (first < 0) first = event.seconds;
        last = event.seconds;
    }
    EXPECT_GE(last - first, 0.9 * (answer.size() - 1) / 960.0);
}

// The zr8812-emulator program, run as a person would.
class EmulatorProgram : public ::testing::Test {
   protected:
    void SetUp() override {
        if (!fs::exists(kEmulatorProgram)) GTEST_SKIP() << kEmulatorProgram << " not built";
    }
};

TEST_F(EmulatorProgram, WritesASampleMemory) {
    TempDir target;
    std::unique_ptr<LineClient> output;
    const pid_t pid = launch(kEmulatorProgram, {"--make-sample", target.path()}, output);
    EXPECT_EQ(wait_exit(pid), 0);
    EXPECT_TRUE(fs::exists(target.path() + "/02/01.l"));
}

TEST_F(EmulatorProgram, ServesComSevenUntilCtrlC) {
    TempDir memory, program;
    ASSERT_TRUE(zr8812::make_sample_memory(memory.path()));
    std::unique_ptr<LineClient> output;
    const pid_t pid = launch(kEmulatorProgram,
                             {"--memory", memory.path(), "--com", "7", "--program-dir",
                              program.path(), "--start-in-command-mode"},
                             output);
    const std::string banner = output->read_until("Ctrl-C stops it.\n");
    ASSERT_NE(banner.find("Registered as COM7"), std::string::npos) << banner;
    const std::string link = program.path() + "/dosdevices/com7";
    {
        LineClient client(link);
        EXPECT_NE(client.command("ident").find("Modele : ZR8812\r\n"), std::string::npos);
    }
    EXPECT_NE(output->read_until("<< ident\\r\\n\\x00").find("<< ident"), std::string::npos);
    kill(pid, SIGINT);
    EXPECT_EQ(wait_exit(pid), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    EXPECT_FALSE(fs::exists(link + ".usb"));
}

}  // namespace
}  // namespace emulator_test
