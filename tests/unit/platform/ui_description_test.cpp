// The resource file read as plain data (what the native windows are built
// from) and the layout computed from it, on both systems.
#include <gtest/gtest.h>

#include <fstream>
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
          {IMPORT_NEW_ONLY, {"QCheckBox", ""}}}},
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
    // Every prefix of the shipped file: refused or read, never a crash.
    const std::string shipped = ShippedResourceText();
    ASSERT_GT(shipped.size(), 1000u);
    for (size_t length = 0; length < shipped.size(); length += 7) {
        ResourceFile file;
        std::string error;
        if (!ParseResourceFile(shipped.substr(0, length), file, error)) {
            EXPECT_FALSE(error.empty());
        }
    }
}

}  // namespace
