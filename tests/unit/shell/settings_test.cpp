// The settings file: defaults, damaged files, round trips and the exit save.
#include <algorithm>
#include <filesystem>

#include "platform/system/system.h"
#include "shell/export_options.h"
#include "shell/menu_state.h"
#include "shell/startup.h"
#include "shell_fixture.h"

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

std::string Padded(std::string folder) {
    folder.resize(std::max<std::size_t>(folder.size(), 64), ' ');
    return folder;
}

class SettingsTest : public ShellFixture {};

constexpr char kGarbageBytes[] = "\0\xff\x01\r\n\x80\x81\n\n\n\n\n\n\n\n\n\n\n\n";
const std::string kGarbage(kGarbageBytes, sizeof kGarbageBytes - 1);

TEST_F(SettingsTest, FirstStartWritesTheDefaultFile) {
    Charge_config();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"),
              Lines({"1 0", "0", "56 1", "0", Padded(program_dir()), "", "1", "32", "102", "762",
                     "1004", "0", "***"}));
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1);
    EXPECT_EQ(Tick(ITEM_ENGLISH), 1);
    EXPECT_EQ(langue, 1);
    EXPECT_EQ(MainAttribute(ATTR_TOP), 32);
    EXPECT_EQ(MainAttribute(ATTR_LEFT), 102);
    EXPECT_EQ(MainAttribute(ATTR_HEIGHT), 762);
    EXPECT_EQ(MainAttribute(ATTR_WIDTH), 1004);
    EXPECT_EQ(Excel.working_folder, program_dir()) << "the padding is not part of the folder";
    EXPECT_FALSE(ProgramFileExists("Briskel.ini.tmp"));
}

// Files that count as damaged: the defaults come back, and the save-on-exit
// choice of a readable first line survives.
TEST_F(SettingsTest, DamagedFilesAreReplacedByDefaults) {
    const std::string five_numbers =
        Lines({"0 0", "1f", "70 4", "1", "/data", "", "3", "10", "20", "300"}) + "400\r\n***\r\n";
    struct Case {
        const char* what;
        std::string content;
        int save_flag;
    } cases[] = {
        {"empty file", "", 1},
        {"last block of five numbers", five_numbers, 0},
        {"letters where numbers go", Lines({"1 0", "0", "56 1", "0", "/x", "", "one", "32", "102", "762", "1004", "0", "***"}), 1},
        {"a 5000-character line", std::string(5000, '7') + "\r\n", 1},
        {"binary garbage", kGarbage, 1},
        {"only LF, cut after line 9", "0 1\n0\n56 1\n0\n/d\n\n2\n5\n6\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteProgramFile("Briskel.ini", c.content);
        langue = 4;
        Charge_config();
        EXPECT_EQ(langue, 1);
        EXPECT_EQ(ProgramLink().serial_port, 1);
        EXPECT_EQ(FirstInstall, 0);
        EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), c.save_flag);
        EXPECT_EQ(ReadProgramFile("Briskel.ini"),
                  Lines({std::to_string(c.save_flag) + " 0", "0", "56 1", "0", Padded(program_dir()),
                         "", "1", "32", "102", "762", "1004", "0", "***"}));
        SetMenuBarAttribute(menu, ITEM_ENGLISH, ATTR_CHECKED, 0);
    }
}

TEST_F(SettingsTest, ACompleteFileIsTakenAsWritten) {
    WriteProgramFile("Briskel.ini", "0 1\n1A2b\n-5 7\n1\n/home/me/my folder  \n\n3\n-20\n-40\n500\n600\n0\n***\n");
    Charge_config();
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 0);
    EXPECT_EQ(FirstInstall, 1);
    EXPECT_EQ(Mesure.settings_hex, 0x1A2B);
    EXPECT_EQ(Mesure.settings_value, -5);
    EXPECT_EQ(ProgramLink().serial_port, 7);
    EXPECT_EQ(Excel.erase_after_export, 1);
    EXPECT_EQ(Excel.working_folder, "/home/me/my folder");
    EXPECT_EQ(langue, 3);
    EXPECT_EQ(Tick(ITEM_SPANISH), 1);
    EXPECT_EQ(MainAttribute(ATTR_TOP), -20);
    EXPECT_EQ(MainAttribute(ATTR_LEFT), -40);
    EXPECT_EQ(MainAttribute(ATTR_HEIGHT), 500);
    EXPECT_EQ(MainAttribute(ATTR_WIDTH), 600);
}

// The settings the Windows installer prepares for a first installation (read
// from its script) make a first start: the driver advice comes, and the empty
// working-folder line leaves the folder proposed by default.
TEST_F(SettingsTest, TheInstallersFirstSettingsMakeAFirstStart) {
    std::string script;
    ASSERT_EQ(ReadWholeFile(BRISKEL_SOURCE_DIR "/packaging/windows/briskel-view.nsi", script), 1);
    const std::string command = "FileWrite $0 \"";
    const auto start = script.find(command);
    ASSERT_NE(start, std::string::npos) << "the installer writes no settings";
    std::string text = script.substr(start + command.size());
    text = text.substr(0, text.find('"'));
    for (std::size_t at; (at = text.find("$\\r$\\n")) != std::string::npos;) text.replace(at, 6, "\r\n");
    WriteProgramFile("Briskel.ini", text);
    Charge_config();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), text) << "taken as damaged";
    EXPECT_EQ(FirstInstall, 1);
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1);
    EXPECT_EQ(ProgramLink().serial_port, 1);
    EXPECT_EQ(Excel.working_folder, DefaultWorkingFolder());
    EXPECT_EQ(langue, 1);
    EXPECT_EQ(MainAttribute(ATTR_WIDTH), 1004);
}

// Out-of-range or unreadable values in an otherwise complete file.
TEST_F(SettingsTest, UnusableValuesFallBackWithoutDamagingTheFile) {
    WriteProgramFile("Briskel.ini", Lines({"x y", "zz", "-", "", "", "", "9", "1", "2", "300", "400", "7", "***"}));
    Charge_config();
    EXPECT_EQ(langue, 1) << "a language outside 0 to 4 is English";
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1);
    EXPECT_EQ(Mesure.settings_hex, 0);
    EXPECT_EQ(Mesure.settings_value, 56);
    EXPECT_EQ(ProgramLink().serial_port, 1);
    EXPECT_EQ(Excel.working_folder, program_dir());
    EXPECT_EQ(MainAttribute(ATTR_WINDOW_ZOOM), VAL_NO_ZOOM) << "an unknown zoom state is normal";
    EXPECT_EQ(MainAttribute(ATTR_TOP), 1);
    for (int item = ITEM_FRENCH; item <= ITEM_ITALIAN; ++item) EXPECT_EQ(Tick(item), item == ITEM_ENGLISH) << item;
}

TEST_F(SettingsTest, AMaximisedWindowComesBackMaximisedAtItsOwnPlace) {
    const int top = MainAttribute(ATTR_TOP);
    WriteProgramFile("Briskel.ini", Lines({"1 0", "0", "56 1", "0", "/d", "", "1", "300", "300", "300", "300", "2", "***"}));
    Charge_config();
    EXPECT_EQ(MainAttribute(ATTR_WINDOW_ZOOM), VAL_MAXIMIZE);
    EXPECT_NE(MainAttribute(ATTR_TOP), 300);
    EXPECT_EQ(MainAttribute(ATTR_TOP), top);
}

// A minimized window is stored, and a stored one opens, normal at its place.
TEST_F(SettingsTest, AMinimizedWindowIsNeverStoredOrRestoredMinimized) {
    WriteProgramFile("Briskel.ini", Lines({"1 0", "0", "56 1", "0", "/d", "", "1", "40", "60", "300", "400", "1", "***"}));
    Charge_config();
    EXPECT_EQ(MainAttribute(ATTR_WINDOW_ZOOM), VAL_NO_ZOOM);
    SetPanelAttribute(Fen_princ[PANEL_MAIN], ATTR_WINDOW_ZOOM, VAL_MINIMIZE);
    Fin_prog();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"),
              Lines({"1 0", "0", "56 1", "0", "/d", "", "1", "40", "60", "300", "400", "0", "***"}));
}

TEST_F(SettingsTest, ExitSaveRoundTrip) {
    Charge_config();
    langue = 2;
    ProgramLink().serial_port = 12;
    Mesure.settings_hex = 0xBEEF;
    Excel.working_folder = "/srv/a folder with blanks";
    SetPanelPos(Fen_princ[PANEL_MAIN], -8, -16);
    SetPanelAttribute(Fen_princ[PANEL_MAIN], ATTR_HEIGHT, 480);
    SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_ERASE, 1);
    Fin_prog();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"),
              Lines({"1 0", "beef", "56 12", "1", "/srv/a folder with blanks", "", "2", "-8", "-16",
                     "480", "1004", "0", "***"}));

    ResetShellForTesting();
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN));
    Charge_config();
    EXPECT_EQ(langue, 2);
    EXPECT_EQ(ProgramLink().serial_port, 12);
    EXPECT_EQ(Mesure.settings_hex, 0xBEEF);
    EXPECT_EQ(Excel.erase_after_export, 1);
    EXPECT_EQ(Excel.working_folder, "/srv/a folder with blanks");
    EXPECT_EQ(MainAttribute(ATTR_LEFT), -16);

    // The folder's width counts characters: 155 of them in 305 bytes come
    // back whole, never cut inside a character; one longer than the record
    // holds is not taken at all (a cut folder is another folder).
    std::string accented = "/srv/";
    for (int i = 0; i < 150; ++i) accented += "\u00e9";
    for (const auto& [stored, read] : {std::pair{accented, accented},
                                       std::pair{"/" + std::string(299, 'f'), program_dir()}}) {
        Excel.working_folder = stored;
        Fin_prog();
        Charge_config();
        EXPECT_EQ(Excel.working_folder, read);
    }
}

TEST_F(SettingsTest, TheEraseFlagSavedIsTheCheckBoxs) {
    WriteProgramFile("Briskel.ini", Lines({"1 0", "0", "56 1", "1", "/d", "", "1", "32", "102", "762", "1004", "0", "***"}));
    Charge_config();
    EXPECT_EQ(Excel.erase_after_export, 1);
    Fin_prog();  // the export panel was never shown: its check box is unticked
    EXPECT_EQ(ReadProgramFile("Briskel.ini").substr(0, 17), Lines({"1 0", "0", "56 1", "0"}));
}

TEST_F(SettingsTest, UntickedSwitchWritesOnlyTheFirstLine) {
    const std::string stored = Lines({"1 1", "a", "60 3", "1", "/w", "", "4", "1", "2", "300", "400", "0", "***"});
    WriteProgramFile("Briskel.ini", stored);
    Charge_config();
    Gestion_options(menu, ITEM_SAVE_ON_EXIT, nullptr, Fen_princ[PANEL_MAIN]);
    Gestion_options(menu, ITEM_SAVE_ON_EXIT, nullptr, Fen_princ[PANEL_MAIN]);
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1) << "twice leaves it as it was";
    Gestion_options(menu, ITEM_SAVE_ON_EXIT, nullptr, Fen_princ[PANEL_MAIN]);
    langue = 0;
    Fin_prog();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), "0 0\r\n" + stored.substr(5));

    Charge_config();
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 0);
    EXPECT_EQ(FirstInstall, 0);
    EXPECT_EQ(langue, 4);
}

TEST_F(SettingsTest, UntickedSwitchWithoutAFileWritesNothing) {
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 0);
    Fin_prog();
    EXPECT_FALSE(ProgramFileExists("Briskel.ini"));
}

// A write that cannot complete (the disk is full) leaves the previous file
// whole and no temporary behind; a save that completes is on the disk, folder
// entry included, when the exit save ends: a power cut then loses nothing.
TEST_F(SettingsTest, AFailedSaveKeepsTheOldFileAndADoneSaveIsOnTheDisk) {
    const std::string stored = Lines({"1 0", "0", "56 1", "0", "/d", "", "1", "32", "102", "762", "1004", "0", "***"});
    WriteProgramFile("Briskel.ini", stored);
    Charge_config();
    SetWriteLimitForTesting(20);
    langue = 3;
    Fin_prog();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), stored);
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 0);
    Fin_prog();
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), stored);
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(program_dir()))
        files.push_back(entry.path().filename().string());
    EXPECT_EQ(std::count_if(files.begin(), files.end(),
                            [](const std::string& f) { return f.find("Briskel.ini") != std::string::npos; }),
              1);

    SetWriteLimitForTesting(-1);
    std::vector<std::string> flushed;
    SetDiskFlushObserverForTesting([&](const std::string& what) { flushed.push_back(what); });
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 1);
    Fin_prog();
    EXPECT_EQ(flushed, (std::vector<std::string>{"file " + SettingsFilePath(), "folder " + program_dir(),
                                                 "file " + ProgramPath(EXPORT_OPTIONS_FILE),
                                                 "folder " + program_dir()}));
}

// The settings cannot be written (here the file's place is taken by a
// folder): the program runs on with the defaults and reports nothing.
TEST_F(SettingsTest, AnUnwritableSettingsFileLeavesTheDefaults) {
    std::filesystem::create_directory(ProgramPath("Briskel.ini"));
    Charge_config();
    EXPECT_EQ(langue, 1);
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1);
    EXPECT_TRUE(popups().empty());
    Fin_prog();
    EXPECT_TRUE(std::filesystem::is_directory(ProgramPath("Briskel.ini")));
}

}  // namespace

// The automatic-names and summary choices live in a file of their own:
// Briskel.ini keeps its thirteen lines byte for byte, and the choices survive
// a run in which the export panel was never shown.
TEST_F(SettingsTest, ExportChoicesAreRememberedBesideBriskelIni) {
    Charge_config();
    LoadExportOptions();
    EXPECT_EQ(Excel.automatic_names, 0);
    EXPECT_EQ(Excel.summary_workbook, 0);
    SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_AUTOMATIC_NAMES, 1);
    SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_SUMMARY, 1);
    Fin_prog();
    const std::string ini = ReadProgramFile("Briskel.ini");
    EXPECT_EQ(ini, Lines({"1 0", "0", "56 1", "0", program_dir(), "", "1", "32", "102", "762",
                          "1004", "0", "***"}));
    const std::string both = "automatic_names=1\r\nsummary_workbook=1\r\n";
    EXPECT_EQ(ReadProgramFile(EXPORT_OPTIONS_FILE), both);

    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);  // a new run's panel
    LoadExportOptions();
    EXPECT_EQ(Excel.automatic_names, 1);
    EXPECT_EQ(Excel.summary_workbook, 1);
    int ticked = 0;
    GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_SUMMARY, ticked);
    EXPECT_EQ(ticked, 1);
    Fin_prog();
    EXPECT_EQ(ReadProgramFile(EXPORT_OPTIONS_FILE), both);
    EXPECT_EQ(ReadProgramFile("Briskel.ini"), ini);

    // Unticked "Save settings on exit": neither file changes.
    SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_AUTOMATIC_NAMES, 0);
    SetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_SUMMARY, 0);
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 0);
    Fin_prog();
    EXPECT_EQ(ReadProgramFile(EXPORT_OPTIONS_FILE), both);

    // A file of an earlier version, without the summary's line: off.
    WriteProgramFile(EXPORT_OPTIONS_FILE, "automatic_names=1\r\n");
    LoadExportOptions();
    EXPECT_EQ(Excel.automatic_names, 1);
    EXPECT_EQ(Excel.summary_workbook, 0);
    for (const char* content :
         {"", "automatic_names=yes\r\nsummary_workbook=on\r\n", "\xff\x00garbage", "other=1\n"}) {
        WriteProgramFile(EXPORT_OPTIONS_FILE, content);
        LoadExportOptions();
        EXPECT_EQ(Excel.automatic_names, 0) << content;
        EXPECT_EQ(Excel.summary_workbook, 0) << content;
    }
}
