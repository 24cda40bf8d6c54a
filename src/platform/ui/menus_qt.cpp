// The menu bar: menus and items by number, their ticks, dimming and names.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/ui/ui_internal_qt.h"

using namespace ui_detail;

namespace {

QAction* FindItem(int menuBar, int menuOrItem, int& status) {
    MenuBar* bar = FindMenuBar(menuBar);
    if (bar == nullptr) {
        status = UIE_INVALID_HANDLE;
        return nullptr;
    }
    auto it = bar->items.find(menuOrItem);
    if (it == bar->items.end() || it->second.isNull()) {
        status = UIE_INVALID_CONTROL;
        return nullptr;
    }
    status = UIE_NO_ERROR;
    return it->second;
}

bool IsMenu(QAction* action) { return action->menu() != nullptr; }

}  // namespace

namespace ui_detail {

QString MnemonicText(const std::string& text) {
    QString in = QString::fromStdString(text);
    QString out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '&') {
            out += "&&";
        } else if (in[i] == '_' && i + 1 < in.size() && in[i + 1] == '_') {
            out += '&';
            ++i;
        } else {
            out += in[i];
        }
    }
    return out;
}

}  // namespace ui_detail

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int value) {
    int status;
    QAction* action = FindItem(menuBar, menuOrItem, status);
    if (action == nullptr) return status;
    switch (attribute) {
        case ATTR_CHECKED:
            // The tick is the program's: the user's choice only calls the callback.
            action->setProperty("tick", value != 0);
            action->setCheckable(true);
            action->setChecked(value != 0);
            return UIE_NO_ERROR;
        case ATTR_DIMMED:
            action->setEnabled(value == 0);
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int SetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, const std::string& value) {
    int status;
    QAction* action = FindItem(menuBar, menuOrItem, status);
    if (action == nullptr) return status;
    if (attribute == ATTR_MENU_NAME && !IsMenu(action)) return UIE_INVALID_ATTRIBUTE;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    action->setProperty("name", QString::fromStdString(value));
    action->setText(MnemonicText(value));
    if (IsMenu(action)) action->menu()->setTitle(MnemonicText(value));
    return UIE_NO_ERROR;
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, int& value) {
    int status;
    QAction* action = FindItem(menuBar, menuOrItem, status);
    if (action == nullptr) return status;
    switch (attribute) {
        case ATTR_CHECKED: value = action->property("tick").toBool() ? 1 : 0; return UIE_NO_ERROR;
        case ATTR_DIMMED: value = action->isEnabled() ? 0 : 1; return UIE_NO_ERROR;
        default: return UIE_INVALID_ATTRIBUTE;
    }
}

int GetMenuBarAttribute(int menuBar, int menuOrItem, int attribute, std::string& value) {
    int status;
    QAction* action = FindItem(menuBar, menuOrItem, status);
    if (action == nullptr) return status;
    if (attribute != ATTR_MENU_NAME && attribute != ATTR_ITEM_NAME) return UIE_INVALID_ATTRIBUTE;
    const QVariant set = action->property("name");
    value = set.isValid() ? set.toString().toStdString()
                          : action->text().replace("&&", "\x01").replace("&", "__").replace("\x01", "&").toStdString();
    return UIE_NO_ERROR;
}
