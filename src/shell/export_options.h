// The export choices that Briskel.ini does not hold, kept in a settings file
// of their own beside it (BriskelExport.ini), so that Briskel.ini keeps its
// thirteen lines for every program that reads it.
#pragma once

#include <string>

// File name, in the program directory.
extern const char* const EXPORT_OPTIONS_FILE;  // "BriskelExport.ini"

// Reads the file into `Excel.automatic_names` and `Excel.summary_workbook`
// (each 0 when the file is missing or says nothing readable of it) and ticks
// the export panel's check boxes to match, so that the exit save finds the
// choices there even when the panel was never shown.
void LoadExportOptions();
// Writes the check boxes' states into the file (replaced as a whole,
// durably). False when the file could not be written.
bool SaveExportOptions();
