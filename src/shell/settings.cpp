// The settings file Briskel.ini: 13 lines, CR LF, in the program directory.
//
//  1  save-on-exit flag, blank, first-install flag
//  2  a 16-bit value of Mesure, hexadecimal
//  3  a 32-bit value of Mesure, blank, the link's serial port number
//  4  erase-after-export flag
//  5  working folder (rest of the line, trailing blanks not part of it)
//  6  empty
//  7  language index;  8..12 main window top, left, height, width, zoom
// 13  "***"
//
// The file is always replaced as a whole and durably, so a failed write or a
// power cut never leaves it empty or half written.
#include "shell/settings.h"

#include <cstdint>
#include <vector>

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/export_options.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "shell/settings_reader.h"

int rep[5] = {32, 102, 762, 1004, 0};
int FirstInstall = 0;

std::string SettingsFilePath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + "Briskel.ini";
}

namespace {

constexpr std::size_t DEFAULT_FOLDER_WIDTH = 64;

// The port number the file keeps is the link's (1 while no link is wired in).
int LinkPort() {
    return shell_hooks.link_port ? shell_hooks.link_port() : 1;
}
void SetLinkPort(int port) {
    if (shell_hooks.link_port) shell_hooks.link_port() = port;
}

// Reads the lines of the file (at most `max`); false when it cannot be opened.
bool ReadLines(const std::string& path, std::vector<std::string>& lines,
               std::size_t max = SIZE_MAX) {
    const int file = CVI_OpenFile(path, VAL_READ_ONLY, VAL_OPEN_AS_IS);
    if (file <= 0) return false;
    std::string line;
    while (lines.size() < max && ReadLine(file, line) >= 0) lines.push_back(line);
    CVI_CloseFile(file);
    return true;
}

// Replaces the settings file by `text` (text mode) in one durable step.
bool WriteSettingsFile(const std::string& text) {
    return ReplaceFileDurably(SettingsFilePath(), TextFileBytes(text)) == 0;
}

std::string Hex(unsigned value) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    do {
        out.insert(out.begin(), digits[value % 16]);
        value /= 16;
    } while (value != 0);
    return out;
}

std::string FirstFiveLines(int save_flag, const std::string& folder) {
    return std::to_string(save_flag) + " " + std::to_string(FirstInstall) + "\n" +
           Hex(Mesure.settings_hex) + "\n" + std::to_string(Mesure.settings_value) + " " +
           std::to_string(LinkPort()) + "\n" + std::to_string(Excel.erase_after_export) + "\n" +
           folder + "\n";
}

std::string LastEightLines() {
    std::string text = "\n" + std::to_string(langue) + "\n";
    for (int value : rep) text += std::to_string(value) + "\n";
    return text + "***\n";
}

// The settings as they stand (the save-on-exit switch, which has no variable, 1).
SettingsValues CurrentValues() {
    SettingsValues v;
    v.first_install = FirstInstall;
    v.settings_hex = Mesure.settings_hex;
    v.settings_value = Mesure.settings_value;
    v.serial_port = LinkPort();
    v.erase_after_export = Excel.erase_after_export;
    v.working_folder = Excel.working_folder;
    return v;
}

// Lines 1 to 5 as read; the save-on-exit flag is the caller's.
void TakeFirstLines(const SettingsValues& v) {
    FirstInstall = v.first_install;
    Mesure.settings_hex = v.settings_hex;
    Mesure.settings_value = v.settings_value;
    SetLinkPort(v.serial_port);
    Excel.erase_after_export = v.erase_after_export;
    Excel.working_folder = v.working_folder;
}

void CreateDefaultFile(int save_flag) {
    std::string folder = Excel.working_folder;
    if (folder.size() < DEFAULT_FOLDER_WIDTH) folder.resize(DEFAULT_FOLDER_WIDTH, ' ');
    // FirstInstall is 0 here (defaults): line 1 reads the flag and 0.
    WriteSettingsFile(FirstFiveLines(save_flag, folder) + LastEightLines());
}

// The main window's zoom state as it is kept: a window closed while
// minimized comes back as it was before (its place and size are its normal
// ones), never as a taskbar button alone.
int KeptZoom(int zoom) { return zoom == VAL_MAXIMIZE ? VAL_MAXIMIZE : VAL_NO_ZOOM; }

void PlaceMainWindow() {
    const int panel = Fen_princ[PANEL_MAIN];
    if (rep[4] != VAL_NO_ZOOM) {
        SetPanelAttribute(panel, ATTR_WINDOW_ZOOM, rep[4]);
        return;
    }
    SetPanelPos(panel, rep[0], rep[1]);
    SetPanelAttribute(panel, ATTR_HEIGHT, rep[2]);
    SetPanelAttribute(panel, ATTR_WIDTH, rep[3]);
}

}  // namespace

void Valeur_par_defaut() {
    FirstInstall = 0;
    Mesure.settings_hex = 0;
    Mesure.settings_value = 56;
    SetLinkPort(1);
    Excel.erase_after_export = 0;
    // Never cut: a folder too long for the record is refused, with a message,
    // when workbooks are to go there.
    Excel.working_folder = DefaultWorkingFolder();
    langue = 1;
    rep[0] = 32;
    rep[1] = 102;
    rep[2] = 762;
    rep[3] = 1004;
    rep[4] = 0;
}

void Sauvegarde_Ini(int file) { FmtFile(file, LastEightLines()); }

void Charge_config() {
    std::vector<std::string> lines;
    const bool opened = ReadLines(SettingsFilePath(), lines, 13);
    // What the file does not hold keeps its default.
    Valeur_par_defaut();
    SettingsValues values = CurrentValues();
    bool damaged = !opened;
    if (opened) {
        ReadFirstSettingsLines(lines, values);
        TakeFirstLines(values);
        damaged = !ReadLastSettingsBlock(lines, values);
    }
    const int save_flag = values.save_flag;
    if (damaged) {
        CVI_DeleteFile(SettingsFilePath());
        Valeur_par_defaut();
        CreateDefaultFile(save_flag);
    } else {
        // Every text lookup needs a language of the five; anything else is English.
        langue = values.language >= 0 && values.language <= 4 ? values.language : 1;
        for (int i = 0; i < 5; ++i) rep[i] = values.window[i];
        rep[4] = KeptZoom(rep[4]);
    }
    PlaceMainWindow();
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, save_flag != 0 ? 1 : 0);
    if (langue >= 0 && langue <= 4) SetMenuBarAttribute(menu, ITEM_FRENCH + langue, ATTR_CHECKED, 1);
}

void Fin_prog() {
    SetWaitCursor(1);
    int ticked = 0;
    GetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, ticked);
    if (ticked) {
        const int panel = Fen_princ[PANEL_MAIN];
        GetPanelAttribute(panel, ATTR_TOP, rep[0]);
        GetPanelAttribute(panel, ATTR_LEFT, rep[1]);
        GetPanelAttribute(panel, ATTR_HEIGHT, rep[2]);
        GetPanelAttribute(panel, ATTR_WIDTH, rep[3]);
        GetPanelAttribute(panel, ATTR_WINDOW_ZOOM, rep[4]);
        rep[4] = KeptZoom(rep[4]);
        int erase = Excel.erase_after_export;
        if (GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_ERASE, erase) == 0) {
            Excel.erase_after_export = erase;
        }
        WriteSettingsFile(FirstFiveLines(1, Excel.working_folder) + LastEightLines());
        SaveExportOptions();
        return;
    }
    // Not ticked: only the first line changes, to "0 0".
    std::vector<std::string> lines;
    if (!ReadLines(SettingsFilePath(), lines)) return;
    std::string text = "0 0\n";
    for (std::size_t i = 1; i < lines.size(); ++i) text += lines[i] + "\n";
    WriteSettingsFile(text);
}

void ResetSettingsForTesting() {
    rep[0] = 32;
    rep[1] = 102;
    rep[2] = 762;
    rep[3] = 1004;
    rep[4] = 0;
    FirstInstall = 0;
}
