// The native side of the controls (ui_native.h) over Qt's widgets: their
// values, attributes and a list's mirrored rows.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
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

QListWidget* List(const ui_native::Control& control) {
    return qobject_cast<QListWidget*>(control.widget.data());
}

}  // namespace

namespace ui_detail {

ui_native::Kind KindOf(QWidget* w) {
    using ui_native::Kind;
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->isCheckable() ? Kind::CheckBox : Kind::Button;
    if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
        qobject_cast<QTextEdit*>(w))
        return Kind::Edit;
    if (qobject_cast<QAbstractSpinBox*>(w)) return Kind::Spin;
    if (qobject_cast<QListWidget*>(w)) return Kind::List;
    if (qobject_cast<QLabel*>(w)) return Kind::Label;
    if (qobject_cast<QProgressBar*>(w)) return Kind::Progress;
    return Kind::Container;
}

}  // namespace ui_detail

namespace ui_native {

bool PanelAlive(int panel) {
    return FindPanel(panel) != nullptr;
}
bool Alive(const Control& control) {
    return !control.widget.isNull();
}

void SetText(Control& control, const std::string& value) {
    QWidget* w = control.widget;
    const QString text = QString::fromStdString(value);
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
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(MnemonicText(value));
}

std::string Text(const Control& control) {
    QWidget* w = control.widget;
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text().toStdString();
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->text().toStdString();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->toPlainText().toStdString();
    if (auto* rich = qobject_cast<QTextEdit*>(w)) return rich->toPlainText().toStdString();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) return spin->text().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text().toStdString();
    return std::string();
}

void SetNumber(Control& control, double value) {
    QWidget* w = control.widget;
    if (auto* spin = qobject_cast<QSpinBox*>(w))
        spin->setValue(static_cast<int>(value));
    else if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w))
        dspin->setValue(value);
    else if (auto* check = qobject_cast<QAbstractButton*>(w))
        check->setChecked(value != 0);
    else if (auto* bar = qobject_cast<QProgressBar*>(w))
        bar->setValue(static_cast<int>(value));
}

double Number(const Control& control) {
    QWidget* w = control.widget;
    if (auto* spin = qobject_cast<QSpinBox*>(w)) return spin->value();
    if (auto* dspin = qobject_cast<QDoubleSpinBox*>(w)) return dspin->value();
    if (auto* check = qobject_cast<QAbstractButton*>(w)) return check->isChecked() ? 1 : 0;
    if (auto* bar = qobject_cast<QProgressBar*>(w)) return bar->value();
    return 0;
}

void SetDimmed(Control& control, bool dimmed) {
    control.widget->setEnabled(!dimmed);
    if (QLabel* buddy = BuddyLabel(control.widget)) buddy->setEnabled(!dimmed);
}

bool Dimmed(const Control& control) {
    return !control.widget->isEnabled();
}

void SetVisible(Control& control, bool visible) {
    control.widget->setHidden(!visible);
    if (QLabel* buddy = BuddyLabel(control.widget)) buddy->setHidden(!visible);
}

bool Visible(const Control& control) {
    return !control.widget->isHidden();
}

bool SetLabelText(Control& control, const std::string& text) {
    const QString shown = MnemonicText(text);
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget.data())) {
        button->setText(shown);
        button->setAccessibleName(button->text().remove('&'));
    } else if (QLabel* buddy = BuddyLabel(control.widget)) {
        buddy->setText(shown);
        control.widget->setAccessibleName(QString::fromStdString(text).remove("__"));
    } else {
        return false;
    }
    return true;
}

bool LabelText(const Control& control, std::string& shown) {
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget.data()))
        shown = button->text().toStdString();
    else if (QLabel* buddy = BuddyLabel(control.widget))
        shown = buddy->text().toStdString();
    else
        return false;
    return true;
}

void Focus(Control& control) {
    control.widget->setFocus(Qt::OtherFocusReason);
}

void InsertRow(Control& list, int row, const std::string& label) {
    List(list)->insertItem(row, new QListWidgetItem(QString::fromStdString(label)));
}

void ClearRows(Control& list) {
    List(list)->clear();
}
int CurrentRow(const Control& list) {
    return List(list)->currentRow();
}
void SelectRow(Control& list, int row) {
    List(list)->setCurrentRow(row);
}

void SetRowAccessibleName(Control& list, int row, const std::string& name) {
    List(list)->item(row)->setData(Qt::AccessibleTextRole, QString::fromStdString(name));
}

}  // namespace ui_native
