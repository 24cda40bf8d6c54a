#include "export/registration.h"

#include "export/export_loop.h"
#include "export/export_record.h"
#include "export/workbook_export.h"
#include "platform/ui/ui.h"

void RegisterExportSubsystem() {
    RegisterCallbacks({
        {"Exporter_excel", Exporter_excel},
        {"OpenWorkingFolder", OpenWorkingFolder},
    });
}

void ResetExportStateForTesting() {
    ResetExportRecordForTesting();
    SetSheetWriterForTesting(nullptr);
}
