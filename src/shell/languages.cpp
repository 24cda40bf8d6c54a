// The current language: menu names and panel labels.
#include "shell/languages.h"

#include <cstdio>

#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/hooks.h"
#include "shell/messages.h"
#include "shell/panels.h"

namespace {

// Only a language of the five selects a text; anything else reads English.
int LanguageIndex() {
    return langue >= 0 && langue <= 4 ? langue : 1;
}

void Label(int panel, int control, const MessageTable& table) {
    SetCtrlAttribute(Fen_princ[panel], control, ATTR_LABEL_TEXT, Texte(table));
}

void Text(int panel, int control, const MessageTable& table) {
    SetCtrlVal(Fen_princ[panel], control, std::string(Texte(table)));
}

}  // namespace

const char* Texte(const MessageTable& table) {
    return table[LanguageIndex()];
}

const char* TexteOui() {
    return cmdOui[2 * LanguageIndex() + 1];
}
const char* TexteNon() {
    return cmdOui[2 * LanguageIndex()];
}

void Changement_langue() {
    SetMenuBarAttribute(menu, MENU_FILE, ATTR_MENU_NAME, Texte(barre_fichier));
    SetMenuBarAttribute(menu, MENU_SETUP, ATTR_MENU_NAME, Texte(barre_parametre));
    SetMenuBarAttribute(menu, MENU_OPTIONS, ATTR_MENU_NAME, Texte(barre_options));

    SetMenuBarAttribute(menu, ITEM_IMPORT, ATTR_ITEM_NAME, Texte(item_importer));
    SetMenuBarAttribute(menu, ITEM_EXIT, ATTR_ITEM_NAME, Texte(item_quitter));
    SetMenuBarAttribute(menu, ITEM_COMMUNICATION, ATTR_ITEM_NAME, Texte(item_communic));
    SetMenuBarAttribute(menu, ITEM_INSTRUMENT, ATTR_ITEM_NAME, Texte(item_config));
    SetMenuBarAttribute(menu, ITEM_LANGUAGE, ATTR_ITEM_NAME, Texte(item_langue));
    SetMenuBarAttribute(menu, ITEM_SAVE_ON_EXIT, ATTR_ITEM_NAME, Texte(item_enregist2));
    SetMenuBarAttribute(menu, ITEM_HELP, ATTR_ITEM_NAME, Texte(item_index));
    SetMenuBarAttribute(menu, ITEM_ABOUT, ATTR_ITEM_NAME, Texte(item_aproposd));

    Traduc_import();
    Traduc_config();
    Traduc_atten();
    Traduc_export();
}

void Traduc_import() {
    SetPanelAttribute(Fen_princ[PANEL_IMPORT], ATTR_TITLE, Texte(import_exp));
    Label(PANEL_IMPORT, IMPORT_EXPORT, exporte);
    Label(PANEL_IMPORT, IMPORT_UPDATE, update);
    Label(PANEL_IMPORT, IMPORT_DESCRIPTION, typetest);
    Label(PANEL_IMPORT, IMPORT_PROGRESS, nomtest);
    Label(PANEL_IMPORT, IMPORT_ALL_DATES, impomem);
    Label(PANEL_IMPORT, IMPORT_OBJECTS, objet);
    Label(PANEL_IMPORT, IMPORT_DAY, Tjour);
    Label(PANEL_IMPORT, IMPORT_MONTH, Tmois);
    Label(PANEL_IMPORT, IMPORT_YEAR, Tannee);
    Label(PANEL_IMPORT, IMPORT_QUIT, quitter);
    Label(PANEL_IMPORT, IMPORT_NEW_ONLY, nouveaux_seuls);
    if (shell_hooks.relabel_object_name) shell_hooks.relabel_object_name();
}

void Traduc_excel() {
    Label(PANEL_EXPORT, EXPORT_FOLDER, travail);
    Label(PANEL_EXPORT, EXPORT_BROWSE, parcour);
    Label(PANEL_EXPORT, EXPORT_BASE_NAME, nom_feuil);
    Label(PANEL_EXPORT, EXPORT_MESSAGE, message);
    Label(PANEL_EXPORT, EXPORT_RUN, lancer);
    Label(PANEL_EXPORT, EXPORT_EXPORT, exporte);
    Label(PANEL_EXPORT, EXPORT_QUIT, quitter);
    Label(PANEL_EXPORT, EXPORT_ERASE, suppression);
    Label(PANEL_EXPORT, EXPORT_AUTOMATIC_NAMES, noms_auto);
    Label(PANEL_EXPORT, EXPORT_OPEN_FOLDER, ouvrir_dossier);
    Label(PANEL_EXPORT, EXPORT_SUMMARY, synthese);
}

void Traduc_com() {
    SetPanelAttribute(Fen_princ[PANEL_COM], ATTR_TITLE, Texte(panel_com));
    Label(PANEL_COM, COM_QUIT, quitter);
}

void Traduc_config() {
    Label(PANEL_IDENTITY, IDENTITY_LIST, messag_Info);
}

void Traduc_pres() {
    Text(PANEL_ABOUT, ABOUT_DEVELOPED, develop);
    Text(PANEL_ABOUT, ABOUT_LEADER, chefpro);
}

void Traduc_atten() {
    Text(PANEL_WAIT, WAIT_TEXT, attente);
}

void Traduc_export() {
    Text(PANEL_PROGRESS, PROGRESS_TEXT, atten_exp);
}
