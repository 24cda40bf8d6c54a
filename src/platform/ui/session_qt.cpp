// The session's end as a Linux session manager asks it: Qt's request to save
// (commitDataRequest). A program that may not end yet cancels the end when
// the manager lets it speak; there is no reason text to give.
#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>

#include "platform/ui/session.h"
#include "platform/ui/session_internal.h"
#include "platform/ui/ui_internal_qt.h"

void ConnectSessionManager() {
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

int BlockSessionEnd(int panel, const std::string& reason) {
    if (ui_detail::FindPanel(panel) == nullptr) return UIE_INVALID_HANDLE;
    SetSessionEndReason(reason);
    return UIE_NO_ERROR;
}

int UnblockSessionEnd(int panel) {
    SetSessionEndReason("");
    return ui_detail::FindPanel(panel) == nullptr ? UIE_INVALID_HANDLE : UIE_NO_ERROR;
}

int BringPanelForward(int panel) {
    ui_detail::Panel* p = ui_detail::FindPanel(panel);
    if (p == nullptr) return UIE_INVALID_HANDLE;
    if (p->widget->isMinimized())
        p->widget->setWindowState(p->widget->windowState() & ~Qt::WindowMinimized);
    return MakeApplicationActive();
}
