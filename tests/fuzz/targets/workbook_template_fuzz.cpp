// The template workbook Class.xl, which a user may restyle or replace. The
// first byte of the input chooses what it stands for: 0 the whole package;
// otherwise one part of the shipped template (in archive order) replaced by
// the rest of the input, so that the fuzzer works on the XML itself. Opened
// templates take the cells an export writes and give their texts back.
#include <fstream>
#include <sstream>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/zip_archive.h"

namespace {

std::vector<ZipEntry>& ShippedTemplate() {
    static std::vector<ZipEntry> entries = [] {
        std::vector<ZipEntry> parts;
        const char* path = std::getenv("BRISKEL_TEMPLATE");
        std::ifstream in(path != nullptr ? path : BRISKEL_SOURCE_DIR "/resources/program/Class.xl",
                         std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        if (!ReadZipEntries(bytes.str(), parts)) {
            std::fprintf(stderr, "the shipped template cannot be read\n");
            std::abort();
        }
        return parts;
    }();
    return entries;
}

std::string Package(const uint8_t* data, std::size_t size) {
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (data[0] == 0) return rest;
    std::vector<ZipEntry> parts = ShippedTemplate();
    parts[(data[0] - 1) % parts.size()].data = rest;
    std::string bytes;
    WriteZipEntries(parts, bytes);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    WorkbookPackage workbook;
    if (workbook.OpenPackage(Package(data, size)) != 0) {
        FUZZ_EXPECT(fuzz::If(workbook.IsOpen(), "a refused template stays open"));
        return 0;
    }
    // The cells of an export: titles in row 1, values in row 2 (texts, numbers
    // and the test's date), up to BA20. Each reads back as typed.
    const struct {
        int row, column;
        const char* text;
    } cells[] = {{1, 1, "Object"}, {2, 1, "11/05/2008"}, {2, 3, "0.250"},
                 {2, 53, "Ohm "},  {20, 2, "a<b&c"},       {20, 53, "-12"}};
    for (const auto& cell : cells) {
        FUZZ_EXPECT(fuzz::If(workbook.SetCellText(cell.row, cell.column, cell.text) != 0,
                             "a cell of the sheet cannot be written"));
        FUZZ_EXPECT(fuzz::If(workbook.CellText(cell.row, cell.column) != cell.text,
                             "a written cell reads back otherwise"));
    }
    return 0;
}
