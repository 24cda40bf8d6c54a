// Wiring of the instrument link into the program.
#pragma once

// Registers the link's callbacks by the names the resource file gives them
// (Gestion_parametre, Config_com, QuitterConfig) and fills the shell's hooks:
// the start-up connection and the power-off at exit.
void RegisterLinkSubsystem();
// Closes every port and clears the link's buffers (tests start clean).
void ResetLinkStateForTesting();
