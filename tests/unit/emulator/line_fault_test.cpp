// The faults of the line: the cable pulled at a command or after a count of
// bytes and plugged back in, answers turned into noise, a restart in Modbus
// mode; and the same switches from the command line.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "line_client.h"
#include "records.h"

namespace emulator_test {
namespace {

namespace fs = std::filesystem;

class LineFaults : public ::testing::Test {
   protected:
    void SetUp() override {
        ASSERT_TRUE(zr8812::make_sample_memory(memory_.path()));
        zr8812::EmulatorOptions options;
        options.memory_dir = memory_.path();
        options.start_in_command_mode = true;
        emulator_ = std::make_unique<zr8812::Emulator>(options);
        ASSERT_TRUE(emulator_->start());
        ASSERT_TRUE(emulator_->register_com(program_.path(), 7));
    }
    std::string Link() const { return program_.path() + "/dosdevices/com7"; }

    TempDir memory_, program_;
    std::unique_ptr<zr8812::Emulator> emulator_;
};

TEST_F(LineFaults, CablePulledInAnAnswerHangsUpAndUnregistersUntilPluggedBack) {
    const std::string first_device = emulator_->device_path();
    LineClient client(Link());
    ASSERT_TRUE(client.is_open());
    const std::string whole = client.command("od -hxv /etc/mem/01/01.a");
    ASSERT_GT(whole.size(), 100u);

    emulator_->unplug_at("od -hxv /etc/mem/01/01", 40);
    client.send("od -hxv /etc/mem/01/01.a\r\n");
    EXPECT_EQ(client.read_until(whole.substr(0, 40)), whole.substr(0, 40));
    ASSERT_TRUE(emulator_->wait_unplugged());
    EXPECT_EQ(client.read_until("$ ", 100), "") << "nothing more than the 40 bytes";
    EXPECT_TRUE(client.hung_up());
    EXPECT_FALSE(emulator_->plugged());
    EXPECT_FALSE(fs::exists(fs::symlink_status(Link())));
    EXPECT_FALSE(fs::exists(Link() + ".usb"));
    EXPECT_FALSE(fs::exists(first_device)) << "the device itself is gone";

    // Plugged back in: a new line, registered again, the instrument as it was.
    ASSERT_TRUE(emulator_->plug_back());
    EXPECT_TRUE(emulator_->plugged());
    EXPECT_EQ(fs::read_symlink(Link()).string(), emulator_->device_path());
    EXPECT_TRUE(fs::exists(Link() + ".usb"));
    LineClient again(Link());
    EXPECT_EQ(again.command("od -hxv /etc/mem/01/01.a"), whole);
}

TEST_F(LineFaults, CablePulledAfterACountOfBytesOrAtOnce) {
    LineClient client(Link());
    client.command("cd /etc/mem");
    emulator_->unplug_after_bytes(10);
    client.send("ls -l\r\n");
    EXPECT_EQ(client.read_until("ls -l\r\ndrw"), "ls -l\r\ndrw");
    ASSERT_TRUE(emulator_->wait_unplugged());
    EXPECT_EQ(client.read_until("$ ", 100), "");
    EXPECT_TRUE(client.hung_up());

    ASSERT_TRUE(emulator_->plug_back());
    LineClient again(Link());
    EXPECT_EQ(again.command("cd /etc"), "cd /etc\r\nkorvid:/etc$ ");
    emulator_->unplug();
    ASSERT_TRUE(emulator_->wait_unplugged());
    EXPECT_TRUE(again.hung_up());
}

TEST_F(LineFaults, NoiseAndRestartInModbusMode) {
    LineClient client(Link());
    emulator_->set_fault(zr8812::Fault::Garbage, "ls");
    client.send("ls -l\r\n");
    const std::string noise = client.read_until("korvid", 300);
    EXPECT_FALSE(noise.empty());
    EXPECT_EQ(noise.find("korvid"), std::string::npos) << "noise never holds the prompt";
    emulator_->clear_fault(zr8812::Fault::Garbage);
    EXPECT_EQ(client.command("cd /etc"), "cd /etc\r\nkorvid:/etc$ ");

    emulator_->set_fault(zr8812::Fault::ModbusRestart, "btb");
    client.send("btb status.RotPos\r\n");
    EXPECT_EQ(client.read_until("$ ", 300), "") << "the command that met the restart gets nothing";
    EXPECT_FALSE(emulator_->in_command_mode());
    client.send(kReadRegister25);
    EXPECT_EQ(client.read_until("\r\n"), ":0103020100F9\r\n") << "a Modbus slave again";
}

// Waits for `condition`, looking every millisecond, five seconds at most (the
// other side runs on its own thread or in its own process).
template <typename Condition>
bool Eventually(Condition condition) {
    for (int i = 0; i < 5000 && !condition(); ++i) ::poll(nullptr, 0, 1);
    return condition();
}

TEST(LineFaultOptions, TheProgramPullsAtACommandAndPlugsBackOnSignals) {
    if (!fs::exists(kEmulatorProgram)) GTEST_SKIP() << kEmulatorProgram << " not built";
    TempDir memory, folder;
    ASSERT_TRUE(zr8812::make_sample_memory(memory.path()));
    const std::string link = folder.path() + "/dosdevices/com3";
    std::unique_ptr<LineClient> output;
    const pid_t child =
        launch(kEmulatorProgram,
               {"--memory", memory.path(), "--com", "3", "--program-dir", folder.path(),
                "--start-in-command-mode", "--unplug-at", "rm", "--garbage", "ident"},
               output);
    ASSERT_GT(child, 0);
    ASSERT_NE(output->read_until("Ctrl-C stops it.\n").find("Registered as COM3"),
              std::string::npos);
    {
        LineClient client(link);
        client.send("ident\r\n");
        EXPECT_EQ(client.read_until("korvid", 300).find("ZR8812"), std::string::npos);
        client.send("rm /etc/mem/01/01.a\r\n");
        EXPECT_TRUE(Eventually([&] { return client.hung_up(); }));
        EXPECT_TRUE(Eventually([&] { return !fs::exists(fs::symlink_status(link)); }));
        // The command reached the instrument, which carried it out; its answer
        // never came back.
        EXPECT_FALSE(fs::exists(memory.path() + "/01/01.a"));
    }
    kill(child, SIGUSR2);
    EXPECT_NE(output->read_until("plugged back in").find("plugged back in"), std::string::npos);
    {
        LineClient client(link);
        EXPECT_EQ(client.command("cd /etc"), "cd /etc\r\nkorvid:/etc$ ");
    }
    kill(child, SIGUSR1);
    EXPECT_NE(output->read_until("Cable pulled.\n").find("Cable pulled."), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    kill(child, SIGTERM);
    EXPECT_EQ(wait_exit(child), 0);
}

}  // namespace
}  // namespace emulator_test
