// Dates, times and delays. Delays keep the windows painted but hold user
// input back, so no callback runs in the middle of a wait.
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/system/system.h"

namespace {

double time_scale = 1.0;

std::tm LocalNow() {
    const QDateTime now = QDateTime::currentDateTime();
    std::tm parts{};
    parts.tm_year = now.date().year() - 1900;
    parts.tm_mon = now.date().month() - 1;
    parts.tm_mday = now.date().day();
    parts.tm_hour = now.time().hour();
    parts.tm_min = now.time().minute();
    parts.tm_sec = now.time().second();
    return parts;
}

}  // namespace

std::string DateStr() {
    const std::tm t = LocalNow();
    char text[40];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
    return text;
}

std::string TimeStr() {
    const std::tm t = LocalNow();
    char text[40];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

int GetSystemDate(int& month, int& day, int& year) {
    const std::tm t = LocalNow();
    month = t.tm_mon + 1;
    day = t.tm_mday;
    year = t.tm_year + 1900;
    return 0;
}

void SetTimeScale(double scale) { time_scale = scale > 0 ? scale : 1.0; }

double TimeScale() { return time_scale; }

void Delay(double seconds) {
    const qint64 total_ms = static_cast<qint64>(seconds * time_scale * 1000.0 + 0.5);
    if (total_ms <= 0) return;
    QElapsedTimer timer;
    timer.start();
    const bool has_app = QCoreApplication::instance() != nullptr;
    while (timer.elapsed() < total_ms) {
        const qint64 left = total_ms - timer.elapsed();
        if (has_app) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents,
                                            static_cast<int>(std::min<qint64>(left, 20)));
        }
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(std::max<qint64>(left, 0), 5)));
    }
}
