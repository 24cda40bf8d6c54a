// The system's local date and time now, as each system reads it; the clock's
// texts and the time scale are worked out from it the same way everywhere.
#pragma once

#include <ctime>

std::tm LocalNow();
