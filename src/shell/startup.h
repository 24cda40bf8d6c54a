// Start-up, main loop and shutdown of the program.
#pragma once

#include <string>

// The start-up date and time as written into the log header.
extern std::string datecom;
extern std::string heurecom;
// Result of the USB adapter check; 1 ends the program at once.
extern int err;

// The program: start-up, the event loop and the shutdown. Returns the exit code.
int ProgramMain();

// True while start-up sets up the connection, before the event loop runs: an
// instrument not found then ends the program; later the person can plug it
// back in and use Setup, Communication.
bool StartingUp();
void SetStartingUpForTesting(bool startingUp);

// Quit confirmation; callback of the main panel's quit control, and reached
// from File, Exit through Gestion_fichier. Acts on the commit event only.
int Sortir(int panel, int control, int event, void* callbackData, int eventData1,
           int eventData2);

// Runs shutdown step `step` (1 to 6) unless it already ran for this exit:
// 1 save the settings, 2 discard the panels, 3 the instrument's power-off
// sequence, 4 the normal cursor and the timers, 5 close the spreadsheet
// application this program started, 6 close the log.
void ShutdownStep(int step);

// Puts every piece of shell state back to its value at program start. The
// hooks stay as the subsystems registered them, like the callbacks.
void ResetShellForTesting();
