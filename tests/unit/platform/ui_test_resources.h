// A small resource file for the user-interface service tests: one dialog
// panel (1) with every kind of control the program uses, and one main window
// (2) with a menu bar; and the callbacks it names.
#pragma once

#include <functional>
#include <vector>

#include "platform/ui/ui.h"

constexpr const char* kTestUir = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Resources</class>
 <widget class="QWidget" name="Resources">
  <widget class="QDialog" name="dialogPanel">
   <property name="windowTitle"><string>Dialog</string></property>
   <property name="panel" stdset="0"><number>1</number></property>
   <property name="closeControl" stdset="0"><number>3</number></property>
   <layout class="QVBoxLayout" name="dialogLayout">
    <item><widget class="QPushButton" name="okButton">
     <property name="text"><string>OK</string></property>
     <property name="control" stdset="0"><number>2</number></property>
     <property name="callback" stdset="0"><string>TestButton</string></property>
    </widget></item>
    <item><widget class="QPushButton" name="stopButton">
     <property name="text"><string>Stop</string></property>
     <property name="control" stdset="0"><number>3</number></property>
     <property name="callback" stdset="0"><string>TestStop</string></property>
    </widget></item>
    <item><widget class="QListWidget" name="list">
     <property name="control" stdset="0"><number>4</number></property>
     <property name="callback" stdset="0"><string>TestList</string></property>
    </widget></item>
    <item><widget class="QLabel" name="nameLabel">
     <property name="text"><string>Name</string></property>
     <property name="buddy"><cstring>nameEdit</cstring></property>
    </widget></item>
    <item><widget class="QLineEdit" name="nameEdit">
     <property name="control" stdset="0"><number>5</number></property>
    </widget></item>
    <item><widget class="QSpinBox" name="number">
     <property name="maximum"><number>999</number></property>
     <property name="control" stdset="0"><number>6</number></property>
    </widget></item>
    <item><widget class="QCheckBox" name="check">
     <property name="text"><string>Check</string></property>
     <property name="control" stdset="0"><number>7</number></property>
    </widget></item>
    <item><widget class="QLabel" name="text">
     <property name="text"><string>initial</string></property>
     <property name="control" stdset="0"><number>8</number></property>
    </widget></item>
   </layout>
  </widget>
  <widget class="QMainWindow" name="mainPanel">
   <property name="windowTitle"><string>Main</string></property>
   <property name="panel" stdset="0"><number>2</number></property>
   <property name="closeControl" stdset="0"><number>2</number></property>
   <widget class="QWidget" name="central">
    <widget class="QPushButton" name="quit">
     <property name="control" stdset="0"><number>2</number></property>
     <property name="callback" stdset="0"><string>TestButton</string></property>
    </widget>
   </widget>
   <widget class="QMenuBar" name="bar">
    <widget class="QMenu" name="menuFile">
     <property name="title"><string>&amp;File</string></property>
     <property name="item" stdset="0"><number>2</number></property>
     <widget class="QMenu" name="menuSub">
      <property name="title"><string>Sub</string></property>
      <property name="item" stdset="0"><number>5</number></property>
      <addaction name="actionInner"/>
     </widget>
     <addaction name="actionTick"/>
     <addaction name="actionPlain"/>
     <addaction name="menuSub"/>
    </widget>
    <addaction name="menuFile"/>
   </widget>
   <action name="actionTick">
    <property name="text"><string>Tick</string></property>
    <property name="checkable"><bool>true</bool></property>
    <property name="item" stdset="0"><number>3</number></property>
    <property name="callback" stdset="0"><string>TestMenu</string></property>
   </action>
   <action name="actionPlain">
    <property name="text"><string>Plain</string></property>
    <property name="item" stdset="0"><number>4</number></property>
    <property name="callback" stdset="0"><string>TestMenu</string></property>
   </action>
   <action name="actionInner">
    <property name="text"><string>Inner</string></property>
    <property name="item" stdset="0"><number>6</number></property>
    <property name="callback" stdset="0"><string>TestMenu</string></property>
   </action>
  </widget>
 </widget>
 <resources/>
 <connections/>
</ui>
)";

// The callbacks the test panels name, and what they saw.
namespace ui_test_panels {

struct Seen {
    int panel, control, event;
    bool operator==(const Seen&) const = default;
};
inline std::vector<Seen> control_events;
inline std::vector<int> menu_items;
inline std::function<void()> inside_button;  // runs inside the TestButton callback

inline int TestButton(int panel, int control, int event, void*, int, int) {
    control_events.push_back({panel, control, event});
    if (inside_button) inside_button();
    return 0;
}
inline int TestOther(int panel, int control, int event, void*, int, int) {
    control_events.push_back({panel, control, event});
    return 0;
}
inline void TestMenu(int, int item, void*, int) { menu_items.push_back(item); }

// Registers the callbacks and forgets what they saw before.
inline void RegisterTestCallbacks() {
    RegisterCallbacks({{"TestButton", TestButton, nullptr},
                       {"TestStop", TestOther, nullptr},
                       {"TestList", TestOther, nullptr},
                       {"TestMenu", nullptr, TestMenu}});
    control_events.clear();
    menu_items.clear();
    inside_button = nullptr;
}

}  // namespace ui_test_panels
