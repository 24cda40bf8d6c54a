// The event loop over Qt's (ui_native.h), and the widgets' events handed to
// the front, which runs their callbacks (ui_dispatch.h).
#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <map>

#include "platform/ui/ui_internal_qt.h"

namespace ui_detail {
namespace {

struct EventState {
    std::map<int, Panel> panels;
    QEventLoop* loop = nullptr;
};

EventState& State() {
    static EventState state;
    return state;
}

// Enter in a field that has a callback is that field's commit: it is kept
// from the dialog, whose default button would take it as well.
class FieldEnter : public QObject {
public:
    FieldEnter(QObject* parent, int panel, int control) : QObject(parent), panel_(panel), control_(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (auto* line = qobject_cast<QLineEdit*>(watched)) line->setModified(false);
        DispatchControlEvent(panel_, control_, EVENT_COMMIT);
        return true;
    }

private:
    int panel_;
    int control_;
};

}  // namespace

std::string CallbackName(QObject* object) {
    return object->property("callback").toString().toStdString();
}

std::map<int, Panel>& Panels() {
    return State().panels;
}

Panel* FindPanel(int handle) {
    auto it = State().panels.find(handle);
    if (it == State().panels.end() || it->second.widget.isNull()) return nullptr;
    return &it->second;
}

void ConnectPanel(Panel& panel) {
    const int handle = panel.handle;
    for (auto& [number, control] : panel.controls) {
        QWidget* widget = control.widget;
        const int id = number;
        const auto dispatch = [handle, id](int event) { DispatchControlEvent(handle, id, event); };
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, button,
                             [dispatch] { dispatch(EVENT_COMMIT); });
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            QObject::connect(list, &QListWidget::currentRowChanged, list, [dispatch](int row) {
                if (row >= 0) dispatch(EVENT_VAL_CHANGED);
            });
            QObject::connect(list, &QListWidget::itemClicked, list,
                             [dispatch] { dispatch(EVENT_LEFT_CLICK); });
            QObject::connect(list, &QListWidget::itemActivated, list,
                             [dispatch] { dispatch(EVENT_COMMIT); });
        } else if (auto* line = qobject_cast<QLineEdit*>(widget); line && !CallbackName(line).empty()) {
            line->installEventFilter(new FieldEnter(line, handle, id));
            // Enter never reaches the field's own signal: this is leaving it.
            QObject::connect(line, &QLineEdit::editingFinished, line, [line, dispatch] {
                if (!line->isModified()) return;
                line->setModified(false);
                dispatch(EVENT_VAL_CHANGED);
            });
        }
    }
}

}  // namespace ui_detail

using namespace ui_detail;

namespace ui_native {

int RunLoop() {
    EventState& state = State();
    if (QApplication::instance() == nullptr) return UIE_INVALID_ATTRIBUTE;
    QApplication::setQuitOnLastWindowClosed(false);
    QEventLoop loop;
    state.loop = &loop;
    const int code = loop.exec();
    state.loop = nullptr;
    return code;
}

void ExitLoop(int code) {
    if (State().loop != nullptr) State().loop->exit(code);
}

void ProcessEvents() {
    if (QApplication::instance() != nullptr) QApplication::processEvents();
}

bool WaitForEvents() {
    EventState& state = State();
    if (QApplication::instance() == nullptr || (state.loop && !state.loop->isRunning()))
        return false;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return !QApplication::topLevelWidgets().isEmpty();
}

void ShowWaitCursor(bool on) {
    if (qobject_cast<QApplication*>(QApplication::instance()) == nullptr) return;
    if (on)
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QApplication::restoreOverrideCursor();
}

}  // namespace ui_native

void ui_native::PaintNow() {
    if (QApplication::instance() != nullptr) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
