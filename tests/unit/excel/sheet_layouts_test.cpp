// The sheet layouts beyond what the sample memory's export shows: the title
// rows of every layout, the texts the implementer chose (an unknown clamp, a
// trip-select loop, kilovolts), the labels in every language and the bounds of
// the identification cells. Records are built as the instrument stores them
// and decoded by the readers.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "excel/current_earth_sheets.h"
#include "excel/loop_sheets.h"
#include "excel/registration.h"
#include "excel/sheet_cells.h"
#include "excel/test_workbook.h"
#include "excel/voltage_rcd_sheets.h"
#include "excel_test_support.h"
#include "import/record_decoding.h"
#include "records.h"
#include "shell/globals.h"
#include "store/store.h"

using Texts = std::vector<std::string>;

namespace {

Texts AfterBlankIdentification(const Texts& titles) {
    Texts row = {"", "", ""};
    row.insert(row.end(), titles.begin(), titles.end());
    return row;
}

void WriteIdentification(Workbook& book, int object, int test) {
    Cells cells;
    AddIdentificationCells(cells, object, test);
    WriteCells(book, cells);
}

class SheetLayouts : public ::testing::Test {
   protected:
    void SetUp() override {
        ResetExcelStateForTesting();
        langue = 1;
        SetDirectoryTest(5, 12, KIND_LOOP);
        sheet_ = std::make_unique<OpenSheet>();
        ASSERT_TRUE(sheet_->ok());
    }
    void TearDown() override {
        sheet_.reset();
        ResetExcelStateForTesting();
        langue = 1;
    }
    // A new copy of the template, for a layout narrower than the one before.
    void FreshSheet() {
        sheet_.reset();
        sheet_ = std::make_unique<OpenSheet>();
        ASSERT_TRUE(sheet_->ok());
    }
    Texts Titles() const { return sheet_->Row(TITLE_ROW); }
    Texts Values() const { return sheet_->Row(VALUE_ROW); }
    std::unique_ptr<OpenSheet> sheet_;
};

}  // namespace

// ---- Titles ----

TEST_F(SheetLayouts, EveryLayoutHasItsTitleRow) {
    const Texts loopFull = {"MeasType", "Z-LN",  "unit",  "R-LN",  "unit",   "L-LN", "unit",
                            "Z-LPE",    "unit",  "R-LPE", "unit",  "L-LPE",  "unit", "Z-NPE",
                            "unit",     "R-NPE", "unit",  "L-NPE", "unit",   "V-LN", "unit",
                            "V-LPE",    "unit",  "V-NPE", "unit",  "Smooth", "Freq", "unit"};
    const Texts earthLoopFull = {"MeasType", "Z e",  "unit", "R e",    "unit",  "L e",  "unit",
                                 "R p",      "unit", "V-LN", "unit",   "V-LPE", "unit", "V-NPE",
                                 "unit",     "V p",  "unit", "Smooth", "Freq",  "unit"};
    Texts earthLoopShort = earthLoopFull;
    earthLoopShort.erase(earthLoopShort.begin() + 5, earthLoopShort.begin() + 7);
    const struct {
        const char* what;
        void (*add)(Cells&);
        Texts titles;
    } layouts[] = {
        {"current",
         MAJ_enteteExcel_courant,
         {"Current", "unit", "Smooth", "Freq", "unit", "Clamp type", "Vbatt", "unit", "Temp.",
          "unit"}},
        {"earth",
         MAJ_enteteExcel_Terre,
         {"MeasType", "Re", "unit", "Rs", "unit", "Rh", "unit", "Smooth"}},
        {"loop full", [](Cells& c) { MAJ_enteteExcel_Loop(c, LOOP_FULL); }, loopFull},
        {"loop short",
         [](Cells& c) { MAJ_enteteExcel_Loop(c, LOOP_SHORT); },
         {"MeasType", "Z-LPE", "unit", "R-LPE", "unit", "L-LPE", "unit", "V-LPE", "unit", "Smooth",
          "Freq", "unit"}},
        {"earth loop full", [](Cells& c) { MAJ_enteteExcel_Loop_REarth(c, LOOP_FULL); },
         earthLoopFull},
        {"earth loop short", [](Cells& c) { MAJ_enteteExcel_Loop_REarth(c, LOOP_SHORT); },
         earthLoopShort},
        {"RCD",
         MAJ_enteteExcel_RCD,
         {"MeasType", "Wave", "Start", "Rated current", "unit", "Meas current", "unit", "Time",
          "unit"}},
        {"voltage",
         MAJ_enteteExcel_Tension,
         {"MeasType", "V-LN", "unit", "V-LPE", "unit", "V-NPE", "unit", "Smooth", "Freq", "unit",
          "Rod Resist", "unit", "Vbatt", "unit", "Temp.", "unit"}},
    };
    for (const auto& layout : layouts) {
        FreshSheet();
        Cells cells;
        layout.add(cells);
        WriteCells(sheet_->book(), cells);
        EXPECT_EQ(Titles(), AfterBlankIdentification(layout.titles)) << layout.what;
    }
}

// ---- Texts the layouts leave to us ----

TEST_F(SheetLayouts, AnUnknownClampShowsItsCode) {
    LoadDump(zr8812::build_current({.current_mA = 999.4f, .clamp_type = 7}));
    WriteKindRows(sheet_->book(), 5, 12, Lecture_courant());
    const Texts row = Values();
    ASSERT_EQ(row.size(), 13u);
    EXPECT_EQ(row[3], "0.999");
    EXPECT_EQ(row[8], "code 7");
}

TEST_F(SheetLayouts, ATripSelectLoopIsLabelledAndShownAsATrip) {
    LoadDump(zr8812::build_loop({.function = 0, .z_npe = 0.8f, .l_npe = 0.3f, .trip_select = 1}));
    const LoopRecord loop = Lecture_loop();
    ASSERT_EQ(TripMode(loop), 2);
    WriteCells(sheet_->book(), LoopCells(loop));
    const Texts row = Values();
    ASSERT_EQ(row.size(), 31u);
    EXPECT_EQ(row[3], "ZLOOP Trip Select.");
    EXPECT_EQ(row[16], "0.800");  // Z-NPE, measured when the device trips
    EXPECT_EQ(row[20], "0.3");    // L-NPE
}

TEST_F(SheetLayouts, LineInductanceIsDashedAboveFifteenOhms) {
    for (auto [ohms, inductance, unitText] :
         {std::tuple{15.0f, "0.5", " mH "}, {15.01f, " --- ", " --- "}}) {
        LoadDump(zr8812::build_loop({.z_ln = ohms, .l_ln = 0.5f}));
        WriteCells(sheet_->book(), LoopCells(Lecture_loop()));
        EXPECT_EQ(sheet_->Cell(VALUE_ROW, 9), inductance) << ohms;
        EXPECT_EQ(sheet_->Cell(VALUE_ROW, 10), unitText) << ohms;
    }
}

TEST_F(SheetLayouts, RcdLabelsWithoutAKnownModeOrMultiplier) {
    for (auto [mode, multiplier, label] :
         {std::tuple{2, 7, "RCD Trip Pulse"}, {1, 250, "RCD Trip Slope"}, {0, 5, ""}, {3, 2, ""}}) {
        LoadDump(zr8812::build_rcd({.multiplier = static_cast<uint8_t>(multiplier),
                                    .test_mode = static_cast<uint8_t>(mode)}));
        WriteKindRows(sheet_->book(), 5, 12, Lecture_rcd());
        EXPECT_EQ(sheet_->Cell(VALUE_ROW, 4), label) << mode << " " << multiplier;
    }
}

TEST_F(SheetLayouts, VoltagesFromAThousandVoltsAreShownInKilovolts) {
    LoadDump(zr8812::build_voltage({.v_ln_mV = 230400, .v_lpe_mV = 999000, .v_npe_mV = 1200000}));
    WriteKindRows(sheet_->book(), 5, 12, Lecture_tension());
    const Texts row = Values();
    ASSERT_GE(row.size(), 10u);
    EXPECT_EQ(Texts(row.begin() + 4, row.begin() + 10),
              (Texts{"230.4", "V", "999.0", "V", "1.200", "kV"}));

    LoadDump(zr8812::build_loop({.function = 2, .v_ln = 1500}));
    WriteCells(sheet_->book(), LoopCells(Lecture_loop()));
    EXPECT_EQ(sheet_->Cell(VALUE_ROW, 13), "1.500");
    EXPECT_EQ(sheet_->Cell(VALUE_ROW, 14), "kV");
}

TEST_F(SheetLayouts, DateAndVoltageLabelInEveryLanguage) {
    const char* const labels[] = {"Tension ", "Voltage ", "Spannung", "Tensión ", "Tensione"};
    for (int l = 0; l < 5; ++l) {
        langue = l;
        WriteKindRows(sheet_->book(), 5, 12, VoltRecord{});
        const Texts row = Values();
        ASSERT_GE(row.size(), 4u);
        EXPECT_EQ(row[0], "03/07/2012") << l;
        EXPECT_EQ(row[3], labels[l]) << l;
    }
}

TEST_F(SheetLayouts, IdentificationCellsStayInsideTheDirectory) {
    Director[99].tests[99] = FicTest{};
    SetDirectoryTest(99, 99, KIND_VOLTAGE, 31, 12, 1999);
    WriteIdentification(sheet_->book(), 99, 99);
    EXPECT_EQ(Values(), (Texts{"12/31/1999", "99", "99"}));
    for (auto [object, test] : {std::pair{-1, 0}, {0, -1}, {100, 0}, {0, 100}}) {
        WriteIdentification(sheet_->book(), object, test);
        EXPECT_TRUE(Values().empty()) << object << "/" << test;
    }
}
