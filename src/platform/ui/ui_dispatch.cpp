// The callback registry, handles, commit queue, quit request and wait-cursor
// flag shared by the Qt and the Windows user interfaces.
#include "platform/ui/ui_dispatch.h"

#include <deque>
#include <map>
#include <utility>

namespace ui_dispatch {
namespace {

struct Callbacks {
    std::map<std::string, CtrlCallbackPtr> controls;
    std::map<std::string, MenuCallbackPtr> menus;
};

Callbacks& Registry() {
    static Callbacks registry;
    return registry;
}

struct DispatchState {
    int next_handle = 1;
    std::deque<std::pair<int, int>> commits;  // panel, control
    int callback_depth = 0;
    int poll_depth = 0;
    int program_change = 0;
    bool wait_cursor = false;
    LoopState loop;
    std::function<void()> poll_hook;
};

DispatchState& State() {
    static DispatchState state;
    return state;
}

class CallbackScope {
public:
    CallbackScope() { ++State().callback_depth; }
    ~CallbackScope() {
        // A poll in progress still wants what arrived while it processed events.
        if (--State().callback_depth == 0 && State().poll_depth == 0) State().commits.clear();
    }
    CallbackScope(const CallbackScope&) = delete;
    CallbackScope& operator=(const CallbackScope&) = delete;
};

}  // namespace

int NewHandle() { return State().next_handle++; }

void ControlEvent(const std::string& callback, int panel, int control, int event) {
    DispatchState& state = State();
    if (event == EVENT_COMMIT && (state.callback_depth > 0 || state.poll_depth > 0)) {
        state.commits.emplace_back(panel, control);
    }
    auto it = Registry().controls.find(callback);
    if (it == Registry().controls.end() || it->second == nullptr) return;
    CallbackScope scope;
    it->second(panel, control, event, nullptr, 0, 0);
}

void MenuEvent(const std::string& callback, int menu_bar, int item, int panel) {
    auto it = Registry().menus.find(callback);
    if (it == Registry().menus.end() || it->second == nullptr) return;
    CallbackScope scope;
    it->second(menu_bar, item, nullptr, panel);
}

PollScope::PollScope() {
    ++State().poll_depth;
    if (State().poll_hook) State().poll_hook();
}
PollScope::~PollScope() { --State().poll_depth; }

bool HasCommit() { return !State().commits.empty(); }

bool TakeCommit(int& panel, int& control) {
    auto& commits = State().commits;
    if (commits.empty()) return false;
    panel = commits.front().first;
    control = commits.front().second;
    commits.pop_front();
    return true;
}

LoopState& Loop() { return State().loop; }

bool ProgramChangeInProgress() { return State().program_change > 0; }
ProgramChange::ProgramChange() { ++State().program_change; }
ProgramChange::~ProgramChange() { --State().program_change; }

bool SetWaitCursorFlag(bool on) {
    if (State().wait_cursor == on) return false;
    State().wait_cursor = on;
    return true;
}

bool WaitCursorFlag() { return State().wait_cursor; }

void ResetForTesting() {
    DispatchState& state = State();
    state.commits.clear();
    state.loop.quit_pending = false;
    state.loop.quit_code = 0;
    state.poll_hook = nullptr;
}

}  // namespace ui_dispatch

using namespace ui_dispatch;

void RegisterCallbacks(std::initializer_list<CallbackEntry> entries) {
    for (const CallbackEntry& entry : entries) {
        if (entry.control != nullptr) Registry().controls[entry.name] = entry.control;
        if (entry.menu != nullptr) Registry().menus[entry.name] = entry.menu;
    }
}

bool IsCallbackRegistered(const std::string& name) {
    return Registry().controls.count(name) > 0 || Registry().menus.count(name) > 0;
}

void SetPollHookForTesting(std::function<void()> hook) { State().poll_hook = std::move(hook); }
