#include "link/commands.h"

#include <cstdio>
#include <cstring>

#include "store/store.h"
#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/com_port.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "shell/globals.h"

namespace {

constexpr std::size_t CD_READ = 5000;
constexpr std::size_t LS_READ = 10000;
constexpr std::size_t OD_READ = 60000;

int Port() {
    return Mesure.serial_port;
}

// Flushes, clears `clear` bytes of reponse and sends `command` + CR LF.
int SendCommand(const char* command, std::size_t clear) {
    FlushInQ(Port());
    ClearBytes(reponse, REPONSE_SIZE, clear);
    char line[COMMAND_MAX + 3];
    std::snprintf(line, sizeof line, "%.*s\r\n", COMMAND_MAX, command);
    return ComWrite(line);
}

bool HoldsError(std::size_t length) {
    return FindNoCase(reponse, length, "rror") >= 0;
}

}  // namespace

bool TestFilePath(int object, int test, int kind, char* path) {
    if (object < 0 || object > 99 || test < 0 || test > 99 || kind < 0 || kind >= NB_KINDS)
        return false;
    std::snprintf(path, 32, "/etc/mem/%02d/%02d%s", object, test, tab_type[kind]);
    return true;
}

int ZR8812_StxOn() {
    int status = SendCommand("stty ixon", 500);
    if (status <= 0) return status;
    Delay(0.5);
    int n = ComRdTerm(Port(), reponse, 500, '#');
    if (n <= 0) {
        status = ComWrite("stty ixon\r\n");
        if (status <= 0) return status;
        Delay(0.5);
        ClearBytes(reponse, REPONSE_SIZE, 10000);
        n = ComRdTerm(Port(), reponse, 500, '#');
    }
    return n > 0 ? 0 : ReturnRS232Err();
}

int ZR8812_cd(const char* text) {
    const int status = SendCommand(text, CD_READ);
    if (status <= 0) return status;
    Delay(0.5);
    const int n = ComRd(Port(), reponse, CD_READ);
    if (n <= 0) return ReturnRS232Err();
    return HoldsError(static_cast<std::size_t>(n)) ? -1 : 0;
}

int ZR8812_ls() {
    int status = SendCommand("ls -l", LS_READ);
    if (status <= 0) return status;
    Delay(0.1);
    int n = ComRdTerm(Port(), reponse, LS_READ, '$');
    if (n <= 0) {
        status = ComWrite("ls -l\r\n");
        if (status <= 0) return status;
        ClearBytes(reponse, REPONSE_SIZE, LS_READ);
        n = ComRdTerm(Port(), reponse, LS_READ, '$');
        if (n <= 0) return ReturnRS232Err();
    }
    return HoldsError(static_cast<std::size_t>(n)) ? -1 : 0;
}

int ZR8812_od(int object, int test, int kind) {
    char path[32];
    if (!TestFilePath(object, test, kind, path)) return -1;
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "od -hxv %s", path);
    int status = SendCommand(command, OD_READ);
    if (status <= 0) return status;
    Delay(0.5);
    int n = ComRd(Port(), reponse, OD_READ);
    if (n <= 0) {
        std::strcat(command, "\r\n");
        status = ComWrite(command);
        if (status <= 0) return status;
        Delay(0.5);
        ClearBytes(reponse, REPONSE_SIZE, OD_READ);
        n = ComRd(Port(), reponse, OD_READ);
        if (n <= 0) return ReturnRS232Err();
    }
    ZR8812_traduc_dump();
    return 0;
}

int ZR8812_delete(int object, int test, int kind) {
    char path[32];
    if (!TestFilePath(object, test, kind, path)) return -1;
    ClearBytes(reponse, REPONSE_SIZE, OD_READ);
    FlushInQ(Port());
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "rm %s", path);
    const int status = ZR8812_cd(command);
    if (status != 0) return status;
    return FindNoCase(reponse, TextLength(reponse, CD_READ), Modele) >= 0 ? 0 : -1;
}
