// The program's shutdown as steps, each run once per exit whichever way the
// event loop ended (File, Exit; the main window closed; the end of the session).
#pragma once

enum class Shutdown {
    SaveSettings,  // reads the main window and the export panel: before they go
    DiscardPanels,
    PowerOffInstrument,  // the instrument's power-off sequence
    StopTimers,          // and the normal cursor back
    CloseSpreadsheet,    // the spreadsheet application this program started
    CloseLog,
};
void RunShutdownStep(Shutdown step);
// What every way out does before the event loop ends: the settings saved,
// the instrument powered off, the timers stopped.
void ShutdownBeforeQuit();

// A session begins: no step has run yet (start-up; the tests' clean start).
void ForgetShutdownSteps();
