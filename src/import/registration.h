// Binds the measurement import's callbacks to the names the resource file
// gives them, and resets its state for tests.
#pragma once

// Registers Gestion_fichier, Importer, IndexObjet, IndexTest, StopImport,
// QuitterImporter, NommerObjet and the Setup menu's Gestion_parametre,
// Config_com and QuitterConfig, and fills the shell's hook of the start-up connection.
void RegisterImportSubsystem();

// Zeroes the store (directory, current test, counters, flags)
// and forgets the scanned instrument's serial number.
void ResetImportStateForTesting();
