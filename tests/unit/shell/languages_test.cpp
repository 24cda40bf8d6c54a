// Language switching, the panel relabelling family, the error box and the catalogue.
#include <QAbstractButton>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <QMenu>
#include <QMainWindow>
#include <QPushButton>

#include "shell/error_popup.h"
#include "shell/languages.h"
#include "shell/menu_state.h"
#include "shell/messages.h"
#include "shell_fixture.h"

namespace {

class LanguagesTest : public ShellFixture {};

TEST_F(LanguagesTest, EveryLanguageRenamesTheMenusAndTicksOneItem) {
    const std::string help = MenuName(MENU_HELP, ATTR_MENU_NAME);
    std::string language_items[5];
    for (int i = 0; i < 5; ++i) language_items[i] = MenuName(ITEM_FRENCH + i);
    for (int lang : {4, 0, 2, 3, 1}) {
        SCOPED_TRACE(lang);
        Gestion_options(menu, ITEM_FRENCH + lang, nullptr, Fen_princ[PANEL_MAIN]);
        EXPECT_EQ(langue, lang);
        for (int item = ITEM_FRENCH; item <= ITEM_ITALIAN; ++item) {
            EXPECT_EQ(Tick(item), item == ITEM_FRENCH + lang ? 1 : 0) << item;
        }
        EXPECT_EQ(MenuName(MENU_FILE, ATTR_MENU_NAME), barre_fichier[lang]);
        EXPECT_EQ(MenuName(MENU_SETUP, ATTR_MENU_NAME), barre_parametre[lang]);
        EXPECT_EQ(MenuName(MENU_OPTIONS, ATTR_MENU_NAME), barre_options[lang]);
        const std::pair<int, const MessageTable*> items[] = {
            {ITEM_IMPORT, &item_importer}, {ITEM_EXIT, &item_quitter},    {ITEM_COMMUNICATION, &item_communic},
            {ITEM_INSTRUMENT, &item_config}, {ITEM_LANGUAGE, &item_langue}, {ITEM_SAVE_ON_EXIT, &item_enregist2},
            {ITEM_HELP, &item_index},      {ITEM_ABOUT, &item_aproposd}};
        for (auto [item, table] : items) EXPECT_EQ(MenuName(item), (*table)[lang]) << item;
        EXPECT_EQ(MenuName(MENU_HELP, ATTR_MENU_NAME), help);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(MenuName(ITEM_FRENCH + i), language_items[i]);
        EXPECT_EQ(GetWaitCursor(), 0);
    }
}

TEST_F(LanguagesTest, GermanUnderlinesTheDOfDatei) {
    Gestion_options(menu, ITEM_GERMAN, nullptr, Fen_princ[PANEL_MAIN]);
    auto* window = qobject_cast<QMainWindow*>(PanelWidgetForTesting(Fen_princ[PANEL_MAIN]));
    EXPECT_EQ(window->findChild<QMenu*>("menuFile")->title(), "&Datei");
    EXPECT_EQ(MenuName(ITEM_EXIT), "__Beenden");
}

TEST_F(LanguagesTest, PanelsLoadedAreRelabelledOthersLeftAlone) {
    // Progress, wait and identity panels are not loaded: nothing happens to them.
    Gestion_options(menu, ITEM_ITALIAN, nullptr, Fen_princ[PANEL_MAIN]);
    std::string text;
    GetCtrlAttribute(Fen_princ[PANEL_IMPORT], IMPORT_OBJECTS, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, objet[4]);
    GetCtrlAttribute(Fen_princ[PANEL_IMPORT], IMPORT_QUIT, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, "Esci");
    GetPanelAttribute(Fen_princ[PANEL_IMPORT], ATTR_TITLE, text);
    EXPECT_EQ(text, "Importa / Esporta ");
    // The export panel waits for its own relabelling.
    GetCtrlAttribute(Fen_princ[PANEL_EXPORT], EXPORT_QUIT, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, "Quit");

    for (int n : {PANEL_PROGRESS, PANEL_WAIT, PANEL_IDENTITY, PANEL_COM}) Fen_princ[n] = LoadPanel(0, UIR_FILE, n);
    Changement_langue();
    Traduc_com();
    GetCtrlVal(Fen_princ[PANEL_WAIT], WAIT_TEXT, text);
    EXPECT_EQ(text, attente[4]);
    GetCtrlVal(Fen_princ[PANEL_PROGRESS], PROGRESS_TEXT, text);
    EXPECT_EQ(text, atten_exp[4]);
    GetCtrlAttribute(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, "ID apparecchio");
    GetPanelAttribute(Fen_princ[PANEL_COM], ATTR_TITLE, text);
    EXPECT_EQ(text, "Comunicazione");

    Traduc_excel();
    auto* run = PanelWidgetForTesting(Fen_princ[PANEL_EXPORT])->findChild<QPushButton*>("exportRun");
    EXPECT_EQ(run->text(), "&Avvia");
    GetCtrlAttribute(Fen_princ[PANEL_EXPORT], EXPORT_ERASE, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, suppression[4]);
    // The controls of automatic names and new-only exports follow, and a
    // screen reader reads what is shown.
    GetCtrlAttribute(Fen_princ[PANEL_EXPORT], EXPORT_AUTOMATIC_NAMES, ATTR_LABEL_TEXT, text);
    EXPECT_EQ(text, "Denomina automaticamente le cartelle di lavoro");
    auto* open = PanelWidgetForTesting(Fen_princ[PANEL_EXPORT])->findChild<QPushButton*>("exportOpenFolder");
    EXPECT_EQ(open->accessibleName().toStdString(), "Apri cartella");
    auto* newOnly = PanelWidgetForTesting(Fen_princ[PANEL_IMPORT])->findChild<QWidget*>("importNewOnly");
    EXPECT_EQ(newOnly->accessibleName().toStdString(), "Solo le prove non ancora esportate");
}

TEST_F(LanguagesTest, RelabellingADiscardedPanelChangesNothing) {
    Fen_princ[PANEL_WAIT] = LoadPanel(0, UIR_FILE, PANEL_WAIT);
    DiscardPanel(Fen_princ[PANEL_WAIT]);
    const int reloaded = LoadPanel(0, UIR_FILE, PANEL_WAIT);
    langue = 0;
    Traduc_atten();
    std::string text;
    GetCtrlVal(reloaded, WAIT_TEXT, text);
    EXPECT_EQ(text, attente[1]) << "the new panel is not the discarded one";
}

TEST_F(LanguagesTest, NumberedErrorBoxes) {
    struct Case {
        int lang, code;
        const char* title;
        std::string text;
    } cases[] = {
        {0, 13, "Erreur n° -113", "Mémoire vide ou erronée\n"},
        {1, 10, "Error n° -110", "No response from the instrument\n"},
        {1, 22, "Error n° -122", "\n"},
        {4, 16, "Errore n° -116", "Annullamento dell'utente\n"},
        {2, 99, "Fehler n° -199", "\n"},
        {3, -1, "Error n° -99", "\n"},
    };
    for (const auto& c : cases) {
        recorder().Clear();
        langue = c.lang;
        Popup_erreur(c.code);
        ASSERT_EQ(popups().size(), 1u);
        EXPECT_EQ(popups()[0].kind, "message");
        EXPECT_EQ(popups()[0].title, c.title);
        EXPECT_EQ(popups()[0].message, c.text);
    }
}

TEST_F(LanguagesTest, AnyLanguageIndexReadsATextOfTheFive) {
    langue = 7;
    EXPECT_STREQ(Texte(quitter), "Quit");
    EXPECT_STREQ(TexteOui(), "Yes");
    langue = -1;
    EXPECT_STREQ(TexteNon(), "No");
    langue = 3;
    EXPECT_STREQ(TexteOui(), "Si");
}

// The translated texts keep the English line breaks and the blanks the
// program relies on.
TEST(MessageCatalogue, TranslationsKeepLineBreaksAndBlanks) {
    const MessageTable* tables[] = {&atten_exp, &attente, &attente_1, &AucunCOM, &AucunCOM_ouvert, &avertpos, &BadOS,
                                    &comcours, &confir1, &confir3, &CP210version, &DebDriver, &develop,
                                    &DriverUSB, &effac_appareil, &enregist, &etreSur, &exporte, &exporter,
                                    &fichedate, &impomem, &lancer, &Lectmem, &messag_ecras, &messag_fin,
                                    &messag_pret, &message, &nom_feuil, &nomtest, &Numport, &NumportAff,
                                    &objet, &parcour, &posetup, &position, &suppression, &Tannee, &Tjour,
                                    &Tmois, &travail, &typetest, &update, &comok, &chefpro,
                                    &PiloteLinux};
    auto breaks = [](const char* t) { return std::count(t, t + std::strlen(t), '\n'); };
    for (const MessageTable* table : tables) {
        for (int lang = 0; lang < 5; ++lang) {
            ASSERT_NE((*table)[lang], nullptr);
            EXPECT_GT(std::strlen((*table)[lang]), 0u) << (*table)[1];
            if (lang >= 2 && table != &chefpro) {
                EXPECT_EQ(breaks((*table)[lang]), breaks((*table)[1])) << (*table)[lang];
            }
        }
    }
    EXPECT_STREQ(confir1[4], "               Uscire ?\n");
    EXPECT_STREQ(develop[4], "Realizzato da :");
    EXPECT_STREQ(chefpro[4], "Responsabile\ndi progetto :");
    for (int lang = 0; lang < 5; ++lang) {
        EXPECT_EQ(std::string(etreSur[lang]).find_first_not_of(' '), 12u);
        EXPECT_EQ(std::string(lancer[lang]).substr(0, 2), "__");
        EXPECT_NE(std::string(messag_ecras[lang]).find("!    "), std::string::npos);
        EXPECT_NE(std::string(erreur[6][lang]), "");
    }
    for (int row = 18; row < NB_ERREURS; ++row) EXPECT_STREQ(erreur[row][2], "");
}

}  // namespace

// The texts of automatic names, the journal and the summary: every language
// has the English line breaks and fills the same placeholders, so no message
// loses the test, the path or a count in translation.
TEST(MessageCatalogue, ExportTextsKeepTheirPlaceholdersInEveryLanguage) {
    const MessageTable* tables[] = {&noms_auto,     &ouvrir_dossier, &nouveaux_seuls,
                                    &deja_exporte,  &bilan_export,   &classeur_echec,
                                    &journal_echec, &journal_abime,  &journal_titre,
                                    &dossier_absent, &dossier_protege, &dossier_trop_long,
                                    &rien_exporte, &classeur_lecture_seule, &classeur_refuse,
                                    &dossier_refuse, &refus_windows, &refus_linux, &chemin_long,
                                    &fin_session, &bilan_efface, &bilan_non_efface, &synthese_page};
    auto placeholders = [](const std::string& text) {
        std::vector<std::string> found;
        for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1))
            found.push_back(text.substr(at, text.find('}', at) - at + 1));
        std::sort(found.begin(), found.end());
        return found;
    };
    auto breaks = [](const char* t) { return std::count(t, t + std::strlen(t), '\n'); };
    for (const MessageTable* table : tables) {
        for (int lang = 0; lang < 5; ++lang) {
            EXPECT_GT(std::strlen((*table)[lang]), 0u) << (*table)[1];
            EXPECT_EQ(placeholders((*table)[lang]), placeholders((*table)[1])) << (*table)[lang];
            EXPECT_EQ(breaks((*table)[lang]), breaks((*table)[1])) << (*table)[lang];
        }
    }
    EXPECT_EQ(FillPlaceholders("{path} ({count})", {{"path", "/a/{count}"}, {"count", "2"}}),
              "/a/{count} (2)");
}
