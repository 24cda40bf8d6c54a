#include "excel/registration.h"

#include "excel/excel_instance.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"

void RegisterExcelSubsystem() {
    RegisterCallbacks({
        {"Lancer_excel", Lancer_excel},
    });
    shell_hooks.close_spreadsheet = [] {
        if (Excel.started == 1) Fermeture_Excel();
    };
}

void ResetExcelStateForTesting() {
    for (CAObjHandle* h : {&ExcelAppHandle, &ExcelWorkbooksHandle, &ExcelWorkbookHandle,
                           &ExcelSheetsHandle, &ExcelWorksheetHandle, &ExcelRangeHandle})
        *h = 0;
    ResetSpreadsheetForTesting();
}
