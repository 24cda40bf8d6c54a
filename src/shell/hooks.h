// What the shell calls in later subsystems. The subsystems fill these in at
// start-up (main), so the shell itself depends on none of them; an empty hook
// is skipped.
#pragma once

#include <functional>

struct ShellHooks {
    // Start-up, with the import and export panels loaded: the import flags
    // (flag_stop = 1, flag_excel = 0).
    std::function<void()> init_import_flags;
    // The import panel relabelled: its name field, whose label tells the
    // name's state, labelled again in the current language.
    std::function<void()> relabel_object_name;
    // Start-up, the search for the instrument: the connection, as Setup,
    // Communication would start it.
    std::function<void(int menuBar, int item, void* callbackData, int panel)> start_connection;
    // The link's port number, which the settings file keeps: set from the file
    // at start-up, written back at exit.
    std::function<int&()> link_port;
    // The link marked down (link flag 0): at start-up, and on a system too old.
    std::function<void()> link_down;
    // Shutdown: the instrument's automatic power-off command sequence.
    std::function<int()> power_off_instrument;
    // Shutdown: close the spreadsheet application this program started.
    std::function<void()> close_spreadsheet;
};
extern ShellHooks shell_hooks;
