#include "shell/registration.h"

#include "platform/ui/session.h"
#include "platform/ui/ui.h"
#include "shell/help.h"
#include "shell/menu_state.h"
#include "shell/session_end.h"
#include "shell/startup.h"

void RegisterShellCallbacks() {
    RegisterCallbacks({
        {"Sortir", Sortir, nullptr},
        {"Quitter_aide", Quitter_aide, nullptr},
        {"Gestion_options", nullptr, Gestion_options},
        {"Gestion_aide", nullptr, Gestion_aide},
    });
    SetSessionEndHandlers({AnswerSessionEndQuery, EndWithTheSession});
}
