// The application object behind the user interface.
#include <QApplication>
#include <memory>

#include "platform/ui/ui.h"

int InitUserInterface(int& argc, char** argv) {
    static std::unique_ptr<QApplication> application;
    if (QApplication::instance() != nullptr) return 1;
    application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName("Briskel View");
    QApplication::setQuitOnLastWindowClosed(false);
    return 1;
}
