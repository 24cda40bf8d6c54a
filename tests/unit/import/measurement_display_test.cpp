// The import panel's lists and descriptions, and the directory walk they share.
#include "import/measurement_display.h"
#include "import/object_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "store/store.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "support/app_fixture.h"
#include "unit/import/store_fill.h"

namespace {

class DisplayTest : public AppFixture {
   protected:
    void SetUp() override {
        AppFixture::SetUp();
        Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
        ASSERT_GT(Fen_princ[PANEL_IMPORT], 0);
    }
    int Panel() const { return Fen_princ[PANEL_IMPORT]; }

    std::vector<std::string> Rows(int control) {
        int count = 0;
        GetNumListItems(Panel(), control, count);
        std::vector<std::string> rows;
        for (int i = 0; i < count; ++i) {
            std::string label;
            int value = -1;
            GetLabelFromIndex(Panel(), control, i, label);
            GetValueFromIndex(Panel(), control, i, value);
            EXPECT_EQ(value, i) << "row value is its position";
            rows.push_back(label);
        }
        return rows;
    }
    std::string DescriptionText() {
        std::string text;
        GetCtrlVal(Panel(), IMPORT_DESCRIPTION, text);
        return text;
    }
    static bool IsBlank(const std::string& text) {
        return text.find_first_not_of(' ') == std::string::npos;
    }
    int SelectObjectRow(int row) {
        SetCtrlIndex(Panel(), IMPORT_OBJECTS, row);
        return IndexObjet(Panel(), IMPORT_OBJECTS, EVENT_VAL_CHANGED, nullptr, 0, 0);
    }
    int SelectTestRow(int row) {
        SetCtrlIndex(Panel(), IMPORT_TESTS, row);
        return IndexTest(Panel(), IMPORT_TESTS, EVENT_LEFT_CLICK, nullptr, 0, 0);
    }
};

TEST_F(DisplayTest, DescriptionsByLanguage) {
    FicTest test;
    test.type_mes = KIND_CURRENT, test.jour = 5, test.mois = 11, test.annee = 2008;
    const char* expected[] = {"Courant  /  05-11-2008", "Current  /  11-05-2008",
                              "Strom  /  05-11-2008", "Corriente  /  05-11-2008",
                              "Corrente  /  05-11-2008"};
    for (langue = 0; langue < 5; ++langue) EXPECT_EQ(Description(test), expected[langue]);
    langue = 3;
    test.type_mes = KIND_VOLTAGE;
    EXPECT_EQ(Description(test), "Tensión   /  05-11-2008");
    for (int kind : {1, 3, 5, 7}) {
        test.type_mes = kind;
        EXPECT_EQ(Description(test), "  /  05-11-2008");
    }
    langue = 1;
}

TEST_F(DisplayTest, KindNamesInEveryLanguage) {
    for (langue = 0; langue < 5; ++langue) {
        for (int kind : {1, 3, 5, 7, -1, 9, 14}) EXPECT_STREQ(KindName(kind), "");
        EXPECT_STREQ(KindName(KIND_RCD), "RCD");
    }
    langue = 1;
    EXPECT_STREQ(KindName(KIND_LOOP), "Loop");
    EXPECT_STREQ(tab_type[KIND_LOOP], ".l");
    EXPECT_STREQ(liste_mes[KIND_VOLTAGE], "volt");
    EXPECT_EQ(table_type[45], nullptr);
}

TEST_F(DisplayTest, ObjectsWithoutTestsAreNotListedAndRowsSkipThem) {
    AddTest(1, 3, KIND_CURRENT);
    AddTest(1, 12, KIND_LOOP, 1, 2, 2009);
    AddObject(2);  // no tests
    AddTest(5, 0, KIND_RCD);
    EXPECT_EQ(FillObjectList(), 1);
    EXPECT_EQ(Rows(IMPORT_OBJECTS), (std::vector<std::string>{"01", "05"}));
    EXPECT_EQ(std::make_tuple(ObjectOfRow(0), ObjectOfRow(1), ObjectOfRow(2)),
              std::make_tuple(1, 5, -1));
    EXPECT_EQ(std::make_tuple(RowOfObject(5), RowOfObject(2)), std::make_tuple(1, -1));

    SelectObjectRow(1);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"00"}));
    EXPECT_EQ(DescriptionText(), "RCD  /  11-05-2008");
    EXPECT_EQ(GetWaitCursor(), 0);

    SelectObjectRow(0);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"03", "12"}));
    EXPECT_EQ(DescriptionText(), "Current  /  11-05-2008");
    EXPECT_EQ(SelectTestRow(1), 0);
    EXPECT_EQ(DescriptionText(), "Loop  /  02-01-2009");
}

TEST_F(DisplayTest, AnObjectWithoutTestsEmptiesTheListAndBlanksTheDescription) {
    AddTest(4, 1, KIND_EARTH);
    Affiche_data(4);
    ASSERT_EQ(Rows(IMPORT_TESTS).size(), 1u);
    Director[4].nb_test = 0;
    Affiche_data(4);
    EXPECT_TRUE(Rows(IMPORT_TESTS).empty());
    EXPECT_TRUE(IsBlank(DescriptionText()));
}

TEST_F(DisplayTest, TestClicksWithoutASelectedRowDoNothing) {
    AddTest(1, 3, KIND_CURRENT);
    FillObjectList();
    EXPECT_EQ(IndexTest(Panel(), IMPORT_TESTS, EVENT_LEFT_CLICK, nullptr, 0, 0), -1);
    SetCtrlIndex(Panel(), IMPORT_OBJECTS, 0);
    EXPECT_EQ(IndexTest(Panel(), IMPORT_TESTS, EVENT_LEFT_CLICK, nullptr, 0, 0), -1);
    EXPECT_TRUE(IsBlank(DescriptionText()));
    // Events other than value changed and left click are ignored.
    EXPECT_EQ(IndexObjet(Panel(), IMPORT_OBJECTS, EVENT_COMMIT, nullptr, 0, 0), 0);
    EXPECT_TRUE(Rows(IMPORT_TESTS).empty());
}

TEST_F(DisplayTest, WalkCountsOnlyPresentEntriesWithinTheDirectory) {
    AddTest(7, 2, KIND_CURRENT);
    AddTest(7, 40, KIND_VOLTAGE);
    // Stale records of an earlier scan: a reset keeps num_test and type_mes,
    // but a record that is not present is never shown.
    EXPECT_EQ(ZR8812_conf(), 100);
    EXPECT_EQ(std::tie(Director[7].tests[40].num_test, Director[7].tests[40].type_mes,
                       Director[7].present),
              std::make_tuple(40, KIND_VOLTAGE, 0));
    nb_total = 0;
    AddTest(7, 2, KIND_CURRENT);
    EXPECT_EQ(Affiche_data(7), 0);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"02"}));

    // Counts larger than what is present stay within the 100 entries.
    ClearListCtrl(Panel(), IMPORT_TESTS);
    Director[7].nb_test = 100000;
    nb_total = 100000;
    Director[7].tests[99].present = 1;
    Director[7].tests[99].num_test = 99;
    Director[120].present = 1;  // beyond the objects a scan can fill
    Director[120].nb_test = 1;
    Affiche_data(7);
    EXPECT_EQ(Rows(IMPORT_TESTS), (std::vector<std::string>{"02", "99"}));
    std::vector<int> objects;
    ForEachObject([&](int o) { objects.push_back(o); });
    EXPECT_EQ(objects, std::vector<int>{7});
    Director[120] = DirObjet{};

    // nb_test smaller than what is present stops the walk early.
    Director[7].nb_test = 1;
    std::vector<int> tests;
    ForEachTest(7, [&](int t) { tests.push_back(t); });
    EXPECT_EQ(tests, std::vector<int>{2});
    ForEachTest(150, [&](int) { ADD_FAILURE() << "object outside the directory"; });
    ForEachTest(-1, [&](int) { ADD_FAILURE() << "object outside the directory"; });
}

}  // namespace
