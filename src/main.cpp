// Entry point of briskel-view.
#include "excel/registration.h"
#include "export/registration.h"
#include "import/registration.h"
#include "link/registration.h"
#include "platform/ui/ui.h"
#include "shell/registration.h"
#include "shell/startup.h"

int main(int argc, char** argv) {
    if (InitUserInterface(argc, argv) == 0) return -1;
    RegisterShellCallbacks();
    // ---- The other subsystems register their callbacks and hooks here: ----
    RegisterLinkSubsystem();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    return ProgramMain();
}
