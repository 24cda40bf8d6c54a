// Blocking popups: message boxes and the file and folder dialogs. Qt's own
// (non-native) dialogs, so they look and behave the same on every desktop;
// with a responder installed they are answered without being shown.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <functional>

#include "platform/ui/ui_internal_qt.h"
#include "platform/ui/popup_responder.h"

using ui_detail::AnsweredByResponder;
using ui_detail::MessageAnsweredByResponder;
using ui_detail::QuestionAnsweredByResponder;

namespace {

QWidget* ActiveWindow() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                                   : QApplication::activeWindow(); }

// ".xls", "*.xls" or "*.xls;*.xlsx" become a Qt name filter.
QString NameFilter(const std::string& file_types) {
    QStringList patterns;
    for (QString part : QString::fromStdString(file_types).split(';', Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (part.startsWith('.')) part.prepend('*');
        if (!part.isEmpty()) patterns << part;
    }
    return patterns.isEmpty() ? QString("*") : patterns.join(' ');
}

QString FirstExtension(const std::string& file_types) {
    const QString first = NameFilter(file_types).section(' ', 0, 0);
    const QString extension = first.startsWith("*.") ? first.mid(1) : QString();
    return extension.contains('*') ? QString() : extension;
}

// Shows a non-native path dialog set up by `configure`; the first path chosen,
// empty when cancelled.
QString ChosenPath(const std::string& title, const std::string& directory, int allowMakeDirectory,
                   const std::function<void(QFileDialog&)>& configure) {
    QFileDialog dialog(ActiveWindow(), QString::fromStdString(title),
                       QString::fromStdString(directory));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::ReadOnly, allowMakeDirectory == 0);
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

int MessagePopup(const std::string& title, const std::string& message) {
    if (MessageAnsweredByResponder(title, message)) return 0;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(message), QMessageBox::Ok, ActiveWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return 0;
}

int GenericMessagePopup(const std::string& title, const std::string& message,
                        const std::string& button1, const std::string& button2,
                        const std::string& button3, int activeButton, int enterButton,
                        int escapeButton) {
    (void)activeButton;
    int answered = 0;
    if (QuestionAnsweredByResponder(title, message, {button1, button2, button3}, enterButton,
                                    escapeButton, answered)) {
        return answered;
    }
    QuestionBox box(QMessageBox::Question, QString::fromStdString(title),
                    QString::fromStdString(message), QMessageBox::NoButton, ActiveWindow());
    box.setTextFormat(Qt::PlainText);
    QAbstractButton* buttons[3] = {};
    const std::string* texts[3] = {&button1, &button2, &button3};
    for (int i = 0; i < 3; ++i) {
        if (!texts[i]->empty()) {
            buttons[i] = box.addButton(QString::fromStdString(*texts[i]), QMessageBox::ActionRole);
        }
    }
    if (enterButton >= 1 && enterButton <= 3 && buttons[enterButton - 1]) {
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons[enterButton - 1]));
    }
    if (escapeButton >= 1 && escapeButton <= 3 && buttons[escapeButton - 1]) {
        box.setEscapeButton(buttons[escapeButton - 1]);
    }
    box.exec();
    for (int i = 0; i < 3; ++i) {
        if (buttons[i] != nullptr && box.clickedButton() == buttons[i]) return i + 1;
    }
    return 0;
}

int FileSelectPopup(const std::string& defaultDirectory, const std::string& defaultFileName,
                    const std::string& fileTypeList, const std::string& title, int buttonLabel,
                    int restrictDirectory, int restrictExtension, int allowCancel,
                    int allowMakeDirectory, std::string& pathName) {
    (void)restrictDirectory;
    (void)allowCancel;
    int result = 0;
    if (AnsweredByResponder(
            {"file", title, "", {"", "", ""}, defaultDirectory, defaultFileName, fileTypeList},
            pathName, result)) {
        return result;
    }
    const bool save = buttonLabel == VAL_SAVE_BUTTON;
    QString chosen = ChosenPath(title, defaultDirectory, allowMakeDirectory, [&](QFileDialog& d) {
        // The program asks before overwriting, in its own words.
        d.setOption(QFileDialog::DontConfirmOverwrite, true);
        d.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        d.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        d.setNameFilter(NameFilter(fileTypeList));
        if (!defaultFileName.empty()) d.selectFile(QString::fromStdString(defaultFileName));
    });
    if (chosen.isEmpty()) return VAL_NO_FILE_SELECTED;
    const QString extension = FirstExtension(fileTypeList);
    if (restrictExtension != 0 && !extension.isEmpty() &&
        !chosen.endsWith(extension, Qt::CaseInsensitive)) {
        chosen += extension;
    }
    pathName = chosen.toStdString();
    return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
}

int DirSelectPopup(const std::string& defaultDirectory, const std::string& title,
                   int allowCancel, int allowMakeDirectory, std::string& pathName) {
    (void)allowCancel;
    int result = 0;
    if (AnsweredByResponder({"dir", title, "", {"", "", ""}, defaultDirectory, "", ""}, pathName,
                            result)) {
        return result;
    }
    const QString chosen =
        ChosenPath(title, defaultDirectory, allowMakeDirectory, [](QFileDialog& d) {
            d.setOption(QFileDialog::ShowDirsOnly, true);
            d.setFileMode(QFileDialog::Directory);
        });
    if (chosen.isEmpty()) return 0;
    pathName = chosen.toStdString();
    return VAL_DIRECTORY_SELECTED;
}
