// Writing the cells of a test's sheet into its workbook (workbook.h), row 1
// holding titles and row 2 values, each as text. Also the fixed column titles
// and the identification cells (date, object, test) that begin every value row.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

class Workbook;

constexpr int TITLE_ROW = 1;
constexpr int VALUE_ROW = 2;
// Layouts write from column D on; A to C identify the test.
constexpr int FIRST_LAYOUT_COLUMN = 4;

// Fixed titles, the same in every language.
constexpr int NB_TITRES = 24;
extern const char* const Titre_colonne[NB_TITRES];
enum TitreIndex {
    TITRE_RE,
    TITRE_RS,
    TITRE_RH,
    TITRE_V_LN,
    TITRE_V_LPE,
    TITRE_V_NPE,
    TITRE_Z_LN,
    TITRE_R_LN,
    TITRE_L_LN,
    TITRE_Z_LPE,
    TITRE_R_LPE,
    TITRE_L_LPE,
    TITRE_Z_NPE,
    TITRE_R_NPE,
    TITRE_L_NPE,
    TITRE_V_P,
    TITRE_STATUS,
    TITRE_Z_E,
    TITRE_R_E,
    TITRE_L_E,
    TITRE_R_P,
    TITRE_U_HS,
    TITRE_U_HE,
    TITRE_U_SE,
};

// Puts `text` into the cell at `row`, `column` (1-based) of the workbook's sheet.
// The sheet writers go on after a failed write; the first failure is kept
// for TakeCellWriteFailure, so that a workbook lacking values is never saved.
void WriteCell(Workbook& book, int row, int column, const std::string& text);
// The status of the first cell write that failed since the last call (0 when
// none did), and forgets it.
int TakeCellWriteFailure();
// How many cells of the value row, from column D on, were written since the
// last call, and starts counting again: 0 means the row holds no measured
// value, only the identification of its test.
int TakeMeasuredCellCount();

// The texts written into row `row` (TITLE_ROW or VALUE_ROW) since the last
// ForgetWrittenRows, by column (1 is column A; the last text of each cell):
// what the summary workbook copies of a saved workbook.
std::map<int, std::string> WrittenRow(int row);
void ForgetWrittenRows();

// One cell of a test's sheet: its row and column (1-based) and its text,
// which the spreadsheet types as a person's entry.
struct Cell {
    int row;
    int column;
    std::string text;
};
using Cells = std::vector<Cell>;
// Writes `cells` in their order through WriteCell.
void WriteCells(Workbook& book, const Cells& cells);

// Adds a row's cells from column D on to `cells`, one column further after
// each, so that a cell left out in one mode moves the later ones one column left.
class CellRow {
   public:
    CellRow(Cells& cells, int row) : cells_(cells), row_(row) {}
    void Put(const std::string& text) { cells_.push_back({row_, column_++, text}); }

   private:
    Cells& cells_;
    int row_;
    int column_ = FIRST_LAYOUT_COLUMN;
};

// The frequency of a period (tenths of a microsecond, read as its slot text
// shows it) and "Hz".
void PutFrequency(CellRow& cell, int32_t period);
// The battery (mV, shown in V) and the temperature (°C), each with its unit:
// the last columns of the current and voltage rows.
void PutBatteryAndTemperature(CellRow& cell, float battery, float temperature);

// One title of row 1: a text of the catalogue or a fixed column title, with
// the flags below.
struct ColumnTitle {
    const char* text;
    int flags = 0;
};
// The "unit" title follows in the next column.
constexpr int WITH_UNIT = 1;
// Only in the full mode of the loop layouts.
constexpr int FULL_ONLY = 2;
// Adds row 1 from column D on to `cells`: the titles in order, each followed
// by the unit title when it has one; in the short mode those only in the full
// mode are left out (the later ones move left).
void AddTitleRow(Cells& cells, std::initializer_list<ColumnTitle> titles, bool shortMode = false);

// Adds row 2, columns A to C: the date of test `test` of object entry `object`
// as month/day/year, and its object and test numbers, two digits each.
void AddIdentificationCells(Cells& cells, int object, int test);
