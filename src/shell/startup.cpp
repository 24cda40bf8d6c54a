#include "shell/startup.h"

#include "shell/globals.h"
#include "shell/hooks.h"

std::string datecom;
std::string heurecom;
int err = 0;

void ResetShellForTesting() {
    for (int& handle : Fen_princ) handle = 0;
    menu = 0;
    langue = 1;
    ptLog = 0;
    Mesure = MesureRecord{};
    Excel = ExcelRecord{};
    shell_hooks = ShellHooks{};
    datecom.clear();
    heurecom.clear();
    err = 0;
}
