// Wiring of the instrument link into the program.
#pragma once

// Fills the shell's hooks: the power-off at exit, the port number the
// settings keep, the link marked down.
void RegisterLinkSubsystem();
// Closes every port and clears the link's context (tests start clean).
void ResetLinkStateForTesting();
