// The native side of the panels (ui_native.h) over Qt: each panel loaded from
// the resource file as a window of widgets, shown, hidden or destroyed as
// the front asks, belonging to the window below it, and its place, zoom,
// dimming and title.
#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QUiLoader>
#include <QWindow>

#include "platform/ui/ui_internal_qt.h"

namespace ui_detail {
namespace {

// Closing a panel window with the title bar or Escape is the front's to
// answer (its close control acts): the window stays.
void CloseRequested(QWidget* window) {
    ui_front::CloseRequested(window->property("panelHandle").toInt());
}

class PanelDialog : public QDialog {
public:
    using QDialog::QDialog;
    void reject() override { CloseRequested(this); }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        CloseRequested(this);
    }
};

class PanelMainWindow : public QMainWindow {
public:
    using QMainWindow::QMainWindow;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        CloseRequested(this);
    }
};

class PanelLoader : public QUiLoader {
public:
    QWidget* createWidget(const QString& class_name, QWidget* parent,
                          const QString& name) override {
        QWidget* widget = nullptr;
        if (parent == nullptr && class_name == "QDialog") widget = new PanelDialog;
        if (parent == nullptr && class_name == "QMainWindow") widget = new PanelMainWindow;
        if (widget == nullptr) return QUiLoader::createWidget(class_name, parent, name);
        widget->setObjectName(name);
        return widget;
    }
};

// Screen readers and UI automation find each control by the text a person
// sees for it: its buddy label or its own text.
void NameForAccessibility(QWidget* root) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy() != nullptr && label->buddy()->accessibleName().isEmpty()) {
            label->buddy()->setAccessibleName(label->text().remove('&'));
        }
        // A display-only field: its caption names it, its text is its value.
        if (auto* field = qobject_cast<QLabel*>(label->buddy())) {
            field->setAccessibleDescription(field->text());
        }
    }
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->accessibleName().isEmpty()) button->setAccessibleName(button->text().remove('&'));
    }
}

void CollectControls(Panel& panel) {
    for (QWidget* child : panel.widget->findChildren<QWidget*>()) {
        const QVariant number = child->property("control");
        if (!number.isValid() || number.toInt() <= 0) continue;
        ui_native::Control& control = panel.controls[number.toInt()];
        control.widget = child;
        ui_front::AddControl(panel.handle, number.toInt(), KindOf(child), CallbackName(child),
                             &control);
    }
    NameForAccessibility(panel.widget);
}

// True when `window` is `candidate` or stands under it as its transient
// parent, however far: `candidate` cannot belong to it.
bool Under(const QWindow* window, const QWindow* candidate) {
    for (const QWindow* w = candidate; w != nullptr; w = w->transientParent()) {
        if (w == window) return true;
    }
    return false;
}

// A panel loaded without a parent and shown over the program's windows
// belongs to the one below it (the popup under it; else a popup's to the
// active window, another panel's to the main window): the window manager
// keeps it above that window, and it opens centred over it, not on the
// screen the pointer is on.
void BelongToWindowBelow(Panel& panel, int below, bool popup) {
    QWidget* widget = panel.widget;
    if (ui_front::ParentOf(panel.handle) != 0 || widget->isVisible() ||
        qobject_cast<QMainWindow*>(widget) != nullptr || widget->windowType() == Qt::SplashScreen)
        return;
    std::vector<QWidget*> candidates;
    if (Panel* under = FindPanel(below); under != nullptr && under != &panel)
        candidates.push_back(under->widget);
    if (popup) candidates.push_back(QApplication::activeWindow());
    for (auto& [handle, other] : Panels()) {
        if (qobject_cast<QMainWindow*>(other.widget.data()) != nullptr) candidates.push_back(other.widget);
    }
    candidates.push_back(QApplication::activeWindow());
    widget->winId();
    for (QWidget* owner : candidates) {
        if (owner == nullptr || owner == widget || !owner->isVisible() || owner->windowHandle() == nullptr ||
            Under(widget->windowHandle(), owner->windowHandle()))
            continue;
        widget->windowHandle()->setTransientParent(owner->windowHandle());
        return;
    }
}

}  // namespace
}  // namespace ui_detail

using namespace ui_detail;

namespace ui_native {

int LoadPanel(int parent_handle, const std::string& path,
              const std::shared_ptr<const ui_description::ResourceFile>&,
              const ui_description::Panel& description) {
    Panel* parent = FindPanel(parent_handle);
    if (QApplication::instance() == nullptr) return UIE_FILE_NOT_FOUND;
    // The panel's element alone: loading builds only this panel's widgets.
    QByteArray element =
        "<ui version=\"4.0\">" + QByteArray::fromStdString(description.element) + "</ui>";
    QBuffer buffer(&element);
    buffer.open(QIODevice::ReadOnly);
    PanelLoader loader;
    // Pictures named in the file lie beside it.
    loader.setWorkingDirectory(QFileInfo(QString::fromStdString(path)).absoluteDir());
    QWidget* widget = loader.load(&buffer, nullptr);
    if (widget == nullptr) return UIE_FILE_NOT_FOUND;
    widget->setAttribute(Qt::WA_DeleteOnClose, false);
    if (widget->property("windowKind").toString() == "splash") {
        widget->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    }
    if (parent != nullptr) widget->setParent(parent->widget, widget->windowFlags() | Qt::Window);
    widget->hide();

    Panel panel;
    panel.handle = ui_dispatch::NewHandle();
    panel.widget = widget;
    widget->setProperty("panelHandle", panel.handle);
    Panel& stored = Panels()[panel.handle] = panel;
    ui_front::AddPanel(stored.handle, parent_handle, widget->property("closeControl").toInt());
    CollectControls(stored);
    CollectMenuBar(stored);
    ConnectPanel(stored);
    return stored.handle;
}

void ShowPanel(int panel, int below, bool popup) {
    Panel* p = FindPanel(panel);
    QWidget* widget = p->widget;
    if (popup) {
        if (widget->isVisible() && widget->windowModality() != Qt::ApplicationModal) widget->hide();
        widget->setWindowModality(Qt::ApplicationModal);
    }
    BelongToWindowBelow(*p, below, popup);
    widget->show();
    widget->raise();
    if (popup) widget->activateWindow();
}

void HidePanel(int panel) {
    if (Panel* p = FindPanel(panel)) {
        // Hidden, a popup is a plain panel again.
        p->widget->hide();
        p->widget->setWindowModality(Qt::NonModal);
    }
}

void DestroyPanel(int panel) {
    QPointer<QWidget> widget = FindPanel(panel)->widget;
    Panels().erase(panel);
    if (widget) {
        widget->hide();
        // Deleted later: the panel may be discarded from one of its own callbacks.
        widget->deleteLater();
    }
}

bool ActivateActiveWindow() {
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr) return false;
    window->raise();
    window->activateWindow();
    return true;
}

void ActivatePanel(int panel) {
    QWidget* window = FindPanel(panel)->widget;
    window->raise();
    window->activateWindow();
}

void ResetForTesting() {
    Panels().clear();
    if (QApplication::instance() != nullptr) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace ui_native

QWidget* ui_native::PanelWidget(int panel) {
    return FindPanel(panel)->widget.data();
}

// ---- Panel attributes ---------------------------------------------------------

namespace ui_native {

int PanelPlace(int panel, int attribute) {
    QWidget* w = FindPanel(panel)->widget;
    // While minimized or maximized, the place and size it comes back to.
    const QRect g = w->normalGeometry().isEmpty() ? w->geometry() : w->normalGeometry();
    switch (attribute) {
        case ATTR_TOP:
            return g.top();
        case ATTR_LEFT:
            return g.left();
        case ATTR_HEIGHT:
            return g.height();
        default:
            return g.width();
    }
}

void SetPanelPlace(int panel, int attribute, int value) {
    QWidget* w = FindPanel(panel)->widget;
    QRect g = w->geometry();
    switch (attribute) {
        case ATTR_TOP: g.moveTop(value); break;
        case ATTR_LEFT: g.moveLeft(value); break;
        case ATTR_HEIGHT:
            g.setHeight(value);
            break;
        default:
            g.setWidth(value);
            break;
    }
    w->setGeometry(g);
}

void MovePanel(int panel, int top, int left) {
    QWidget* w = FindPanel(panel)->widget;
    QRect g = w->geometry();
    g.moveTopLeft(QPoint(left, top));
    w->setGeometry(g);
}

int PanelZoom(int panel) {
    const Qt::WindowStates state = FindPanel(panel)->widget->windowState();
    return (state & Qt::WindowMinimized)   ? VAL_MINIMIZE
           : (state & Qt::WindowMaximized) ? VAL_MAXIMIZE
                                           : VAL_NO_ZOOM;
}

void SetPanelZoom(int panel, int zoom) {
    QWidget* w = FindPanel(panel)->widget;
    Qt::WindowStates state = w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (zoom == VAL_MINIMIZE)
        state |= Qt::WindowMinimized;
    else if (zoom == VAL_MAXIMIZE)
        state |= Qt::WindowMaximized;
    w->setWindowState(state);
}

bool PanelVisible(int panel) {
    return FindPanel(panel)->widget->isVisible();
}
bool PanelDimmed(int panel) {
    return !FindPanel(panel)->widget->isEnabled();
}
void SetPanelDimmed(int panel, bool dimmed) {
    FindPanel(panel)->widget->setEnabled(!dimmed);
}
std::string PanelTitle(int panel) {
    return FindPanel(panel)->widget->windowTitle().toStdString();
}

void SetPanelTitle(int panel, const std::string& title) {
    FindPanel(panel)->widget->setWindowTitle(QString::fromStdString(title));
}

}  // namespace ui_native
