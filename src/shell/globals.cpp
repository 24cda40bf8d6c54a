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

std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    // Every byte but the continuation bytes of a multi-byte character.
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
    return text;
}

void LogWrite(const std::string& text) {
    if (ptLog > 0) FmtFile(ptLog, text);
}
