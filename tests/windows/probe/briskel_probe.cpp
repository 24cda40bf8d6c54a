// A program the Windows platform tests copy into a folder and start: it
// writes the program folder it finds for itself into program-dir.txt there.
// Started with "second-copy", it claims its folder as the program does and
// ends with 0 when another copy holds it (and was asked to come forward).
#include <cstring>

#include "platform/system/program_instance.h"
#include "platform/system/system.h"

int main(int argc, char** argv) {
    std::string folder;
    if (GetProjectDir(folder) != 0) return 1;
    if (argc > 1 && std::strcmp(argv[1], "second-copy") == 0)
        return ProgramInstance(folder, nullptr).Claimed() ? 4 : 0;
    const int file = CVI_OpenFile(folder + PathSeparator() + "program-dir.txt", VAL_WRITE_ONLY,
                                  VAL_TRUNCATE);
    if (file < 0) return 2;
    const bool written = FmtFile(file, folder) == static_cast<int>(folder.size());
    return CVI_CloseFile(file) == 0 && written ? 0 : 3;
}
