// The program connected to the emulated instrument with its import and export
// panels, exporting into a workbook folder of its own: what the tests of whole
// exports share.
#pragma once

#include <string>

#include "support/instrument_fixture.h"

class ExportFixture : public InstrumentFixture {
   protected:
    // The subsystems registered and the main, import and export panels loaded.
    void LoadExportPanels();
    // Workbooks go to a fresh folder "workbooks" of the program directory,
    // named from the base "Briskel"; texts in English.
    void UseWorkbookFolder();
    // File, Import/Export with all dates, then Export: the export panel shows
    // when there is anything to export.
    void OpenExportOfAllTests();

    std::string out_;
};
