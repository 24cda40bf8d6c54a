// The settings file Briskel.ini: 13 text lines in the program directory,
// read once at start-up and written at exit.
#pragma once

#include <string>

// Full path of the settings file: Briskel.ini in the program directory.
std::string SettingsFilePath();
// Main window top, left, height, width and zoom state (0 normal, 1 minimised, 2 maximised).
extern int rep[5];
// 1 only in a settings file prepared by the installer (the driver advice is then shown once).
extern int FirstInstall;

// Loads the file into the variables, recreates it with defaults when it is
// missing or damaged, places the main window and ticks the menu items of the
// language and of "Save settings on exit". Needs the main panel and `menu`.
void Charge_config();
// Every setting (except the save-on-exit switch) back to its default; writes nothing.
void Valeur_par_defaut();
// Writes lines 6 to 13 (empty line, language, window values, "***") to an open file.
void Sauvegarde_Ini(int file);
// The exit save: all 13 lines when "Save settings on exit" is ticked, else
// only a first line "0 0". Shows the wait cursor (the caller turns it off).
void Fin_prog();

void ResetSettingsForTesting();
