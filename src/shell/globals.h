// The program-wide state the shell owns and every subsystem reads: the panel
// table, the menu bar, the language, the log file, the settings-and-identity
// record `Mesure` and the export record `Excel`. Zero at start unless said otherwise.
#pragma once

#include <cstdint>
#include <string>

constexpr int NB_PANELS = 30;

// Panel table: slot n holds the handle of panel n of BRISKEL.UIR.
extern int Fen_princ[NB_PANELS];
// Menu bar of the main panel.
extern int menu;
// Current language: 0 French, 1 English, 2 German, 3 Spanish, 4 Italian.
extern int langue;
// Open log file handle (0 or negative when there is no log).
extern int ptLog;

// Settings-and-identity record (the port and the link flag are the link context's).
struct MesureRecord {
    char model_name[20] = {};        // identity: "ZR" and four characters
    int32_t settings_value = 56;     // kept in the settings file only (line 3)
    uint16_t hardware_version = 0;   // identity
    char firmware_version[10] = {};  // identity
    int32_t auto_power_off = 0;      // last status.ShutofEn read
    int32_t serial_number = 0;       // identity
    uint16_t fab_ident = 0;          // identity
    uint16_t sub_ident = 0;          // identity
    uint16_t settings_hex = 0;       // kept in the settings file only (line 2)
};
extern MesureRecord Mesure;

// Export state record.
constexpr std::size_t MAX_BASE_NAME = 99;
constexpr std::size_t MAX_WORKING_FOLDER = 299;
struct ExcelRecord {
    int32_t started = 0;             // 1 once this program started its spreadsheet application
    std::string base_name;           // workbook base name, at most 99 characters
    std::string working_folder;      // at most 299 characters; kept in the settings file
    int32_t sequence = 1;            // workbook sequence number
    int32_t erase_after_export = 0;  // kept in the settings file
    int32_t automatic_names = 0;     // 1: no save dialog; kept in the export options file
    int32_t summary_workbook = 0;    // 1: one more workbook for the whole export; kept there too
};
extern ExcelRecord Excel;
// Field widths count characters, not bytes: the characters of a UTF-8 text.
std::size_t CharacterCount(const std::string& text);
// A folder as typed or stored: trailing blanks and tabs are not part of it.
std::string WithoutTrailingBlanks(std::string text);

// Appends text to the log file when one is open (text mode: "\n" becomes CR LF).
void LogWrite(const std::string& text);
