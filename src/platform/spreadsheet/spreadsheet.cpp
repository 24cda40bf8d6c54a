#include "platform/spreadsheet/spreadsheet.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "platform/spreadsheet/workbook_package.h"

namespace {

struct Application;

struct Workbook {
    std::weak_ptr<Application> application;
    WorkbookPackage package;
};

struct Application {
    bool running = true;
    bool visible = false;
    std::vector<std::shared_ptr<Workbook>> workbooks;  // open, oldest first
    std::shared_ptr<Workbook> active;

    void CloseWorkbook(const std::shared_ptr<Workbook>& workbook) {
        workbook->package.Close();
        std::erase(workbooks, workbook);
        if (active == workbook) active = workbooks.empty() ? nullptr : workbooks.back();
    }
    void Stop() {
        for (auto& w : workbooks) w->package.Close();
        workbooks.clear();
        active.reset();
        running = false;
    }
};

enum class Kind { Application, Workbooks, Workbook, Sheets, Worksheet, Range };

struct HandleEntry {
    Kind kind;
    std::shared_ptr<Application> application;
    std::shared_ptr<Workbook> workbook;  // all but Application and Workbooks
    int sheet = 0;                       // Worksheet and Range: which one (0-based)
    int top = 1, left = 1;               // Range: its first cell
};

std::map<CAObjHandle, HandleEntry> handles;
CAObjHandle next_handle = 1;
bool available = true;
int cell_writes_before_failure = -1;  // test support; -1 = never fail
// Every application started, so a test can make them all go away.
std::vector<std::weak_ptr<Application>> applications;

CAObjHandle Issue(HandleEntry entry) {
    const CAObjHandle h = next_handle++;
    handles.emplace(h, std::move(entry));
    return h;
}

// Looks a handle up for an operation on an object of `kind`; 0 and `entry`,
// or the status the operation returns.
int Lookup(CAObjHandle handle, Kind kind, HandleEntry*& entry) {
    const auto it = handles.find(handle);
    if (it == handles.end() || it->second.kind != kind) return XLE_INVALID_HANDLE;
    entry = &it->second;
    if (!entry->application->running) return XLE_APPLICATION_GONE;
    if (entry->workbook && !entry->workbook->package.IsOpen()) return XLE_WORKBOOK_CLOSED;
    return XLE_NO_ERROR;
}

}  // namespace

int CA_DiscardObjHandle(CAObjHandle handle) {
    return handles.erase(handle) == 1 ? XLE_NO_ERROR : XLE_INVALID_HANDLE;
}

int Excel_NewApp(CAObjHandle& application) {
    application = 0;
    if (!available) return XLE_NOT_AVAILABLE;
    auto app = std::make_shared<Application>();
    std::erase_if(applications, [](const auto& weak) { return weak.expired(); });
    applications.push_back(app);
    application = Issue({Kind::Application, app, nullptr});
    return XLE_NO_ERROR;
}

int Excel_SetProperty(CAObjHandle application, ExcelAppProperty property, bool value) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(application, Kind::Application, e); s != XLE_NO_ERROR) return s;
    if (property != ExcelApp_Visible) return XLE_INVALID_ARGUMENT;
    e->application->visible = value;
    return XLE_NO_ERROR;
}

int Excel_GetProperty(CAObjHandle application, ExcelAppProperty property, CAObjHandle& object) {
    object = 0;
    HandleEntry* e = nullptr;
    if (const int s = Lookup(application, Kind::Application, e); s != XLE_NO_ERROR) return s;
    const auto app = e->application;
    switch (property) {
        case ExcelApp_Workbooks:
            object = Issue({Kind::Workbooks, app, nullptr});
            return XLE_NO_ERROR;
        case ExcelApp_Sheets:
            if (!app->active) return XLE_NO_ACTIVE_WORKBOOK;
            object = Issue({Kind::Sheets, app, app->active});
            return XLE_NO_ERROR;
        default:
            return XLE_INVALID_ARGUMENT;
    }
}

int Excel_WorkbooksOpen(CAObjHandle workbooks, const std::string& fileName, CAObjHandle& workbook) {
    workbook = 0;
    HandleEntry* e = nullptr;
    if (const int s = Lookup(workbooks, Kind::Workbooks, e); s != XLE_NO_ERROR) return s;
    auto opened = std::make_shared<Workbook>();
    if (const int s = opened->package.Open(fileName); s != XLE_NO_ERROR) return s;
    opened->application = e->application;
    e->application->workbooks.push_back(opened);
    e->application->active = opened;
    workbook = Issue({Kind::Workbook, e->application, opened});
    return XLE_NO_ERROR;
}

int Excel_SheetsItem(CAObjHandle sheets, int index, CAObjHandle& worksheet) {
    worksheet = 0;
    HandleEntry* e = nullptr;
    if (const int s = Lookup(sheets, Kind::Sheets, e); s != XLE_NO_ERROR) return s;
    if (index < 1 || index > e->workbook->package.SheetCount()) return XLE_INVALID_ARGUMENT;
    HandleEntry entry{Kind::Worksheet, e->application, e->workbook};
    entry.sheet = index - 1;
    worksheet = Issue(std::move(entry));
    return XLE_NO_ERROR;
}

int Excel_SheetsAdd(CAObjHandle sheets, CAObjHandle& worksheet) {
    worksheet = 0;
    HandleEntry* e = nullptr;
    if (const int s = Lookup(sheets, Kind::Sheets, e); s != XLE_NO_ERROR) return s;
    const int added = e->workbook->package.AddSheet();
    if (added < 0) return added;
    HandleEntry entry{Kind::Worksheet, e->application, e->workbook};
    entry.sheet = added;
    worksheet = Issue(std::move(entry));
    return XLE_NO_ERROR;
}

int Excel_WorksheetSetName(CAObjHandle worksheet, const std::string& name) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetSheetName(e->sheet, name);
}

int Excel_WorksheetFreezeRows(CAObjHandle worksheet, int rows) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.FreezeRows(e->sheet, rows);
}

int Excel_WorksheetAutoFilter(CAObjHandle worksheet, const std::string& range) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetAutoFilter(e->sheet, range);
}

int Excel_WorksheetAddHyperlink(CAObjHandle worksheet, int row, int column,
                                const std::string& address) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.AddHyperlink(e->sheet, row, column, address);
}

int Excel_WorksheetSetColumnWidth(CAObjHandle worksheet, int column, double width) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetColumnWidth(e->sheet, column, width);
}

int Excel_WorksheetSetPrintSetup(CAObjHandle worksheet, const SheetPrintSetup& setup) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetPrintSetup(e->sheet, setup);
}

int Excel_WorksheetActivate(CAObjHandle worksheet) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    e->application->active = e->workbook;
    return XLE_NO_ERROR;
}

int Excel_WorksheetRange(CAObjHandle worksheet, const std::string& cell1, CAObjHandle& range) {
    range = 0;
    HandleEntry* e = nullptr;
    if (const int s = Lookup(worksheet, Kind::Worksheet, e); s != XLE_NO_ERROR) return s;
    const std::string first = cell1.substr(0, cell1.find(':'));
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!ParseCellReference(first, top, left)) return XLE_INVALID_ARGUMENT;
    if (cell1.find(':') != std::string::npos &&
        (!ParseCellReference(cell1.substr(cell1.find(':') + 1), bottom, right) || bottom < top ||
         right < left))
        return XLE_INVALID_ARGUMENT;
    HandleEntry entry{Kind::Range, e->application, e->workbook};
    entry.sheet = e->sheet;
    entry.top = top;
    entry.left = left;
    range = Issue(std::move(entry));
    return XLE_NO_ERROR;
}

namespace {

// The checks every cell write passes, and the failure tests may ask for: the
// range's entry in `e` when the write may go ahead.
int CellWritable(CAObjHandle range, int row, int column, HandleEntry*& e) {
    if (const int s = Lookup(range, Kind::Range, e); s != XLE_NO_ERROR) return s;
    if (row < 1 || column < 1) return XLE_INVALID_ARGUMENT;
    if (cell_writes_before_failure == 0) return XLE_WRITE_FAILED;
    if (cell_writes_before_failure > 0) --cell_writes_before_failure;
    return XLE_NO_ERROR;
}

}  // namespace

int Excel_RangeSetItem(CAObjHandle range, int row, int column, const std::string& value) {
    HandleEntry* e = nullptr;
    if (const int s = CellWritable(range, row, column, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetCellText(e->sheet, e->top + row - 1, e->left + column - 1,
                                            value);
}

int Excel_RangeSetNumber(CAObjHandle range, int row, int column, double value) {
    HandleEntry* e = nullptr;
    if (const int s = CellWritable(range, row, column, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetCellNumber(e->sheet, e->top + row - 1, e->left + column - 1,
                                              value);
}

int Excel_RangeGetItem(CAObjHandle range, int row, int column, std::string& value) {
    value.clear();
    HandleEntry* e = nullptr;
    if (const int s = Lookup(range, Kind::Range, e); s != XLE_NO_ERROR) return s;
    if (row < 1 || column < 1) return XLE_INVALID_ARGUMENT;
    value = e->workbook->package.CellText(e->sheet, e->top + row - 1, e->left + column - 1);
    return XLE_NO_ERROR;
}

int Excel_WorkbookSetTitle(CAObjHandle workbook, const std::string& title) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(workbook, Kind::Workbook, e); s != XLE_NO_ERROR) return s;
    return e->workbook->package.SetTitle(title);
}

int Excel_WorkbookSaveAs(CAObjHandle workbook, const std::string& fileName, int accessMode) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(workbook, Kind::Workbook, e); s != XLE_NO_ERROR) return s;
    if (accessMode != 1) return XLE_INVALID_ARGUMENT;
    return e->workbook->package.SaveAs(fileName);
}

int Excel_WorkbookClose(CAObjHandle workbook, bool saveChanges) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(workbook, Kind::Workbook, e); s != XLE_NO_ERROR) return s;
    // The engine has no file of its own to save changes back to; a workbook is
    // written only through SaveAs.
    if (saveChanges) return XLE_INVALID_ARGUMENT;
    e->application->CloseWorkbook(e->workbook);
    return XLE_NO_ERROR;
}

int Excel_AppQuit(CAObjHandle application) {
    HandleEntry* e = nullptr;
    if (const int s = Lookup(application, Kind::Application, e); s != XLE_NO_ERROR) return s;
    e->application->Stop();
    return XLE_NO_ERROR;
}

void Excel_SetAvailableForTesting(bool value) {
    available = value;
}

void Excel_SimulateUserClosedForTesting() {
    for (auto& weak : applications)
        if (auto app = weak.lock()) app->Stop();
}

void Excel_FailCellWritesForTesting(int writes) {
    cell_writes_before_failure = writes < 0 ? -1 : writes;
}

int Excel_HeldHandleCountForTesting() {
    return static_cast<int>(handles.size());
}

int Excel_OpenWorkbookCountForTesting() {
    int count = 0;
    for (auto& weak : applications)
        if (auto app = weak.lock()) count += static_cast<int>(app->workbooks.size());
    return count;
}

void ResetSpreadsheetForTesting() {
    handles.clear();
    applications.clear();
    available = true;
    cell_writes_before_failure = -1;
}
