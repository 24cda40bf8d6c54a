#include "shell/shutdown.h"

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "shell/settings.h"

namespace {

constexpr int NB_SHUTDOWN_STEPS = static_cast<int>(Shutdown::CloseLog) + 1;
bool shutdown_done[NB_SHUTDOWN_STEPS] = {};

}  // namespace

void RunShutdownStep(Shutdown step) {
    bool& done = shutdown_done[static_cast<int>(step)];
    if (done) return;
    done = true;
    switch (step) {
        case Shutdown::SaveSettings:
            Fin_prog();
            break;
        case Shutdown::DiscardPanels:
            DiscardPanel(Fen_princ[PANEL_MAIN]);
            DiscardPanel(Fen_princ[PANEL_EXPORT]);
            DiscardPanel(Fen_princ[PANEL_IMPORT]);
            break;
        case Shutdown::PowerOffInstrument:
            if (shell_hooks.power_off_instrument) shell_hooks.power_off_instrument();
            break;
        case Shutdown::StopTimers:
            SetWaitCursor(0);
            ResetTimer(ALL_PANELS_AND_TIMERS, 0);
            break;
        case Shutdown::CloseSpreadsheet:
            if (Excel.started == 1 && shell_hooks.close_spreadsheet)
                shell_hooks.close_spreadsheet();
            break;
        case Shutdown::CloseLog:
            if (ptLog > 0) CVI_CloseFile(ptLog);
            ptLog = 0;
            break;
    }
}

void ShutdownBeforeQuit() {
    RunShutdownStep(Shutdown::SaveSettings);
    RunShutdownStep(Shutdown::PowerOffInstrument);
    RunShutdownStep(Shutdown::StopTimers);
}

void ForgetShutdownSteps() {
    for (bool& done : shutdown_done) done = false;
}
