// The workbook engine: cells in and out of the template package, styles and
// order kept, escaping, damaged packages, failed and atomic saves.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "excel_test_support.h"
#include "platform/spreadsheet/atomic_file.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/zip_archive.h"

namespace fs = std::filesystem;

namespace {

class WorkbookEngine : public FolderTest {
   protected:
    void TearDown() override {
        SetWriteLimitForTesting(-1);
        FolderTest::TearDown();
    }
    std::vector<std::string> FolderNames() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder_)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

// A package whose parts are given; the usual workbook parts unless replaced.
std::string MakePackage(std::vector<ZipEntry> parts) {
    std::string bytes;
    EXPECT_TRUE(WriteZipEntries(parts, bytes));
    return bytes;
}

const char* const ROOT_RELS =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
const char* const WORKBOOK =
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="S" sheetId="1" r:id="rId7"/></sheets></workbook>)";
const char* const WORKBOOK_RELS =
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/data.xml"/>)"
    R"(<Relationship Id="rId8" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>)"
    R"(<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/></Relationships>)";
const char* const CONTENT_TYPES =
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Override PartName="/xl/calcChain.xml" ContentType="x"/><Default Extension="xml" ContentType="application/xml"/></Types>)";

std::vector<ZipEntry> ForeignPackage(const std::string& sheet) {
    return {
        {"[Content_Types].xml", CONTENT_TYPES},
        {"_rels/.rels", ROOT_RELS},
        {"xl/workbook.xml", WORKBOOK},
        {"xl/_rels/workbook.xml.rels", WORKBOOK_RELS},
        {"xl/sharedStrings.xml",
         R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>first</t></si><si><r><t>rich </t></r><r><t>text</t></r></si></sst>)"},
        {"xl/calcChain.xml", "<calcChain/>"},
        {"xl/worksheets/data.xml", sheet}};
}

}  // namespace

TEST_F(WorkbookEngine, CellsRoundTripThroughASavedPackageWithTheirStyles) {
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    const int titleStyle = book.CellStyle(1, 1);
    EXPECT_GT(titleStyle, 0) << "the template's title row is styled";
    // Written out of order: the sheet keeps rows and cells in order anyway.
    ASSERT_EQ(book.SetCellText(2, 3, "12"), 0);
    ASSERT_EQ(book.SetCellText(2, 1, "03/07/2012"), 0);
    ASSERT_EQ(book.SetCellText(1, 1, "Date of test"), 0);
    ASSERT_EQ(book.SetCellText(2, 2, "05"), 0);
    ASSERT_EQ(book.SetCellText(2, 30, " --- "), 0);
    ASSERT_EQ(book.SetCellText(2, 2, "07"), 0);  // overwritten, not duplicated
    ASSERT_EQ(book.SaveAs(Path("out.xlsx")), 0);

    WorkbookPackage saved;
    ASSERT_EQ(saved.Open(Path("out.xlsx")), 0);
    EXPECT_EQ(saved.CellText(1, 1), "Date of test");
    EXPECT_EQ(saved.CellStyle(1, 1), titleStyle);
    EXPECT_EQ(saved.CellText(2, 1), "03/07/2012");
    EXPECT_EQ(SavedRow(Path("out.xlsx"), 2)[1], "07");
    EXPECT_EQ(saved.CellText(2, 30), " --- ");
    EXPECT_EQ(saved.Dimension(), "A1:BA2");

    const std::string xml = Part(Path("out.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_LT(xml.find("r=\"A2\""), xml.find("r=\"B2\""));
    EXPECT_LT(xml.find("r=\"B2\""), xml.find("r=\"C2\""));
    EXPECT_LT(xml.find("r=\"C2\""), xml.find("r=\"AD2\""));
    EXPECT_EQ(xml.find("r=\"B2\""), xml.rfind("r=\"B2\""));
    EXPECT_LT(xml.find("<row r=\"1\""), xml.find("<row r=\"2\""));
    // The other parts travel unchanged (the styles part gains number formats).
    std::vector<ZipEntry> original;
    ASSERT_TRUE(ReadZipEntries(ReadWholeFile(TemplatePath()), original));
    for (const auto& e : original)
        if (e.name != "xl/worksheets/sheet1.xml" && e.name != "xl/styles.xml") {
            EXPECT_EQ(Part(Path("out.xlsx"), e.name), e.data);
        }
    EXPECT_EQ(ReadWholeFile(TemplatePath()).size(), fs::file_size(TemplatePath()));
}

TEST_F(WorkbookEngine, TextsAreEscapedAndKeepTheirBlanks) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<a & \"b\"> 'c'", "<a & \"b\"> 'c'"},
        {"   ", "   "},
        {" kOhm", " kOhm"},
        {"°C", "°C"},
        {"Tensión ", "Tensión "},
        {"a\x01"
         "b\x7f",
         "ab\x7f"},                            // control characters XML cannot carry
        {"bad \xff\xfe utf8", "bad ?? utf8"},  // malformed bytes
        {"]]>", "]]>"},
    };
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    for (std::size_t i = 0; i < cases.size(); ++i)
        ASSERT_EQ(book.SetCellText(2, static_cast<int>(i) + 1, cases[i].first), 0);
    ASSERT_EQ(book.SaveAs(Path("escaped.xlsx")), 0);
    const auto row = SavedRow(Path("escaped.xlsx"), 2);
    ASSERT_EQ(row.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(row[i], cases[i].second) << i;
}

TEST_F(WorkbookEngine, CellsOutsideTheSheetAreRefused) {
    WorkbookPackage book;
    EXPECT_EQ(book.SetCellText(1, 1, "x"), XLE_WORKBOOK_CLOSED);
    EXPECT_EQ(book.SaveAs(Path("none.xlsx")), XLE_WORKBOOK_CLOSED);
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}, {-3, 2}})
        EXPECT_EQ(book.SetCellText(row, column, "x"), XLE_INVALID_ARGUMENT) << row << "," << column;
    EXPECT_EQ(book.SetCellText(1048576, 16384, "corner"), 0);
    EXPECT_EQ(book.CellText(1048576, 16384), "corner");
}

TEST_F(WorkbookEngine, DamagedOrMissingTemplatesAreRefused) {
    const std::string goodSheet =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData/></worksheet>)";
    auto without = [&](const std::string& name) {
        auto parts = ForeignPackage(goodSheet);
        std::erase_if(parts, [&](const ZipEntry& e) { return e.name == name; });
        return MakePackage(parts);
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"empty", ""},
        {"text", "this is not a workbook"},
        {"truncated zip", MakePackage(ForeignPackage(goodSheet)).substr(0, 200)},
        {"no worksheet part", without("xl/worksheets/data.xml")},
        {"no workbook part", without("xl/workbook.xml")},
        {"no package relationships", without("_rels/.rels")},
        {"no workbook relationships", without("xl/_rels/workbook.xml.rels")},
        {"worksheet not XML", MakePackage(ForeignPackage("<worksheet><sheetData>"))},
        {"no sheet data", MakePackage(ForeignPackage("<worksheet/>"))},
        {"chart sheet first", MakePackage(ForeignPackage("<chartsheet><sheetData/></chartsheet>"))},
    };
    for (const auto& [what, bytes] : cases) {
        WriteWholeFile(Path("bad.xl"), bytes);
        WorkbookPackage book;
        EXPECT_EQ(book.Open(Path("bad.xl")), XLE_DAMAGED_PACKAGE) << what;
        EXPECT_FALSE(book.IsOpen()) << what;
    }
    WorkbookPackage book;
    EXPECT_EQ(book.Open(Path("missing.xl")), XLE_FILE_NOT_FOUND);
    EXPECT_EQ(book.Open(folder_), XLE_FILE_NOT_FOUND);
}

TEST_F(WorkbookEngine, ForeignPackagesAreReadAndWrittenInTheirOwnForm) {
    // Prefixed elements, implied references, shared strings and a calculation chain.
    const std::string sheet =
        R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        R"(<x:dimension ref="A1"/><x:cols><x:col min="4" max="6" style="3"/></x:cols><x:sheetData>)"
        R"(<x:row><x:c t="s"><x:v>0</x:v></x:c><x:c t="s"><x:v>1</x:v></x:c><x:c><x:f>1+1</x:f><x:v>2</x:v></x:c></x:row>)"
        R"(<x:row r="4" s="2" customFormat="1" spans="1:3"><x:c r="A4"/></x:row>)"
        R"(</x:sheetData></x:worksheet>)";
    WriteWholeFile(Path("foreign.xlsx"), MakePackage(ForeignPackage(sheet)));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(Path("foreign.xlsx")), 0);
    EXPECT_EQ(book.CellText(1, 1), "first");
    EXPECT_EQ(book.CellText(1, 2), "rich text");
    EXPECT_EQ(book.CellText(1, 3), "2");
    ASSERT_EQ(book.SetCellText(1, 3, "text"), 0);  // the formula goes
    ASSERT_EQ(book.SetCellText(4, 2, "row"), 0);   // takes the row's style
    ASSERT_EQ(book.SetCellText(3, 5, "col"), 0);   // takes the column's style
    ASSERT_EQ(book.SetCellText(2, 1, "new"), 0);
    ASSERT_EQ(book.SaveAs(Path("foreign-out.xlsx")), 0);

    WorkbookPackage saved;
    ASSERT_EQ(saved.Open(Path("foreign-out.xlsx")), 0);
    EXPECT_EQ(saved.CellText(1, 1), "first");
    EXPECT_EQ(saved.CellText(1, 3), "text");
    EXPECT_EQ(saved.CellStyle(4, 2), 2);
    EXPECT_EQ(saved.CellStyle(3, 5), 3);
    EXPECT_EQ(saved.CellText(2, 1), "new");
    const std::string xml = Part(Path("foreign-out.xlsx"), "xl/worksheets/data.xml");
    EXPECT_EQ(xml.find("<c "), std::string::npos) << "elements keep the sheet's prefix";
    EXPECT_EQ(xml.find("<x:f>"), std::string::npos);
    EXPECT_EQ(xml.find("spans"), std::string::npos);
    EXPECT_LT(xml.find("r=\"2\""), xml.find("r=\"3\""));
    EXPECT_LT(xml.find("r=\"3\""), xml.find("r=\"4\""));
    // The stale calculation chain is gone, with every mention of it.
    EXPECT_EQ(Part(Path("foreign-out.xlsx"), "xl/calcChain.xml"), "");
    EXPECT_EQ(Part(Path("foreign-out.xlsx"), "xl/_rels/workbook.xml.rels").find("calcChain"),
              std::string::npos);
    EXPECT_EQ(Part(Path("foreign-out.xlsx"), "[Content_Types].xml").find("calcChain"),
              std::string::npos);
}

// Sheets added to a package of another program's form: named as a
// spreadsheet program allows, each part where the schema orders it, the
// prefix kept; openpyxl reads back names, frozen panes, filters and links.
TEST_F(WorkbookEngine, AddedSheetsViewsFiltersLinksAndWidthsFollowThePackagesForm) {
    const std::string sheet =
        R"(<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        R"(<x:dimension ref="A1"/><x:cols><x:col min="4" max="6" width="9" bestFit="1"/></x:cols>)"
        R"(<x:sheetData/><x:pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" )"
        R"(header="0.3" footer="0.3"/></x:worksheet>)";
    std::vector<ZipEntry> parts = ForeignPackage(sheet);
    // What an independent reader needs to find the workbook and its parts.
    parts[0].data =
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/data.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>)";
    WriteWholeFile(Path("foreign.xlsx"), MakePackage(parts));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(Path("foreign.xlsx")), 0);
    ASSERT_EQ(book.AddSheet(), 1);
    ASSERT_EQ(book.SheetCount(), 2);
    for (const std::string& refused :
         {std::string(), std::string(32, 'x'), std::string("a[b"), std::string("a:b"),
          std::string("a/b"), std::string("'quoted'"), std::string("s")})
        EXPECT_EQ(book.SetSheetName(1, refused), XLE_INVALID_ARGUMENT) << refused;
    ASSERT_EQ(book.SetSheetName(1, "Boucle de terre courte été"), 0);
    ASSERT_EQ(book.SetCellText(1, 1, 1, "Z-LN"), 0);
    ASSERT_EQ(book.SetCellNumber(1, 2, 1, 1200.5), 0);
    ASSERT_EQ(book.SetCellText(0, 2, 1, "x"), 0);
    for (int s : {0, 1}) {
        ASSERT_EQ(book.FreezeRows(s, 1), 0);
        ASSERT_EQ(book.SetAutoFilter(s, "A1:B2"), 0);
        ASSERT_EQ(book.SetColumnWidth(s, 5, 20), 0);
    }
    EXPECT_EQ(book.SetAutoFilter(1, "B2:A1"), XLE_INVALID_ARGUMENT);
    ASSERT_EQ(book.AddHyperlink(0, 2, 1, "sub dir/a#1.xlsx"), 0);
    ASSERT_EQ(book.SaveAs(Path("out.xlsx")), 0);

    const std::string xml = Part(Path("out.xlsx"), "xl/worksheets/data.xml");
    std::vector<std::size_t> at;
    for (const char* element : {"<x:dimension", "<x:sheetViews", "<x:cols", "<x:sheetData",
                                "<x:autoFilter", "<x:hyperlinks", "<x:pageMargins"})
        at.push_back(xml.find(element));
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()) && at.back() != std::string::npos) << xml;
    // Column 5 leaves its range; 4 and 6 keep theirs, attributes included.
    EXPECT_NE(xml.find(R"(<x:col min="4" max="4" width="9" bestFit="1"/>)"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find(R"(<x:col min="6" max="6" width="9" bestFit="1"/>)"), std::string::npos);
    EXPECT_NE(Part(Path("out.xlsx"), "xl/worksheets/_rels/data.xml.rels")
                  .find(R"(Target="sub%20dir/a%231.xlsx" TargetMode="External")"),
              std::string::npos);

    const auto sheets = ReadSheetsWithOpenpyxl(Path("out.xlsx"));
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].name, "S");
    EXPECT_EQ(sheets[1].name, "Boucle de terre courte été");
    for (const auto& read : sheets) {
        EXPECT_EQ(read.freeze, "A2");
        EXPECT_EQ(read.filter, "A1:B2");
        EXPECT_EQ(read.widths.at("E"), 20);
    }
    EXPECT_EQ(sheets[0].links.at("A2"), "sub%20dir/a%231.xlsx");
    ASSERT_EQ(sheets[1].rows.size(), 2u);
    EXPECT_EQ(sheets[1].rows[0][0].shown, "Z-LN");
    EXPECT_EQ(sheets[1].rows[1][0].kind, "n");
    EXPECT_EQ(sheets[1].numbers[1][0], 1200.5);
}

TEST_F(WorkbookEngine, AFolderThatCannotTakeTheFileFailsAndLeavesNothing) {
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    WriteWholeFile(Path("plain-file"), "x");
    fs::create_directory(Path("a-folder"));
    for (const std::string& target : {Path("missing-folder/out.xlsx"), Path("plain-file/out.xlsx"),
                                      Path("a-folder"), Path("a-folder/")})
        EXPECT_EQ(book.SaveAs(target), XLE_WRITE_FAILED) << target;
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"a-folder", "plain-file"}));
    EXPECT_TRUE(fs::is_empty(Path("a-folder")));
}

TEST_F(WorkbookEngine, AReadOnlyFolderTakesNoFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    fs::create_directory(Path("read-only"));
    fs::permissions(Path("read-only"), fs::perms::owner_read | fs::perms::owner_exec);
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    EXPECT_EQ(book.SaveAs(Path("read-only/out.xlsx")), XLE_WRITE_FAILED);
    fs::permissions(Path("read-only"), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(Path("read-only")));
}

TEST_F(WorkbookEngine, AFailedOverwriteKeepsTheOldFileWhole) {
    WriteWholeFile(Path("old.xlsx"), "the old workbook");
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    ASSERT_EQ(book.SetCellText(2, 1, "new"), 0);
    for (long limit : {0L, 100L, 1500L}) {
        SetWriteLimitForTesting(limit);  // the disk fills up part-way
        EXPECT_EQ(book.SaveAs(Path("old.xlsx")), XLE_WRITE_FAILED) << limit;
        EXPECT_EQ(ReadWholeFile(Path("old.xlsx")), "the old workbook");
        EXPECT_EQ(FolderNames(), std::vector<std::string>{"old.xlsx"}) << "no temporary left";
    }
    SetWriteLimitForTesting(-1);
    ASSERT_EQ(book.SaveAs(Path("old.xlsx")), 0);
    EXPECT_EQ(SavedRow(Path("old.xlsx"), 2), std::vector<std::string>{"new"});
    EXPECT_EQ(FolderNames(), std::vector<std::string>{"old.xlsx"});
    EXPECT_NE(fs::status(Path("old.xlsx")).permissions() & fs::perms::owner_read, fs::perms::none);
}

TEST_F(WorkbookEngine, ASavedWorkbookOpensInAnIndependentReader) {
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    const std::vector<std::string> titles = {"Date of test", "Object", "Test", "MeasType"};
    const std::vector<std::string> values = {"03/07/2012", "05", "12",       " --- ",
                                             "Ohm ",       "°C", "a < b & c"};
    for (std::size_t i = 0; i < titles.size(); ++i)
        book.SetCellText(1, static_cast<int>(i) + 1, titles[i]);
    for (std::size_t i = 0; i < values.size(); ++i)
        book.SetCellText(2, static_cast<int>(i) + 1, values[i]);
    ASSERT_EQ(book.SaveAs(Path("read-me.xlsx")), 0);
    const auto rows = ReadWithOpenpyxl(Path("read-me.xlsx"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], titles);
    EXPECT_EQ(rows[1], values);
}

TEST(CellReferences, LettersAndNumbersConvertBothWays) {
    for (auto [letters, number] : {std::pair<const char*, int>{"A", 1},
                                   {"Z", 26},
                                   {"AA", 27},
                                   {"AE", 31},
                                   {"BA", 53},
                                   {"XFD", 16384}}) {
        EXPECT_EQ(ColumnNumber(letters), number);
        EXPECT_EQ(ColumnLetters(number), letters);
    }
    for (const char* bad : {"", "a", "XFE", "AAAA", "A1"}) EXPECT_EQ(ColumnNumber(bad), 0) << bad;
    int row = 0, column = 0;
    EXPECT_TRUE(ParseCellReference("BA20", row, column));
    EXPECT_EQ(row, 20);
    EXPECT_EQ(column, 53);
    for (const char* bad : {"", "A", "20", "A0", "A01", "a1", "A1048577", "A1:B2", "A-1"})
        EXPECT_FALSE(ParseCellReference(bad, row, column)) << bad;
}
