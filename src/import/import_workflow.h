// The import panel's buttons: export (the date check that opens the export
// panel), update, close, the all-dates switch and the wait popup's stop.
#pragma once

// Callback of the import panel: export, update, close, all-dates switch.
int Importer(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
// 1 when at least one test matches the date filter of the import panel, else 0.
int Importer_date();
// Stop button of the wait popup: on commit, flag_stop = 0.
int StopImport(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
// Close button: on commit, hides the import panel.
int QuitterImporter(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
