// Wiring of the instrument link into the program.
#pragma once

// Registers the link's callback by the name the resource file gives it
// (QuitterConfig) and fills the shell's hook of the power-off at exit.
void RegisterLinkSubsystem();
// Closes every port and clears the link's buffers (tests start clean).
void ResetLinkStateForTesting();
