// After a command failed on the open link: back to the instrument's command
// mode without the person (an instrument that restarted answers in Modbus mode
// again).
#pragma once

#include "link/link_context.h"

// Results of BackToCommandMode.
constexpr int STILL_IN_COMMAND_MODE = 0;
constexpr int SWITCHED_BACK = 1;  // it was in Modbus mode again (a restart) and is switched back
constexpr int NO_COMMAND_MODE = -1;
// As NO_COMMAND_MODE, register 25 having kept reading FFFF: error 10 to tell.
constexpr int NO_SWITCH_REGISTER = -2;
// After a command failed on the open link: is the instrument still in command
// mode? An instrument that restarted answers in Modbus mode again; it is then
// switched to command mode once more, without any box or set-up question. -1
// (or -2) when it answers in neither mode (the port may then be closed, link
// flag 0).
int BackToCommandMode(LinkContext& ctx);
