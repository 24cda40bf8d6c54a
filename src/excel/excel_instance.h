// The export panel's launch, close and folder-choice buttons, which start and
// quit the program's spreadsheet application (ProgramSpreadsheet, workbook.h),
// and the common reaction to a failed spreadsheet call.
#pragma once

#include "excel/workbook.h"

// Callback of the export panel's launch, close and folder-choice buttons; acts
// on commit events; returns 0.
int Lancer_excel(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);

// Closes the application: warns the user (error 7) and quits it; a quit that
// fails (the user had closed it) is followed by error 6.
void Fermeture_Excel(SpreadsheetApplication& excel);

// After a failed spreadsheet call (status = its result): for a nonzero status,
// error 6 "Error writing to EXCEL". The workbook of the call is left to its
// owner, which closes it unsaved.
void Sort_Error(int status);
