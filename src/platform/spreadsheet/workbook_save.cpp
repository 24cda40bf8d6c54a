// Saving the workbook engine's package: every worksheet with its links, the
// workbook's sheet names, the styles when they changed, zipped and put in
// place only once the whole file is written.
#include <string>
#include <vector>

#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/workbook_parts.h"
#include "platform/spreadsheet/zip_archive.h"

int WorkbookPackage::SaveAs(const std::string& path) {
    if (!impl_) return XLE_WORKBOOK_CLOSED;
    std::vector<ZipEntry> entries = impl_->entries;
    for (auto& sheet : impl_->sheets) {
        sheet->UpdateDimension();
        for (auto& e : entries)
            if (EqualsIgnoringCase(e.name, sheet->part)) e.data = XmlText(sheet->doc);
        impl_->WriteSheetLinks(*sheet, entries);
    }
    impl_->WriteSheetNames(entries);
    if (impl_->styles.Changed())
        for (auto& e : entries)
            if (e.name == impl_->stylesPart) e.data = impl_->styles.Xml();
    std::string bytes;
    if (!WriteZipEntries(entries, bytes)) return XLE_WRITE_FAILED;
    return ReplaceFileAtomically(path, bytes);
}
