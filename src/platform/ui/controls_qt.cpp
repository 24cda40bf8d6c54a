// Controls addressed by number: values, attributes and list operations.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

#include "platform/ui/ui_internal_qt.h"

using namespace ui_detail;

namespace {

QLabel* BuddyLabel(QWidget* control) {
    QWidget* window = control->window();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == control) return label;
    }
    return nullptr;
}

// A wrapped text grown beyond its window grows the window, as the Windows
// program's panels do: Qt's window keeps its height, and the text's last
// lines would be cut.
void GrowToFit(QWidget* window) {
    QLayout* layout = window->layout();
    if (layout == nullptr || !window->isVisible()) return;
    layout->activate();
    if (!layout->hasHeightForWidth()) return;
    const int needed = layout->minimumHeightForWidth(window->width());
    if (needed > window->height()) window->resize(window->width(), needed);
}

int SetText(QWidget* w, const QString& text) {
    ProgramChange change;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        // The program's texts are plain ("<Stop>" is not markup).
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        // A field that shows the program's state keeps its caption as its
        // accessible name; a screen reader reads its value as the description.
        label->setAccessibleDescription(text);
        if (label->wordWrap()) GrowToFit(label->window());
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) line->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) plain->setPlainText(text);
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) rich->setPlainText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(MnemonicText(text.toStdString()));
    else return UIE_WRONG_TYPE;
    return UIE_NO_ERROR;
}

int SetNumber(QWidget* w, double value) {
    ProgramChange change;
    if (auto* spin = qobject_cast<QSpinBox*>(w)) spin->setValue(static_cast<int>(value));
    else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) dspin->setValue(value);
    else if (auto* check = qobject_cast<QAbstractButton*>(w); check && check->isCheckable())
        check->setChecked(value != 0);
    else if (auto* list = qobject_cast<QListWidget*>(w)) {
        // A list's value selects the row carrying it.
        for (int row = 0; row < list->count(); ++row) {
            if (list->item(row)->data(Qt::UserRole).toInt() == static_cast<int>(value)) {
                list->setCurrentRow(row);
                return UIE_NO_ERROR;
            }
        }
        return UIE_INVALID_INDEX;
    } else
        return SetText(w, QString::number(value));
    return UIE_NO_ERROR;
}

int GetText(QWidget* w, std::string& value) {
    if (auto* label = qobject_cast<QLabel*>(w)) value = label->text().toStdString();
    else if (auto* line = qobject_cast<QLineEdit*>(w)) value = line->text().toStdString();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) value = plain->toPlainText().toStdString();
    else if (auto* rich = qobject_cast<QTextEdit*>(w)) value = rich->toPlainText().toStdString();
    else if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) value = spin->text().toStdString();
    else if (auto* list = qobject_cast<QListWidget*>(w))
        value = list->currentItem() ? list->currentItem()->text().toStdString() : std::string();
    else if (auto* button = qobject_cast<QAbstractButton*>(w)) value = button->text().toStdString();
    else return UIE_WRONG_TYPE;
    return UIE_NO_ERROR;
}

int GetNumber(QWidget* w, double& value) {
    if (auto* spin = qobject_cast<QSpinBox*>(w)) value = spin->value();
    else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) value = dspin->value();
    else if (auto* check = qobject_cast<QAbstractButton*>(w); check && check->isCheckable())
        value = check->isChecked() ? 1 : 0;
    else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (list->currentItem() == nullptr) return UIE_INVALID_INDEX;
        value = list->currentItem()->data(Qt::UserRole).toInt();
    } else {
        std::string text;
        const int status = GetText(w, text);
        if (status != UIE_NO_ERROR) return status;
        bool ok = false;
        value = QString::fromStdString(text).trimmed().toDouble(&ok);
        if (!ok) value = 0;
    }
    return UIE_NO_ERROR;
}

QListWidget* FindList(int panel, int control, int& status) {
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return nullptr;
    auto* list = qobject_cast<QListWidget*>(w);
    if (list == nullptr) status = UIE_WRONG_TYPE;
    return list;
}

}  // namespace

int SetCtrlVal(int panel, int control, int value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    return w ? SetNumber(w, value) : status;
}

int SetCtrlVal(int panel, int control, double value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    return w ? SetNumber(w, value) : status;
}

int SetCtrlVal(int panel, int control, const std::string& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    return w ? SetText(w, QString::fromStdString(value)) : status;
}

int GetCtrlVal(int panel, int control, int& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    double number = 0;
    status = GetNumber(w, number);
    if (status == UIE_NO_ERROR) value = static_cast<int>(number);
    return status;
}

int GetCtrlVal(int panel, int control, double& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    return w ? GetNumber(w, value) : status;
}

int GetCtrlVal(int panel, int control, std::string& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    return w ? GetText(w, value) : status;
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    QLabel* buddy = BuddyLabel(w);
    switch (attribute) {
        case ATTR_DIMMED:
            w->setEnabled(value == 0);
            if (buddy) buddy->setEnabled(value == 0);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            w->setHidden(value == 0);
            if (buddy) buddy->setHidden(value == 0);
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int SetCtrlAttribute(int panel, int control, int attribute, const std::string& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
    w->setProperty("labelText", QString::fromStdString(value));
    const QString shown = MnemonicText(value);
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(shown);
        button->setAccessibleName(button->text().remove('&'));
    } else if (QLabel* buddy = BuddyLabel(w)) {
        buddy->setText(shown);
        w->setAccessibleName(QString::fromStdString(value).remove("__"));
    } else {
        return UIE_INVALID_ATTRIBUTE;
    }
    return UIE_NO_ERROR;
}

int GetCtrlAttribute(int panel, int control, int attribute, int& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    switch (attribute) {
        case ATTR_DIMMED: value = w->isEnabled() ? 0 : 1; return UIE_NO_ERROR;
        case ATTR_VISIBLE: value = w->isHidden() ? 0 : 1; return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string& value) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    if (attribute != ATTR_LABEL_TEXT) return UIE_INVALID_ATTRIBUTE;
    const QVariant set = w->property("labelText");
    if (set.isValid()) {
        value = set.toString().toStdString();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        value = button->text().replace("&", "__").toStdString();
    } else if (QLabel* buddy = BuddyLabel(w)) {
        value = buddy->text().replace("&", "__").toStdString();
    } else {
        return UIE_INVALID_ATTRIBUTE;
    }
    return UIE_NO_ERROR;
}

int SetActiveCtrl(int panel, int control) {
    int status;
    QWidget* w = FindControl(panel, control, status);
    if (w == nullptr) return status;
    w->setFocus(Qt::OtherFocusReason);
    return UIE_NO_ERROR;
}

// ---- Lists ----------------------------------------------------------------------

int InsertListItem(int panel, int control, int index, const std::string& label, int value) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < -1 || index > list->count()) return UIE_INVALID_INDEX;
    ProgramChange change;
    auto* item = new QListWidgetItem(QString::fromStdString(label));
    item->setData(Qt::UserRole, value);
    list->insertItem(index == -1 ? list->count() : index, item);
    // A list with rows always shows one of them as current, as the original lists do.
    if (list->currentRow() < 0) list->setCurrentRow(0);
    return UIE_NO_ERROR;
}

int SetListItemAccessibleName(int panel, int control, int index, const std::string& name) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    QListWidgetItem* item = list->item(index);
    if (item == nullptr) return UIE_INVALID_INDEX;
    item->setData(Qt::AccessibleTextRole, QString::fromStdString(name));
    return UIE_NO_ERROR;
}

int ClearListCtrl(int panel, int control) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    ProgramChange change;
    list->clear();
    return UIE_NO_ERROR;
}

int GetNumListItems(int panel, int control, int& count) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    count = list->count();
    return UIE_NO_ERROR;
}

int GetCtrlIndex(int panel, int control, int& index) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    index = list->currentRow();
    return UIE_NO_ERROR;
}

int SetCtrlIndex(int panel, int control, int index) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= list->count()) return UIE_INVALID_INDEX;
    ProgramChange change;
    list->setCurrentRow(index);
    return UIE_NO_ERROR;
}

int GetLabelFromIndex(int panel, int control, int index, std::string& label) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= list->count()) return UIE_INVALID_INDEX;
    label = list->item(index)->text().toStdString();
    return UIE_NO_ERROR;
}

int GetValueFromIndex(int panel, int control, int index, int& value) {
    int status;
    QListWidget* list = FindList(panel, control, status);
    if (list == nullptr) return status;
    if (index < 0 || index >= list->count()) return UIE_INVALID_INDEX;
    value = list->item(index)->data(Qt::UserRole).toInt();
    return UIE_NO_ERROR;
}

int ResetTimer(int panel, int control) {
    // The program has no timer controls; the call stays for the shutdown order.
    if (panel == ALL_PANELS_AND_TIMERS || panel == 0) return UIE_NO_ERROR;
    int status;
    return FindControl(panel, control, status) ? UIE_NO_ERROR : status;
}
