// The session's end as a Linux session manager asks it: Qt's request to save
// (commitDataRequest). A program that may not end yet cancels the end when
// the manager lets it speak; there is no reason text to give.
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

#include "platform/ui/session.h"
#include "platform/ui/ui_internal_qt.h"

void ui_native::ConnectSessionManager() {
    static bool connected = false;
    auto* application = qobject_cast<QGuiApplication*>(QGuiApplication::instance());
    if (connected || application == nullptr) return;
    connected = true;
    QObject::connect(application, &QGuiApplication::commitDataRequest, application,
                     [](QSessionManager& manager) {
                         if (AskSessionMayEnd()) {
                             TellSessionEnds();
                         } else if (manager.allowsInteraction()) {
                             manager.cancel();
                             manager.release();
                         }
                     });
}

bool ui_native::ShowSessionEndBlock(int, bool, const std::string&) {
    return true;  // the Linux session manager takes no reason text
}

void ui_native::RestorePanel(int panel) {
    QWidget* window = ui_detail::FindPanel(panel)->widget;
    if (window->isMinimized()) window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
}
