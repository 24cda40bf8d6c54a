// The bridges plugged in now, in the library's order, from the per-platform
// file (bridge_unix.cpp, bridge_win.cpp).
#pragma once

#include <vector>

#include "platform/usb/bridge.h"

std::vector<BridgeDevice> PresentBridges();
