#include "excel_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "link/com_port.h"
#include "platform/spreadsheet/workbook_package.h"
#include "platform/spreadsheet/zip_archive.h"
#include "store/store.h"

namespace fs = std::filesystem;

std::string TemplatePath() {
    return std::string(BRISKEL_SOURCE_DIR) + "/resources/program/Class.xl";
}

std::string MakeTempFolder() {
    // A name nobody holds yet: create_directory fails on one that exists.
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int tries = 0; tries < 100; ++tries) {
        const fs::path folder =
            fs::temp_directory_path() / ("briskel-excel-" + std::to_string(random() % 1000000000));
        std::error_code error;
        if (fs::create_directory(folder, error)) return folder.string();
    }
    return "";
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

OpenSheet::OpenSheet() {
    ok_ = application_.Start() == 0 && book_.Open(TemplatePath()) == 0 && book_.SelectSheet(1) == 0;
}

std::vector<std::string> OpenSheet::Row(int row) const {
    std::vector<std::string> cells;
    for (int c = 1; c <= 53; ++c) cells.push_back(Cell(row, c));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

std::vector<std::string> SavedRow(const std::string& path, int row) {
    WorkbookPackage package;
    std::vector<std::string> cells;
    if (package.Open(path) != 0) return cells;
    for (int c = 1; c <= 53; ++c) cells.push_back(package.CellText(row, c));
    while (!cells.empty() && cells.back().empty()) cells.pop_back();
    return cells;
}

void AddFormulaRow(const std::string& path, const std::vector<std::string>& formulas) {
    std::vector<ZipEntry> entries;
    ASSERT_TRUE(ReadZipEntries(ReadWholeFile(path), entries)) << path;
    std::string row = "<row r=\"3\">";
    for (std::size_t i = 0; i < formulas.size(); ++i)
        row += "<c r=\"" + ColumnLetters(static_cast<int>(i) + 1) + "3\"><f>" + formulas[i] +
               "</f></c>";
    row += "</row>";
    bool added = false;
    for (auto& e : entries) {
        const auto end = e.data.find("</sheetData>");
        if (e.name != "xl/worksheets/sheet1.xml" || end == std::string::npos) continue;
        e.data.insert(end, row);
        added = true;
    }
    ASSERT_TRUE(added) << path;
    std::string bytes;
    ASSERT_TRUE(WriteZipEntries(entries, bytes));
    WriteWholeFile(path, bytes);
}

void LoadDump(const std::vector<uint8_t>& record) {
    std::string digits;
    for (std::size_t i = 0; i < record.size(); i += 2) {
        const unsigned low = record[i];
        const unsigned high = i + 1 < record.size() ? record[i + 1] : 0;
        char word[8];
        std::snprintf(word, sizeof word, "%04X", (high << 8) | low);
        digits += word;
    }
    std::memset(ProgramLink().rep_buf, 0, sizeof ProgramLink().rep_buf);
    std::memcpy(ProgramLink().rep_buf, digits.data(),
                std::min(digits.size(), sizeof ProgramLink().rep_buf - 1));
}

void SetDirectoryTest(int object, int test, int kind, int day, int month, int year) {
    FicTest& t = Director[object].tests[test];
    t.num_objet = object;
    t.num_test = test;
    t.present = 1;
    t.jour = day;
    t.mois = month;
    t.annee = year;
    t.type_mes = kind;
}

void FolderTest::SetUp() {
    folder_ = MakeTempFolder();
    ASSERT_FALSE(folder_.empty());
}

void FolderTest::TearDown() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::string FolderTest::Part(const std::string& path, const std::string& name) const {
    std::vector<ZipEntry> entries;
    EXPECT_TRUE(ReadZipEntries(ReadWholeFile(path), entries));
    for (const auto& e : entries)
        if (e.name == name) return e.data;
    return "";
}
