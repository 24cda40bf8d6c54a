// Putting the current language into the menu bar and the panels.
#pragma once

// Menu bar names and the labels of the import, identity, wait and progress panels.
void Changement_langue();
// Each puts the current language into one panel; a panel not loaded is left alone.
void Traduc_excel();   // export panel (5)
void Traduc_import();  // import panel (6)
void Traduc_pres();    // about panel (7)
void Traduc_com();     // communication panel (2)
void Traduc_config();  // identity panel (3)
void Traduc_atten();   // wait panel (4)
void Traduc_export();  // progress panel (1)

// The "Yes" and "No" words of the current language (from `cmdOui`).
const char* TexteOui();
const char* TexteNon();
