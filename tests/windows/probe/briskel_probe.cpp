// A program the Windows platform tests copy into a folder and start: it
// writes the program folder it finds for itself into program-dir.txt there.
#include "platform/system/system.h"

int main() {
    std::string folder;
    if (GetProjectDir(folder) != 0) return 1;
    const int file = CVI_OpenFile(folder + PathSeparator() + "program-dir.txt", VAL_WRITE_ONLY,
                                  VAL_TRUNCATE);
    if (file < 0) return 2;
    const bool written = FmtFile(file, folder) == static_cast<int>(folder.size());
    return CVI_CloseFile(file) == 0 && written ? 0 : 3;
}
