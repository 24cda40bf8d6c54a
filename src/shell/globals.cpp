// The program-wide state owned by the shell.
#include "shell/globals.h"

#include "platform/system/system.h"
#include "shell/hooks.h"

int Fen_princ[NB_PANELS] = {};
int menu = 0;
int langue = 1;
int ptLog = 0;
MesureRecord Mesure;
ExcelRecord Excel;
ShellHooks shell_hooks;

void LogWrite(const std::string& text) {
    if (ptLog > 0) FmtFile(ptLog, text);
}
