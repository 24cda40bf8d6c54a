// The import panel's buttons and the export loop that downloads, decodes and
// hands each chosen test to the sheet writer, with the optional erasure of
// each exported test on the instrument.
#pragma once

// Callback of the import panel: export, update, close, all-dates switch.
int Importer(int panel, int control, int event, void* callbackData, int eventData1, int eventData2);
// 1 when at least one test matches the date filter of the import panel, else 0.
int Importer_date();
// The export loop; called by the export panel's export button. Returns 0.
int Importer_memory();

// Results of LectureTests.
constexpr int TEST_DECODED = 0;
constexpr int TEST_WITHOUT_READER = -1;
constexpr int TEST_UNREADABLE = -2;  // download failed or incomplete; the user was told
constexpr int TEST_PORT_LOST = -3;   // the instrument's port went away; nothing was told yet
// The instrument left command mode (a restart) and did not answer the download
// once switched back, or could not be switched back; nothing was told yet.
constexpr int TEST_COMMAND_MODE_LOST = -4;
// Downloads and decodes test `test` of object entry `object` (of the kind its
// record gives).
int LectureTests(int object, int test);

// Stop button of the wait popup: on commit, flag_stop = 0.
int StopImport(int panel, int control, int event, void* callbackData, int eventData1,
               int eventData2);
// Close button: on commit, hides the import panel.
int QuitterImporter(int panel, int control, int event, void* callbackData, int eventData1,
                    int eventData2);
