// Wiring of the instrument link into the program.
#pragma once

// Fills the shell's hook of the power-off at exit.
void RegisterLinkSubsystem();
// Closes every port and clears the link's buffers (tests start clean).
void ResetLinkStateForTesting();
