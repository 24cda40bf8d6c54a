#include "export/workbook_export.h"

#include <string>

#include "excel/excel_instance.h"
#include "excel/sheet_cells.h"
#include "excel/summary_workbook.h"
#include "excel/test_workbook.h"
#include "excel/workbook_names.h"
#include "excel/working_folder.h"
#include "export/export_loop.h"
#include "export/export_record.h"
#include "export/summary_content.h"
#include "export/test_outcomes.h"
#include "import/import_messages.h"
#include "import/measurement_display.h"
#include "import/scanned_instrument.h"
#include "import/stop_request.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "shell/error_popup.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "shell/panels.h"
#include "store/store.h"

namespace {

// A test whose workbook would hold no measured value (a kind or a selector
// byte this program has no layout for): it is neither saved nor offered for
// erasure. Placeholders {object}, {test}, {kind}.
const MessageTable test_sans_mesure = {
    "Le test {test} de l'objet {object} ({kind}) contient une mesure que ce programme ne sait "
    "pas présenter : aucun classeur n'a été écrit.\n"
    "Il n'a pas été exporté et reste dans l'appareil.",
    "Test {test} of object {object} ({kind}) holds a measurement this program cannot lay out: "
    "no workbook was written.\n"
    "It was not exported and stays in the instrument.",
    "Test {test} von Objekt {object} ({kind}) enthält eine Messung, die dieses Programm nicht "
    "darstellen kann: es wurde keine Arbeitsmappe geschrieben.\n"
    "Er wurde nicht exportiert und bleibt im Gerät.",
    "La prueba {test} del objeto {object} ({kind}) contiene una medida que este programa no "
    "sabe presentar: no se ha escrito ningún libro.\n"
    "No se ha exportado y permanece en el instrumento.",
    "La prova {test} dell'oggetto {object} ({kind}) contiene una misura che questo programma "
    "non sa presentare: non è stata scritta alcuna cartella.\n"
    "Non è stata esportata e resta nello strumento.",
};

int ExportPanel() {
    return Fen_princ[PANEL_EXPORT];
}

// With "Summary workbook" ticked, the summary is written once the per-test
// workbooks are, also after a stop or a lost instrument; the message field
// names it. Its path in `path`, empty when none was written.
std::string SummaryWorkbookLine(std::string& path) {
    path.clear();
    if (Excel.summary_workbook == 0) return "";
    SetWaitCursor(1);
    path = WriteSummaryWorkbook(ProgramSpreadsheet(), SummaryOfExport());
    SetWaitCursor(0);
    if (path.empty()) return "";
    // Its folder is the working folder, which the line above names.
    const std::string name = path.substr(path.find_last_of("/\\") + 1);
    return "\n" + FillPlaceholders(Texte(synthese_bilan), {{"name", name}});
}

// Workbooks of this export whose path the common spreadsheet program does not
// open are still saved; the message field says how many, once.
std::string LongPathLine(const std::string& summaryPath) {
    int count = CharacterCount(summaryPath) > MAX_SPREADSHEET_PATH ? 1 : 0;
    for (const TestOutcomeRecord& record : TestOutcomes())
        if (record.outcome == TestOutcome::Written || record.outcome == TestOutcome::Erased ||
            record.outcome == TestOutcome::KeptInInstrument)
            count += CharacterCount(record.workbook) > MAX_SPREADSHEET_PATH ? 1 : 0;
    if (count == 0) return "";
    return FillPlaceholders(Texte(chemin_long), {{"count", std::to_string(count)},
                                                 {"max", std::to_string(MAX_SPREADSHEET_PATH)}});
}

// A named object's workbooks carry its name in their title, where a file
// manager's search finds it; the title is in the program's language, as the
// workbook's own column titles are.
int TitleWorkbook(Workbook& book, int object) {
    const std::string name = ExportObjectName(object);
    if (name.empty()) return 0;
    return book.SetTitle(
        FillPlaceholders(Texte(objet_titre), {{"object", TwoDigits(object)}, {"name", name}}));
}

// Where the writing of one workbook goes on after its steps.
enum class Next {
    StopCheck,  // the last stop check, then the next number
    Count,      // straight to the next number (the dialog was cancelled)
    Return,     // nothing more (a failed call, or the user kept the old file)
};

// The test's own name in the working folder, never one that is taken; empty
// when every candidate is.
std::string AutomaticPath(int object, int test) {
    const FicTest& record = Director[object].tests[test];
    return FreeWorkbookPath(Excel.working_folder,
                            AutomaticWorkbookName(Excel.base_name, InstrumentSerial(), record,
                                                  ExportObjectName(record.num_objet)),
                            WORKBOOK_EXTENSION);
}

// The test is named in the message, so the user knows which one has no workbook.
void ReportUnsavedWorkbook(int object, int test, int kind, const std::string& path) {
    MessagePopup(Texte(titre_erreur),
                 FillPlaceholders(Texte(classeur_echec), {{"object", TwoDigits(object)},
                                                          {"test", TwoDigits(test)},
                                                          {"kind", KindName(kind)},
                                                          {"path", path}}));
}

// A failed spreadsheet call: with automatic names the message names the test
// (nobody chose its file), otherwise the numbered error box as ever.
void ReportFailure(int status, int object, int test, int kind, const std::string& path) {
    // A workbook another program holds open or marked read-only, a folder the
    // system keeps from the program: the user can mend that, once told which.
    const MessageTable* mendable = status == XLE_FILE_IN_USE      ? &classeur_ouvert
                                   : status == XLE_FILE_READ_ONLY ? &classeur_lecture_seule
                                   : status == XLE_FOLDER_REFUSED ? &classeur_refuse
                                                                  : nullptr;
    if (mendable != nullptr) {
        MessagePopup(
            Texte(titre_erreur),
            FillPlaceholders(Texte(*mendable), {{"path", path}, {"why", WriteRefusalReason()}}));
        return;
    }
    if (Excel.automatic_names == 0) {
        Sort_Error(status);
        return;
    }
    ReportUnsavedWorkbook(object, test, kind, path);
}

// The name, the dialog, the overwrite question (or, with automatic names, the
// test's own name). On success `path` is where the workbook goes.
Next ChooseFile(const SpreadsheetApplication& excel, int object, int test, int kind,
                std::string& path, SheetResult& result) {
    const int p = ExportPanel();
    GetCtrlVal(p, EXPORT_ERASE, Excel.erase_after_export);
    GetCtrlVal(p, EXPORT_AUTOMATIC_NAMES, Excel.automatic_names);
    SetCtrlAttribute(p, EXPORT_EXPORT, ATTR_DIMMED, 1);
    SetCtrlAttribute(p, EXPORT_QUIT, ATTR_DIMMED, 1);

    // An application the user closed is told before any dialog.
    const int status = excel.Status();
    if (status < 0) {
        result = SheetResult::Failed;
        ReportFailure(status, object, test, kind, Excel.working_folder);
        return Next::Return;
    }
    if (Excel.automatic_names != 0) {
        path = AutomaticPath(object, test);
        if (!path.empty()) return Next::StopCheck;
        result = SheetResult::Failed;
        ReportUnsavedWorkbook(object, test, kind, Excel.working_folder);
        return Next::Return;
    }
    const std::string proposed = ProposedWorkbookName(Excel.base_name, Excel.sequence);
    const int chosen = FileSelectPopup(Excel.working_folder, proposed, WORKBOOK_EXTENSION,
                                       Texte(enregist), VAL_SAVE_BUTTON, 0, 1, 1, 1, path);
    if (chosen <= 0) return Next::Count;
    path = WithWorkbookExtension(path);

    long size = 0;
    if (GetFileInfo(path, size) != 0) {
        const int answer = GenericMessagePopup(
            Texte(titre_feuille), Texte(messag_ecras), cmdOui[2 * langue + 1], cmdOui[2 * langue],
            "", VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN1, VAL_GENERIC_POPUP_BTN2);
        if (answer != VAL_GENERIC_POPUP_BTN1) return Next::Return;
        // The old workbook stays until the new one is completely written: the
        // save replaces it in one step, and a failed save leaves it as it was.
    }
    return Next::StopCheck;
}

// A fresh copy of the template, its first sheet.
bool OpenTemplate(Workbook& book, int object, int test, int kind, const std::string& path) {
    const int status = OpenTemplateCopy(book);
    if (status < 0) ReportFailure(status, object, test, kind, path);
    return status >= 0;
}

// The rows, the save, the close.
Next WriteAndSave(Workbook& book, int object, int test, int kind, const MeasuredRecord& record,
                  const std::string& path, SheetResult& result) {
    TakeCellWriteFailure();  // only this workbook's writes count
    TakeMeasuredCellCount();
    ForgetWrittenRows();
    WriteCell(book, TITLE_ROW, 1, Texte(date));
    WriteCell(book, TITLE_ROW, 2, Texte(Eobjet));
    WriteCell(book, TITLE_ROW, 3, Texte(Etest));
    if (PollStopRequest() != 1) {
        // Nothing of a stopped workbook is kept, not even the open copy.
        book.Close();
        return Next::StopCheck;
    }
    WriteCell(book, TITLE_ROW, 1, Texte(Edate));
    WriteCell(book, TITLE_ROW, 2, Texte(Eobjet));
    WriteCell(book, TITLE_ROW, 3, Texte(Etest));
    WriteKindRows(book, object, test, record);
    // A row of nothing but the date, object and test (a kind or a loop
    // function without a layout) is no export of the measurement: once such a
    // workbook was taken for it, the test could be erased and its values lost.
    if (TakeMeasuredCellCount() == 0) {
        book.Close();
        TakeCellWriteFailure();
        result = SheetResult::Failed;
        NoteSheetFailure(OutcomeCause::NoMeasuredValue);
        MessagePopup(Texte(titre_erreur),
                     FillTestPlaceholders(test_sans_mesure, object, test, kind));
        return Next::Return;
    }
    // A workbook that lacks a value is not saved: nothing under the chosen
    // name, and no erase question for a test it would not hold.
    if (const int failed = TakeCellWriteFailure(); failed < 0) {
        book.Close();
        result = SheetResult::Failed;
        ReportFailure(failed, object, test, kind, path);
        return Next::Return;
    }
    int status = TitleWorkbook(book, Director[object].tests[test].num_objet);
    if (status >= 0) status = book.SaveAs(path);
    if (status < 0) {
        result = SheetResult::Failed;
        ReportFailure(status, object, test, kind, path);
        return Next::Return;
    }
    result = SheetResult::Saved;
    JournalSavedWorkbook(Director[object].tests[test], path);
    // A memory holds up to 10,000 tests: their rows are kept only for a summary.
    if (Excel.summary_workbook != 0)
        KeepRowsForSummary(object, test, kind, record,
                           ExportObjectName(Director[object].tests[test].num_objet));
    status = book.Close();
    if (status < 0) {
        Sort_Error(status);
        return Next::Return;
    }
    return Next::StopCheck;
}

// The test's workbook lives while it is written: a failure anywhere leaves
// nothing open.
Next WriteWorkbook(SpreadsheetApplication& excel, int object, int test, int kind,
                   const MeasuredRecord& record, SheetResult& result) {
    std::string path;
    const Next chosen = ChooseFile(excel, object, test, kind, path, result);
    if (chosen != Next::StopCheck) return chosen;
    Workbook book(excel);
    if (!OpenTemplate(book, object, test, kind, path)) {
        result = SheetResult::Failed;
        return Next::Return;
    }
    return WriteAndSave(book, object, test, kind, record, path, result);
}

}  // namespace

// A test consumes its number whenever it got past the writing, saved or not
// (a cancelled dialog, a stop); a failed spreadsheet call or a "No" to the
// overwrite question leaves the number to the next test.
SheetResult Exporter_feuille(int object, int test, int kind, const MeasuredRecord& record) {
    SheetResult result = SheetResult::NotSaved;
    Next next = Next::Count;
    if (PollStopRequest() == 1)
        next = WriteWorkbook(ProgramSpreadsheet(), object, test, kind, record, result);
    if (next == Next::Return) return result;
    if (next == Next::StopCheck) PollStopRequest();
    ++Excel.sequence;
    return result;
}

int Exporter_excel(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    const int p = ExportPanel();
    GetCtrlVal(p, EXPORT_ERASE, Excel.erase_after_export);
    GetCtrlVal(p, EXPORT_AUTOMATIC_NAMES, Excel.automatic_names);
    GetCtrlVal(p, EXPORT_SUMMARY, Excel.summary_workbook);
    SetCtrlAttribute(p, EXPORT_EXPORT, ATTR_DIMMED, 1);
    SetCtrlAttribute(p, EXPORT_QUIT, ATTR_DIMMED, 1);

    std::string typed;
    GetCtrlVal(p, EXPORT_BASE_NAME, typed);
    // The base name is part of every file name: filtered here, once, and the
    // field shows it as the workbooks will carry it.
    Excel.base_name = SafeBaseName(typed);
    if (Excel.base_name != typed) SetCtrlVal(p, EXPORT_BASE_NAME, Excel.base_name);
    GetCtrlVal(p, EXPORT_FOLDER, typed);
    // The folder is kept as chosen; one that cannot take the workbooks is
    // said before any test is downloaded, so nothing is erased either.
    const std::string folder = WorkingFolderOfField(typed);
    if (!WorkingFolderAccepted(folder, FolderCheck::Export)) {
        SetCtrlAttribute(p, EXPORT_EXPORT, ATTR_DIMMED, 0);
        SetCtrlAttribute(p, EXPORT_QUIT, ATTR_DIMMED, 0);
        return 0;
    }
    Excel.working_folder = JoinPath(folder, "");

    StartSummary();
    Importer_memory();
    SetWaitCursor(0);
    std::string summary;
    const std::string summaryLine = SummaryWorkbookLine(summary);
    SetCtrlVal(
        p, EXPORT_MESSAGE,
        std::string(Texte(messag_fin)) + ExportSummaryText() + summaryLine + LongPathLine(summary));
    SetWaitCursor(0);
    const int scan = Fen_princ[PANEL_SCAN];
    if (scan > 0 && RemovePopup(scan) == UIE_NO_ERROR) DiscardPanel(scan);
    SetCtrlAttribute(p, EXPORT_QUIT, ATTR_DIMMED, 0);
    SetActiveCtrl(p, EXPORT_QUIT);
    return 0;
}

int OpenWorkingFolder(int, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    std::string folder;
    GetCtrlVal(ExportPanel(), EXPORT_FOLDER, folder);
    folder = WithoutTrailingBlanks(folder);
    if (folder.empty()) folder = Excel.working_folder;
    long size = 0;
    // The file manager is asked only for a folder that is there.
    if (GetFileInfo(folder, size) != 1 || !OpenDocumentInDefaultViewer(folder)) {
        Popup_erreur(ERROR_WORKING_DIRECTORY);
    }
    return 0;
}
