// The cells of a test's sheet through the slot texts (the readers fill the
// slots, the layouts read them back) and through its typed record (decoded,
// then laid out by SheetCells) are the same, for every record of the dump
// fuzz corpus and for thousands of random records.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "excel/registration.h"
#include "excel/sheet_cells.h"
#include "excel/test_workbook.h"
#include "import/record_decoding.h"
#include "import/registration.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "shell/globals.h"
#include "store/store.h"

namespace {

using Sheet = std::map<std::pair<int, int>, std::string>;
constexpr int OBJECT = 5, TEST = 12;

Sheet ThroughSlots(int kind) {
    switch (kind) {
        case KIND_CURRENT:
            Lecture_courant();
            break;
        case KIND_EARTH:
            Lecture_Terre();
            break;
        case KIND_LOOP:
            Lecture_loop();
            break;
        case KIND_RCD:
            Lecture_rcd();
            break;
        default:
            Lecture_tension();
            break;
    }
    ForgetWrittenRows();
    WriteKindRows(OBJECT, TEST, kind);
    Sheet sheet;
    for (int row : {TITLE_ROW, VALUE_ROW})
        for (const auto& [column, text] : WrittenRow(row)) sheet[{row, column}] = text;
    return sheet;
}

Sheet ThroughRecord(int kind) {
    const std::string_view digits = DownloadedDigits();
    MeasuredRecord record;
    switch (kind) {
        case KIND_CURRENT:
            record = DecodeAmp(digits);
            break;
        case KIND_EARTH:
            record = DecodeEarth(digits);
            break;
        case KIND_LOOP:
            record = DecodeLoop(digits);
            break;
        case KIND_RCD:
            record = DecodeRcd(digits);
            break;
        default:
            record = DecodeVolt(digits);
            break;
    }
    Sheet sheet;
    for (const Cell& cell : SheetCells(OBJECT, TEST, record))
        sheet[{cell.row, cell.column}] = cell.text;
    return sheet;
}

class ValuePaths : public ::testing::Test {
   protected:
    void SetUp() override {
        ResetImportStateForTesting();
        ResetExcelStateForTesting();
        langue = 1;
        FicTest& t = Director[OBJECT].tests[TEST];
        t.mois = 7, t.jour = 3, t.annee = 2012, t.num_objet = OBJECT, t.num_test = TEST;
    }
    void TearDown() override {
        ResetImportStateForTesting();
        ResetExcelStateForTesting();
    }
    // Both paths over the digits in rep_buf, for every kind they hold.
    void Compare(const std::string& what) {
        for (int kind : {KIND_CURRENT, KIND_EARTH, KIND_LOOP, KIND_RCD, KIND_VOLTAGE}) {
            if (!DumpHoldsRecord(kind, DownloadedDigits())) continue;
            ++records_;
            const Sheet slots = ThroughSlots(kind), typed = ThroughRecord(kind);
            for (const auto& [cell, text] : slots) {
                const auto other = typed.find(cell);
                if (other == typed.end() || other->second != text) {
                    ++differing_;
                    ADD_FAILURE() << what << " kind " << kind << " cell " << cell.first << ","
                                  << cell.second << ": '" << text << "' against '"
                                  << (other == typed.end() ? "(none)" : other->second) << "'";
                }
            }
            for (const auto& [cell, text] : typed)
                if (slots.count(cell) == 0) ++differing_, ADD_FAILURE() << what << " extra cell";
        }
    }
    int records_ = 0;
    int differing_ = 0;
};

TEST_F(ValuePaths, EveryCorpusAndRandomRecordGivesTheSameCells) {
    const std::filesystem::path corpus =
        std::filesystem::path(BRISKEL_SOURCE_DIR) / "tests/fuzz/corpus/dump_record";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string answer((std::istreambuf_iterator<char>(in)), {});
        std::memset(rep_buf, 0, REP_BUF_SIZE);
        TranslateDump(answer.data(), answer.size(), rep_buf, REP_BUF_SIZE);
        Compare(entry.path().filename().string());
        ++files;
    }
    ASSERT_GT(files, 0);
    // Random digits make every float: zeros, denormals, infinities, NaNs, and
    // every byte a selector may hold.
    std::mt19937 random(8812);
    for (int i = 0; i < 1000; ++i) {
        std::memset(rep_buf, 0, REP_BUF_SIZE);
        for (int d = 0; d < 300; ++d) rep_buf[d] = "0123456789ABCDEF"[random() % 16];
        // Every other record a loop function with a layout and a small RCD
        // validity code, which uniform digits seldom give.
        if (i % 2 == 0) rep_buf[0] = '0', rep_buf[1] = static_cast<char>('0' + random() % 4);
        Compare("random " + std::to_string(i));
    }
    std::printf("%d records, %d differing cells\n", records_, differing_);
    EXPECT_EQ(differing_, 0);
}

}  // namespace
