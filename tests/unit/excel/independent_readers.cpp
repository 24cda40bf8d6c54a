// The independent readers of excel_test_support.h: independent_readers.py run
// by Debian's python3 (not a user's own Python), which carries openpyxl.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <filesystem>

#include "excel_test_support.h"

namespace {

const char* const SCRIPT = BRISKEL_SOURCE_DIR "/tests/unit/excel/independent_readers.py";

// The script's JSON answer; fails the test when it does not finish well.
QJsonArray RunReader(const QStringList& arguments, int timeoutMs) {
    QProcess python;
    python.start("/usr/bin/python3", QStringList{SCRIPT} + arguments);
    const bool finished = python.waitForFinished(timeoutMs);
    if (!finished) python.kill(), python.waitForFinished();
    const QByteArray out = python.readAllStandardOutput();
    EXPECT_TRUE(finished && python.exitStatus() == QProcess::NormalExit && python.exitCode() == 0)
        << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(out).array();
}

QStringList Paths(const std::vector<std::string>& paths) {
    QStringList list;
    for (const auto& p : paths) list << QString::fromStdString(p);
    return list;
}

template <typename Cell>
void DropEmptyTail(std::vector<Cell>& cells, bool (*empty)(const Cell&)) {
    while (!cells.empty() && empty(cells.back())) cells.pop_back();
}

}  // namespace

std::vector<std::vector<std::vector<ReadCell>>> ReadCellsWithOpenpyxl(
    const std::vector<std::string>& paths) {
    std::vector<std::vector<std::vector<ReadCell>>> books;
    for (const auto& book : RunReader(QStringList{"openpyxl"} + Paths(paths), 60000)) {
        std::vector<std::vector<ReadCell>> rows;
        for (const auto& row : book.toArray()) {
            std::vector<ReadCell> cells;
            for (const auto& cell : row.toArray()) {
                const QJsonArray c = cell.toArray();
                cells.push_back({c[0].toString().toStdString(), c[1].toString().toStdString(),
                                 c[2].toString().toStdString()});
            }
            DropEmptyTail<ReadCell>(cells, [](const ReadCell& c) { return c.kind.empty(); });
            rows.push_back(cells);
        }
        books.push_back(rows);
    }
    return books;
}

std::vector<std::vector<std::vector<std::string>>> ReadWithOpenpyxl(
    const std::vector<std::string>& paths) {
    std::vector<std::vector<std::vector<std::string>>> books;
    for (const auto& book : ReadCellsWithOpenpyxl(paths)) {
        std::vector<std::vector<std::string>> rows;
        for (std::size_t r = 0; r < book.size() && r < 2; ++r) {
            std::vector<std::string> cells;
            for (const auto& cell : book[r]) cells.push_back(cell.shown);
            DropEmptyTail<std::string>(cells, [](const std::string& c) { return c.empty(); });
            rows.push_back(cells);
        }
        books.push_back(rows);
    }
    return books;
}

std::vector<std::vector<std::string>> ReadWithOpenpyxl(const std::string& path) {
    auto books = ReadWithOpenpyxl(std::vector<std::string>{path});
    return books.empty() ? std::vector<std::vector<std::string>>{} : books[0];
}

std::vector<std::vector<std::vector<std::string>>> ReadWithLibreOffice(
    const std::vector<std::string>& paths) {
    const std::string work = MakeTempFolder();
    std::vector<std::vector<std::vector<std::string>>> books;
    for (const auto& book : RunReader(
             QStringList{"libreoffice", QString::fromStdString(work)} + Paths(paths), 100000)) {
        std::vector<std::vector<std::string>> rows;
        for (const auto& row : book.toArray()) {
            std::vector<std::string> cells;
            for (const auto& cell : row.toArray()) cells.push_back(cell.toString().toStdString());
            rows.push_back(cells);
        }
        books.push_back(rows);
    }
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
    return books;
}

std::vector<ReadSheet> ReadSheetsWithOpenpyxl(const std::string& path) {
    std::vector<ReadSheet> sheets;
    for (const auto& value : RunReader({"summary", QString::fromStdString(path)}, 60000)) {
        const QJsonObject object = value.toObject();
        ReadSheet sheet;
        sheet.name = object["name"].toString().toStdString();
        sheet.freeze = object["freeze"].toString().toStdString();
        sheet.filter = object["filter"].toString().toStdString();
        for (const auto& row : object["rows"].toArray()) {
            std::vector<ReadCell> cells;
            std::vector<double> numbers;
            for (const auto& cell : row.toArray()) {
                const QJsonArray c = cell.toArray();
                cells.push_back({c[0].toString().toStdString(), c[1].toString().toStdString(),
                                 c[2].toString().toStdString()});
                numbers.push_back(c[3].isDouble() ? c[3].toDouble() : 0);
            }
            sheet.rows.push_back(cells);
            sheet.numbers.push_back(numbers);
        }
        const QJsonObject links = object["links"].toObject();
        for (auto it = links.begin(); it != links.end(); ++it)
            sheet.links[it.key().toStdString()] = it.value().toString().toStdString();
        const QJsonObject widths = object["widths"].toObject();
        for (auto it = widths.begin(); it != widths.end(); ++it)
            sheet.widths[it.key().toStdString()] = it.value().toDouble();
        sheets.push_back(sheet);
    }
    return sheets;
}

std::vector<std::vector<std::vector<std::string>>> ReadSheetsWithLibreOffice(
    const std::string& path) {
    const std::string work = MakeTempFolder();
    std::vector<std::vector<std::vector<std::string>>> sheets;
    for (const auto& sheet : RunReader(
             {"libreoffice-sheets", QString::fromStdString(work), QString::fromStdString(path)},
             100000)) {
        std::vector<std::vector<std::string>> rows;
        for (const auto& row : sheet.toArray()) {
            std::vector<std::string> cells;
            for (const auto& cell : row.toArray()) cells.push_back(cell.toString().toStdString());
            rows.push_back(cells);
        }
        sheets.push_back(rows);
    }
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
    return sheets;
}

std::vector<std::vector<PrintedPage>> PrintWithLibreOffice(const std::vector<std::string>& paths) {
    const std::string work = MakeTempFolder();
    std::vector<std::vector<PrintedPage>> books;
    for (const auto& book : RunReader(
             QStringList{"libreoffice-pdf", QString::fromStdString(work)} + Paths(paths), 100000)) {
        books.emplace_back();
        for (const auto& value : book.toArray()) {
            const QJsonArray p = value.toArray();
            books.back().push_back({p[0].toString().toStdString(), p[1].toDouble(),
                                    p[2].toString().toStdString(), p[3].toString().toStdString(),
                                    p[4].toString().toStdString()});
        }
    }
    std::error_code ec;
    std::filesystem::remove_all(work, ec);
    return books;
}
