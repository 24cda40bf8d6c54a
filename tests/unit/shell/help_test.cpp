// The manual and the About box.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "shell/help.h"
#include "shell/menu_state.h"
#include "shell_fixture.h"

namespace {

class HelpTest : public ShellFixture {
protected:
    int Dimmed4() {
        return Dimmed(MENU_FILE) + Dimmed(MENU_SETUP) + Dimmed(MENU_OPTIONS) + Dimmed(MENU_HELP);
    }
};

TEST_F(HelpTest, TheManualIsTheSameDocumentInEveryLanguage) {
    for (int lang = 0; lang < 5; ++lang) {
        Gestion_options(menu, ITEM_FRENCH + lang, nullptr, Fen_princ[PANEL_MAIN]);
        SimulateMenuItem(menu, ITEM_HELP);
    }
    ASSERT_EQ(opened_documents().size(), 5u);
    for (const auto& path : opened_documents()) EXPECT_EQ(path, program_dir() + "/BriskelView.pdf");
    EXPECT_TRUE(popups().empty()) << "a missing document is not reported";
}

TEST_F(HelpTest, AboutBoxDimsTheMenusUntilClosed) {
    Gestion_options(menu, ITEM_ITALIAN, nullptr, Fen_princ[PANEL_MAIN]);
    SimulateMenuItem(menu, ITEM_ABOUT);
    const int about = Fen_princ[PANEL_ABOUT];
    ASSERT_TRUE(IsPanelValid(about));
    QWidget* box = PanelWidgetForTesting(about);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->parentWidget(), PanelWidgetForTesting(Fen_princ[PANEL_MAIN]));
    EXPECT_EQ(Dimmed4(), 4);
    std::string text;
    GetCtrlVal(about, ABOUT_DEVELOPED, text);
    EXPECT_EQ(text, "Realizzato da :");
    GetCtrlVal(about, ABOUT_LEADER, text);
    EXPECT_EQ(text, "Responsabile\ndi progetto :");
    GetCtrlVal(about, ABOUT_VERSION, text);
    EXPECT_EQ(text, "Version 1.0.0");

    // Pictures for a person to look at, when asked for.
    if (const char* dir = std::getenv("BRISKEL_SCREENSHOT_DIR")) {
        DisplayPanel(Fen_princ[PANEL_MAIN]);
        ProcessPending();
        PanelWidgetForTesting(Fen_princ[PANEL_MAIN])->grab().save(QDir(dir).filePath("main-window.png"));
        box->grab().save(QDir(dir).filePath("about-box.png"));
    }

    SimulateCommit(about, ABOUT_CLOSE);
    EXPECT_FALSE(IsPanelValid(about));
    EXPECT_EQ(Dimmed4(), 0);
    ProcessPending();
}

}  // namespace
