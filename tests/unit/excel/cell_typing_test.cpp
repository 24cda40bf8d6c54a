// Values typed into cells: which texts become numbers and dates and with what
// number format, which stay texts, how the number formats join the template's
// styles, and templates whose styles part cannot take them.
#include <gtest/gtest.h>

#include <filesystem>
#include <pugixml.hpp>

#include "excel_test_support.h"
#include "platform/spreadsheet/cell_value.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/zip_archive.h"

namespace fs = std::filesystem;
using Kind = CellValue::Kind;

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? ""
                                      : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TEST(TypedText, PlainNumbersBecomeNumbersShownAsTyped) {
    const struct {
        const char* typed;
        const char* value;
        const char* format;
    } cases[] = {
        {"     0.523", "0.523", "0.000"},
        {"12.50", "12.50", "0.00"},
        {"      12.3", "12.3", "0.0"},
        {"523", "523", "0"},
        {"0", "0", "0"},
        {"  0.0", "0.0", "0.0"},
        {"01", "1", "00"},
        {"00", "0", "00"},
        {"007.50", "7.50", "000.00"},
        {"-12.5", "-12.5", "0.0"},
        {"-0.5", "-0.5", "0.0"},
        {"250.000 ", "250.000", "0.000"},
        {"123456789012345", "123456789012345", "0"},
        {"0.00000000000001", "0.00000000000001", "0.00000000000000"},
    };
    for (const auto& c : cases) {
        const CellValue cell = TypeOfTypedText(c.typed);
        EXPECT_EQ(cell.kind, Kind::Number) << c.typed;
        EXPECT_EQ(cell.value, c.value) << c.typed;
        EXPECT_EQ(cell.format, c.format) << c.typed;
        EXPECT_EQ(DisplayedText(cell.value, cell.format), Trimmed(c.typed)) << c.typed;
    }
}

TEST(TypedText, TheTestDateBecomesItsDay) {
    // Day numbers as spreadsheet programs count them.
    for (auto [typed, day] : {std::pair{"03/07/2012", "40975"},
                              {"  12/31/1999     ", "36525"},
                              {"02/29/2012", "40968"},
                              {"03/01/1900", "61"},
                              {"12/31/9999", "2958465"}}) {
        const CellValue cell = TypeOfTypedText(typed);
        EXPECT_EQ(cell.kind, Kind::Date) << typed;
        EXPECT_EQ(cell.value, day) << typed;
        EXPECT_EQ(cell.format, DATE_FORMAT);
        EXPECT_EQ(DisplayedText(cell.value, cell.format), Trimmed(typed));
    }
}

TEST(TypedText, AnythingElseStaysText) {
    const std::string cases[] = {
        // Look like numbers, but a spreadsheet program would change what they show.
        "1e5", "0x10", "1,5", "- 3", "-  2.50", "+5", "12.", ".5", "1.2.3", "-", "-.5", "-0",
        "-0.0", "  -0.000", "1234567890123456", "0.000000000000001", std::string(400, '7'), "inf",
        "nan", "INF", "NaN", "Infinity", "\xef\xbc\x91\xef\xbc\x92",  // full-width 12
        // Numbers with something else.
        "1 / 1000", "1 / 10000", "code 7", "230.4V", "12 V", "Earth 2P", "12\t",
        // Texts.
        "", "     ", " --- ", "Ohm ", " kOhm", "Hz", "°C", "RCD Trip Pulse x5",
        // Not a real day, or not the program's form of it.
        "13/07/2012", "00/07/2012", "03/00/2012", "02/30/2012", "02/29/2011", "02/29/1900",
        "02/28/1900", "12/31/1899", "03/07/0000", "3/7/2012", "03-07-2012", "03/07/12",
        "03/07/2012 10:00", "2012/03/07"};
    for (const auto& typed : cases) {
        const CellValue cell = TypeOfTypedText(typed);
        EXPECT_EQ(cell.kind, Kind::Text) << typed;
        EXPECT_EQ(cell.value, "") << typed;
    }
}

TEST(TypedText, OtherFormatsAndValuesShowAsStored) {
    EXPECT_EQ(DisplayedText("2.5", "General"), "2.5");
    EXPECT_EQ(DisplayedText("2.5", "0.0 \"V\""), "2.5");
    EXPECT_EQ(DisplayedText("2.5", ""), "2.5");
    EXPECT_EQ(DisplayedText("abc", "0.0"), "abc");
    EXPECT_EQ(DisplayedText("1e400", "0"), "1e400");
    EXPECT_EQ(DisplayedText("1e20", "0"), "1e20");
    EXPECT_EQ(DisplayedText("60", DATE_FORMAT), "60");  // the day that never was
    EXPECT_EQ(DisplayedText("40975.75", DATE_FORMAT), "03/07/2012");
    EXPECT_EQ(DisplayedText("-1", "00"), "-01");
}

// ---- The engine ----

const char* const MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::string Rels(const std::string& relationships) {
    return R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)" +
           relationships + "</Relationships>";
}

std::string Relationship(const std::string& id, const std::string& type,
                         const std::string& target) {
    return R"(<Relationship Id=")" + id +
           R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/)" +
           type + R"(" Target=")" + target + R"("/>)";
}

// A workbook package with the given styles part (none when `styles` is
// empty), whose sheet has A1 in style 1 and B1 in `otherStyle`.
std::string PackageWithStyles(const std::string& styles, int otherStyle = 1) {
    std::vector<ZipEntry> parts = {
        {"[Content_Types].xml",
         R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
         R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
         R"(<Default Extension="xml" ContentType="application/xml"/>)"
         R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
         R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
         R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/></Types>)"},
        {"_rels/.rels", Rels(Relationship("rId1", "officeDocument", "xl/workbook.xml"))},
        {"xl/workbook.xml",
         std::string(R"(<workbook xmlns=")") + MAIN +
             R"(" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
             R"(<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         Rels(Relationship("rId1", "worksheet", "worksheets/sheet1.xml") +
              (styles.empty() ? "" : Relationship("rId2", "styles", "styles.xml")))},
        {"xl/worksheets/sheet1.xml",
         std::string(R"(<worksheet xmlns=")") + MAIN +
             R"("><sheetData><row r="1"><c r="A1" s="1"/><c r="B1" s=")" +
             std::to_string(otherStyle) + R"("/></row></sheetData></worksheet>)"}};
    if (!styles.empty()) parts.push_back({"xl/styles.xml", styles});
    std::string bytes;
    EXPECT_TRUE(WriteZipEntries(parts, bytes));
    return bytes;
}

// A styles part: fonts, fills and borders as every program writes them, the
// given number formats and cell styles.
std::string StyleSheet(const std::string& numFmts, const std::string& xfs,
                       const std::string& prefix = "") {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const std::string ns = prefix.empty() ? "xmlns" : "xmlns:" + prefix;
    return "<" + p + "styleSheet " + ns + "=\"" + MAIN + "\">" + numFmts + "<" + p +
           "fonts count=\"2\"><" + p + "font/><" + p + "font><" + p + "b/></" + p + "font></" + p +
           "fonts><" + p + "fills count=\"1\"><" + p + "fill><" + p +
           "patternFill patternType=\"none\"/></" + p + "fill></" + p + "fills><" + p +
           "borders count=\"1\"><" + p + "border/></" + p + "borders><" + p + "cellXfs>" + xfs +
           "</" + p + "cellXfs></" + p + "styleSheet>";
}

class CellTyping : public FolderTest {};

// The cell styles of a saved styles part, and the code of each format id.
struct SavedStyles {
    explicit SavedStyles(const std::string& xml) {
        EXPECT_TRUE(document.load_string(xml.c_str()));
        root = document.document_element();
    }
    pugi::xml_node Xf(int index) const {
        return root
            .select_node(("*[local-name()='cellXfs']/*[" + std::to_string(index + 1) + "]").c_str())
            .node();
    }
    std::size_t Count(const char* list) const {
        return root.select_nodes(("*[local-name()='" + std::string(list) + "']/*").c_str()).size();
    }
    pugi::xml_document document;
    pugi::xml_node root;
};

TEST_F(CellTyping, NumberFormatsJoinTheTemplateStylesOnce) {
    WorkbookPackage book;
    ASSERT_EQ(book.Open(TemplatePath()), 0);
    const int title = book.CellStyle(1, 1);
    ASSERT_GT(title, 0);
    // Many numbers of two formats in plain and in title cells.
    for (int c = 1; c <= 50; ++c) {
        ASSERT_EQ(book.SetCellText(2, c, c % 2 ? "  1.5" : "2.25"), 0);
        ASSERT_EQ(book.SetCellText(1, c, c % 2 ? "1.5" : "2.25"), 0);
    }
    const int plainTenths = book.CellStyle(2, 1), titleTenths = book.CellStyle(1, 1);
    EXPECT_NE(plainTenths, titleTenths);
    EXPECT_NE(titleTenths, title);
    // Texts over numbers return the cells to their own styles.
    ASSERT_EQ(book.SetCellText(1, 3, "Date of test"), 0);
    ASSERT_EQ(book.SetCellText(2, 3, " --- "), 0);
    EXPECT_EQ(book.CellStyle(1, 3), title);
    EXPECT_EQ(book.CellStyle(2, 3), 0);
    ASSERT_EQ(book.SaveAs(Path("styled.xlsx")), 0);

    SavedStyles styles(Part(Path("styled.xlsx"), "xl/styles.xml"));
    EXPECT_EQ(styles.Count("cellXfs"), 2u + 4u) << "one new style per style and format";
    EXPECT_EQ(styles.Count("numFmts"), 1u) << "0.00 is built in, 0.0 is added once";
    EXPECT_EQ(styles.root.child("cellXfs").attribute("count").as_uint(), 6u);
    EXPECT_EQ(styles.root.child("numFmts").attribute("count").as_uint(), 1u);
    // The title style keeps its bold font and gains the format.
    const pugi::xml_node titleXf = styles.Xf(titleTenths);
    EXPECT_STREQ(titleXf.attribute("fontId").value(), styles.Xf(title).attribute("fontId").value());
    EXPECT_STREQ(titleXf.attribute("applyFont").value(), "1");
    EXPECT_STREQ(titleXf.attribute("applyNumberFormat").value(), "1");
    EXPECT_STREQ(styles.root.child("numFmts").child("numFmt").attribute("formatCode").value(),
                 "0.0");
    WorkbookPackage saved;
    ASSERT_EQ(saved.Open(Path("styled.xlsx")), 0);
    EXPECT_EQ(saved.CellText(2, 1), "1.5");
    EXPECT_EQ(saved.CellText(1, 2), "2.25");
    EXPECT_EQ(saved.CellText(1, 3), "Date of test");
    const auto read = ReadCellsWithOpenpyxl({Path("styled.xlsx")});
    ASSERT_EQ(read.size(), 1u);
    ASSERT_GE(read[0].size(), 2u);
    ASSERT_GE(read[0][0].size(), 4u);
    EXPECT_EQ(read[0][0][0].kind, "n");
    EXPECT_EQ(read[0][0][0].format, "0.0");
    EXPECT_EQ(read[0][0][1].format, "0.00");
    EXPECT_EQ(read[0][1][2].kind, "s");
    EXPECT_EQ(read[0][1][3].shown, "2.25");
}

TEST_F(CellTyping, ForeignStylesAreExtendedInTheirOwnForm) {
    // Prefixed elements, a format of the template's own that is reused, and
    // a text-formatted cell, which keeps what is typed as text.
    const std::string styles =
        StyleSheet(R"(<x:numFmts count="2"><x:numFmt numFmtId="170" formatCode="0.000"/>)"
                   R"(<x:numFmt numFmtId="200" formatCode="#,##0 &quot;V&quot;"/></x:numFmts>)",
                   R"(<x:xf numFmtId="0" fontId="0"/><x:xf numFmtId="0" fontId="1" applyFont="1"/>)"
                   R"(<x:xf numFmtId="49" fontId="0" applyNumberFormat="1"/>)"
                   R"(<x:xf numFmtId="0" fontId="0" quotePrefix="1"/>)",
                   "x");
    WriteWholeFile(Path("foreign.xlsx"), PackageWithStyles(styles, 2));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(Path("foreign.xlsx")), 0);
    ASSERT_EQ(book.SetCellText(1, 1, "0.523"), 0);
    ASSERT_EQ(book.SetCellText(1, 2, "12"), 0);
    ASSERT_EQ(book.SetCellText(1, 3, "03/07/2012"), 0);
    ASSERT_EQ(book.SaveAs(Path("foreign-out.xlsx")), 0);
    const std::string xml = Part(Path("foreign-out.xlsx"), "xl/styles.xml");
    EXPECT_EQ(xml.find("<numFmt"), std::string::npos) << xml;
    EXPECT_NE(xml.find(R"(<x:numFmt numFmtId="201" formatCode="mm\/dd\/yyyy"/>)"),
              std::string::npos)
        << xml;
    SavedStyles saved(xml);
    EXPECT_EQ(saved.Count("numFmts"), 3u);
    EXPECT_STREQ(saved.Xf(book.CellStyle(1, 1)).attribute("numFmtId").value(), "170");
    EXPECT_STREQ(saved.Xf(book.CellStyle(1, 1)).attribute("fontId").value(), "1");
    EXPECT_EQ(book.CellStyle(1, 2), 2);
    const auto read = ReadCellsWithOpenpyxl({Path("foreign-out.xlsx")});
    ASSERT_EQ(read.size(), 1u);
    ASSERT_GE(read[0][0].size(), 3u);
    EXPECT_EQ(read[0][0][0].kind, "n");
    EXPECT_EQ(read[0][0][0].shown, "0.523");
    EXPECT_EQ(read[0][0][1].kind, "s");
    EXPECT_EQ(read[0][0][1].shown, "12");
    EXPECT_EQ(read[0][0][2].kind, "d");
    EXPECT_EQ(read[0][0][2].shown, "03/07/2012");

    // A style that marks its cells' texts with a leading apostrophe keeps them too.
    WriteWholeFile(Path("quoted.xlsx"), PackageWithStyles(styles, 3));
    WorkbookPackage quoted;
    ASSERT_EQ(quoted.Open(Path("quoted.xlsx")), 0);
    ASSERT_EQ(quoted.SetCellText(1, 2, "12"), 0);
    EXPECT_EQ(quoted.CellStyle(1, 2), 3);
    ASSERT_EQ(quoted.SaveAs(Path("quoted-out.xlsx")), 0);
    EXPECT_NE(Part(Path("quoted-out.xlsx"), "xl/worksheets/sheet1.xml").find("inlineStr"),
              std::string::npos);
}

TEST_F(CellTyping, AnEqualStyleOfTheTemplateIsUsedRatherThanCopied) {
    // Style 0 is style 1 with two decimals, as a number in style 1 needs.
    const std::string styles = StyleSheet(
        "", R"(<xf numFmtId="2" fontId="0" applyNumberFormat="1"/><xf numFmtId="0" fontId="0"/>)");
    WriteWholeFile(Path("equal.xlsx"), PackageWithStyles(styles, 1));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(Path("equal.xlsx")), 0);
    ASSERT_EQ(book.SetCellText(1, 1, "1.50"), 0);
    EXPECT_EQ(book.CellStyle(1, 1), 0);
    EXPECT_EQ(book.CellText(1, 1), "1.50");
    ASSERT_EQ(book.SaveAs(Path("equal-out.xlsx")), 0);
    EXPECT_EQ(Part(Path("equal-out.xlsx"), "xl/styles.xml"), styles) << "nothing added";
}

// A styles part that is missing, damaged or cannot be extended safely is left
// as it is, every value goes in as text in the cell's style, and a
// spreadsheet program still opens the workbook.
TEST_F(CellTyping, TemplatesWhoseStylesCannotTakeFormatsGiveTexts) {
    const std::string xfs = R"(<xf numFmtId="0"/><xf numFmtId="0" fontId="1"/>)";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"no styles part", ""},
        {"not XML", "<styleSheet><cellXfs><xf"},
        {"another root", "<worksheet/>"},
        {"no cell styles", StyleSheet("", "")},
        {"a format listed twice",
         StyleSheet(R"(<numFmts><numFmt numFmtId="164" formatCode="0.0"/>)"
                    R"(<numFmt numFmtId="164" formatCode="0.00"/></numFmts>)",
                    xfs)},
        {"a format without id",
         StyleSheet(R"(<numFmts><numFmt formatCode="0.0"/></numFmts>)", xfs)},
    };
    std::vector<std::string> saved;
    for (const auto& [what, styles] : cases) {
        SCOPED_TRACE(what);
        const std::string name = "case" + std::to_string(saved.size());
        WriteWholeFile(Path(name + ".xl"), PackageWithStyles(styles));
        WorkbookPackage book;
        ASSERT_EQ(book.Open(Path(name + ".xl")), 0);
        ASSERT_EQ(book.SetCellText(1, 1, "  0.523"), 0);
        ASSERT_EQ(book.SetCellText(1, 2, "03/07/2012"), 0);
        ASSERT_EQ(book.SetCellText(1, 3, "Ohm "), 0);
        EXPECT_EQ(book.CellStyle(1, 1), 1);
        ASSERT_EQ(book.SaveAs(Path(name + ".xlsx")), 0);
        saved.push_back(Path(name + ".xlsx"));
        EXPECT_EQ(Part(saved.back(), "xl/styles.xml"), styles);
        const std::string sheet = Part(saved.back(), "xl/worksheets/sheet1.xml");
        EXPECT_EQ(sheet.find("<v>"), std::string::npos) << sheet;
        EXPECT_EQ(SavedRow(saved.back(), 1),
                  (std::vector<std::string>{"  0.523", "03/07/2012", "Ohm "}));
    }
    // A cell in a style the part does not have is not given a number either.
    WriteWholeFile(Path("missing-style.xl"), PackageWithStyles(StyleSheet("", xfs), 7));
    WorkbookPackage book;
    ASSERT_EQ(book.Open(Path("missing-style.xl")), 0);
    ASSERT_EQ(book.SetCellText(1, 2, "12"), 0);
    EXPECT_EQ(book.CellStyle(1, 2), 7);
    EXPECT_EQ(book.CellText(1, 2), "12");

    const auto shown = ReadWithLibreOffice(saved);
    ASSERT_EQ(shown.size(), saved.size());
    for (std::size_t i = 0; i < saved.size(); ++i) {
        ASSERT_FALSE(shown[i].empty()) << cases[i].first;
        EXPECT_EQ(shown[i][0], (std::vector<std::string>{"  0.523", "03/07/2012", "Ohm "}))
            << cases[i].first;
    }
}

}  // namespace
