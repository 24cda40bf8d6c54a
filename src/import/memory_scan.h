// The File menu's import and exit entries: the scan of the instrument's memory
// that fills the directory and the import panel's lists.
#pragma once

// Menu callback of File, Import/Export (the scan) and File, Exit (the quit
// confirmation). Other items do nothing.
void Gestion_fichier(int menuBar, int menuItem, void* callbackData, int panel);

// The scan alone, as the import entry and the import panel's update button run it.
void ScanInstrumentMemory();

// Fills the import panel's object list and the first object's tests from
// Director, selects that object's first test and shows its description.
void FillImportLists();
