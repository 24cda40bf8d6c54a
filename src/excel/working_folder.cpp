#include "excel/working_folder.h"

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"

namespace {

void Refuse(const MessageTable& text, const std::string& folder, FolderCheck check) {
    std::string message =
        FillPlaceholders(Texte(text), {{"folder", folder},
                                       {"max", std::to_string(MAX_WORKING_FOLDER)},
                                       {"why", WriteRefusalReason()}});
    if (check == FolderCheck::Export) message += Texte(rien_exporte);
    MessagePopup(Texte(titre_erreur), message);
}

}  // namespace

std::string WriteRefusalReason() {
    return Texte(RunningSystem() == OperatingSystem::Windows ? refus_windows : refus_linux);
}

std::string WorkingFolderOfField(const std::string& typed) {
    std::string folder = WithoutTrailingBlanks(typed);
    if (folder.empty()) folder = DefaultWorkingFolder();
    return folder;
}

bool WorkingFolderAccepted(const std::string& folder, FolderCheck check) {
    // The record keeps the folder with its final separator.
    if (CharacterCount(JoinPath(folder, "")) > MAX_WORKING_FOLDER) {
        Refuse(dossier_trop_long, folder, check);
        return false;
    }
    if (check == FolderCheck::Choice) return true;
    switch (CheckWritableFolder(folder)) {
        case FOLDER_WRITABLE:
            return true;
        case FOLDER_NOT_WRITABLE:
            Refuse(dossier_protege, folder, check);
            return false;
        case FOLDER_REFUSED:
            Refuse(dossier_refuse, folder, check);
            return false;
        default:
            if (check == FolderCheck::Launch)
                Popup_erreur(ERROR_WORKING_DIRECTORY);
            else
                Refuse(dossier_absent, folder, check);
            return false;
    }
}
