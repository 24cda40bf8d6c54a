// The resource file read as plain data (what the native windows are built
// from) and the layout computed from it, on both systems.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/ui/ui_description.h"
#include "platform/ui/ui_layout.h"
#include "shell/panels.h"

namespace {

using namespace ui_description;

std::string ShippedResourceText() {
    std::ifstream in(std::string(BRISKEL_SOURCE_DIR) + "/resources/program/BRISKEL.UIR",
                     std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const Widget* FindWidget(const Widget& widget, const std::string& name);

const Widget* FindInLayout(const Layout& layout, const std::string& name) {
    for (const LayoutItem& item : layout.items) {
        const Widget* found = item.widget ? FindWidget(*item.widget, name)
                              : item.layout ? FindInLayout(*item.layout, name)
                                            : nullptr;
        if (found != nullptr) return found;
    }
    return nullptr;
}

const Widget* FindWidget(const Widget& widget, const std::string& name) {
    if (widget.name == name) return &widget;
    if (widget.layout) {
        if (const Widget* found = FindInLayout(*widget.layout, name)) return found;
    }
    for (const auto& child : widget.children) {
        if (const Widget* found = FindWidget(*child, name)) return found;
    }
    return nullptr;
}

// Every widget of a panel carrying a "control" number.
void CollectControls(const Widget& widget, std::map<int, const Widget*>& controls);
void CollectControls(const Layout& layout, std::map<int, const Widget*>& controls) {
    for (const LayoutItem& item : layout.items) {
        if (item.widget) CollectControls(*item.widget, controls);
        if (item.layout) CollectControls(*item.layout, controls);
    }
}
void CollectControls(const Widget& widget, std::map<int, const Widget*>& controls) {
    int control = widget.Number("control", 0);
    if (control > 0) controls[control] = &widget;
    if (widget.layout) CollectControls(*widget.layout, controls);
    for (const auto& child : widget.children) CollectControls(*child, controls);
}

// Text measured with a fixed character width (7 pixels at 96 dpi, a line 15
// pixels high), broken at spaces as the system would.
class FixedWidthText : public ui_layout::TextMetrics {
public:
    explicit FixedWidthText(double scale) : scale_(scale) {}
    double Scale() const override { return scale_; }
    Size Text(const std::string& text, const Font& font, int wrap_width) const override {
        double factor = scale_ * (font.point_size > 0 ? font.point_size / 9.0 : 1.0);
        double character = 7 * factor;
        int line_height = static_cast<int>(std::lround(15 * factor));
        int widest = 0, lines = 0;
        std::istringstream paragraphs(text);
        std::string paragraph;
        while (std::getline(paragraphs, paragraph)) {
            std::istringstream words(paragraph);
            std::string word;
            int line = 0;
            ++lines;
            while (words >> word) {
                int length = Characters(word);
                int longer = line == 0 ? length : line + 1 + length;
                if (line > 0 && wrap_width > 0 && longer * character > wrap_width) {
                    widest = std::max(widest, line);
                    ++lines;
                    longer = length;
                }
                line = longer;
            }
            widest = std::max(widest, line);
        }
        return {static_cast<int>(std::ceil(widest * character)), std::max(1, lines) * line_height};
    }

private:
    static int Characters(const std::string& text) {
        int count = 0;
        for (unsigned char c : text) count += (c & 0xC0) != 0x80;
        return count;
    }
    double scale_;
};

TEST(ResourceDescription, ShippedFileHoldsEveryPanelAndControlTheProgramUsesAndNothingUnhandled) {
    ResourceFile file;
    std::string error;
    ASSERT_TRUE(ParseResourceFile(ShippedResourceText(), file, error)) << error;
    ASSERT_EQ(file.panels.size(), 10u);
    // Panel number, root class, and control -> (class, callback or "").
    struct Expected {
        int panel;
        const char* root_class;
        std::map<int, std::pair<std::string, std::string>> controls;
    };
    const Expected expected[] = {
        {PANEL_PROGRESS, "QDialog", {{PROGRESS_TEXT, {"QLabel", ""}}}},
        {PANEL_COM, "QDialog",
         {{COM_OK, {"QPushButton", "Config_com"}}, {COM_QUIT, {"QPushButton", "Config_com"}},
          {COM_NUMBER, {"QSpinBox", ""}}}},
        {PANEL_IDENTITY, "QDialog",
         {{IDENTITY_CLOSE, {"QPushButton", "QuitterConfig"}}, {IDENTITY_LIST, {"QListWidget", ""}}}},
        {PANEL_WAIT, "QDialog",
         {{WAIT_TEXT, {"QLabel", ""}}, {WAIT_STOP, {"QPushButton", "StopImport"}}}},
        {PANEL_EXPORT, "QDialog",
         {{EXPORT_RUN, {"QPushButton", "Lancer_excel"}},
          {EXPORT_EXPORT, {"QPushButton", "Exporter_excel"}},
          {EXPORT_QUIT, {"QPushButton", "Lancer_excel"}},
          {EXPORT_FOLDER, {"QLineEdit", ""}},
          {EXPORT_BROWSE, {"QPushButton", "Lancer_excel"}},
          {EXPORT_BASE_NAME, {"QLineEdit", ""}},
          {EXPORT_MESSAGE, {"QLabel", ""}},
          {EXPORT_ERASE, {"QCheckBox", ""}},
          {EXPORT_AUTOMATIC_NAMES, {"QCheckBox", ""}},
          {EXPORT_OPEN_FOLDER, {"QPushButton", "OpenWorkingFolder"}},
          {EXPORT_SUMMARY, {"QCheckBox", ""}}}},
        {PANEL_IMPORT, "QDialog",
         {{IMPORT_EXPORT, {"QPushButton", "Importer"}},
          {IMPORT_UPDATE, {"QPushButton", "Importer"}},
          {IMPORT_QUIT, {"QPushButton", "QuitterImporter"}},
          {IMPORT_OBJECTS, {"QListWidget", "IndexObjet"}},
          {IMPORT_TESTS, {"QListWidget", "IndexTest"}},
          {IMPORT_DAY, {"QSpinBox", ""}},
          {IMPORT_MONTH, {"QSpinBox", ""}},
          {IMPORT_YEAR, {"QSpinBox", ""}},
          {IMPORT_ALL_DATES, {"QCheckBox", "Importer"}},
          {IMPORT_DESCRIPTION, {"QLabel", ""}},
          {IMPORT_PROGRESS, {"QLabel", ""}},
          {IMPORT_NEW_ONLY, {"QCheckBox", ""}},
          {IMPORT_NAME_FIELD, {"QLineEdit", "NommerObjet"}},
          {IMPORT_NAME_NOTE, {"QLabel", ""}}}},
        {PANEL_ABOUT, "QDialog",
         {{ABOUT_CLOSE, {"QPushButton", "Quitter_aide"}},
          {ABOUT_VERSION, {"QLabel", ""}},
          {ABOUT_LEADER, {"QLabel", ""}},
          {ABOUT_DEVELOPED, {"QLabel", ""}}}},
        {PANEL_SPLASH, "QDialog", {}},
        {PANEL_SCAN, "QDialog",
         {{SCAN_OTHER_BUTTON, {"QPushButton", "StopImport"}},
          {SCAN_PROGRESS, {"QLabel", ""}},
          {SCAN_STATUS, {"QLabel", ""}},
          {SCAN_STOP, {"QPushButton", "StopImport"}}}},
        {PANEL_MAIN, "QMainWindow", {{MAIN_QUIT, {"QPushButton", "Sortir"}}}},
    };
    for (const Expected& panel : expected) {
        SCOPED_TRACE("panel " + std::to_string(panel.panel));
        ASSERT_EQ(file.panels.count(panel.panel), 1u);
        const Widget& root = *file.panels.at(panel.panel).root;
        EXPECT_EQ(root.class_name, panel.root_class);
        // Qt builds the panel from its own element, and from no other panel's.
        const std::string& element = file.panels.at(panel.panel).element;
        EXPECT_EQ(element.rfind(
                      "<widget class=\"" + root.class_name + "\" name=\"" + root.name + "\"", 0),
                  0u);
        EXPECT_EQ(element.find("<widget class=\"" + root.class_name + "\"", 1), std::string::npos);
        std::map<int, const Widget*> controls;
        CollectControls(root, controls);
        for (const auto& [control, kind] : panel.controls) {
            SCOPED_TRACE("control " + std::to_string(control));
            ASSERT_EQ(controls.count(control), 1u);
            EXPECT_EQ(controls[control]->class_name, kind.first);
            EXPECT_EQ(controls[control]->Text("callback"), kind.second);
        }
    }
    // The main window's menus and items, each with its number and callback.
    const Widget& main = *file.panels.at(PANEL_MAIN).root;
    const Widget* bar = FindWidget(main, "mainMenuBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->added_actions,
              (std::vector<std::string>{"menuFile", "menuSetup", "menuOptions", "menuHelp"}));
    std::map<int, std::string> items;
    for (const Action& action : main.actions) {
        items[action.properties.at("item").number] = action.properties.at("callback").text;
    }
    const std::map<int, std::string> expected_items = {
        {ITEM_IMPORT, "Gestion_fichier"},     {ITEM_EXIT, "Gestion_fichier"},
        {ITEM_COMMUNICATION, "Gestion_parametre"}, {ITEM_INSTRUMENT, "Gestion_parametre"},
        {ITEM_FRENCH, "Gestion_options"},     {ITEM_ENGLISH, "Gestion_options"},
        {ITEM_GERMAN, "Gestion_options"},     {ITEM_SPANISH, "Gestion_options"},
        {ITEM_ITALIAN, "Gestion_options"},    {ITEM_SAVE_ON_EXIT, "Gestion_options"},
        {ITEM_HELP, "Gestion_aide"},          {ITEM_ABOUT, "Gestion_aide"}};
    EXPECT_EQ(items, expected_items);
    const Widget* language = FindWidget(main, "menuLanguage");
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->Number("item", 0), ITEM_LANGUAGE);

    // Values of every kind the file uses, read as written.
    const Widget& progress = *file.panels.at(PANEL_PROGRESS).root;
    EXPECT_EQ(progress.Find("geometry")->rect.width, 420);
    const Widget* text = FindWidget(progress, "progressText");
    EXPECT_EQ(text->Find("font")->font.point_size, 11);
    EXPECT_TRUE(text->Find("font")->font.bold);
    EXPECT_EQ(text->Text("alignment"), "Qt::AlignCenter");
    EXPECT_TRUE(text->Flag("wordWrap", false));
    EXPECT_EQ(FindWidget(progress, "progressBusy")->Find("maximumSize")->size.height, 8);
    const Widget& export_panel = *file.panels.at(PANEL_EXPORT).root;
    EXPECT_EQ(FindWidget(export_panel, "exportFolderLabel")->Text("buddy"), "exportFolder");
    EXPECT_EQ(FindWidget(export_panel, "exportRun")->Text("text"), "&Run");
    const Layout& grid = *export_panel.layout->items[0].layout;
    EXPECT_EQ(grid.class_name, "QGridLayout");
    const LayoutItem& message = grid.items[6];
    EXPECT_EQ(message.widget->name, "exportMessage");
    EXPECT_EQ(message.row, 2);
    EXPECT_EQ(message.column, 1);
    EXPECT_EQ(message.column_span, 2);
    const Widget& splash = *file.panels.at(PANEL_SPLASH).root;
    EXPECT_EQ(FindWidget(splash, "splashLogo")->Find("pixmap")->type, Value::Type::Pixmap);
    EXPECT_EQ(splash.layout->items[0].spacer->vertical, true);

    std::vector<std::string> unhandled = UnhandledParts(file);
    EXPECT_TRUE(unhandled.empty()) << ::testing::PrintToString(unhandled);
}

TEST(ResourceDescription, UnhandledPartsNameWhatTheNativeWindowsWouldIgnore) {
    const char* xml = R"(<ui version="4.0"><widget class="QWidget" name="top">
      <widget class="QDialog" name="dialog">
        <property name="panel" stdset="0"><number>3</number></property>
        <layout class="QVBoxLayout" name="box">
          <item><widget class="QComboBox" name="choice"/></item>
          <item><widget class="QLabel" name="label">
            <property name="text"><string>Hello</string></property>
            <property name="toolTip"><string>Hi</string></property>
            <property name="palette"><palette/></property>
          </widget></item>
          <item><spacer name="gap"><property name="orientation"><enum>Qt::Vertical</enum></property></spacer></item>
        </layout>
        <zorder>label</zorder>
      </widget>
      <widget class="QDialog" name="stray"/>
    </widget><tabstops><tabstop>label</tabstop></tabstops></ui>)";
    ResourceFile file;
    std::string error;
    ASSERT_TRUE(ParseResourceFile(xml, file, error)) << error;
    std::vector<std::string> unhandled = UnhandledParts(file);
    std::sort(unhandled.begin(), unhandled.end());
    EXPECT_EQ(unhandled, (std::vector<std::string>{
                             "file stray: widget without a panel number",
                             "file ui: element tabstops",
                             "panel 3 choice: widget class QComboBox",
                             "panel 3 dialog: element zorder",
                             "panel 3 label: property palette: value <palette>",
                             "panel 3 label: property toolTip",
                         }));
}

TEST(ResourceDescription, MalformedOrTruncatedFilesAreRefusedWithAReason) {
    struct Case {
        const char* text;
        const char* reason;
    };
    const Case cases[] = {
        {"", "not a well-formed"},
        {"<ui><widget class=\"QWidget\"", "not a well-formed"},
        {"<ui version=\"4.0\"><class>X</class></ui>", "no root widget"},
        {"<form><widget class=\"QWidget\"/></form>", "no <ui> element"},
    };
    for (const Case& bad : cases) {
        ResourceFile file;
        file.panels[1].number = 1;
        std::string error;
        EXPECT_FALSE(ParseResourceFile(bad.text, file, error)) << bad.text;
        EXPECT_NE(error.find(bad.reason), std::string::npos) << error;
        EXPECT_TRUE(file.panels.empty()) << bad.text;
    }
    // Damaged grid numbers and nesting without end: read, reported, and laid
    // out without indexing outside the grid or running out of stack.
    std::string deep;
    for (int level = 0; level < 5000; ++level) deep += "<widget class=\"QWidget\" name=\"w\">";
    for (int level = 0; level < 5000; ++level) deep += "</widget>";
    const std::string damaged =
        "<ui version=\"4.0\"><widget class=\"QDialog\" name=\"d\">"
        "<property name=\"panel\" stdset=\"0\"><number>1</number></property>"
        "<layout class=\"QGridLayout\" name=\"g\">"
        "<item row=\"-3\" column=\"2000000000\" rowspan=\"-1\" colspan=\"99999999\">"
        "<widget class=\"QLabel\" name=\"l\"/></item></layout>" + deep + "</widget></ui>";
    ResourceFile damaged_file;
    std::string error;
    ASSERT_TRUE(ParseResourceFile(damaged, damaged_file, error)) << error;
    std::vector<std::string> reported = UnhandledParts(damaged_file);
    EXPECT_NE(std::find(reported.begin(), reported.end(), "panel 1 g: item row -3"), reported.end());
    EXPECT_NE(std::find(reported.begin(), reported.end(), "panel 1 w: widget nested too deep"),
              reported.end());
    const Widget& dialog = *damaged_file.panels.at(1).root;
    FixedWidthText metrics(1.0);
    EXPECT_EQ(ui_layout::Arrange(dialog, ui_layout::PreferredClientSize(dialog, metrics), metrics).size(),
              1u);

    // Every prefix of the shipped file: refused or read, never a crash.
    const std::string shipped = ShippedResourceText();
    ASSERT_GT(shipped.size(), 1000u);
    for (size_t length = 0; length < shipped.size(); length += 7) {
        ResourceFile file;
        if (!ParseResourceFile(shipped.substr(0, length), file, error)) {
            EXPECT_FALSE(error.empty());
        }
    }
}

// ------------------------------------------------------------------ layout

// What the program changed: widgets it hid, texts it set.
class FakeLiveState : public ui_layout::LiveState {
public:
    std::set<std::string> hidden;
    std::map<std::string, std::string> texts;
    std::string suffix;  // added to every text of the file, for longer translations
    std::string Text(const Widget& widget) const override {
        auto found = texts.find(widget.name);
        if (found != texts.end()) return found->second;
        std::string text = widget.Text("text");
        return text.empty() ? text : text + suffix;
    }
    bool Visible(const Widget& widget) const override {
        return hidden.count(widget.name) == 0 && widget.Flag("visible", true);
    }
};

std::unique_ptr<Widget> DialogFrom(const std::string& body) {
    std::string xml = "<ui version=\"4.0\"><widget class=\"QDialog\" name=\"dialog\">"
                      "<property name=\"panel\" stdset=\"0\"><number>1</number></property>" +
                      body + "</widget></ui>";
    ResourceFile file;
    std::string error;
    EXPECT_TRUE(ParseResourceFile(xml, file, error)) << error;
    EXPECT_TRUE(UnhandledParts(file).empty()) << ::testing::PrintToString(UnhandledParts(file));
    return std::move(file.panels[1].root);
}

std::string Button(const std::string& name, const std::string& text, const std::string& more = "") {
    return "<widget class=\"QPushButton\" name=\"" + name + "\"><property name=\"text\"><string>" +
           text + "</string></property>" + more + "</widget>";
}
std::string Item(const std::string& content, const std::string& place = "") {
    return "<item " + place + ">" + content + "</item>";
}
std::string Spacing(int spacing) {
    return "<property name=\"spacing\"><number>" + std::to_string(spacing) + "</number></property>";
}
std::string Margins(int margin) {
    std::string margins;
    for (const char* side : {"left", "top", "right", "bottom"})
        margins += std::string("<property name=\"") + side + "Margin\"><number>" +
                   std::to_string(margin) + "</number></property>";
    return margins;
}
std::string SizeProperty(const char* name, int width, int height) {
    return std::string("<property name=\"") + name + "\"><size><width>" + std::to_string(width) +
           "</width><height>" + std::to_string(height) + "</height></size></property>";
}

bool operator==(const Rect& a, const Rect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}
std::string Show(const Rect& r) {
    return "(" + std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
           "x" + std::to_string(r.height) + ")";
}

TEST(PanelLayout, PlacesWidgetsAsQtLayoutsDo) {
    const std::string wrapped_text =
        "aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo pppp qqqq rrrr "
        "ssss tttt";
    struct Case {
        const char* name;
        std::string body;
        double scale;
        Size client;  // {0, 0}: the preferred client size, checked against `preferred`
        Size preferred;
        std::map<std::string, Rect> expected;  // absent name with width -1: not placed
        std::set<std::string> hidden = {};
    };
    const std::string two_buttons =
        "<layout class=\"QVBoxLayout\" name=\"box\">" + Item(Button("ok", "OK")) +
        Item(Button("cancel", "Cancel")) + "</layout>";
    const Case cases[] = {
        // Qt's defaults for a dialog: margins of 11, spacing of 6; buttons at
        // least 75 x 23.
        {"default margins and spacing", two_buttons, 1.0, {}, {97, 74},
         {{"ok", {11, 11, 75, 23}}, {"cancel", {11, 40, 75, 23}}}},
        {"default margins and spacing at 150 %", two_buttons, 1.5, {}, {147, 113},
         {{"ok", {17, 17, 113, 35}}, {"cancel", {17, 61, 113, 35}}}},
        {"buttons fill a wider column", two_buttons, 1.0, {200, 74}, {97, 74},
         {{"ok", {11, 11, 178, 23}}, {"cancel", {11, 40, 178, 23}}}},
        {"an expanding spacer pushes the button down",
         "<layout class=\"QVBoxLayout\" name=\"box\">" + Margins(0) +
             Item("<widget class=\"QLabel\" name=\"top\"><property name=\"text\"><string>Top</string>"
                  "</property></widget>") +
             Item("<spacer name=\"gap\"><property name=\"orientation\"><enum>Qt::Vertical</enum>"
                  "</property></spacer>") +
             Item(Button("go", "Go")) + "</layout>",
         1.0, {100, 200}, {75, 44},
         {{"top", {0, 0, 100, 15}}, {"go", {0, 177, 100, 23}}}},
        {"stretch factors share the room 1 : 2",
         "<layout class=\"QHBoxLayout\" name=\"row\" stretch=\"1,2\">" + Margins(0) + Spacing(0) +
             Item("<widget class=\"QLineEdit\" name=\"one\"/>") +
             Item("<widget class=\"QLineEdit\" name=\"two\"/>") + "</layout>",
         1.0, {300, 23}, {254, 23},
         {{"one", {0, 0, 100, 23}}, {"two", {100, 0, 200, 23}}}},
        {"minimum and maximum sizes clamp",
         "<layout class=\"QHBoxLayout\" name=\"row\">" + Margins(0) + Spacing(0) +
             Item("<widget class=\"QListWidget\" name=\"narrow\">" + SizeProperty("maximumSize", 100, 16777215) + "</widget>") +
             Item("<widget class=\"QListWidget\" name=\"wide\">" + SizeProperty("minimumSize", 250, 0) + "</widget>") +
             "</layout>",
         1.0, {320, 200}, {356, 192},
         {{"narrow", {0, 0, 70, 200}}, {"wide", {70, 0, 250, 200}}}},
        {"minimum and maximum sizes clamp, room to spare",
         "<layout class=\"QHBoxLayout\" name=\"row\">" + Margins(0) + Spacing(0) +
             Item("<widget class=\"QListWidget\" name=\"narrow\">" + SizeProperty("maximumSize", 100, 16777215) + "</widget>") +
             Item("<widget class=\"QListWidget\" name=\"wide\">" + SizeProperty("minimumSize", 250, 0) + "</widget>") +
             "</layout>",
         1.0, {400, 200}, {356, 192},
         {{"narrow", {0, 0, 100, 200}}, {"wide", {100, 0, 300, 200}}}},
        {"hidden widgets take no room",
         "<layout class=\"QVBoxLayout\" name=\"box\">" + Margins(0) + Spacing(10) +
             Item(Button("a", "A")) +
             Item(Button("b", "B", "<property name=\"visible\"><bool>false</bool></property>")) +
             Item(Button("c", "C")) + Item(Button("d", "D")) + "</layout>",
         1.0, {}, {75, 56},
         {{"a", {0, 0, 75, 23}}, {"b", {0, 0, -1, 0}}, {"c", {0, 0, -1, 0}}, {"d", {0, 33, 75, 23}}},
         {"c"}},
        {"a grid cell spanning two columns",
         "<layout class=\"QGridLayout\" name=\"grid\">" + Margins(0) + Spacing(4) +
             Item("<widget class=\"QLabel\" name=\"label\"><property name=\"text\"><string>Name</string>"
                  "</property></widget>", "row=\"0\" column=\"0\"") +
             Item("<widget class=\"QLineEdit\" name=\"edit\"/>", "row=\"0\" column=\"1\"") +
             Item("<widget class=\"QCheckBox\" name=\"check\"><property name=\"text\"><string>Remember me"
                  "</string></property></widget>", "row=\"1\" column=\"0\" rowspan=\"1\" colspan=\"2\"") +
             "</layout>",
         1.0, {300, 44}, {159, 44},
         {{"label", {0, 0, 28, 23}}, {"edit", {32, 0, 268, 23}}, {"check", {0, 27, 300, 17}}}},
        {"a form's labels keep their width, fields take the rest",
         "<layout class=\"QFormLayout\" name=\"form\">" + Margins(0) + Spacing(6) +
             Item("<widget class=\"QLabel\" name=\"portLabel\"><property name=\"text\"><string>Port"
                  "</string></property></widget>", "row=\"0\" column=\"0\"") +
             Item("<widget class=\"QSpinBox\" name=\"port\"><property name=\"minimum\"><number>1</number>"
                  "</property><property name=\"maximum\"><number>256</number></property>"
                  "<property name=\"prefix\"><string>COM </string></property></widget>",
                  "row=\"0\" column=\"1\"") +
             Item("<widget class=\"QLabel\" name=\"speedLabel\"><property name=\"text\"><string>Speed value"
                  "</string></property></widget>", "row=\"1\" column=\"0\"") +
             Item("<widget class=\"QLineEdit\" name=\"speed\"/>", "row=\"1\" column=\"1\"") + "</layout>",
         1.0, {300, 52}, {210, 52},
         {{"portLabel", {0, 0, 28, 23}}, {"port", {83, 0, 217, 23}},
          {"speedLabel", {0, 29, 77, 23}}, {"speed", {83, 29, 217, 23}}}},
        {"a word-wrapped label asks for about half of 80 characters",
         "<layout class=\"QVBoxLayout\" name=\"box\">" + Margins(0) +
             Item("<widget class=\"QLabel\" name=\"text\"><property name=\"text\"><string>" + wrapped_text +
                  "</string></property><property name=\"wordWrap\"><bool>true</bool></property></widget>") +
             "</layout>",
         1.0, {}, {273, 45}, {{"text", {0, 0, 273, 45}}}},
        {"a word-wrapped label grows taller when narrower",
         "<layout class=\"QVBoxLayout\" name=\"box\">" + Margins(0) +
             Item("<widget class=\"QLabel\" name=\"text\"><property name=\"text\"><string>" + wrapped_text +
                  "</string></property><property name=\"wordWrap\"><bool>true</bool></property></widget>") +
             "</layout>",
         1.0, {200, 60}, {273, 45}, {{"text", {0, 0, 200, 60}}}},
        {"widgets outside a layout stand at their scaled geometry",
         "<widget class=\"QPushButton\" name=\"free\"><property name=\"geometry\"><rect><x>10</x><y>20</y>"
         "<width>80</width><height>30</height></rect></property></widget>",
         1.5, {300, 200}, {0, 0}, {{"free", {15, 30, 120, 45}}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::unique_ptr<Widget> dialog = DialogFrom(test.body);
        ASSERT_TRUE(dialog);
        FixedWidthText metrics(test.scale);
        FakeLiveState live;
        live.hidden = test.hidden;
        Size preferred = ui_layout::PreferredClientSize(*dialog, metrics, live);
        EXPECT_EQ(preferred.width, test.preferred.width);
        EXPECT_EQ(preferred.height, test.preferred.height);
        Size client = test.client.width > 0 ? test.client : preferred;
        auto placed = ui_layout::Arrange(*dialog, client, metrics, live);
        for (const auto& [name, rect] : test.expected) {
            const Widget* widget = FindWidget(*dialog, name);
            ASSERT_NE(widget, nullptr) << name;
            if (rect.width < 0) {
                EXPECT_EQ(placed.count(widget), 0u) << name << " placed though hidden";
                continue;
            }
            ASSERT_EQ(placed.count(widget), 1u) << name;
            EXPECT_TRUE(placed[widget] == rect) << name << " at " << Show(placed[widget]) << ", expected "
                                                << Show(rect);
        }
    }
}

// Every widget below `widget`, for the ancestry check of the panels.
void CollectBelow(const Widget& widget, std::set<const Widget*>& below);
void CollectBelow(const Layout& layout, std::set<const Widget*>& below) {
    for (const LayoutItem& item : layout.items) {
        if (item.widget) {
            below.insert(item.widget.get());
            CollectBelow(*item.widget, below);
        }
        if (item.layout) CollectBelow(*item.layout, below);
    }
}
void CollectBelow(const Widget& widget, std::set<const Widget*>& below) {
    if (widget.layout) CollectBelow(*widget.layout, below);
    for (const auto& child : widget.children) {
        below.insert(child.get());
        CollectBelow(*child, below);
    }
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

void ExpectInsideAndApart(const std::map<const Widget*, Rect>& placed, Size client,
                          const ui_layout::TextMetrics& metrics, const ui_layout::LiveState& live) {
    std::map<const Widget*, std::set<const Widget*>> below;
    for (const auto& [widget, rect] : placed) CollectBelow(*widget, below[widget]);
    for (const auto& [widget, rect] : placed) {
        EXPECT_TRUE(rect.x >= 0 && rect.y >= 0 && rect.x + rect.width <= client.width &&
                    rect.y + rect.height <= client.height)
            << widget->name << " at " << Show(rect) << " outside " << client.width << "x"
            << client.height;
        EXPECT_GT(rect.width, 0) << widget->name;
        if (widget->class_name == "QLabel" && widget->Flag("wordWrap", false)) {
            Font font = widget->Find("font") ? widget->Find("font")->font : Font{};
            int needed = metrics.Text(live.Text(*widget), font, rect.width).height;
            EXPECT_GE(rect.height, needed) << widget->name << " cuts its text";
        }
        for (const auto& [other, other_rect] : placed) {
            if (other <= widget || below[widget].count(other) || below[other].count(widget)) continue;
            EXPECT_FALSE(Overlap(rect, other_rect))
                << widget->name << " " << Show(rect) << " overlaps " << other->name << " "
                << Show(other_rect);
        }
    }
}

TEST(PanelLayout, ShippedPanelsFitTheirLongestTextsAtEveryScale) {
    ResourceFile file;
    std::string error;
    ASSERT_TRUE(ParseResourceFile(ShippedResourceText(), file, error)) << error;
    FakeLiveState live;
    // French texts run about half as long again as the English ones.
    live.suffix = " : données de l'équipement";
    live.texts["exportMessage"] =
        "Exportation terminée : 12 essais écrits dans le répertoire C:\\Utilisateurs\\Mesures\\"
        "Installation électrique du bâtiment principal\nClasseur récapitulatif : Récapitulatif.xlsx";
    for (double scale : {1.0, 1.5}) {
        FixedWidthText metrics(scale);
        for (const auto& [number, panel] : file.panels) {
            SCOPED_TRACE("panel " + std::to_string(number) + " at scale " + std::to_string(scale));
            const Widget& root = *panel.root;
            // At the size it opens at, its preferred size and its smallest
            // (narrower, so its wrapped texts take more lines).
            for (Size client : {ui_layout::InitialClientSize(root, metrics, live),
                                ui_layout::PreferredClientSize(root, metrics, live),
                                ui_layout::MinimumClientSize(root, metrics, live)}) {
                auto placed = ui_layout::Arrange(root, client, metrics, live);
                ExpectInsideAndApart(placed, client, metrics, live);
                if (number == PANEL_EXPORT || number == PANEL_IMPORT) {
                    EXPECT_GE(placed.size(), 10u);
                }
            }
        }
    }
}

}  // namespace
