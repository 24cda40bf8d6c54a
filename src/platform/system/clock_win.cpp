// Dates, times and delays on Windows. Delays keep the windows painted but hold
// user input back, so no callback runs in the middle of a wait.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "platform/system/system.h"
#include "platform/system/win32.h"

namespace {

double time_scale = 1.0;

}  // namespace

std::string DateStr() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[40];
    std::snprintf(text, sizeof text, "%02u-%02u-%04u", now.wMonth, now.wDay, now.wYear);
    return text;
}

std::string TimeStr() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[40];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
    return text;
}

int GetSystemDate(int& month, int& day, int& year) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    month = now.wMonth;
    day = now.wDay;
    year = now.wYear;
    return 0;
}

void SetTimeScale(double scale) { time_scale = scale > 0 ? scale : 1.0; }

double TimeScale() { return time_scale; }

void Delay(double seconds) {
    const auto total_ms = static_cast<long long>(seconds * time_scale * 1000.0 + 0.5);
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
