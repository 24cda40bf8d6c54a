#include "excel/excel_instance.h"

#include <string>

#include "excel/working_folder.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "store/store.h"

namespace {

int ExportPanel() {
    return Fen_princ[PANEL_EXPORT];
}

// The launch controls and the export button are never usable together: either
// the application is to be started, or it runs and workbooks can be exported.
void EnableLaunchControls(bool launch) {
    const int p = ExportPanel();
    SetCtrlAttribute(p, EXPORT_RUN, ATTR_DIMMED, launch ? 0 : 1);
    SetCtrlAttribute(p, EXPORT_FOLDER, ATTR_DIMMED, launch ? 0 : 1);
    SetCtrlAttribute(p, EXPORT_BROWSE, ATTR_DIMMED, launch ? 0 : 1);
    SetCtrlAttribute(p, EXPORT_EXPORT, ATTR_DIMMED, launch ? 1 : 0);
    SetActiveCtrl(p, launch ? EXPORT_RUN : EXPORT_EXPORT);
}

void LaunchButton(SpreadsheetApplication& excel) {
    const int p = ExportPanel();
    std::string typed;
    GetCtrlVal(p, EXPORT_FOLDER, typed);
    const std::string folder = WorkingFolderOfField(typed);
    if (!WorkingFolderAccepted(folder, FolderCheck::Launch)) return;
    if (SetDir(folder) != 0) {
        Popup_erreur(ERROR_WORKING_DIRECTORY);
        return;
    }
    Excel.working_folder = folder;
    SetCtrlVal(p, EXPORT_FOLDER, Excel.working_folder);
    // A new start replaces an application left from a failed launch or close.
    if (Excel.started == 0 && excel.Start() != 0) {
        Popup_erreur(ERROR_EXCEL_WRITE);
        return;
    }
    SetWaitCursor(0);
    const int status = excel.Show();
    if (status < 0) {
        Sort_Error(status);
        return;
    }
    MakeApplicationActive();
    SetCtrlVal(p, EXPORT_MESSAGE, std::string(Texte(messag_pret)));
    Excel.started = 1;
    EnableLaunchControls(false);
}

void CloseButton(SpreadsheetApplication& excel) {
    HidePanel(ExportPanel());
    if (Excel.started == 1) {
        Fermeture_Excel(excel);
        Excel.started = 0;
    }
    EnableLaunchControls(true);
    flag_excel = 0;
    const int import = Fen_princ[PANEL_IMPORT];
    SetCtrlVal(import, IMPORT_DESCRIPTION, std::string("        "));
    SetCtrlAttribute(import, IMPORT_PROGRESS, ATTR_VISIBLE, 0);
    SetCtrlAttribute(import, IMPORT_DESCRIPTION, ATTR_VISIBLE, 1);
    DisplayPanel(import);
}

void FolderChoiceButton() {
    std::string folder;
    // A cancelled dialog leaves the record and the field as they were.
    if (DirSelectPopup("", "", 1, 0, folder) != VAL_DIRECTORY_SELECTED) return;
    if (!WorkingFolderAccepted(folder, FolderCheck::Choice)) return;
    Excel.working_folder = folder;
    SetCtrlVal(ExportPanel(), EXPORT_FOLDER, Excel.working_folder);
}

}  // namespace

int Lancer_excel(int, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    switch (control) {
        case EXPORT_RUN:
            LaunchButton(ProgramSpreadsheet());
            break;
        case EXPORT_QUIT:
            CloseButton(ProgramSpreadsheet());
            break;
        case EXPORT_BROWSE:
            FolderChoiceButton();
            break;
        default:
            break;
    }
    return 0;
}

void Fermeture_Excel(SpreadsheetApplication& excel) {
    Popup_erreur(WARNING_EXCEL_CLOSING);
    Sort_Error(excel.Quit());
}

void Sort_Error(int status) {
    if (status != 0) Popup_erreur(ERROR_EXCEL_WRITE);
}
