// Everything the shell offers the other subsystems.
#pragma once

#include "shell/driver_check.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/help.h"
#include "shell/hooks.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "shell/settings.h"
#include "shell/startup.h"
