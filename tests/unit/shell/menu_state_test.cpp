// Dimming the menu bar and the Options menu as a user reaches it.
#include "shell/menu_state.h"
#include "shell_fixture.h"

namespace {

class MenuStateTest : public ShellFixture {};

TEST_F(MenuStateTest, CtrlMenuDimsTheFourMenusAndNoItem) {
    const int menus[] = {MENU_FILE, MENU_SETUP, MENU_OPTIONS, MENU_HELP};
    Ctrl_menu(1);
    Ctrl_menu(1);
    for (int m : menus) EXPECT_EQ(Dimmed(m), 1) << m;
    for (int item : {ITEM_IMPORT, ITEM_EXIT, ITEM_ENGLISH, ITEM_ABOUT}) EXPECT_EQ(Dimmed(item), 0) << item;
    // A dimmed menu offers nothing to choose.
    SimulateMenuItem(menu, ITEM_FRENCH);
    EXPECT_EQ(langue, 1);
    Ctrl_menu(0);  // one restore undoes any number of dims
    for (int m : menus) EXPECT_EQ(Dimmed(m), 0) << m;
    SimulateMenuItem(menu, ITEM_FRENCH);
    EXPECT_EQ(langue, 0);
}

TEST_F(MenuStateTest, SaveSwitchFlipsOncePerChoice) {
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_CHECKED, 1);
    SimulateMenuItem(menu, ITEM_SAVE_ON_EXIT);
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 0);
    SimulateMenuItem(menu, ITEM_SAVE_ON_EXIT);
    EXPECT_EQ(Tick(ITEM_SAVE_ON_EXIT), 1);
    EXPECT_FALSE(ProgramFileExists("Briskel.ini")) << "nothing is written at this point";
}

}  // namespace
