// The start-up check of the system version and the first-install driver advice.
#pragma once

// Returns 1 when the program must end now (system too old, or the user chose
// to quit after the first-install advice), else 0. On Windows the advice
// names the driver installer for its version; on Linux it says that the
// kernel holds the driver and how the port is reached, and no version is checked.
int Gestion_OS_CP210();
