// The local time and delays. Delays keep the windows painted but hold user
// input back, so no callback runs in the middle of a wait.
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <algorithm>

#include "platform/system/local_time.h"
#include "platform/system/system.h"

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

void Delay(double seconds) {
    const qint64 total_ms = static_cast<qint64>(seconds * TimeScale() * 1000.0 + 0.5);
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
