#include "import/registration.h"

#include "import/import_workflow.h"
#include "import/instrument_setup.h"
#include "import/measurement_display.h"
#include "import/memory_scan.h"
#include "import/object_name_field.h"
#include "import/object_selection.h"
#include "import/scanned_instrument.h"
#include "platform/ui/ui.h"
#include "shell/hooks.h"
#include "store/store.h"

void RegisterImportSubsystem() {
    RegisterCallbacks({
        {"Gestion_fichier", nullptr, Gestion_fichier},
        {"Importer", Importer, nullptr},
        {"IndexObjet", IndexObjet, nullptr},
        {"IndexTest", IndexTest, nullptr},
        {"StopImport", StopImport, nullptr},
        {"QuitterImporter", QuitterImporter, nullptr},
        {"NommerObjet", NommerObjet, nullptr},
        {"Gestion_parametre", nullptr, Gestion_parametre},
        {"Config_com", Config_com, nullptr},
        {"QuitterConfig", QuitterConfig, nullptr},
    });
    shell_hooks.relabel_object_name = RelabelObjectName;
    shell_hooks.start_connection = Gestion_parametre;
    // Start-up sets the import flags before the first scan.
    shell_hooks.init_import_flags = [] {
        flag_stop = 1;
        flag_excel = 0;
    };
}

void ResetImportStateForTesting() {
    for (DirObjet& entry : Director) entry = DirObjet{};
    nb_total = 0;
    flag_stop = 0;
    flag_excel = 0;
    ResetScannedInstrumentForTesting();
}
