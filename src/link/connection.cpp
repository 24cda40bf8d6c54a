// Back to command mode after a command failed on the open link.
#include "link/connection.h"

#include "link/commands.h"
#include "link/modbus.h"
#include "shell/globals.h"

int BackToCommandMode(LinkContext& ctx) {
    if (EssaiCom(ctx, "\r\n") == 0) return STILL_IN_COMMAND_MODE;
    const int switched = KillModBus(ctx);
    if (switched == COMMAND_MODE) return STILL_IN_COMMAND_MODE;
    if (switched == SWITCH_REGISTER_UNREAD) return NO_SWITCH_REGISTER;
    if (switched != 0 || EssaiCom(ctx, "\r\n") != 0) return NO_COMMAND_MODE;
    ZR8812_StxOn(ctx);
    Mesure.link_flag = 1;
    return SWITCHED_BACK;
}
