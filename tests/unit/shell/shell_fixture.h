// The panels start-up loads (main, export, import) and the settings path, as
// the shell tests need them without running the whole start-up.
#pragma once

#include "link/link_context.h"
#include "link/registration.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/panels.h"
#include "shell/registration.h"
#include "shell/settings.h"
#include "support/app_fixture.h"

class ShellFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        saved_hooks_ = shell_hooks;
        RegisterShellCallbacks();
        RegisterLinkSubsystem();  // the settings keep the link's port number
        Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
        menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
        Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
        Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
        ASSERT_GT(menu, 0);
    }

    void TearDown() override {
        shell_hooks = saved_hooks_;
        AppFixture::TearDown();
    }

    int Tick(int item) const {
        int value = -1;
        GetMenuBarAttribute(menu, item, ATTR_CHECKED, value);
        return value;
    }
    int Dimmed(int item) const {
        int value = -1;
        GetMenuBarAttribute(menu, item, ATTR_DIMMED, value);
        return value;
    }
    std::string MenuName(int item, int attribute = ATTR_ITEM_NAME) const {
        std::string name;
        GetMenuBarAttribute(menu, item, attribute, name);
        return name;
    }
    int MainAttribute(int attribute) const {
        int value = -1;
        GetPanelAttribute(Fen_princ[PANEL_MAIN], attribute, value);
        return value;
    }

private:
    ShellHooks saved_hooks_;
};
