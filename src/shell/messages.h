// Every text the program shows, in five languages (French, English, German,
// Spanish, Italian): one table per message, read as table[langue].
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

using MessageTable = std::array<const char*, 5>;

// The text of a table in the current language.
const char* Texte(const MessageTable& table);

extern const MessageTable atten_exp;
extern const MessageTable attente;
extern const MessageTable attente_1;
extern const MessageTable AucunCOM;
extern const MessageTable avertpos;
extern const MessageTable BadOS;
extern const MessageTable barre_fichier;
extern const MessageTable barre_options;
extern const MessageTable barre_parametre;
extern const MessageTable chefpro;
extern const MessageTable clamptype;
extern const MessageTable comcours;
extern const MessageTable comok;
extern const MessageTable confir1;
extern const MessageTable confir3;
extern const MessageTable CP210version;
extern const MessageTable date;
extern const MessageTable DebDriver;
extern const MessageTable develop;
extern const MessageTable DriverUSB;
extern const MessageTable Ecourant;
extern const MessageTable Edate;
extern const MessageTable effac_appareil;
extern const MessageTable enregist;
extern const MessageTable Eobjet;
extern const MessageTable Etest;
extern const MessageTable etreSur;
extern const MessageTable exporte;
extern const MessageTable exporter;
extern const MessageTable fichedate;
extern const MessageTable Freq;
extern const MessageTable impomem;
extern const MessageTable import_exp;
extern const MessageTable item_aproposd;
extern const MessageTable item_communic;
extern const MessageTable item_config;
extern const MessageTable item_enregist2;
extern const MessageTable item_importer;
extern const MessageTable item_index;
extern const MessageTable item_langue;
extern const MessageTable item_quitter;
extern const MessageTable lancer;
extern const MessageTable Lectmem;
extern const MessageTable Meascurr;
extern const MessageTable messag_ecras;
extern const MessageTable messag_fin;
extern const MessageTable messag_Info;
extern const MessageTable messag_pret;
extern const MessageTable message;
extern const MessageTable MsgAttention;
extern const MessageTable nom_feuil;
extern const MessageTable nomtest;
extern const MessageTable Numport;
extern const MessageTable NumportAff;
extern const MessageTable objet;
extern const MessageTable panel_com;
extern const MessageTable parcour;
extern const MessageTable PiloteLinux;  // first-run driver advice on Linux
extern const MessageTable posetup;
extern const MessageTable position;
extern const MessageTable quitter;
extern const MessageTable Ratcurr;
extern const MessageTable Rodres;
extern const MessageTable smooth;
extern const MessageTable start;
extern const MessageTable suppression;
extern const MessageTable Tannee;
extern const MessageTable Tempr;
extern const MessageTable tension;
extern const MessageTable Time;
extern const MessageTable titre_erreur;
extern const MessageTable titre_feuille;
extern const MessageTable titre_fiche;
extern const MessageTable Tjour;
extern const MessageTable Tmois;
extern const MessageTable travail;
extern const MessageTable typeMesure;
extern const MessageTable typetest;
extern const MessageTable unit;
extern const MessageTable update;
extern const MessageTable vbatt;
extern const MessageTable wave;

// Automatic workbook names, the export journal and the export summary.
extern const MessageTable noms_auto;        // check box of the export panel
extern const MessageTable ouvrir_dossier;   // button of the export panel
extern const MessageTable dossier_absent;   // the working folder is not there; {folder}
extern const MessageTable dossier_protege;  // the working folder cannot be written; {folder}
extern const MessageTable dossier_trop_long;  // longer than the record holds; {folder} {max}
extern const MessageTable rien_exporte;       // added when the export button met such a folder
extern const MessageTable nouveaux_seuls;   // check box of the import panel
extern const MessageTable deja_exporte;     // what a screen reader says for a marked test row; {test}
extern const MessageTable bilan_export;     // {written} {skipped} {failed} {erasures} {folder}
extern const MessageTable classeur_echec;   // {object} {test} {kind} {path}
extern const MessageTable classeur_ouvert;  // {path}
extern const MessageTable classeur_lecture_seule;  // {path}
extern const MessageTable classeur_refuse;         // {path} {why}
extern const MessageTable dossier_refuse;          // the working folder; {folder} {why}
extern const MessageTable refus_windows;           // the {why}: on Windows,
extern const MessageTable refus_linux;             // on Linux
extern const MessageTable chemin_long;             // the message field's line; {count} {max}
extern const MessageTable journal_echec;    // {path}
extern const MessageTable journal_abime;    // {path} {count}
extern const MessageTable journal_titre;    // title of the journal messages
// The summary's lines of an export that erased tests (the {erasures} of
// bilan_export).
extern const MessageTable bilan_efface;      // tests erased; {count}
extern const MessageTable bilan_non_efface;  // erasures not confirmed; {count}
// The import panel's name field (labelled nom_objet), the summary's line.
extern const MessageTable nom_precedent;       // its label while it shows a stale name
extern const MessageTable nom_precedent_note;  // what Enter does with a stale name
extern const MessageTable nom_sans_serie;      // why the field is dimmed
extern const MessageTable bilan_noms_liberes;  // {names}: "04 Rue Haute 12", ...
// Why the session must wait until the program has closed (Windows shows it).
extern const MessageTable fin_session;

// The link's texts.
extern const MessageTable AucunCOM_ouvert;  // instrument not found, the program stays open
extern const MessageTable serie_inconnue;   // a serial number the instrument did not give

// The summary workbook of an export.
extern const MessageTable synthese;          // check box of the export panel
extern const MessageTable synthese_bilan;    // the message field's line; {name}
extern const MessageTable synthese_echec;    // {path}
extern const MessageTable synthese_feuille;  // name of its first sheet
extern const MessageTable synthese_genre;    // column titles of the first sheet
extern const MessageTable synthese_date;
extern const MessageTable synthese_classeur;
extern const MessageTable synthese_resultat;
extern const MessageTable synthese_ecrit;  // what happened to a test
extern const MessageTable synthese_efface;
extern const MessageTable synthese_garde;
extern const MessageTable synthese_deja;
extern const MessageTable synthese_echoue;     // {why}
extern const MessageTable synthese_pas_ecrit;  // {why}
extern const MessageTable synthese_non_lu;     // the whys
extern const MessageTable synthese_sans_valeur;
extern const MessageTable synthese_non_enregistre;
extern const MessageTable synthese_perdu;
extern const MessageTable synthese_annule;
extern const MessageTable synthese_arrete;
extern const MessageTable synthese_note_arret;     // below the list of a stopped export
extern const MessageTable synthese_note_coupe;     // below the list of a cut export
extern const MessageTable synthese_boucle_courte;  // sheet names of the loop layouts
extern const MessageTable synthese_boucle_terre;
extern const MessageTable synthese_boucle_terre_courte;
extern const MessageTable synthese_page;  // the footer of its printed pages; {page} {pages}

// The objects' names.
extern const MessageTable noms_abime;      // damaged lines in the names file; {path} {count}
extern const MessageTable noms_echec;      // the names file not written; {path}
extern const MessageTable noms_illisible;  // the names file not read; {path}
extern const MessageTable objet_titre;     // a workbook's title; {object} {name}
extern const MessageTable nom_objet;       // "Name of the object": a column, a field

// The text with each "{name}" replaced by its value.
std::string FillPlaceholders(std::string text,
                             std::initializer_list<std::pair<const char*, std::string>> values);

// "No" and "Yes" of each language: entry 2*langue is "No", 2*langue+1 is "Yes".
extern const std::array<const char*, 10> cmdOui;

// Error texts by code; rows 18 to 30 are empty.
constexpr int NB_ERREURS = 31;
extern const std::array<MessageTable, NB_ERREURS> erreur;
