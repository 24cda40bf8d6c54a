// The application object behind the user interface.
#include <clocale>

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

#include "platform/system/system.h"
#include "platform/ui/ui_native.h"

bool ui_native::StartApplication(int& argc, char** argv) {
    if (QApplication::instance() != nullptr) return true;
    // Lives until the process ends, never destroyed: a static owner would
    // destroy it (and the panels still open) after Qt's own statics are gone,
    // which crashes every exit on a real display.
    new QApplication(argc, argv);
    // Qt takes the desktop's locale for the C library too; on a French or
    // German desktop printf and strtod would then write and read decimal
    // commas, and every value in a workbook or an instrument answer would come
    // out wrong. Numbers stay in the C notation; texts keep the desktop's.
    setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName("Briskel View");
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows carry the program's picture when it lies beside the program.
    std::string directory;
    GetProjectDir(directory);
    const QString icon = QString::fromStdString(directory + "/briskel_logo.png");
    if (QFileInfo::exists(icon)) QApplication::setWindowIcon(QIcon(icon));
    return true;
}
