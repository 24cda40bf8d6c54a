// The desktop's default program for a document, through Qt.
#include <QDesktopServices>
#include <QUrl>

#include "platform/system/default_program.h"

bool OpenWithDefaultProgram(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}
