// Whether the device behind an open serial port's native handle has gone
// (unplugged, hung up), without reading or waiting. Per platform.
#pragma once

bool NativeHandleHungUp(long long handle);
