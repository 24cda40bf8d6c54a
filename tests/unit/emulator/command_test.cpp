// The emulated instrument in command mode: each command's exact answer over
// a small memory, through a real pseudo-terminal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "command_shell.h"
#include "line_client.h"
#include "memory_fs.h"
#include "records.h"

namespace emulator_test {
namespace {

using zr8812::local_time;

void set_time(const std::string& path, std::time_t when) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

const std::time_t kNow = local_time(2026, 12, 7, 12, 0);

class CommandTest : public EmulatedLine {
   protected:
    void SetUp() override {
        const std::string& mem = memory_.path();
        ASSERT_TRUE(zr8812::write_test(mem, 3, 1, 'a', std::vector<uint8_t>(50, 0),
                                       local_time(2026, 10, 5, 14, 7)));
        ASSERT_TRUE(zr8812::write_test(mem, 3, 12, 'l', std::vector<uint8_t>(118, 0),
                                       local_time(2008, 11, 5, 10, 30)));
        ASSERT_TRUE(zr8812::write_test(mem, 3, 20, 'r', {1, 2, 3, 4, 5, 6}, kNow));
        ASSERT_TRUE(zr8812::write_object(mem, 8, local_time(2009, 1, 2, 0, 0)));
        ASSERT_TRUE(zr8812::write_object(mem, 3, local_time(2026, 8, 5, 14, 7)));
        set_time(mem, kNow - 24 * 3600);
        zr8812::EmulatorOptions options;
        options.start_in_command_mode = true;
        options.fixed_clock = kNow;
        options.identity.model = "ZR8812";
        options.identity.serial = 4567;
        start(options);
    }

    // Echo, CR LF, output, prompt.
    static std::string answer(const std::string& line, const std::string& output,
                              const std::string& cwd) {
        return line + "\r\n" + output + "korvid:" + cwd + "$ ";
    }

    struct Step {
        std::string line;
        std::string output;
        std::string cwd;  // after the command
    };
    void run(const std::vector<Step>& steps) {
        for (const auto& step : steps) {
            SCOPED_TRACE(step.line);
            EXPECT_EQ(client_->command(step.line), answer(step.line, step.output, step.cwd));
        }
    }
};

TEST_F(CommandTest, ListingsFollowTheInstrumentFormat) {
    run({
        {"", "", "/"},
        {"ls -l", "drwxr-xr-x    1 0        0               0 Dec 06 12:00 etc\r\ntotal 1\r\n",
         "/"},
        {"cd /etc/mem/", "", "/etc/mem"},
        {"ls -l",
         "drwxr-xr-x    1 0        0               0 Aug 05 14:07 03\r\n"
         "drwxr-xr-x    1 0        0               0 Jan 02  2009 08\r\n"
         "total 2\r\n",
         "/etc/mem"},
        {"cd 03", "", "/etc/mem/03"},
        {"ls -l",
         "-rw-r--r--    1 0        0              50 Oct 05 14:07 01.a\r\n"
         "-rw-r--r--    1 0        0             118 Nov 05  2008 12.l\r\n"
         "-rw-r--r--    1 0        0               6 Dec 07 12:00 20.r\r\n"
         "total 3\r\n",
         "/etc/mem/03"},
        {"cd ../08", "", "/etc/mem/08"},
        {"ls -l", "total 0\r\n", "/etc/mem/08"},
        {"cd 99", "cd: Error: can't cd to 99\r\n", "/etc/mem/08"},
        {"cd /etc/mem/03/01.a", "cd: Error: can't cd to /etc/mem/03/01.a\r\n", "/etc/mem/08"},
        {"cd", "", "/"},
    });
}

TEST(ListingEntry, ShowsTheTimeForHalfAYearThenTheYear) {
    struct Case {
        std::time_t when;
        const char* date;
        bool blank_padded_day;
    };
    const Case cases[] = {
        {local_time(2026, 6, 8, 12, 0), "Jun 08 12:00", false},  // 182 days old
        {local_time(2026, 6, 7, 12, 0), "Jun 07  2026", false},  // 183 days old
        {kNow + 600, "Dec 07 12:10", false},
        {kNow + 3600, "Dec 07  2026", false},
        {local_time(2026, 6, 8, 9, 5), "Jun  8 09:05", true},
        {local_time(2026, 6, 7, 12, 0), "Jun  7  2026", true},
        {local_time(2026, 6, 18, 12, 0), "Jun 18 12:00", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(zr8812::format_listing_entry(false, 16, c.when, "01.r", kNow, c.blank_padded_day),
                  std::string("-rw-r--r--    1 0        0              16 ") + c.date + " 01.r");
    }
}

TEST(DumpFormat, PrintsLittleEndianWordsAndTheFinalOffset) {
    std::string bytes33;
    for (int i = 0; i < 33; ++i) bytes33 += static_cast<char>(i);
    EXPECT_EQ(zr8812::format_dump(""), "0000000\r\n");
    EXPECT_EQ(zr8812::format_dump("\x01\x02\x03"), "0000000 0201 0003\r\n0000003\r\n");
    EXPECT_EQ(zr8812::format_dump(bytes33),
              "0000000 0100 0302 0504 0706 0908 0b0a 0d0c 0f0e\r\n"
              "0000020 1110 1312 1514 1716 1918 1b1a 1d1c 1f1e\r\n"
              "0000040 0020\r\n"
              "0000041\r\n");
}

TEST_F(CommandTest, FileCommandsDumpAndRemove) {
    run({
        {"od -hxv /etc/mem/03/20.r", "0000000 0201 0403 0605\r\n0000006\r\n", "/"},
        {"od -hxv /etc/mem/03/05.r", "od: Error: /etc/mem/03/05.r: no such file\r\n", "/"},
        {"rm /etc/mem/03/20.r", "", "/"},
        {"rm /etc/mem/03/20.r", "rm: Error: can't remove /etc/mem/03/20.r\r\n", "/"},
        {"rm /etc/mem/08", "rm: Error: can't remove /etc/mem/08\r\n", "/"},
        {"rm /etc", "rm: Error: can't remove /etc\r\n", "/"},
        {"stty ixon", "", "/"},
        {"frobnicate now", "sh: frobnicate: Error: not found\r\n", "/"},
    });
    EXPECT_FALSE(std::filesystem::exists(memory_.path() + "/03/20.r"));
    EXPECT_TRUE(std::filesystem::exists(memory_.path() + "/08"));
}

TEST_F(CommandTest, PathsNeverLeaveTheMemoryFolder) {
    const std::string outside = memory_.path() + "-outside";
    std::filesystem::create_directories(outside);
    { std::ofstream(outside + "/secret.l") << "secret"; }
    std::filesystem::create_symlink(outside + "/secret.l", memory_.path() + "/03/30.l");
    std::filesystem::create_symlink(outside, memory_.path() + "/03/up");
    run({
        {"cd ..", "", "/"},
        {"cd /tmp", "cd: Error: can't cd to /tmp\r\n", "/"},
        {"cd /etc/mem/../../../../tmp", "cd: Error: can't cd to /etc/mem/../../../../tmp\r\n", "/"},
        {"cd /etc/mem/03/up", "cd: Error: can't cd to /etc/mem/03/up\r\n", "/"},
        {"od -hxv /etc/mem/../../etc/passwd",
         "od: Error: /etc/mem/../../etc/passwd: no such file\r\n", "/"},
        {"od -hxv /etc/mem/03/30.l", "od: Error: /etc/mem/03/30.l: no such file\r\n", "/"},
        {"rm /etc/mem/03/30.l", "rm: Error: can't remove /etc/mem/03/30.l\r\n", "/"},
        {"rm /etc/mem/03/up/secret.l", "rm: Error: can't remove /etc/mem/03/up/secret.l\r\n", "/"},
        {"cd /etc/mem/03", "", "/etc/mem/03"},
    });
    const std::string listing = client_->command("ls -l");
    EXPECT_EQ(listing.find("30.l"), std::string::npos);
    EXPECT_NE(listing.find("total 3\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(outside + "/secret.l"));
    std::filesystem::remove_all(outside);
}

TEST_F(CommandTest, ParametersAndIdentity) {
    run({
        {"btb status.RotPos", "status.RotPos= 25\r\n", "/"},
        {"btb status.ShutofEn", "status.ShutofEn= 1\r\n", "/"},
        {"btb status.ShutofEn=0", "status.ShutofEn= 0\r\n", "/"},
        {"btb status.ShutofEn", "status.ShutofEn= 0\r\n", "/"},
        {"btb status.ShutofEn=7", "btb: Error: bad value 7 for status.ShutofEn\r\n", "/"},
        {"btb status.RotPos=3", "btb: Error: status.RotPos is read-only\r\n", "/"},
        {"btb status.Volume", "btb: Error: unknown parameter status.Volume\r\n", "/"},
        {"ident",
         "Modele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\n"
         "serial number = 4567\r\nfab ident = 0101\r\nsub ident = 0002\r\n",
         "/"},
    });
    EXPECT_EQ(emulator_->shutof_en(), 0);
    emulator_->set_rotary(12);  // someone turns the switch
    run({{"btb status.RotPos", "status.RotPos= 12\r\n", "/"}});
}

TEST_F(CommandTest, LinesEndAtCrLfOrCrLfAndIgnoreFlowControlBytes) {
    for (const std::string& end :
         std::vector<std::string>{"\r", "\n", "\r\n", std::string("\r\n\0", 3)}) {
        client_->send("cd /etc" + end + "cd /" + end);
        EXPECT_EQ(client_->read_until("$ "), answer("cd /etc", "", "/etc"));
        EXPECT_EQ(client_->read_until("$ "), answer("cd /", "", "/"));
    }
    client_->send(
        std::string("c\x11"
                    "d\0 /\x13"
                    "etc\r\n",
                    12));
    EXPECT_EQ(client_->read_until("$ "), answer("cd /etc", "", "/etc"));
    EXPECT_EQ(client_->command("cd /"), answer("cd /", "", "/"));  // nothing left over
    EXPECT_EQ(emulator_->received().find(std::string("cd /\r\n\0", 7)) != std::string::npos, true);
}

TEST_F(CommandTest, BadInputGetsAnErrorAndTheInstrumentGoesOn) {
    const std::string long_line(10000, 'x');
    EXPECT_EQ(client_->command(long_line),
              answer(std::string(zr8812::kMaxLineChars, 'x'), "sh: Error: line too long\r\n", "/"));
    const std::string garbage = "\x80\xff\xfe\x01";
    EXPECT_EQ(client_->command(garbage),
              answer(garbage, "sh: " + garbage + ": Error: not found\r\n", "/"));
    EXPECT_EQ(client_->command("cd /etc"), answer("cd /etc", "", "/etc"));
}

TEST_F(CommandTest, ErrorAndStopFaultsHitTheChosenCommands) {
    emulator_->set_fault(zr8812::Fault::ErrorAnswer, "od");
    const std::string od = "od -hxv /etc/mem/03/20.r";
    const std::string dump = "0000000 0201 0403 0605\r\n0000006\r\n";
    run({{od, "od: Error: I/O error\r\n", "/"},
         {od, "od: Error: I/O error\r\n", "/"},
         {"cd /etc", "", "/etc"}});
    emulator_->clear_fault(zr8812::Fault::ErrorAnswer);
    run({{od, dump, "/etc"}});

    emulator_->set_fault(zr8812::Fault::ErrorAnswer);  // the next answer only
    run({{"rm /etc/mem/03/20.r", "rm: Error: I/O error\r\n", "/etc"}, {"cd /", "", "/"}});
    EXPECT_TRUE(std::filesystem::exists(memory_.path() + "/03/20.r"));

    emulator_->set_fault(zr8812::Fault::StopMidAnswer, "od");
    const std::string full = answer(od, dump, "/");
    client_->send(od + "\r\n");
    EXPECT_EQ(client_->command("stty ixon"),
              full.substr(0, (full.size() + 1) / 2) + answer("stty ixon", "", "/"));

    emulator_->set_fault(zr8812::Fault::Silent, "", 1);
    client_->send("cd /etc\r\n");
    EXPECT_EQ(client_->command("ident").substr(0, 7), "ident\r\n");
    EXPECT_EQ(emulator_->current_directory(), "/");  // the unheard line did nothing
}

}  // namespace
}  // namespace emulator_test
