// BriskelExport.ini: "key=value" lines, CR LF; unknown keys are ignored, so a
// later version may add its own.
#include "shell/export_options.h"

#include <cstdint>
#include <utility>

#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"

const char* const EXPORT_OPTIONS_FILE = "BriskelExport.ini";

namespace {

constexpr const char* AUTOMATIC_NAMES_KEY = "automatic_names=";
constexpr const char* SUMMARY_WORKBOOK_KEY = "summary_workbook=";

std::string OptionsPath() {
    std::string directory;
    GetProjectDir(directory);
    return directory + PathSeparator() + EXPORT_OPTIONS_FILE;
}

void ShowInCheckBox() {
    const int panel = Fen_princ[PANEL_EXPORT];
    if (panel <= 0) return;
    SetCtrlVal(panel, EXPORT_AUTOMATIC_NAMES, Excel.automatic_names != 0 ? 1 : 0);
    SetCtrlVal(panel, EXPORT_SUMMARY, Excel.summary_workbook != 0 ? 1 : 0);
}

// A check box's state into its field; the field stays as it is when the box
// cannot be read.
void ReadCheckBox(int control, int32_t& field) {
    int ticked = field;
    if (GetCtrlVal(Fen_princ[PANEL_EXPORT], control, ticked) == 0) field = ticked != 0 ? 1 : 0;
}

}  // namespace

void LoadExportOptions() {
    Excel.automatic_names = 0;
    Excel.summary_workbook = 0;
    const int file = CVI_OpenFile(OptionsPath(), VAL_READ_ONLY, VAL_OPEN_AS_IS);
    if (file > 0) {
        std::string line;
        while (ReadLine(file, line) >= 0) {
            for (auto [key, field] :
                 {std::pair{std::string(AUTOMATIC_NAMES_KEY), &Excel.automatic_names},
                  std::pair{std::string(SUMMARY_WORKBOOK_KEY), &Excel.summary_workbook}}) {
                if (line.compare(0, key.size(), key) == 0)
                    *field = line.substr(key.size()) == "1" ? 1 : 0;
            }
        }
        CVI_CloseFile(file);
    }
    ShowInCheckBox();
}

bool SaveExportOptions() {
    ReadCheckBox(EXPORT_AUTOMATIC_NAMES, Excel.automatic_names);
    ReadCheckBox(EXPORT_SUMMARY, Excel.summary_workbook);
    const std::string text = std::string(AUTOMATIC_NAMES_KEY) +
                             std::to_string(Excel.automatic_names) + "\n" + SUMMARY_WORKBOOK_KEY +
                             std::to_string(Excel.summary_workbook) + "\n";
    return ReplaceFileDurably(OptionsPath(), TextFileBytes(text)) == 0;
}
