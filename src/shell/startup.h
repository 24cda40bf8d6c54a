// Start-up, main loop and shutdown of the program.
#pragma once

#include <string>

// The program: start-up, the event loop and the shutdown. Returns the exit code.
int ProgramMain();

// True while start-up sets up the connection, before the event loop runs: an
// instrument not found then ends the program; later the person can plug it
// back in and use Setup, Communication.
bool StartingUp();
void SetStartingUpForTesting(bool startingUp);

// Quit confirmation; callback of the main panel's quit control, and reached
// from File, Exit through Gestion_fichier. Acts on the commit event only.
int Sortir(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);

// Puts every piece of shell state back to its value at program start. The
// hooks stay as the subsystems registered them, like the callbacks.
void ResetShellForTesting();
