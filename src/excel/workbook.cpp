#include "excel/workbook.h"

namespace {
SpreadsheetFaults faults;
}  // namespace

SpreadsheetFaults& SpreadsheetFaultsForTesting() {
    return faults;
}

SpreadsheetApplication& ProgramSpreadsheet() {
    static SpreadsheetApplication application;
    return application;
}

int SpreadsheetApplication::Start() {
    if (faults.unavailable) return XLE_NOT_AVAILABLE;
    ++session_;
    running_ = true;
    open_workbooks_ = 0;
    return XLE_NO_ERROR;
}

int SpreadsheetApplication::Show() {
    return Status();
}

int SpreadsheetApplication::Quit() {
    const int status = Status();
    running_ = false;
    open_workbooks_ = 0;
    return status;
}

int SpreadsheetApplication::Status() const {
    return running_ ? XLE_NO_ERROR : XLE_APPLICATION_GONE;
}

int Workbook::Reachable() const {
    if (application_.Status() != XLE_NO_ERROR) return XLE_APPLICATION_GONE;
    if (!package_.IsOpen()) return XLE_WORKBOOK_CLOSED;
    // Opened before the application was last started: that one is gone.
    return session_ == application_.session_ ? XLE_NO_ERROR : XLE_APPLICATION_GONE;
}

int Workbook::Open(const std::string& path) {
    if (const int s = application_.Status(); s != XLE_NO_ERROR) return s;
    Close();
    if (const int s = package_.Open(path); s != XLE_NO_ERROR) return s;
    session_ = application_.session_;
    ++application_.open_workbooks_;
    sheet_ = 0;
    return XLE_NO_ERROR;
}

int Workbook::Close() {
    const int status = Reachable();
    if (status == XLE_NO_ERROR) --application_.open_workbooks_;
    package_.Close();
    return status;
}

int Workbook::SelectSheet(int index) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    if (index < 1 || index > package_.SheetCount()) return XLE_INVALID_ARGUMENT;
    sheet_ = index - 1;
    return XLE_NO_ERROR;
}

int Workbook::AddSheet() {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    const int added = package_.AddSheet();
    if (added < 0) return added;
    sheet_ = added;
    return XLE_NO_ERROR;
}

int Workbook::SetSheetName(const std::string& name) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SetSheetName(sheet_, name);
}

// The checks every cell write passes, and the failure tests may ask for.
int Workbook::CellWritable(int row, int column) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    if (row < 1 || column < 1) return XLE_INVALID_ARGUMENT;
    if (faults.cell_writes_before_failure == 0) return XLE_WRITE_FAILED;
    if (faults.cell_writes_before_failure > 0) --faults.cell_writes_before_failure;
    return XLE_NO_ERROR;
}

int Workbook::SetText(int row, int column, const std::string& text) {
    if (const int s = CellWritable(row, column); s != XLE_NO_ERROR) return s;
    return package_.SetCellText(sheet_, row, column, text);
}

int Workbook::SetNumber(int row, int column, double value) {
    if (const int s = CellWritable(row, column); s != XLE_NO_ERROR) return s;
    return package_.SetCellNumber(sheet_, row, column, value);
}

std::string Workbook::Text(int row, int column) const {
    if (Reachable() != XLE_NO_ERROR || row < 1 || column < 1) return "";
    return package_.CellText(sheet_, row, column);
}

int Workbook::FreezeRows(int rows) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.FreezeRows(sheet_, rows);
}

int Workbook::SetAutoFilter(const std::string& range) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SetAutoFilter(sheet_, range);
}

int Workbook::AddHyperlink(int row, int column, const std::string& address) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.AddHyperlink(sheet_, row, column, address);
}

int Workbook::SetColumnWidth(int column, double width) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SetColumnWidth(sheet_, column, width);
}

int Workbook::SetPrintSetup(const SheetPrintSetup& setup) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SetPrintSetup(sheet_, setup);
}

int Workbook::SetTitle(const std::string& title) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SetTitle(title);
}

int Workbook::SaveAs(const std::string& path) {
    if (const int s = Reachable(); s != XLE_NO_ERROR) return s;
    return package_.SaveAs(path);
}
