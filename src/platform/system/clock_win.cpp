// The local time and delays on Windows. Delays keep the windows painted but hold
// user input back, so no callback runs in the middle of a wait.
#include <windows.h>

#include <algorithm>

#include "platform/system/local_time.h"
#include "platform/system/system.h"
#include "platform/system/win32.h"

std::tm LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::tm parts{};
    parts.tm_year = now.wYear - 1900;
    parts.tm_mon = now.wMonth - 1;
    parts.tm_mday = now.wDay;
    parts.tm_hour = now.wHour;
    parts.tm_min = now.wMinute;
    parts.tm_sec = now.wSecond;
    return parts;
}

void Delay(double seconds) {
    const auto total_ms = static_cast<long long>(seconds * TimeScale() * 1000.0 + 0.5);
    if (total_ms <= 0) return;
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        const long long left = total_ms - static_cast<long long>(GetTickCount64() - start);
        if (left <= 0) break;
        ProcessPaintAndTimerMessages();
        // Wakes for a message of this thread's windows, or after a short slice.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, 5LL)),
                                  QS_PAINT | QS_TIMER);
    }
}
