// Binds the shell's callbacks to the names the resource file gives them.
#pragma once

void RegisterShellCallbacks();
