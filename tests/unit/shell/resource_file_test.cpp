// BRISKEL.UIR: every panel loads, every control and menu item the code
// addresses exists with the callback it relies on, and every callback name
// the file gives is known.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QWidget>
#include <cstdlib>
#include <map>
#include <set>

#include "excel/registration.h"
#include "export/registration.h"
#include "import/registration.h"
#include "link/registration.h"
#include "platform/ui/ui.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "shell/registration.h"
#include "support/app_fixture.h"
#include "unit/shell/resource_file_expectations.h"

namespace {

std::string CallbackOf(int panel, int control) {
    for (QWidget* w : PanelWidgetForTesting(panel)->findChildren<QWidget*>()) {
        if (w->property("control").toInt() == control) return w->property("callback").toString().toStdString();
    }
    return "<missing>";
}

// Every callback name in every panel of the file.
std::set<std::string> CallbackNamesInFile(int main_panel) {
    std::set<std::string> names;
    for (int n = PANEL_PROGRESS; n <= PANEL_MAIN; ++n) {
        const int panel = n == PANEL_MAIN ? main_panel : LoadPanel(0, UIR_FILE, n);
        for (QObject* o : PanelWidgetForTesting(panel)->findChildren<QObject*>()) {
            const QString name = o->property("callback").toString();
            if (!name.isEmpty()) names.insert(name.toStdString());
        }
    }
    return names;
}

class ResourceFileTest : public AppFixture {};

TEST_F(ResourceFileTest, EveryPanelLoadsWithItsControlsAndCallbacks) {
    std::map<int, int> handles;
    for (int n = PANEL_PROGRESS; n <= PANEL_MAIN; ++n) {
        handles[n] = LoadPanel(0, UIR_FILE, n);
        ASSERT_GT(handles[n], 0) << "panel " << n;
    }
    for (const auto& c : kControls) {
        int dimmed = -1;
        EXPECT_EQ(GetCtrlAttribute(handles[c.panel], c.control, ATTR_DIMMED, dimmed), 0)
            << "panel " << c.panel << " control " << c.control;
        EXPECT_EQ(CallbackOf(handles[c.panel], c.control), c.callback)
            << "panel " << c.panel << " control " << c.control;
    }
    const int bar = GetPanelMenuBar(handles[PANEL_MAIN]);
    ASSERT_GT(bar, 0);
    for (const auto& [item, callback] : kMenuItems) {
        int dimmed = -1;
        EXPECT_EQ(GetMenuBarAttribute(bar, item, ATTR_DIMMED, dimmed), 0) << "item " << item;
        EXPECT_EQ(dimmed, 0) << "item " << item;
    }
    for (QAction* action : PanelWidgetForTesting(handles[PANEL_MAIN])->findChildren<QAction*>()) {
        const int item = action->property("item").toInt();
        if (item > 0 && kMenuItems.count(item)) {
            EXPECT_EQ(action->property("callback").toString().toStdString(), kMenuItems.at(item))
                << "item " << item;
        }
    }
}

TEST_F(ResourceFileTest, InitialStatesTheProgramRelies) {
    const int main = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    const int exportPanel = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    int erase = -1;
    ASSERT_EQ(GetCtrlVal(exportPanel, EXPORT_ERASE, erase), 0);
    EXPECT_EQ(erase, 0);
    int dimmed = -1;
    GetCtrlAttribute(exportPanel, EXPORT_EXPORT, ATTR_DIMMED, dimmed);
    EXPECT_EQ(dimmed, 1) << "export waits for the launch";
    // The language items and the save switch carry ticks; the Help menu keeps its name.
    const int bar = GetPanelMenuBar(main);
    std::string help;
    GetMenuBarAttribute(bar, MENU_HELP, ATTR_MENU_NAME, help);
    EXPECT_EQ(help, "__Help");
    for (int n = PANEL_PROGRESS; n <= PANEL_MAIN; ++n) {
        EXPECT_GT(PanelWidgetForTesting(n == PANEL_MAIN ? main : LoadPanel(0, UIR_FILE, n))
                      ->property("panel").toInt(), 0);
    }
}

// Every name in the file is one the program defines.
TEST_F(ResourceFileTest, CallbackNamesAreTheProgramsOwn) {
    const std::set<std::string> known = {
        "Sortir",      "Config_com",     "QuitterConfig",   "StopImport",      "Importer",
        "QuitterImporter", "IndexObjet", "IndexTest",       "Lancer_excel",    "Exporter_excel",
        "Quitter_aide", "Gestion_fichier", "Gestion_parametre", "Gestion_options", "Gestion_aide",
        "OpenWorkingFolder", "NommerObjet"};
    const int main = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    for (const std::string& name : CallbackNamesInFile(main)) {
        EXPECT_TRUE(known.count(name)) << name;
    }
}

// The whole program's registrations cover every name the file gives.
TEST_F(ResourceFileTest, EveryCallbackNameIsRegisteredByTheProgram) {
    const ShellHooks saved = shell_hooks;
    RegisterShellCallbacks();
    RegisterLinkSubsystem();
    RegisterImportSubsystem();
    RegisterExcelSubsystem();
    RegisterExportSubsystem();
    shell_hooks = saved;
    const int main = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    for (const std::string& name : CallbackNamesInFile(main)) {
        EXPECT_TRUE(IsCallbackRegistered(name)) << name;
    }
    EXPECT_FALSE(IsCallbackRegistered("NoSuchCallback"));
}

// Screen readers find every control a person operates by the text they see.
TEST_F(ResourceFileTest, EveryOperableControlHasAnAccessibleName) {
    for (int n = PANEL_PROGRESS; n <= PANEL_MAIN; ++n) {
        for (QWidget* w : PanelWidgetForTesting(LoadPanel(0, UIR_FILE, n))->findChildren<QWidget*>()) {
            if (w->property("control").toInt() > 0 && w->focusPolicy() != Qt::NoFocus) {
                EXPECT_FALSE(w->accessibleName().isEmpty()) << n << " " << w->objectName().toStdString();
            }
        }
    }
}

TEST_F(ResourceFileTest, PanelNumbersMissingOrFileDamaged) {
    EXPECT_EQ(LoadPanel(0, UIR_FILE, 11), UIE_PANEL_NOT_FOUND);
    EXPECT_EQ(LoadPanel(0, "NOPE.UIR", 8), UIE_FILE_NOT_FOUND);
    WriteProgramFile(UIR_FILE, "\x01\x02 not a resource file <ui");
    EXPECT_LT(LoadPanel(0, UIR_FILE, 8), 0);
    WriteProgramFile(UIR_FILE, "");
    EXPECT_LT(LoadPanel(0, UIR_FILE, 8), 0);
}

// Pictures of every panel for a person to look at, written when
// BRISKEL_SCREENSHOT_DIR names a folder.
TEST_F(ResourceFileTest, EveryPanelPaints) {
    const char* dir = std::getenv("BRISKEL_SCREENSHOT_DIR");
    for (int n = PANEL_PROGRESS; n <= PANEL_MAIN; ++n) {
        const int panel = LoadPanel(0, UIR_FILE, n);
        QWidget* w = PanelWidgetForTesting(panel);
        DisplayPanel(panel);
        ProcessPending();
        const QImage image = w->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_GT(image.width(), 200);
        if (dir != nullptr) image.save(QDir(dir).filePath(QString("panel-%1.png").arg(n, 2, 10, QChar('0'))));
        HidePanel(panel);
    }
}

}  // namespace
