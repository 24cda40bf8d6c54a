// The native side of the popups (ui_native.h): message boxes and the file
// and folder dialogs, Qt's own (non-native) ones, so they look and behave the
// same on every desktop.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <functional>

#include "platform/ui/ui_internal_qt.h"

namespace {

QWidget* ActiveWindow() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                   : QApplication::activeWindow(); }

// The patterns as a Qt name filter.
QString NameFilter(const std::vector<std::string>& patterns) {
    QStringList filter;
    for (const std::string& pattern : patterns) filter << QString::fromStdString(pattern);
    return filter.isEmpty() ? QString("*") : filter.join(' ');
}

// Shows a non-native path dialog set up by `configure`; the first path chosen,
// empty when cancelled.
QString ChosenPath(const std::string& title, const std::string& directory, bool make_folders,
                   const std::function<void(QFileDialog&)>& configure) {
    QFileDialog dialog(ActiveWindow(), QString::fromStdString(title),
                       QString::fromStdString(directory));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, !make_folders);
    configure(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

// A question box whose Escape and close box end the question unanswered (0)
// when no button is bound to Escape: Qt's own box then does nothing at all.
class QuestionBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (escapeButton() == nullptr && event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override {
        if (escapeButton() == nullptr) {
            QDialog::closeEvent(event);
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

}  // namespace

namespace ui_native {

void ShowMessage(const std::string& title, const std::string& message) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(message), QMessageBox::Ok, ActiveWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int Ask(const std::string& title, const std::string& message, const std::string (&texts)[3],
        int enter_button, int escape_button) {
    QuestionBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(message), QMessageBox::NoButton, ActiveWindow());
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        if (!texts[i].empty()) {
            buttons[i] = box.addButton(QString::fromStdString(texts[i]), QMessageBox::ActionRole);
        }
    }
    if (enter_button != 0)
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[enter_button - 1]));
    if (escape_button != 0) box.setEscapeButton(buttons[escape_button - 1]);
    box.exec();
    for (int i = 0; i < 3; ++i) {
        if (buttons[i] != nullptr && box.clickedButton() == buttons[i]) return i + 1;
    }
    return 0;
}

std::string ChooseFile(const std::string& title, const std::string& directory,
                       const std::string& name, const std::vector<std::string>& patterns, bool save,
                       bool make_folders) {
    return ChosenPath(title, directory, make_folders,
                      [&](QFileDialog& d) {
                          // The program asks before overwriting, in its own words.
                          d.setOption(QFileDialog::DontConfirmOverwrite, true);
                          d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
                          d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
                          d.setNameFilter(NameFilter(patterns));
                          if (!name.empty()) d.selectFile(QString::fromStdString(name));
                      })
        .toStdString();
}

std::string ChooseFolder(const std::string& title, const std::string& directory,
                         bool make_folders) {
    return ChosenPath(title, directory, make_folders,
                      [](QFileDialog& d) {
                          d.setOption(QFileDialog::ShowDirsOnly, true);
                          d.setFileMode(QFileDialog::Directory);
                      })
        .toStdString();
}

bool IsExistingFile(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}

}  // namespace ui_native
