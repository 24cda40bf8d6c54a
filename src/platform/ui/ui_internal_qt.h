// Shared state of the Qt side of the user interface: each panel's widgets
// and menu actions behind the handles the front issued, and the services
// the Qt files give each other.
#pragma once

#include <QPointer>
#include <QString>
#include <map>
#include <string>

#include "platform/ui/ui.h"
#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_front.h"
#include "platform/ui/ui_native.h"

class QAction;
class QWidget;

// A numbered control of a panel: its widget, as long as Qt keeps it.
struct ui_native::Control {
    QPointer<QWidget> widget;
};

// A menu (its menu action) or an item of a main window's menu bar.
struct ui_native::MenuEntry {
    QPointer<QAction> action;
};

namespace ui_detail {

// What the front keeps of a panel (its parent, its menu bar) is asked of it.
struct Panel {
    int handle = 0;
    QPointer<QWidget> widget;
    std::map<int, ui_native::Control> controls;        // by control number
    std::map<int, ui_native::MenuEntry> menu_entries;  // menus and items, by number
};

std::map<int, Panel>& Panels();
Panel* FindPanel(int handle);  // nullptr when dead
// The name of the callback the resource file gives a widget or an action.
std::string CallbackName(QObject* object);
// What the front's value rules take the widget for.
ui_native::Kind KindOf(QWidget* widget);

// "__X" marks X as the mnemonic; Qt writes it "&X" (and a literal "&" as "&&").
QString MnemonicText(const std::string& text);

// Wires the widgets of a freshly loaded panel to the event dispatch.
void ConnectPanel(Panel& panel);
// Registers the menu bar of a main window with the front and wires its items.
void CollectMenuBar(Panel& panel);
// Runs the callback a control names, as the event loop would.
using ui_front::DispatchControlEvent;

}  // namespace ui_detail
