// Files in text mode, dates, delays, the program directory and the system version.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "platform/system/replace_refusal.h"
#include "platform/system/system.h"
#include "support/app_fixture.h"

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class SystemServicesTest : public AppFixture {};

TEST_F(SystemServicesTest, TextModeWritesCrLfAndReadsEitherLineEnd) {
    const std::string path = ProgramPath("text.txt");
    int file = CVI_OpenFile(path, VAL_READ_WRITE, VAL_TRUNCATE);
    ASSERT_GT(file, 0);
    EXPECT_EQ(FmtFile(file, "one\ntwo \r\n"), 12);
    ASSERT_EQ(CVI_CloseFile(file), 0);
    // A carriage return written before the line end stays, as in any text mode.
    EXPECT_EQ(Bytes(path), "one\r\ntwo \r\r\n");

    WriteProgramFile("mixed.txt", std::string("a\r\nb\nc\r\n\nlast", 13));
    file = CVI_OpenFile(ProgramPath("mixed.txt"), VAL_READ_ONLY, VAL_OPEN_AS_IS);
    std::string line;
    std::vector<std::string> lines;
    int length;
    while ((length = ReadLine(file, line)) >= 0) {
        EXPECT_EQ(length, static_cast<int>(line.size()));
        lines.push_back(line);
    }
    EXPECT_EQ(length, -2);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "last"}));
    CVI_CloseFile(file);
}

TEST_F(SystemServicesTest, BinaryBytesAndLongLinesAreReadWhole) {
    std::string garbage(5000, 'x');
    garbage += std::string("\0\xff\r\n", 4);
    WriteProgramFile("garbage.bin", garbage);
    const int file = CVI_OpenFile(ProgramPath("garbage.bin"), VAL_READ_ONLY, VAL_OPEN_AS_IS);
    std::string line;
    EXPECT_EQ(ReadLine(file, line), 5002);
    EXPECT_EQ(line.substr(5000), std::string("\0\xff", 2));
    EXPECT_EQ(ReadLine(file, line), -2);
    CVI_CloseFile(file);
}

TEST_F(SystemServicesTest, ClosedOrUnknownHandlesAreRefused) {
    const int file = CVI_OpenFile(ProgramPath("x.txt"), VAL_WRITE_ONLY, VAL_TRUNCATE);
    ASSERT_GT(file, 0);
    CVI_CloseFile(file);
    std::string line;
    EXPECT_LT(FmtFile(file, "late\n"), 0);
    EXPECT_EQ(ReadLine(file, line), -1);
    EXPECT_LT(CVI_CloseFile(file), 0);
    EXPECT_LT(FmtFile(4242, "x"), 0);
    EXPECT_LT(CVI_OpenFile(ProgramPath("missing/dir/file.txt"), VAL_WRITE_ONLY, VAL_TRUNCATE), 0);
    EXPECT_LT(CVI_OpenFile(ProgramPath("nothing.txt"), VAL_READ_ONLY, VAL_OPEN_AS_IS), 0);
    EXPECT_LT(CVI_OpenFile(program_dir(), VAL_READ_ONLY, VAL_OPEN_AS_IS), 0);
}

TEST_F(SystemServicesTest, FileInfoDeleteAndRename) {
    long size = -1;
    EXPECT_EQ(GetFileInfo(ProgramPath("none"), size), 0);
    WriteProgramFile("a.txt", "12345");
    EXPECT_EQ(GetFileInfo(ProgramPath("a.txt"), size), 1);
    EXPECT_EQ(size, 5);
    WriteProgramFile("b.txt", "old");
    EXPECT_EQ(RenameFile(ProgramPath("a.txt"), ProgramPath("b.txt")), 0);
    EXPECT_EQ(ReadProgramFile("b.txt"), "12345");
    EXPECT_EQ(CVI_DeleteFile(ProgramPath("b.txt")), 0);
    EXPECT_LT(CVI_DeleteFile(ProgramPath("b.txt")), 0);
}

// Linux tells a refused write as Windows does, so the same messages serve
// both: the folder's rights or a read-only medium, not a full disk.
TEST(ReplaceRefusals, EachRefusalOfLinuxIsToldForWhatItIs) {
    for (const int error : {EACCES, EPERM, EROFS})
        EXPECT_EQ(ReplaceRefusal(ReplaceStep::CreateTemporary, error), FILE_FOLDER_REFUSED) << error;
    for (const int error : {ENOSPC, ENOENT, EIO})
        EXPECT_EQ(ReplaceRefusal(ReplaceStep::CreateTemporary, error), -1) << error;
    EXPECT_EQ(ReplaceRefusal(ReplaceStep::MoveOverTarget, EPERM), FILE_FOLDER_REFUSED);  // sticky
}

TEST_F(SystemServicesTest, DateAndTimeTexts) {
    EXPECT_TRUE(std::regex_match(DateStr(), std::regex(R"((0[1-9]|1[0-2])-(0[1-9]|[12]\d|3[01])-\d{4})")));
    EXPECT_TRUE(std::regex_match(TimeStr(), std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-5]\d)")));
    int month = 0, day = 0, year = 0;
    GetSystemDate(month, day, year);
    EXPECT_GE(year, 2020);
}

TEST_F(SystemServicesTest, DelayFollowsTheTimeScale) {
    SetTimeScale(0.01);
    QElapsedTimer timer;
    timer.start();
    Delay(2.0);  // 20 ms at this scale
    EXPECT_GE(timer.elapsed(), 19);
    EXPECT_LT(timer.elapsed(), 1000);
    Delay(0);
    Delay(-1);
}

TEST_F(SystemServicesTest, ProgramDirectoryAndSystemVersion) {
    std::string dir;
    GetProjectDir(dir);
    EXPECT_EQ(dir, program_dir());
    SetProjectDirForTesting(program_dir() + "/");
    GetProjectDir(dir);
    EXPECT_EQ(dir, program_dir());
    SetProjectDirForTesting("");
    GetProjectDir(dir);
    EXPECT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');

    int major, minor, build, platform;
    SetOSVersionForTesting(5, 1);
    ASSERT_EQ(GetWinOSVersion(major, minor, build, platform), 0);
    EXPECT_EQ(major * 10 + minor, 51);
    SetOSVersionForTesting(-1, 0);
    ASSERT_EQ(GetWinOSVersion(major, minor, build, platform), 0);
    EXPECT_GE(major, 3);  // the running kernel
}

// Workbooks go beside a program the user can see (a build, a folder of their
// own), and to the documents folder when the program runs from the installed
// per-user copy below the hidden ~/.local/share.
TEST_F(SystemServicesTest, WorkbooksGoWhereTheUserSeesThem) {
    const std::string home = program_dir() + "/home";
    const std::string config = home + "/.config";
    std::filesystem::create_directories(config);
    std::ofstream(config + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n";
    const std::string old_home = getenv("HOME") ? getenv("HOME") : "";
    const char* old_config = getenv("XDG_CONFIG_HOME");
    const std::string kept_config = old_config ? old_config : "";
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    EXPECT_EQ(DefaultWorkingFolder(), program_dir());
    SetProjectDirForTesting(home + "/.local/share/briskel-view");
    EXPECT_EQ(DefaultWorkingFolder(), home + "/Mes documents");
    EXPECT_TRUE(std::filesystem::is_directory(home + "/Mes documents"));
    SetProjectDirForTesting(home + "/Outils/./Briskel View");
    EXPECT_EQ(DefaultWorkingFolder(), home + "/Outils/./Briskel View");

    SetProjectDirForTesting("");
    setenv("HOME", old_home.c_str(), 1);
    if (old_config) setenv("XDG_CONFIG_HOME", kept_config.c_str(), 1);
    else unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
