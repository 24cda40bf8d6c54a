// Reading of the resource file (Qt Designer's XML) into plain data, and the
// list of what the native loader would pass over.
#include "platform/ui/ui_description.h"

#include <pugixml.hpp>

#include <charconv>
#include <cstring>
#include <set>
#include <sstream>

namespace ui_description {

const Value* Described::Find(const std::string& property) const {
    auto found = properties.find(property);
    return found == properties.end() ? nullptr : &found->second;
}

int Described::Number(const std::string& property, int fallback) const {
    const Value* value = Find(property);
    if (value == nullptr || (value->type != Value::Type::Number && value->type != Value::Type::Bool))
        return fallback;
    return value->number;
}

std::string Described::Text(const std::string& property) const {
    const Value* value = Find(property);
    return value == nullptr ? std::string() : value->text;
}

bool Described::Flag(const std::string& property, bool fallback) const {
    const Value* value = Find(property);
    if (value == nullptr || (value->type != Value::Type::Bool && value->type != Value::Type::Number))
        return fallback;
    return value->number != 0;
}

namespace {

// Designer writes whole numbers; anything else reads as 0 rather than failing
// the whole file.
int ToNumber(const char* text) {
    while (*text == ' ' || *text == '\n' || *text == '\t' || *text == '\r') ++text;
    int number = 0;
    std::from_chars(text, text + std::strlen(text), number);
    return number;
}

constexpr int kMaximumCells = 256;  // rows, columns and spans of a grid
constexpr int kMaximumDepth = 64;   // widgets and layouts inside one another

int ChildNumber(pugi::xml_node node, const char* name) {
    return ToNumber(node.child(name).text().get());
}

class Reader {
public:
    explicit Reader(std::vector<std::string>& skipped) : skipped_(skipped) {}

    std::unique_ptr<Widget> ReadWidget(pugi::xml_node node, int panel);
    std::unique_ptr<Layout> ReadLayout(pugi::xml_node node, int panel, const std::string& owner);
    void Skip(int panel, const std::string& owner, const std::string& what) {
        std::string where = panel > 0 ? "panel " + std::to_string(panel) : std::string("file");
        skipped_.push_back(where + " " + owner + ": " + what);
    }

private:
    bool ReadValue(pugi::xml_node property, Value& value, int panel, const std::string& owner);
    void ReadProperty(pugi::xml_node node, Properties& properties, int panel, const std::string& owner);
    std::unique_ptr<Spacer> ReadSpacer(pugi::xml_node node, int panel);
    void ReadItem(pugi::xml_node node, Layout& layout, int panel);
    Action ReadAction(pugi::xml_node node, int panel);

    std::vector<std::string>& skipped_;
    int depth_ = 0;  // nesting of the element being read
};

// Counts one level of nesting while an element is read.
class Deeper {
public:
    explicit Deeper(int& depth) : depth_(depth) { ++depth_; }
    ~Deeper() { --depth_; }
    Deeper(const Deeper&) = delete;
    Deeper& operator=(const Deeper&) = delete;

private:
    int& depth_;
};

bool Reader::ReadValue(pugi::xml_node property, Value& value, int panel, const std::string& owner) {
    pugi::xml_node node = property.first_child();
    while (node && node.type() != pugi::node_element) node = node.next_sibling();
    std::string kind = node ? node.name() : "";
    using Type = Value::Type;
    static const std::map<std::string, Type> kTextTypes = {
        {"string", Type::String}, {"enum", Type::Enum}, {"set", Type::Set},
        {"cstring", Type::CString}, {"pixmap", Type::Pixmap}};
    if (auto text_type = kTextTypes.find(kind); text_type != kTextTypes.end()) {
        value.type = text_type->second;
        value.text = node.text().get();
    } else if (kind == "number") {
        value.type = Type::Number;
        value.number = ToNumber(node.text().get());
    } else if (kind == "bool") {
        value.type = Type::Bool;
        value.number = std::string(node.text().get()) == "true" ? 1 : 0;
    } else if (kind == "rect") {
        value.type = Type::Rect;
        value.rect = {ChildNumber(node, "x"), ChildNumber(node, "y"), ChildNumber(node, "width"),
                      ChildNumber(node, "height")};
    } else if (kind == "size") {
        value.type = Type::Size;
        value.size = {ChildNumber(node, "width"), ChildNumber(node, "height")};
    } else if (kind == "font") {
        value.type = Type::Font;
        for (pugi::xml_node part : node.children()) {
            std::string name = part.name();
            if (name == "pointsize")
                value.font.point_size = ToNumber(part.text().get());
            else if (name == "bold")
                value.font.bold = std::string(part.text().get()) == "true";
            else
                Skip(panel, owner, "property " + std::string(property.attribute("name").value()) +
                                       ": font " + name);
        }
    } else {
        Skip(panel, owner, "property " + std::string(property.attribute("name").value()) +
                               ": value " + (kind.empty() ? "missing" : "<" + kind + ">"));
        return false;
    }
    return true;
}

void Reader::ReadProperty(pugi::xml_node node, Properties& properties, int panel,
                          const std::string& owner) {
    Value value;
    if (ReadValue(node, value, panel, owner)) properties[node.attribute("name").value()] = value;
}

std::unique_ptr<Spacer> Reader::ReadSpacer(pugi::xml_node node, int panel) {
    auto spacer = std::make_unique<Spacer>();
    spacer->name = node.attribute("name").value();
    for (pugi::xml_node child : node.children()) {
        if (std::string(child.name()) == "property")
            ReadProperty(child, spacer->properties, panel, spacer->name);
        else if (child.type() == pugi::node_element)
            Skip(panel, spacer->name, "element " + std::string(child.name()));
    }
    auto& properties = spacer->properties;
    if (auto found = properties.find("orientation"); found != properties.end())
        spacer->vertical = found->second.text == "Qt::Vertical";
    if (auto found = properties.find("sizeType"); found != properties.end())
        spacer->size_type = found->second.text;
    if (auto found = properties.find("sizeHint"); found != properties.end())
        spacer->hint = found->second.size;
    return spacer;
}

void Reader::ReadItem(pugi::xml_node node, Layout& layout, int panel) {
    LayoutItem item;
    // A grid of a few rows and columns: a damaged number must not make the
    // layout index outside it or size it by the million.
    auto cell = [&](const char* attribute, int fallback, int lowest) {
        int number = node.attribute(attribute).as_int(fallback);
        if (number >= lowest && number <= kMaximumCells) return number;
        Skip(panel, layout.name, "item " + std::string(attribute) + " " + node.attribute(attribute).value());
        return fallback;
    };
    item.row = cell("row", 0, 0);
    item.column = cell("column", 0, 0);
    item.row_span = cell("rowspan", 1, 1);
    item.column_span = cell("colspan", 1, 1);
    for (pugi::xml_node child : node.children()) {
        std::string name = child.name();
        if ((name == "widget" || name == "layout") && depth_ >= kMaximumDepth)
            Skip(panel, layout.name, "item nested too deep");
        else if (name == "widget" && !item.widget && !item.layout && !item.spacer)
            item.widget = ReadWidget(child, panel);
        else if (name == "layout" && !item.widget && !item.layout && !item.spacer)
            item.layout = ReadLayout(child, panel, layout.name);
        else if (name == "spacer" && !item.widget && !item.layout && !item.spacer)
            item.spacer = ReadSpacer(child, panel);
        else if (child.type() == pugi::node_element)
            Skip(panel, layout.name, "item element " + name);
    }
    if (item.widget || item.layout || item.spacer) layout.items.push_back(std::move(item));
}

std::unique_ptr<Layout> Reader::ReadLayout(pugi::xml_node node, int panel, const std::string& owner) {
    Deeper deeper(depth_);
    auto layout = std::make_unique<Layout>();
    layout->class_name = node.attribute("class").value();
    layout->name = node.attribute("name").value();
    if (layout->name.empty()) layout->name = owner;
    for (pugi::xml_node child : node.children()) {
        std::string name = child.name();
        if (name == "property")
            ReadProperty(child, layout->properties, panel, layout->name);
        else if (name == "item")
            ReadItem(child, *layout, panel);
        else if (child.type() == pugi::node_element)
            Skip(panel, layout->name, "element " + name);
    }
    // Designer writes stretch factors and row and column minimums as
    // attributes of the layout element: kept as text properties.
    static const std::pair<const char*, const char*> kListAttributes[] = {
        {"stretch", "stretch"}, {"rowstretch", "rowStretch"}, {"columnstretch", "columnStretch"},
        {"rowminimumheight", "rowMinimumHeight"}, {"columnminimumwidth", "columnMinimumWidth"}};
    for (const auto& [attribute, property] : kListAttributes) {
        if (pugi::xml_attribute found = node.attribute(attribute)) {
            Value list;
            list.text = found.value();
            layout->properties[property] = list;
        }
    }
    return layout;
}

Action Reader::ReadAction(pugi::xml_node node, int panel) {
    Action action;
    action.name = node.attribute("name").value();
    for (pugi::xml_node child : node.children()) {
        if (std::string(child.name()) == "property")
            ReadProperty(child, action.properties, panel, action.name);
        else if (child.type() == pugi::node_element)
            Skip(panel, action.name, "element " + std::string(child.name()));
    }
    return action;
}

std::unique_ptr<Widget> Reader::ReadWidget(pugi::xml_node node, int panel) {
    Deeper deeper(depth_);
    auto widget = std::make_unique<Widget>();
    widget->class_name = node.attribute("class").value();
    widget->name = node.attribute("name").value();
    // The properties first: a panel's number names where the rest was found.
    for (pugi::xml_node child : node.children("property"))
        ReadProperty(child, widget->properties, panel, widget->name);
    if (panel == 0) panel = std::max(0, widget->Number("panel", 0));
    for (pugi::xml_node child : node.children()) {
        std::string name = child.name();
        if (name == "property" || child.type() != pugi::node_element) continue;
        if (name == "attribute")
            ReadProperty(child, widget->properties, panel, widget->name);
        else if (name == "layout" && !widget->layout)
            widget->layout = ReadLayout(child, panel, widget->name);
        else if (name == "widget" && depth_ >= kMaximumDepth)
            Skip(panel, widget->name, "widget nested too deep");
        else if (name == "widget")
            widget->children.push_back(ReadWidget(child, panel));
        else if (name == "action")
            widget->actions.push_back(ReadAction(child, panel));
        else if (name == "addaction")
            widget->added_actions.push_back(child.attribute("name").value());
        else
            Skip(panel, widget->name, "element " + name);
    }
    return widget;
}

// Top-level elements with nothing the windows need, when they are empty.
bool IgnoredWhenEmpty(const std::string& name) {
    return name == "resources" || name == "connections" || name == "class" || name == "author" ||
           name == "comment" || name == "exportmacro" || name == "pixmapfunction";
}

void AddPanel(std::unique_ptr<Widget> widget, ResourceFile& file, Reader& reader) {
    int number = widget->Number("panel", 0);
    if (number <= 0) {
        reader.Skip(0, widget->name, "widget without a panel number");
    } else if (file.panels.count(number) != 0) {
        reader.Skip(number, widget->name, "second panel of the same number");
    } else {
        file.panels[number].number = number;
        file.panels[number].root = std::move(widget);
    }
}

int PanelNumber(pugi::xml_node widget) {
    const pugi::xml_node property = widget.find_child_by_attribute("property", "name", "panel");
    return property.child("number").text().as_int();
}

// Each panel's element as written, the first of its number, as AddPanel keeps it.
void KeepPanelElements(pugi::xml_node root, ResourceFile& file) {
    const auto keep = [&file](pugi::xml_node widget) {
        auto it = file.panels.find(PanelNumber(widget));
        if (it == file.panels.end() || !it->second.element.empty()) return;
        std::ostringstream text;
        widget.print(text, "", pugi::format_raw);
        it->second.element = text.str();
    };
    if (PanelNumber(root) > 0) return keep(root);
    for (pugi::xml_node widget : root.children("widget")) keep(widget);
}

}  // namespace

bool ParseResourceFile(const std::string& xml_text, ResourceFile& file, std::string& error) {
    file = ResourceFile();
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(xml_text.data(), xml_text.size());
    if (!parsed) {
        error = "not a well-formed resource file (" + std::string(parsed.description()) +
                " at byte " + std::to_string(parsed.offset) + ")";
        return false;
    }
    pugi::xml_node ui = document.child("ui");
    pugi::xml_node root = ui.child("widget");
    if (!root) {
        error = ui ? "the resource file holds no root widget" : "not a resource file: no <ui> element";
        return false;
    }
    ResourceFile read;
    Reader reader(read.skipped);
    for (pugi::xml_node child : ui.children()) {
        std::string name = child.name();
        if (child.type() != pugi::node_element || child == root) continue;
        bool empty = !child.first_child();
        if (!(IgnoredWhenEmpty(name) && (name == "class" || empty)))
            reader.Skip(0, "ui", "element " + name);
    }
    std::unique_ptr<Widget> top = reader.ReadWidget(root, 0);
    if (top->Number("panel", 0) > 0) {
        // A file of one panel: the root widget is the panel.
        AddPanel(std::move(top), read, reader);
    } else {
        for (auto& child : top->children) AddPanel(std::move(child), read, reader);
        if (top->layout) reader.Skip(0, top->name, "layout of the root widget");
    }
    KeepPanelElements(root, read);
    file = std::move(read);
    error.clear();
    return true;
}

namespace {

using Names = std::set<std::string>;

// What the native loader honours, class by class. A property the file gains
// must be added here only once the windows honour it.
const Names kWidgetProperties = {"geometry", "minimumSize", "maximumSize", "font", "visible",
                                 "enabled", "accessibleName", "focusPolicy", "control",
                                 "callback"};
const std::map<std::string, Names> kClassProperties = {
    {"QDialog", {"windowTitle", "panel", "closeControl", "windowKind", "styleSheet"}},
    {"QMainWindow", {"windowTitle", "panel", "closeControl", "windowKind"}},
    {"QWidget", {}},
    {"QMenuBar", {}},
    {"QMenu", {"title", "item"}},
    {"QPushButton", {"text", "default", "autoDefault", "checkable", "checked"}},
    {"QLabel", {"text", "alignment", "wordWrap", "pixmap", "scaledContents", "buddy", "textFormat",
                "textInteractionFlags", "frameShape", "frameShadow", "margin"}},
    {"QLineEdit", {"text", "maxLength"}},
    {"QSpinBox", {"minimum", "maximum", "value", "prefix"}},
    {"QListWidget", {"selectionMode"}},
    {"QCheckBox", {"text", "checked"}},
    {"QProgressBar", {"minimum", "maximum", "value", "textVisible"}},
    {"Line", {"orientation", "frameShape", "frameShadow"}},
};
const Names kBoxLayoutProperties = {"spacing", "margin", "leftMargin", "topMargin", "rightMargin",
                                    "bottomMargin", "stretch"};
const std::map<std::string, Names> kLayoutProperties = {
    {"QVBoxLayout", kBoxLayoutProperties},
    {"QHBoxLayout", kBoxLayoutProperties},
    {"QGridLayout", {"spacing", "margin", "leftMargin", "topMargin", "rightMargin", "bottomMargin",
                     "horizontalSpacing", "verticalSpacing", "rowStretch", "columnStretch",
                     "rowMinimumHeight", "columnMinimumWidth"}},
    {"QFormLayout", {"spacing", "margin", "leftMargin", "topMargin", "rightMargin", "bottomMargin",
                     "horizontalSpacing", "verticalSpacing"}},
};
const Names kSpacerProperties = {"orientation", "sizeType", "sizeHint"};
const Names kActionProperties = {"text", "item", "callback", "checkable", "checked", "enabled",
                                 "visible"};

class Checker {
public:
    Checker(int panel, std::vector<std::string>& lines) : panel_(panel), lines_(lines) {}

    void Widget(const ui_description::Widget& widget, const Names& known_actions) {
        auto handled = kClassProperties.find(widget.class_name);
        if (handled == kClassProperties.end()) {
            Report(widget.name, "widget class " + widget.class_name);
        } else {
            for (const auto& [name, value] : widget.properties) {
                if (kWidgetProperties.count(name) == 0 && handled->second.count(name) == 0)
                    Report(widget.name, "property " + name);
            }
        }
        if (widget.layout) Layout(*widget.layout, known_actions);
        for (const auto& child : widget.children) Widget(*child, known_actions);
        for (const Action& action : widget.actions) Properties(action.name, action.properties,
                                                               kActionProperties);
        for (const std::string& added : widget.added_actions) {
            if (added != "separator" && known_actions.count(added) == 0)
                Report(widget.name, "addaction " + added + " names no action or menu");
        }
    }

private:
    void Layout(const ui_description::Layout& layout, const Names& known_actions) {
        auto handled = kLayoutProperties.find(layout.class_name);
        if (handled == kLayoutProperties.end())
            Report(layout.name, "layout class " + layout.class_name);
        else
            Properties(layout.name, layout.properties, handled->second);
        for (const LayoutItem& item : layout.items) {
            if (item.widget) Widget(*item.widget, known_actions);
            if (item.layout) Layout(*item.layout, known_actions);
            if (item.spacer) Properties(item.spacer->name, item.spacer->properties, kSpacerProperties);
        }
    }

    void Properties(const std::string& owner, const ui_description::Properties& properties,
                    const Names& handled) {
        for (const auto& [name, value] : properties) {
            if (handled.count(name) == 0) Report(owner, "property " + name);
        }
    }

    void Report(const std::string& owner, const std::string& what) {
        lines_.push_back("panel " + std::to_string(panel_) + " " + owner + ": " + what);
    }

    int panel_;
    std::vector<std::string>& lines_;
};

// The names an <addaction> may refer to: the actions and the menus.
void CollectActionNames(const Widget& widget, Names& names) {
    for (const Action& action : widget.actions) names.insert(action.name);
    if (widget.class_name == "QMenu") names.insert(widget.name);
    for (const auto& child : widget.children) CollectActionNames(*child, names);
}

}  // namespace

std::vector<std::string> UnhandledParts(const ResourceFile& file) {
    std::vector<std::string> lines = file.skipped;
    for (const auto& [number, panel] : file.panels) {
        if (!panel.root) continue;
        Names known_actions;
        CollectActionNames(*panel.root, known_actions);
        Checker(number, lines).Widget(*panel.root, known_actions);
    }
    return lines;
}

}  // namespace ui_description
