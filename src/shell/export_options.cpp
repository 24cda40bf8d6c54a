// BriskelExport.ini: "key=value" lines, CR LF; unknown keys are ignored, so a
// later version may add its own.
#include "shell/export_options.h"

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"

const char* const EXPORT_OPTIONS_FILE = "BriskelExport.ini";

namespace {

constexpr const char* AUTOMATIC_NAMES_KEY = "automatic_names=";

std::string OptionsPath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + EXPORT_OPTIONS_FILE;
}

void ShowInCheckBox() {
    const int panel = Fen_princ[PANEL_EXPORT];
    if (panel > 0) SetCtrlVal(panel, EXPORT_AUTOMATIC_NAMES, Excel.automatic_names != 0 ? 1 : 0);
}

}  // namespace

void LoadExportOptions() {
    Excel.automatic_names = 0;
    const int file = CVI_OpenFile(OptionsPath(), VAL_READ_ONLY, VAL_OPEN_AS_IS);
    if (file > 0) {
        const std::string key = AUTOMATIC_NAMES_KEY;
        std::string line;
        while (ReadLine(file, line) >= 0) {
            if (line.compare(0, key.size(), key) == 0) {
                Excel.automatic_names = line.substr(key.size()) == "1" ? 1 : 0;
            }
        }
        CVI_CloseFile(file);
    }
    ShowInCheckBox();
}

bool SaveExportOptions() {
    int ticked = Excel.automatic_names;
    if (GetCtrlVal(Fen_princ[PANEL_EXPORT], EXPORT_AUTOMATIC_NAMES, ticked) == 0) {
        Excel.automatic_names = ticked != 0 ? 1 : 0;
    }
    const std::string text =
        std::string(AUTOMATIC_NAMES_KEY) + std::to_string(Excel.automatic_names) + "\n";
    return ReplaceFileDurably(OptionsPath(), TextFileBytes(text)) == 0;
}
