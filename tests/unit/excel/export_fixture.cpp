#include "export_fixture.h"

#include <filesystem>

#include "excel/registration.h"
#include "export/registration.h"
#include "import/registration.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"

void ExportFixture::LoadExportPanels() {
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    LoadMainPanel();
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
}

void ExportFixture::UseWorkbookFolder() {
    out_ = program_dir() + "/workbooks";
    std::filesystem::create_directory(out_);
    langue = 1;
    Excel.base_name = "Briskel";
    Excel.working_folder = out_;
}

void ExportFixture::OpenExportOfAllTests() {
    SimulateMenuItem(menu, ITEM_IMPORT);
    SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_ALL_DATES, 1);
    SimulateCommit(Fen_princ[PANEL_IMPORT], IMPORT_EXPORT);
}
