// The one spreadsheet application this program starts and drives, the object
// handles through which every workbook call reaches it, the export panel's
// launch, close and folder-choice buttons, and the common reaction to a failed
// spreadsheet call.
#pragma once

#include "platform/spreadsheet/spreadsheet.h"

// Object handles, 0 when not held; each held one is released exactly once.
extern CAObjHandle ExcelAppHandle;        // the application (launch to close)
extern CAObjHandle ExcelWorkbooksHandle;  // its workbook collection (one test)
extern CAObjHandle ExcelWorkbookHandle;   // the workbook of the current test
extern CAObjHandle ExcelSheetsHandle;     // the sheets of that workbook
extern CAObjHandle ExcelWorksheetHandle;  // its first sheet
extern CAObjHandle ExcelRangeHandle;      // A1:BA20 of that sheet; the sheets write through it

// Callback of the export panel's launch, close and folder-choice buttons; acts
// on commit events; returns 0.
int Lancer_excel(int panel, int control, int event, void* callbackData, int eventData1,
                 int eventData2);

// Closes the application: releases the per-test handles, closes any workbook
// without saving, warns the user (error 7), quits. If the quit fails, error 6
// follows and the application handle stays held.
void Fermeture_Excel();

// After a failed spreadsheet call (status = its result): releases the
// worksheet, sheets, workbook and workbook collection handles and, for a
// nonzero status, shows error 6 "Error writing to EXCEL". The range and
// application handles stay held.
void Sort_Error(int status);

// Releases the handle `*handle` points to, if any, and sets it to 0.
void ClearObjHandle(CAObjHandle* handle);
