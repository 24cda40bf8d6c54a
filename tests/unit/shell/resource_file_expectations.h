// What the program expects of BRISKEL.UIR: the controls and menu items it
// addresses, with the callback each one names. The Linux and the Windows
// tests of the resource file check the same list.
#pragma once

#include <map>

#include "shell/panels.h"

namespace {

struct ControlExpectation {
    int panel;
    int control;
    const char* callback;  // "" when the control has none
};

// The controls the program addresses, with the callback each one names.
const ControlExpectation kControls[] = {
    {PANEL_PROGRESS, PROGRESS_TEXT, ""},
    {PANEL_COM, COM_OK, "Config_com"},
    {PANEL_COM, COM_QUIT, "Config_com"},
    {PANEL_COM, COM_NUMBER, ""},
    {PANEL_IDENTITY, IDENTITY_CLOSE, "QuitterConfig"},
    {PANEL_IDENTITY, IDENTITY_LIST, ""},
    {PANEL_WAIT, WAIT_TEXT, ""},
    {PANEL_WAIT, WAIT_STOP, "StopImport"},
    {PANEL_EXPORT, EXPORT_RUN, "Lancer_excel"},
    {PANEL_EXPORT, EXPORT_EXPORT, "Exporter_excel"},
    {PANEL_EXPORT, EXPORT_QUIT, "Lancer_excel"},
    {PANEL_EXPORT, EXPORT_FOLDER, ""},
    {PANEL_EXPORT, EXPORT_BROWSE, "Lancer_excel"},
    {PANEL_EXPORT, EXPORT_BASE_NAME, ""},
    {PANEL_EXPORT, EXPORT_MESSAGE, ""},
    {PANEL_EXPORT, EXPORT_ERASE, ""},
    {PANEL_IMPORT, IMPORT_EXPORT, "Importer"},
    {PANEL_IMPORT, IMPORT_UPDATE, "Importer"},
    {PANEL_IMPORT, IMPORT_QUIT, "QuitterImporter"},
    {PANEL_IMPORT, IMPORT_OBJECTS, "IndexObjet"},
    {PANEL_IMPORT, IMPORT_TESTS, "IndexTest"},
    {PANEL_IMPORT, IMPORT_DAY, ""},
    {PANEL_IMPORT, IMPORT_MONTH, ""},
    {PANEL_IMPORT, IMPORT_YEAR, ""},
    {PANEL_IMPORT, IMPORT_ALL_DATES, "Importer"},
    {PANEL_IMPORT, IMPORT_DESCRIPTION, ""},
    {PANEL_IMPORT, IMPORT_PROGRESS, ""},
    {PANEL_ABOUT, ABOUT_CLOSE, "Quitter_aide"},
    {PANEL_ABOUT, ABOUT_VERSION, ""},
    {PANEL_ABOUT, ABOUT_LEADER, ""},
    {PANEL_ABOUT, ABOUT_DEVELOPED, ""},
    {PANEL_SCAN, SCAN_OTHER_BUTTON, "StopImport"},
    {PANEL_SCAN, SCAN_PROGRESS, ""},
    {PANEL_SCAN, SCAN_STATUS, ""},
    {PANEL_SCAN, SCAN_STOP, "StopImport"},
    {PANEL_MAIN, MAIN_QUIT, "Sortir"},
    {PANEL_MAIN, 3, ""},
    {PANEL_MAIN, 4, ""},
};

const std::map<int, const char*> kMenuItems = {
    {MENU_FILE, ""},
    {ITEM_IMPORT, "Gestion_fichier"},
    {ITEM_EXIT, "Gestion_fichier"},
    {MENU_SETUP, ""},
    {ITEM_COMMUNICATION, "Gestion_parametre"},
    {ITEM_INSTRUMENT, "Gestion_parametre"},
    {MENU_OPTIONS, ""},
    {ITEM_LANGUAGE, ""},
    {ITEM_FRENCH, "Gestion_options"},
    {ITEM_ENGLISH, "Gestion_options"},
    {ITEM_GERMAN, "Gestion_options"},
    {ITEM_SPANISH, "Gestion_options"},
    {ITEM_ITALIAN, "Gestion_options"},
    {ITEM_SAVE_ON_EXIT, "Gestion_options"},
    {MENU_HELP, ""},
    {ITEM_HELP, "Gestion_aide"},
    {ITEM_ABOUT, "Gestion_aide"},
};

}  // namespace
