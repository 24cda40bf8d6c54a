// Writing the summary workbook: a fresh copy of the template, its first sheet
// for the tests, one more sheet per layout, each with its title row frozen,
// an autofilter, columns wide enough for what they hold and a print setup
// (summary_print.h); saved the way every workbook is saved (complete or not
// at all).
#include "excel/summary_workbook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "excel/sheet_cells.h"
#include "excel/summary_print.h"
#include "excel/workbook_names.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "store/file_tags.h"
#include "store/store.h"

namespace {

constexpr double NARROWEST = 6, WIDEST = 60;
// Where every workbook's row has the object's number (after the date).
constexpr int OBJECT_COLUMN = 2;

struct KeptRows {
    std::string layout;  // the layout's name in the current language
    std::map<int, std::string> titles, values;
};
std::map<std::pair<int, int>, KeptRows> kept;  // by object and test entry

std::string LayoutName(int kind, const MeasuredRecord& record) {
    const auto* loop = std::get_if<LoopRecord>(&record);
    if (kind != KIND_LOOP || loop == nullptr) {
        const std::string name = KindName(kind);
        return name.empty() ? KindTag(kind) : name;
    }
    if (loop->fonction_boucle == 2) return Texte(synthese_boucle_terre);
    if (loop->fonction_boucle == 3) {
        return loop->variante_terre == 0 ? Texte(synthese_boucle_courte)
                                         : Texte(synthese_boucle_terre_courte);
    }
    return KindName(kind);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(const std::string& path) {
    long size = 0;
    return !path.empty() && GetFileInfo(path, size) == 1;
}

std::string DateAndTime(const FicTest& t) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.annee, t.mois, t.jour, t.heure,
                  t.minute);
    std::string shown = text;
    return t.sans_heure != 0 ? shown.substr(0, 11) + TIME_UNKNOWN_TEXT : shown;
}

// The titles of the columns that say which test a row is: repeated on every
// page across when a sheet prints over several. A column that says which
// object or test a row is belongs here.
std::vector<std::string> IdentityTitles() {
    return {Texte(Edate), Texte(synthese_date),  Texte(Eobjet),    Texte(nom_objet),
            Texte(Etest), Texte(synthese_genre), Texte(typeMesure)};
}

std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The workbook's chosen sheet being written: the first failure, the widths.
class SummarySheet {
   public:
    SummarySheet(Workbook& book, const std::string& name) : book_(book) {
        Check(book_.SetSheetName(name));
    }

    void Text(int row, int column, const std::string& text) {
        Check(book_.SetText(row, column, text));
        if (row == 1) titles_[column] = text;
        Widen(column, Characters(text));
    }
    void Number(int row, int column, double value) {
        Check(book_.SetNumber(row, column, value));
        char text[32];
        std::snprintf(text, sizeof text, "%g", value);
        Widen(column, Characters(text));
    }
    void Link(int row, int column, const std::string& target) {
        Check(book_.AddHyperlink(row, column, target));
    }
    // Title row frozen, a filter over the table, the widths, the print setup.
    void Finish(int lastRow) {
        const int lastColumn = widths_.empty() ? 1 : widths_.rbegin()->first;
        Check(book_.FreezeRows(1));
        Check(book_.SetAutoFilter("A1:" + ColumnLetters(lastColumn) +
                                  std::to_string(std::max(lastRow, 1))));
        std::map<int, double> widths;
        for (const auto& [column, characters] : widths_) {
            widths[column] = std::clamp(static_cast<double>(characters) + 2, NARROWEST, WIDEST);
            Check(book_.SetColumnWidth(column, widths[column]));
        }
        Check(book_.SetPrintSetup(
            SummaryPrintSetup(titles_, widths, IdentityTitles(), Texte(synthese_page))));
    }
    int status() const { return status_; }

   private:
    void Check(int status) {
        if (status < 0 && status_ == 0) status_ = status;
    }
    void Widen(int column, std::size_t characters) {
        std::size_t& width = widths_[column];
        width = std::max(width, characters);
    }

    Workbook& book_;
    std::map<int, std::size_t> widths_;
    std::map<int, std::string> titles_;  // row 1
    int status_ = 0;
};

int WriteTestsSheet(Workbook& book, const std::string& folder, const SummaryContent& content) {
    SummarySheet sheet(book, Texte(synthese_feuille));
    int column = 1;
    for (const char* title :
         {Texte(Eobjet), Texte(nom_objet), Texte(Etest), Texte(synthese_genre),
          Texte(synthese_date), Texte(synthese_classeur), Texte(synthese_resultat)})
        sheet.Text(1, column++, title);
    int row = 1;
    for (const SummaryTest& r : content.tests) {
        ++row;
        const FicTest& t = r.listed;
        char number[16];
        std::snprintf(number, sizeof number, "%02d", t.num_objet);
        sheet.Text(row, 1, number);
        if (!r.object_name.empty()) sheet.Text(row, 2, r.object_name);
        std::snprintf(number, sizeof number, "%02d", t.num_test);
        sheet.Text(row, 3, number);
        const std::string kind = KindName(t.type_mes);
        sheet.Text(row, 4, kind.empty() ? KindTag(t.type_mes) : kind);
        sheet.Text(row, 5, DateAndTime(t));
        if (!r.workbook.empty()) {
            sheet.Text(row, 6, FileNameOf(r.workbook));
            // A workbook that is no longer there gets no link that opens nothing.
            if (FileExists(r.workbook)) sheet.Link(row, 6, LinkFromFolder(folder, r.workbook));
        }
        sheet.Text(row, 7, r.result);
    }
    sheet.Finish(row);
    // Below the table, so the filter and a sort leave it alone.
    if (!content.note.empty()) sheet.Text(row + 2, 1, content.note);
    return sheet.status();
}

// A workbook's row with the object's name in a column of its own after the
// object's number (the columns after it move one to the right).
std::map<int, std::string> WithNameColumn(const std::map<int, std::string>& row,
                                          const std::string& name) {
    std::map<int, std::string> shifted;
    for (const auto& [column, text] : row)
        shifted[column > OBJECT_COLUMN ? column + 1 : column] = text;
    if (!name.empty()) shifted[OBJECT_COLUMN + 1] = name;
    return shifted;
}

// The layouts present, in the order of the walk, each with its tests' rows.
struct Layout {
    std::string name;
    std::map<int, std::string> titles;
    std::vector<std::map<int, std::string>> rows;
};

std::vector<Layout> LayoutsOfExport(const SummaryContent& content) {
    std::vector<Layout> layouts;
    for (const SummaryTest& r : content.tests) {
        const auto found = kept.find({r.object, r.test});
        if (found == kept.end()) continue;
        const KeptRows& rows = found->second;
        auto layout = std::find_if(layouts.begin(), layouts.end(),
                                   [&](const Layout& l) { return l.titles == rows.titles; });
        if (layout == layouts.end()) {
            layouts.push_back({rows.layout, rows.titles, {}});
            layout = layouts.end() - 1;
        }
        layout->rows.push_back(rows.values);
    }
    return layouts;
}

int WriteLayoutSheet(Workbook& book, const Layout& layout, const std::string& name) {
    SummarySheet sheet(book, name);
    const std::vector<BaseUnitColumn> bases =
        BaseUnitColumns(layout.titles, Texte(unit), layout.rows);
    int lastCopied = layout.titles.empty() ? 0 : layout.titles.rbegin()->first;
    for (const auto& row : layout.rows)
        if (!row.empty()) lastCopied = std::max(lastCopied, row.rbegin()->first);
    for (const auto& [column, text] : layout.titles) sheet.Text(1, column, text);
    for (std::size_t i = 0; i < bases.size(); ++i)
        sheet.Text(1, lastCopied + 1 + static_cast<int>(i), bases[i].title);
    int row = 1;
    for (const auto& values : layout.rows) {
        ++row;
        for (const auto& [column, text] : values) sheet.Text(row, column, text);
        for (std::size_t i = 0; i < bases.size(); ++i) {
            const auto value = values.find(bases[i].valueColumn);
            const auto unitCell = values.find(bases[i].valueColumn + 1);
            double number = 0, factor = 0;
            std::string symbol;
            if (value == values.end() || unitCell == values.end() ||
                !PlainNumber(value->second, number) ||
                !BaseUnitOf(unitCell->second, symbol, factor) || symbol != bases[i].symbol)
                continue;  // " --- ": no value to convert
            // Fifteen significant digits, as the value was typed: no
            // 12340.000000000002 for 12.34 kOhm.
            char text[40];
            std::snprintf(text, sizeof text, "%.15g", number * factor);
            sheet.Number(row, lastCopied + 1 + static_cast<int>(i), std::strtod(text, nullptr));
        }
    }
    sheet.Finish(row);
    return sheet.status();
}

std::string SummaryPath(int32_t serial) {
    const std::string date = DateStr();  // MM-DD-YYYY
    const std::string time = TimeStr();  // HH:MM:SS
    const std::string name =
        SummaryWorkbookName(Excel.base_name, serial,
                            date.substr(6, 4) + "-" + date.substr(0, 2) + "-" + date.substr(3, 2),
                            time.substr(0, 2) + time.substr(3, 2));
    return FreeWorkbookPath(Excel.working_folder, name, WORKBOOK_EXTENSION);
}

int WriteSheets(Workbook& book, const SummaryContent& content) {
    int status = WriteTestsSheet(book, Excel.working_folder, content);
    std::vector<std::string> names = {Texte(synthese_feuille)};
    for (const Layout& layout : LayoutsOfExport(content)) {
        if (status == 0) status = book.AddSheet();
        if (status < 0) break;
        names.push_back(SheetNameFor(layout.name, names));
        status = WriteLayoutSheet(book, layout, names.back());
    }
    return status;
}

}  // namespace

void StartSummary() {
    kept.clear();
}

void KeepRowsForSummary(int object, int test, int kind, const MeasuredRecord& record,
                        const std::string& object_name) {
    kept[{object, test}] = {LayoutName(kind, record),
                            WithNameColumn(WrittenRow(TITLE_ROW), Texte(nom_objet)),
                            WithNameColumn(WrittenRow(VALUE_ROW), object_name)};
}

std::string WriteSummaryWorkbook(SpreadsheetApplication& excel, const SummaryContent& content) {
    const std::string path = SummaryPath(content.serial);
    std::string directory;
    GetProjectDir(directory);
    Workbook book(excel);
    int status = path.empty() ? XLE_WRITE_FAILED : 0;
    if (status == 0) status = book.Open(JoinPath(directory, TEMPLATE_NAME));
    if (status == 0) status = book.SelectSheet(1);
    if (status == 0) status = WriteSheets(book, content);
    if (status == 0) status = book.SaveAs(path);
    if (status == 0) return path;
    MessagePopup(Texte(titre_erreur),
                 FillPlaceholders(Texte(synthese_echec),
                                  {{"path", path.empty() ? Excel.working_folder : path}}));
    return "";
}
