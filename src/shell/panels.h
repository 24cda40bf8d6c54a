// Panel, control and menu-item numbers of BRISKEL.UIR. The resource file and
// the code agree on these numbers; a test loads every panel and checks them.
#pragma once

constexpr const char* UIR_FILE = "BRISKEL.UIR";

enum PanelNumber {
    PANEL_PROGRESS = 1,
    PANEL_COM = 2,
    PANEL_IDENTITY = 3,
    PANEL_WAIT = 4,
    PANEL_EXPORT = 5,
    PANEL_IMPORT = 6,
    PANEL_ABOUT = 7,
    PANEL_SPLASH = 8,
    PANEL_SCAN = 9,
    PANEL_MAIN = 10,
};

// Progress panel (1)
constexpr int PROGRESS_TEXT = 2;

// Communication panel (2)
constexpr int COM_OK = 2;
constexpr int COM_QUIT = 3;
constexpr int COM_NUMBER = 4;

// Identity panel (3)
constexpr int IDENTITY_CLOSE = 2;
constexpr int IDENTITY_LIST = 3;  // its label is the panel's caption

// Wait panel (4)
constexpr int WAIT_TEXT = 2;
constexpr int WAIT_STOP = 3;

// Export panel (5)
constexpr int EXPORT_RUN = 2;
constexpr int EXPORT_EXPORT = 3;
constexpr int EXPORT_QUIT = 4;
constexpr int EXPORT_FOLDER = 5;
constexpr int EXPORT_BROWSE = 6;
constexpr int EXPORT_BASE_NAME = 7;
constexpr int EXPORT_MESSAGE = 8;
constexpr int EXPORT_ERASE = 9;
constexpr int EXPORT_AUTOMATIC_NAMES = 10;  // no save dialog: names built from the test
constexpr int EXPORT_OPEN_FOLDER = 11;      // the working folder in the file manager
constexpr int EXPORT_SUMMARY = 12;          // one summary workbook for the whole export

// Import panel (6)
constexpr int IMPORT_EXPORT = 3;
constexpr int IMPORT_UPDATE = 4;
constexpr int IMPORT_QUIT = 5;
constexpr int IMPORT_OBJECTS = 6;
constexpr int IMPORT_TESTS = 7;
constexpr int IMPORT_DAY = 8;
constexpr int IMPORT_MONTH = 9;
constexpr int IMPORT_YEAR = 10;
constexpr int IMPORT_ALL_DATES = 11;
constexpr int IMPORT_DESCRIPTION = 12;
constexpr int IMPORT_PROGRESS = 13;
constexpr int IMPORT_NEW_ONLY = 14;  // skip the tests the export journal holds
constexpr int IMPORT_NAME_FIELD = 15;  // the selected object's name, typed by the user
constexpr int IMPORT_NAME_NOTE = 16;   // why the name field is dimmed, or what its stale name means

// About panel (7)
constexpr int ABOUT_CLOSE = 2;
constexpr int ABOUT_VERSION = 4;  // the program's version, filled in when the box opens
constexpr int ABOUT_LEADER = 6;
constexpr int ABOUT_DEVELOPED = 8;

// Scan panel (9)
constexpr int SCAN_OTHER_BUTTON = 2;  // shown when the scan has ended
constexpr int SCAN_PROGRESS = 3;      // "Reading in progress : NN "
constexpr int SCAN_STATUS = 4;
constexpr int SCAN_STOP = 5;

// Main panel (10): controls 2 to 4 stay hidden for the whole run. Control 2 is
// the quit control (closing the main window commits it).
constexpr int MAIN_QUIT = 2;
constexpr int MAIN_HIDDEN_FIRST = 2;
constexpr int MAIN_HIDDEN_LAST = 4;

// Menu bar of the main panel
enum MenuNumber {
    MENU_FILE = 2,
    ITEM_IMPORT = 3,
    ITEM_EXIT = 5,
    MENU_SETUP = 6,
    ITEM_COMMUNICATION = 7,
    ITEM_INSTRUMENT = 9,
    MENU_OPTIONS = 10,
    ITEM_LANGUAGE = 11,
    ITEM_FRENCH = 13,
    ITEM_ENGLISH = 14,
    ITEM_GERMAN = 15,
    ITEM_SPANISH = 16,
    ITEM_ITALIAN = 17,
    ITEM_SAVE_ON_EXIT = 19,
    MENU_HELP = 20,
    ITEM_HELP = 21,
    ITEM_ABOUT = 23,
};

// A poll of the event queue counts a commit on one of these controls, from any
// panel, as a stop request.
inline bool IsStopControl(int control) { return control == WAIT_STOP || control == SCAN_STOP; }
