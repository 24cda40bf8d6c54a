#include "platform/system/system.h"

namespace {
bool kept_awake = false;
}

void KeepSystemAwakeNatively(bool on);  // keep_awake_win.cpp / keep_awake_unix.cpp

void KeepSystemAwake(bool on) {
    kept_awake = on;
    KeepSystemAwakeNatively(on);
}

bool SystemKeptAwake() {
    return kept_awake;
}
