#include "link/commands.h"

#include <cstdio>
#include <cstring>

#include "store/store.h"
#include "link/answer_filter.h"
#include "link/answer_text.h"
#include "link/com_port.h"
#include "link/exchange.h"

namespace {

constexpr std::size_t STTY_READ = 500;
constexpr std::size_t CD_READ = 5000;
constexpr std::size_t LS_READ = 10000;
constexpr std::size_t OD_READ = 60000;

// Sends `command` + CR LF and reads its answer into reponse (see Exchange).
Exchanged Command(LinkContext& ctx, const char* command, std::size_t limit, int attempts,
                  AnswerEnd until = AnswerEnd::Prompt, char mark = '\0') {
    char line[COMMAND_MAX + 3];
    std::snprintf(line, sizeof line, "%.*s\r\n", COMMAND_MAX, command);
    return Exchange(ctx, line, ctx.reponse, limit, until, attempts, mark);
}

bool HoldsError(LinkContext& ctx, std::size_t length) {
    return FindNoCase(ctx.reponse, length, "rror") >= 0;
}

}  // namespace

bool TestFilePath(int object, int test, int kind, char* path) {
    if (object < 0 || object > 99 || test < 0 || test > 99 || kind < 0 || kind >= NB_KINDS)
        return false;
    std::snprintf(path, 32, "/etc/mem/%02d/%02d%s", object, test, tab_type[kind]);
    return true;
}

int ZR8812_StxOn(LinkContext& ctx) {
    // The answer holds no "#" as a rule: it ends at the prompt.
    const Exchanged a = Command(ctx, "stty ixon", STTY_READ, 2, AnswerEnd::Mark, '#');
    return a.status;
}

int ZR8812_cd(LinkContext& ctx, const char* text) {
    const Exchanged a = Command(ctx, text, CD_READ, 1);
    if (a.status != 0) return a.status;
    return HoldsError(ctx, a.length) ? -1 : 0;
}

int ZR8812_ls(LinkContext& ctx) {
    const Exchanged a = Command(ctx, "ls -l", LS_READ, 2);
    if (a.status != 0) return a.status;
    return HoldsError(ctx, a.length) ? -1 : 0;
}

int ZR8812_od(LinkContext& ctx, int object, int test, int kind) {
    char path[32];
    if (!TestFilePath(object, test, kind, path)) return -1;
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "od -hxv %s", path);
    const Exchanged a = Command(ctx, command, OD_READ, 2);
    if (a.status != 0) return a.status;
    ZR8812_traduc_dump(ctx);
    return 0;
}

int ZR8812_delete(LinkContext& ctx, int object, int test, int kind) {
    char path[32];
    if (!TestFilePath(object, test, kind, path)) return -1;
    ClearBytes(ctx.reponse, REPONSE_SIZE, OD_READ);
    char command[COMMAND_MAX + 1];
    std::snprintf(command, sizeof command, "rm %s", path);
    const int status = ZR8812_cd(ctx, command);
    if (status != 0) return status;
    return FindNoCase(ctx.reponse, TextLength(ctx.reponse, CD_READ), Modele) >= 0 ? 0 : -1;
}
