// Dates, times and the time scale, the same on every system: only reading the
// local time (LocalNow) and waiting (Delay) are the system's own.
#include <cstdio>
#include <optional>

#include "platform/system/local_time.h"
#include "platform/system/system.h"

namespace {

double time_scale = 1.0;
std::optional<std::tm> fixed_now;  // a test's

std::tm Now() {
    return fixed_now ? *fixed_now : LocalNow();
}

}  // namespace

void SetLocalTimeForTesting(std::optional<std::tm> now) {
    fixed_now = now;
}

std::string DateStr() {
    const std::tm t = Now();
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
    return text;
}

std::string TimeStr() {
    const std::tm t = Now();
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

int GetSystemDate(int& month, int& day, int& year) {
    const std::tm t = Now();
    month = t.tm_mon + 1;
    day = t.tm_mday;
    year = t.tm_year + 1900;
    return 0;
}

void SetTimeScale(double scale) { time_scale = scale > 0 ? scale : 1.0; }

double TimeScale() { return time_scale; }
