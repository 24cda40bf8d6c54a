// Callbacks, the event loop and the queue of commit events.
//
// A commit is handed to the control's callback at once. Commits that arrive
// while a callback runs (or while a poll is processing events) are also kept
// in a queue, so that a long operation polling with GetUserEvent sees a Stop
// pressed meanwhile. The queue is emptied when the outermost callback returns:
// what was not polled during an operation does not leak into the next one.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <deque>
#include <map>

#include "platform/ui/ui_internal_qt.h"

namespace ui_detail {
namespace {

struct Callbacks {
    std::map<std::string, CtrlCallbackPtr> controls;
    std::map<std::string, MenuCallbackPtr> menus;
};

Callbacks& Registry() {
    static Callbacks registry;
    return registry;
}

struct EventState {
    int next_handle = 1;
    std::map<int, Panel> panels;
    std::map<int, MenuBar> menu_bars;
    std::vector<int> popups;
    std::deque<std::pair<int, int>> commits;  // panel, control
    int callback_depth = 0;
    int poll_depth = 0;
    int program_change = 0;
    bool wait_cursor = false;
    QEventLoop* loop = nullptr;
    bool quit_pending = false;
    int quit_code = 0;
    std::function<void()> poll_hook;
};

EventState& State() {
    static EventState state;
    return state;
}

class CallbackScope {
public:
    CallbackScope() { ++State().callback_depth; }
    ~CallbackScope() {
        // A poll in progress still wants what arrived while it processed events.
        if (--State().callback_depth == 0 && State().poll_depth == 0) State().commits.clear();
    }
};

// An item can be chosen only when it and every menu above it are undimmed.
bool Reachable(QAction* action, int depth = 0) {
    if (!action->isEnabled()) return false;
    if (depth > 8) return true;
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) {
            if (!Reachable(menu->menuAction(), depth + 1)) return false;
        }
    }
    return true;
}

std::string CallbackName(QObject* object) {
    return object->property("callback").toString().toStdString();
}

}  // namespace

int NewHandle() { return State().next_handle++; }
std::map<int, Panel>& Panels() { return State().panels; }
std::map<int, MenuBar>& MenuBars() { return State().menu_bars; }
std::vector<int>& PopupStack() { return State().popups; }

Panel* FindPanel(int handle) {
    auto it = State().panels.find(handle);
    if (it == State().panels.end() || it->second.widget.isNull()) return nullptr;
    return &it->second;
}

MenuBar* FindMenuBar(int handle) {
    auto it = State().menu_bars.find(handle);
    if (it == State().menu_bars.end() || it->second.bar.isNull()) return nullptr;
    if (FindPanel(it->second.panel) == nullptr) return nullptr;
    return &it->second;
}

QWidget* FindControl(int panel, int control, int& status) {
    Panel* p = FindPanel(panel);
    if (p == nullptr) {
        status = UIE_INVALID_HANDLE;
        return nullptr;
    }
    auto it = p->controls.find(control);
    if (it == p->controls.end() || it->second.isNull()) {
        status = UIE_INVALID_CONTROL;
        return nullptr;
    }
    status = UIE_NO_ERROR;
    return it->second;
}

bool ProgramChangeInProgress() { return State().program_change > 0; }
ProgramChange::ProgramChange() { ++State().program_change; }
ProgramChange::~ProgramChange() { --State().program_change; }

void DispatchControlEvent(int panel, int control, int event) {
    int status;
    QWidget* widget = FindControl(panel, control, status);
    if (widget == nullptr) return;
    EventState& state = State();
    if (event == EVENT_COMMIT && (state.callback_depth > 0 || state.poll_depth > 0)) {
        state.commits.emplace_back(panel, control);
    }
    auto it = Registry().controls.find(CallbackName(widget));
    if (it == Registry().controls.end() || it->second == nullptr) return;
    CallbackScope scope;
    it->second(panel, control, event, nullptr, 0, 0);
}

void DispatchMenuItem(int menu_bar, int item) {
    MenuBar* bar = FindMenuBar(menu_bar);
    if (bar == nullptr) return;
    auto found = bar->items.find(item);
    if (found == bar->items.end() || found->second.isNull()) return;
    QAction* action = found->second;
    if (!Reachable(action)) return;
    auto it = Registry().menus.find(CallbackName(action));
    if (it == Registry().menus.end() || it->second == nullptr) return;
    const int panel = bar->panel;
    CallbackScope scope;
    it->second(menu_bar, item, nullptr, panel);
}

void ConnectPanel(Panel& panel) {
    const int handle = panel.handle;
    for (auto& [number, control] : panel.controls) {
        QWidget* widget = control;
        const int id = number;
        widget->setProperty("panelHandle", handle);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QObject::connect(button, &QAbstractButton::clicked, button, [handle, id] {
                if (!ProgramChangeInProgress()) DispatchControlEvent(handle, id, EVENT_COMMIT);
            });
        } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
            QObject::connect(list, &QListWidget::currentRowChanged, list, [handle, id](int row) {
                if (!ProgramChangeInProgress() && row >= 0)
                    DispatchControlEvent(handle, id, EVENT_VAL_CHANGED);
            });
            QObject::connect(list, &QListWidget::itemClicked, list, [handle, id] {
                DispatchControlEvent(handle, id, EVENT_LEFT_CLICK);
            });
            QObject::connect(list, &QListWidget::itemActivated, list, [handle, id] {
                DispatchControlEvent(handle, id, EVENT_COMMIT);
            });
        }
    }
}

void ConnectMenuBar(MenuBar& bar) {
    const int handle = bar.handle;
    for (auto& [number, item] : bar.items) {
        QAction* action = item;
        if (action->isCheckable()) action->setProperty("tick", action->isChecked());
        if (action->menu() != nullptr) continue;
        const int id = number;
        QObject::connect(action, &QAction::triggered, action, [action, handle, id] {
            // Qt flips a checkable item by itself; the program owns the tick.
            if (action->isCheckable()) action->setChecked(action->property("tick").toBool());
            DispatchMenuItem(handle, id);
        });
    }
}

}  // namespace ui_detail

using namespace ui_detail;

void RegisterCallbacks(std::initializer_list<CallbackEntry> entries) {
    for (const CallbackEntry& entry : entries) {
        if (entry.control != nullptr) Registry().controls[entry.name] = entry.control;
        if (entry.menu != nullptr) Registry().menus[entry.name] = entry.menu;
    }
}

bool IsCallbackRegistered(const std::string& name) {
    return Registry().controls.count(name) > 0 || Registry().menus.count(name) > 0;
}

int RunUserInterface() {
    EventState& state = State();
    if (state.quit_pending) {
        state.quit_pending = false;
        return state.quit_code;
    }
    if (state.loop != nullptr || QApplication::instance() == nullptr) return UIE_INVALID_ATTRIBUTE;
    QApplication::setQuitOnLastWindowClosed(false);
    QEventLoop loop;
    state.loop = &loop;
    const int code = loop.exec();
    state.loop = nullptr;
    state.quit_pending = false;
    return code;
}

int QuitUserInterface(int returnCode) {
    EventState& state = State();
    state.quit_code = returnCode;
    if (state.loop != nullptr) {
        state.loop->exit(returnCode);
    } else {
        // Asked before the loop runs (a failed start-up): the loop returns at once.
        state.quit_pending = true;
    }
    return UIE_NO_ERROR;
}

int GetUserEvent(int wait, int& panel, int& control) {
    EventState& state = State();
    ++state.poll_depth;
    if (state.poll_hook) state.poll_hook();
    if (QApplication::instance() != nullptr) {
        QApplication::processEvents();
        if (wait != 0) {
            while (state.commits.empty() && !state.quit_pending &&
                   (!state.loop || state.loop->isRunning())) {
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
                if (QApplication::topLevelWidgets().isEmpty()) break;
            }
        }
    }
    --state.poll_depth;
    if (state.commits.empty()) return 0;
    panel = state.commits.front().first;
    control = state.commits.front().second;
    state.commits.pop_front();
    return 1;
}

int ProcessDrawEvents() {
    if (QApplication::instance() != nullptr) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return UIE_NO_ERROR;
}

int SetWaitCursor(int on) {
    EventState& state = State();
    const bool want = on != 0;
    if (want == state.wait_cursor) return UIE_NO_ERROR;
    state.wait_cursor = want;
    if (qobject_cast<QApplication*>(QApplication::instance()) == nullptr) return UIE_NO_ERROR;
    if (want) QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else QApplication::restoreOverrideCursor();
    return UIE_NO_ERROR;
}

int GetWaitCursor() { return State().wait_cursor ? 1 : 0; }

int MakeApplicationActive() {
    // Bring back the window the user was working in: the active one, else the
    // most recently loaded visible top-level panel (a dialog panel shown over
    // the main window must stay above it).
    QWidget* window = QApplication::activeWindow();
    if (window == nullptr) {
        auto& panels = State().panels;
        for (auto it = panels.rbegin(); it != panels.rend() && window == nullptr; ++it) {
            const auto& panel = it->second;
            if (panel.widget && panel.widget->isVisible() && panel.parent == 0)
                window = panel.widget;
        }
    }
    if (window != nullptr) {
        window->raise();
        window->activateWindow();
    }
    return UIE_NO_ERROR;
}

int SimulateCommit(int panel, int control) {
    int status;
    if (FindControl(panel, control, status) == nullptr) return status;
    DispatchControlEvent(panel, control, EVENT_COMMIT);
    return UIE_NO_ERROR;
}

int SimulateEvent(int panel, int control, int event) {
    int status;
    if (FindControl(panel, control, status) == nullptr) return status;
    DispatchControlEvent(panel, control, event);
    return UIE_NO_ERROR;
}

int SimulateMenuItem(int menuBar, int menuItem) {
    MenuBar* bar = FindMenuBar(menuBar);
    if (bar == nullptr) return UIE_INVALID_HANDLE;
    if (bar->items.count(menuItem) == 0) return UIE_INVALID_CONTROL;
    DispatchMenuItem(menuBar, menuItem);
    return UIE_NO_ERROR;
}

void SetPollHookForTesting(std::function<void()> hook) { State().poll_hook = std::move(hook); }

void ResetUserInterfaceForTesting() {
    EventState& state = State();
    std::vector<int> handles;
    for (auto& [handle, panel] : state.panels) handles.push_back(handle);
    for (int handle : handles) DiscardPanel(handle);
    state.panels.clear();
    state.menu_bars.clear();
    state.popups.clear();
    state.commits.clear();
    state.quit_pending = false;
    state.quit_code = 0;
    state.poll_hook = nullptr;
    SetWaitCursor(0);
    SetPopupResponder(nullptr);
    ForgetResourceCache();
    if (QApplication::instance() != nullptr) {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
