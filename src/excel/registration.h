// Connects the spreadsheet export to the rest of the program at start-up.
#pragma once

// Binds `Lancer_excel` to its name in the resource file and lets the shell
// close the spreadsheet application at exit when this program started it.
void RegisterExcelSubsystem();

// No application running, and none that refuses anything (tests).
void ResetExcelStateForTesting();
