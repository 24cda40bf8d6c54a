// Binds the shell's callbacks to the names the resource file gives them, and
// registers its answers to the end of the desktop session.
#pragma once

void RegisterShellCallbacks();
