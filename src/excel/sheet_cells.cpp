#include "excel/sheet_cells.h"

#include <cstdio>

#include "excel/value_format.h"
#include "excel/workbook.h"
#include "shell/messages.h"
#include "store/store.h"
#include "store/value_text.h"

const char* const Titre_colonne[NB_TITRES] = {
    "Re",     "Rs",    "Rh",    "V-LN",  "V-LPE", "V-NPE", "Z-LN",  "R-LN",
    "L-LN",   "Z-LPE", "R-LPE", "L-LPE", "Z-NPE", "R-NPE", "L-NPE", "V p",
    "Status", "Z e",   "R e",   "L e",   "R p",   "U HS",  "U HE",  "U SE",
};

namespace {
int first_cell_failure = XLE_NO_ERROR;
int measured_cells = 0;
std::map<int, std::string> written_rows[2];  // the title row, the value row
}  // namespace

void WriteCell(Workbook& book, int row, int column, const std::string& text) {
    const int status = book.SetText(row, column, text);
    if (status < 0 && first_cell_failure == XLE_NO_ERROR) first_cell_failure = status;
    if (row == VALUE_ROW && column >= FIRST_LAYOUT_COLUMN) ++measured_cells;
    if ((row == TITLE_ROW || row == VALUE_ROW) && column >= 1)
        written_rows[row - TITLE_ROW][column] = text;
}

std::map<int, std::string> WrittenRow(int row) {
    return row == TITLE_ROW || row == VALUE_ROW ? written_rows[row - TITLE_ROW]
                                                : std::map<int, std::string>{};
}

void ForgetWrittenRows() {
    for (auto& texts : written_rows) texts.clear();
}

int TakeCellWriteFailure() {
    const int status = first_cell_failure;
    first_cell_failure = XLE_NO_ERROR;
    return status;
}

void WriteCells(Workbook& book, const Cells& cells) {
    for (const Cell& cell : cells) WriteCell(book, cell.row, cell.column, cell.text);
}

void AddTitleRow(Cells& cells, std::initializer_list<ColumnTitle> titles, bool shortMode) {
    CellRow cell(cells, TITLE_ROW);
    for (const ColumnTitle& title : titles) {
        if (shortMode && (title.flags & FULL_ONLY) != 0) continue;
        cell.Put(title.text);
        if ((title.flags & WITH_UNIT) != 0) cell.Put(Texte(unit));
    }
}

int TakeMeasuredCellCount() {
    const int count = measured_cells;
    measured_cells = 0;
    return count;
}

void AddIdentificationCells(Cells& cells, int object, int test) {
    // The export loop passes indices it took from the directory; anything else
    // gives blank identification cells rather than a read outside it.
    const bool known = object >= 0 && object < NB_OBJECTS && test >= 0 && test < NB_TESTS;
    std::string testDate, objectNumber, testNumber;
    if (known) {
        const FicTest& t = Director[object].tests[test];
        char text[64];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", t.mois, t.jour, t.annee);
        testDate = Field(text, 15);
        std::snprintf(text, sizeof text, "%02d", t.num_objet);
        objectNumber = Field(text, 10);
        std::snprintf(text, sizeof text, "%02d", t.num_test);
        testNumber = Field(text, 10);
    }
    cells.push_back({VALUE_ROW, 1, testDate});
    cells.push_back({VALUE_ROW, 2, objectNumber});
    cells.push_back({VALUE_ROW, 3, testNumber});
}

void PutFrequency(CellRow& cell, int32_t period) {
    cell.Put(FormatFixed(FrequencyFromPeriod(SlotReal(SlotTextOf(period))), 10, 2));
    cell.Put(HERTZ);
}

void PutBatteryAndTemperature(CellRow& cell, float battery, float temperature) {
    cell.Put(FormatFixed(SlotReal(battery) / 1000, 10, 1));
    cell.Put(VOLT);
    cell.Put(FormatFixed(SlotReal(temperature), 10, 1));
    cell.Put(DEGREE_CELSIUS);
}
