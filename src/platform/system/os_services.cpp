// The system version and the desktop's document viewer.
#include <QDesktopServices>
#include <QUrl>

#include "platform/system/os_version.h"
#include "platform/system/system.h"

namespace {

int test_major = -1;
int test_minor = 0;
std::function<bool(const std::string&)> test_viewer;
std::optional<OperatingSystem> test_system;

}  // namespace

int GetWinOSVersion(int& major, int& minor, int& build, int& platform) {
    major = minor = build = platform = 0;
    if (test_major >= 0) {
        major = test_major;
        minor = test_minor;
        return 0;
    }
    return SystemVersion(major, minor, build);
}

void SetOSVersionForTesting(int major, int minor) {
    test_major = major;
    test_minor = minor;
}

OperatingSystem RunningSystem() {
    return test_system.value_or(ThisSystem());
}

void SetRunningSystemForTesting(std::optional<OperatingSystem> system) {
    test_system = system;
}

bool OpenDocumentInDefaultViewer(const std::string& path) {
    if (test_viewer) return test_viewer(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

void SetDocumentViewerForTesting(std::function<bool(const std::string&)> viewer) {
    test_viewer = std::move(viewer);
}
