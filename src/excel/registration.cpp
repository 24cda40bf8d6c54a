#include "excel/registration.h"

#include "excel/excel_instance.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"

void RegisterExcelSubsystem() {
    RegisterCallbacks({
        {"Lancer_excel", Lancer_excel},
    });
    shell_hooks.close_spreadsheet = [] {
        if (Excel.started == 1) Fermeture_Excel(ProgramSpreadsheet());
    };
}

void ResetExcelStateForTesting() {
    ProgramSpreadsheet().Quit();
    SpreadsheetFaultsForTesting() = SpreadsheetFaults{};
}
