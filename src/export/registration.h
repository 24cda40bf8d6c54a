// Connects the export to the rest of the program at start-up.
#pragma once

// Binds `Exporter_excel` and `OpenWorkingFolder` to their names in the
// resource file.
void RegisterExportSubsystem();

// Forgets what the last export kept of itself and gives the export loop back
// its own sheet writer (tests).
void ResetExportStateForTesting();
