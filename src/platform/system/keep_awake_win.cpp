#include <windows.h>

void KeepSystemAwakeNatively(bool on) {
    // ES_CONTINUOUS holds the state until the next call; without
    // ES_SYSTEM_REQUIRED it hands the idle timer back to the system. The
    // display may still turn off: nobody needs to watch an export.
    SetThreadExecutionState(on ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}
