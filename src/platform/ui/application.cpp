// The application object behind the user interface.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <memory>

#include "platform/system/system.h"
#include "platform/ui/ui.h"

int InitUserInterface(int& argc, char** argv) {
    static std::unique_ptr<QApplication> application;
    if (QApplication::instance() != nullptr) return 1;
    application = std::make_unique<QApplication>(argc, argv);
    QApplication::setApplicationName("Briskel View");
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows carry the program's picture when it lies beside the program.
    std::string directory;
    GetProjectDir(directory);
    const QString icon = QString::fromStdString(directory + "/briskel_logo.png");
    if (QFileInfo::exists(icon)) QApplication::setWindowIcon(QIcon(icon));
    return 1;
}
