// Reading the text of the settings file Briskel.ini into values, without
// touching the program's state: a pure function over the file's lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every value the settings file carries.
struct SettingsValues {
    int save_flag = 1;  // line 1: "Save settings on exit" ticked
    int first_install = 0;
    uint16_t settings_hex = 0;  // line 2, hexadecimal
    int settings_value = 56;    // line 3
    int serial_port = 1;
    int erase_after_export = 0;  // line 4
    std::string working_folder;  // line 5, trailing blanks dropped, at most 299 characters
    int language = 1;            // lines 7 to 12
    int window[5] = {32, 102, 762, 1004, 0};
};

// Lines 1 to 5 over `values`: a value that cannot be read keeps the one it had.
void ReadFirstSettingsLines(const std::vector<std::string>& lines, SettingsValues& values);
// Lines 7 to 12 into the language and the window; false (nothing taken) when
// any of the six integers is missing: the file then counts as damaged.
bool ReadLastSettingsBlock(const std::vector<std::string>& lines, SettingsValues& values);
