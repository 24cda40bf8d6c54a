// The resource file as plain data, read once for both systems: every panel
// with its widgets, their properties, their layouts and the menu bar's menus
// and actions, kept in the file's order for the Windows windows, and its
// element as written for Qt's loader; read with pugixml. No system calls
// here, so the same reading is tested on both systems.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ui_description {

struct Size {
    int width = 0;
    int height = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Font {
    int point_size = 0;  // 0: the system's message font size
    bool bold = false;
};

// One <property> (or <attribute>) value, kept by the element that carries it.
struct Value {
    enum class Type { String, Number, Bool, Enum, Set, Rect, Size, CString, Font, Pixmap };
    Type type = Type::String;
    std::string text;  // String, Enum ("Qt::Vertical"), Set ("Qt::AlignLeft|Qt::AlignTop"), CString, Pixmap
    int number = 0;    // Number; Bool as 0 or 1
    Rect rect;
    Size size;
    Font font;
};
using Properties = std::map<std::string, Value>;

// A widget, a layout or an action: its properties and their values.
struct Described {
    Properties properties;

    const Value* Find(const std::string& property) const;
    int Number(const std::string& property, int fallback) const;  // Number or Bool
    std::string Text(const std::string& property) const;          // "" when absent
    bool Flag(const std::string& property, bool fallback) const;
};

struct Widget;
struct Layout;

struct Spacer {
    std::string name;
    bool vertical = false;
    Size hint;                      // sizeHint, in pixels at 96 dpi
    std::string size_type = "QSizePolicy::Expanding";
    Properties properties;  // all of them as written, the three above included
};

// One entry of a layout: exactly one of widget, layout and spacer is set.
struct LayoutItem {
    int row = 0;  // grid and form layouts; a form layout's "label" role is column 0, "field" 1
    int column = 0;
    int row_span = 1;
    int column_span = 1;
    std::unique_ptr<Widget> widget;
    std::unique_ptr<Layout> layout;
    std::unique_ptr<Spacer> spacer;
};

struct Layout : Described {  // its properties: margins, spacing, stretch, ...
    std::string class_name;  // QVBoxLayout, QHBoxLayout, QGridLayout, QFormLayout
    std::string name;
    std::vector<LayoutItem> items;
};

struct Action : Described {
    std::string name;  // its properties: text, item, callback, checkable, checked, ...
};

struct Widget : Described {
    std::string class_name;
    std::string name;
    std::unique_ptr<Layout> layout;                // nullptr when it has none
    std::vector<std::unique_ptr<Widget>> children;  // child widgets outside any layout
    std::vector<Action> actions;                   // <action> elements declared in it
    std::vector<std::string> added_actions;        // <addaction name=...>, in order
};

struct Panel {
    int number = 0;
    std::unique_ptr<Widget> root;  // the QDialog or QMainWindow
    std::string element;           // its <widget> element as XML, for Qt's loader
};

struct ResourceFile {
    std::map<int, Panel> panels;  // by number
    // What the reading passed over, where it was found ("panel 5
    // exportMessage: element zorder"): values of types not read, unknown
    // elements, widgets beside the panels. UnhandledParts reports them.
    std::vector<std::string> skipped;
};

// Reads a whole resource file. False with a reason (bad XML, no root widget)
// and nothing kept; panels without a positive "panel" number are skipped.
bool ParseResourceFile(const std::string& xml_text, ResourceFile& file, std::string& error);

// What the file holds that the native loader does not honour: one line per
// widget class, layout class, property or element it would ignore, naming
// the panel and the widget ("panel 5 exportMessage: property toolTip").
// Empty when the loader handles all of it.
std::vector<std::string> UnhandledParts(const ResourceFile& file);

}  // namespace ui_description
