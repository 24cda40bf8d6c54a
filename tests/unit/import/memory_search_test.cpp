// The directory and file searches of the memory scan over the sample memory.
#include "import/memory_search.h"

#include <filesystem>
#include <tuple>

#include "link/link_context.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"
#include "support/instrument_fixture.h"

using zr8812::Fault;

namespace {

class MemorySearch : public InstrumentFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        ZR8812_conf();
        flag_stop = 1;
        Fen_princ[PANEL_SCAN] = LoadPanel(0, UIR_FILE, PANEL_SCAN);
        ConnectInCommandMode();
        ClearWire();
    }
    void TearDown() override {
        SetPollHookForTesting(nullptr);
        InstrumentFixture::TearDown();
    }
};

TEST_F(MemorySearch, ObjectsAndTestsOfTheSampleMemoryAreFound) {
    ASSERT_EQ(ZR8812_search_dir(ProgramLink()), 5);
    EXPECT_EQ(nb_total, 5);
    for (int object : {1, 2, 4, 5, 7}) {
        SCOPED_TRACE(object);
        EXPECT_NE(Director[object].present, 0);
        EXPECT_EQ(Director[object].num_objet, object);
    }
    EXPECT_EQ(Director[3].present, 0);
    EXPECT_EQ(std::tie(Director[4].annee, Director[4].mois, Director[4].heure, Director[4].minute),
              std::make_tuple(2008, 11, 12, 0));  // shown with its year

    ASSERT_EQ(ZR8812_search_fil(ProgramLink(), 2), 0);
    EXPECT_EQ(Director[2].nb_test, 9);
    for (int test : {1, 2, 3, 4, 5, 6, 8, 9}) {
        SCOPED_TRACE(test);
        const FicTest& t = Director[2].tests[test];
        EXPECT_NE(t.present, 0);
        EXPECT_EQ(std::tie(t.num_test, t.num_objet, t.type_mes),
                  std::make_tuple(test, 2, KIND_LOOP));
    }
    EXPECT_EQ(Director[2].tests[10].type_mes, 1);  // ".c", a kind without a sheet
    EXPECT_EQ(Director[2].tests[7].present, 0);
    EXPECT_EQ(instrument().current_directory(), "/etc/mem/02");

    ASSERT_EQ(ZR8812_search_fil(ProgramLink(), 5), 0);  // the empty object
    EXPECT_EQ(Director[5].nb_test, 0);
    EXPECT_TRUE(popups().empty());
}

TEST_F(MemorySearch, StopBeforeTheListingSendsNoListing) {
    SetPollHookForTesting([] { SimulateCommit(Fen_princ[PANEL_SCAN], SCAN_STOP); });
    EXPECT_EQ(ZR8812_search_dir(ProgramLink()), 0);
    EXPECT_EQ(flag_stop, 0);
    EXPECT_EQ(nb_total, 0);
    EXPECT_EQ(Wire().find("ls -l"), std::string::npos);
    EXPECT_EQ(ZR8812_search_fil(ProgramLink(), 1), 0);
    EXPECT_EQ(Wire().find("ls -l"), std::string::npos);
}

TEST_F(MemorySearch, EmptyAnswerAsksWhetherToGoOn) {
    // The instrument falls silent once the directory is entered.
    SetPollHookForTesting([this] { instrument().set_fault(Fault::Silent); });
    recorder().QueueButton(VAL_GENERIC_POPUP_BTN2);  // No
    Director[1].nb_test = 42;
    EXPECT_EQ(ZR8812_search_fil(ProgramLink(), 1), 0);
    ASSERT_EQ(popups().size(), 1u);
    EXPECT_EQ(popups()[0].message, "Empty or wrong memory !   Do you want to go on ?\n");
    EXPECT_EQ(Director[1].nb_test, 42);  // left as it was

    recorder().Clear();
    instrument().clear_fault(Fault::Silent);         // the directory is entered again
    recorder().QueueButton(VAL_GENERIC_POPUP_BTN1);  // Yes: list once more
    EXPECT_EQ(ZR8812_search_fil(ProgramLink(), 1), 0);
    EXPECT_EQ(Director[1].nb_test, 0);
}

TEST_F(MemorySearch, ForeignEntryInTheMemoryEndsTheScanWithErrors22And13) {
    // A directory without a two-digit name: the walk runs past "total" looking for it.
    std::filesystem::create_directory(memory_dir() + "/ab");
    EXPECT_EQ(ZR8812_search_dir(ProgramLink()), 0);
    EXPECT_EQ(nb_total, 0);
    ASSERT_EQ(popups().size(), 2u);
    EXPECT_EQ(
        std::tie(popups()[0].title, popups()[0].message, popups()[1].title, popups()[1].message),
        std::make_tuple("Error n° -122", "\n", "Error n° -113", "Empty or wrong memory\n"));
}

TEST_F(MemorySearch, FailedDirectoryChangeFindsNothing) {
    instrument().set_fault(Fault::ErrorAnswer, "cd /etc/mem/");
    EXPECT_EQ(ZR8812_search_dir(ProgramLink()), 0);
    EXPECT_EQ(Wire().find("ls -l"), std::string::npos);
    EXPECT_TRUE(popups().empty());
}

}  // namespace
