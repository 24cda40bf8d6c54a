// The native side of the menu bar (ui_native.h) over Qt's actions: the menus
// and items of a main window's bar registered with the front, a user's
// choice handed to it, and what the program sets shown.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/ui_internal_qt.h"

using namespace ui_detail;

namespace {

// The number of the menu the action stands in, 0 under the bar.
int MenuAbove(QAction* action) {
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner)) return menu->property("item").toInt();
    }
    return 0;
}

void AddEntry(Panel& panel, int menu_bar, int number, QAction* action,
              const std::string& callback) {
    ui_native::MenuEntry& native = panel.menu_entries[number];
    native.action = action;
    ui_front::AddMenuEntry(menu_bar, number,
                           {.is_menu = action->menu() != nullptr,
                            .parent = MenuAbove(action),
                            .callback = callback,
                            .name = ui_front::ProgramMnemonic(action->text().toStdString()),
                            .tick = action->isCheckable() && action->isChecked(),
                            .dimmed = !action->isEnabled(),
                            .native = &native});
}

void Connect(QAction* action, int menu_bar, int item) {
    QObject::connect(action, &QAction::triggered, action, [action, menu_bar, item] {
        // Qt flips a checkable item by itself; the program owns the tick.
        int status;
        const ui_front::MenuEntry* entry = ui_front::FindMenuEntry(menu_bar, item, status);
        if (action->isCheckable() && entry != nullptr) action->setChecked(entry->tick);
        ui_front::DispatchMenuItem(menu_bar, item);
    });
}

}  // namespace

namespace ui_detail {

QString MnemonicText(const std::string& text) {
    return QString::fromStdString(ui_front::ShownMnemonic(text));
}

void CollectMenuBar(Panel& panel) {
    auto* window = qobject_cast<QMainWindow*>(panel.widget.data());
    auto* bar = window == nullptr ? nullptr : qobject_cast<QMenuBar*>(window->menuWidget());
    if (bar == nullptr) return;
    const int menu_bar = ui_front::AddMenuBar(panel.handle);
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        const QVariant number = menu->property("item");
        if (number.isValid())
            AddEntry(panel, menu_bar, number.toInt(), menu->menuAction(), CallbackName(menu));
    }
    for (QAction* action : window->findChildren<QAction*>()) {
        const QVariant number = action->property("item");
        if (number.isValid() && panel.menu_entries.count(number.toInt()) == 0)
            AddEntry(panel, menu_bar, number.toInt(), action, CallbackName(action));
    }
    for (auto& [number, entry] : panel.menu_entries) {
        if (entry.action->menu() == nullptr) Connect(entry.action, menu_bar, number);
    }
}

}  // namespace ui_detail

namespace ui_native {

void SetMenuTick(int, MenuEntry& entry, bool tick) {
    entry.action->setCheckable(true);
    entry.action->setChecked(tick);
}

void SetMenuDimmed(int, MenuEntry& entry, bool dimmed) {
    entry.action->setEnabled(!dimmed);
}

void RenameMenuEntry(int, MenuEntry& entry, const std::string& name) {
    entry.action->setText(MnemonicText(name));
    if (QMenu* menu = entry.action->menu()) menu->setTitle(MnemonicText(name));
}

}  // namespace ui_native
