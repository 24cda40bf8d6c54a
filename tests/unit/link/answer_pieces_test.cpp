// Answers that arrive in pieces with pauses, as a busy instrument or a USB
// bridge delivers them: every exchange ends when its answer is complete, so
// what the parsers get is what they get from an answer in one piece; a pause
// longer than the time-out ends the read as a failure.
#include <QTimer>
#include <cstring>
#include <string>
#include <vector>

#include "link/answer_filter.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/modbus.h"
#include "link/status_identity.h"
#include "platform/system/system.h"
#include "records.h"
#include "shell/globals.h"
#include "store/store.h"
#include "support/instrument_fixture.h"

namespace {

int KindOf(char letter) {
    return static_cast<int>(std::string(".a.c.e.k.l.m.r.p.v").find(letter)) / 2;
}

std::string TwoDigits(int n) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

class AnswerPieces : public InstrumentFixture {
   protected:
    // Every listing, dump, identity and status the program reads from the
    // sample memory, each labelled with what was asked.
    std::vector<std::string> ReadEverything() {
        std::vector<std::string> seen;
        auto listing = [&](const std::string& folder) {
            const int cd = ZR8812_cd(ProgramLink(), ("cd " + folder).c_str());
            const int ls = ZR8812_ls(ProgramLink());
            ZR8812_traduc_reponse(ProgramLink());
            seen.push_back(folder + " " + std::to_string(cd) + std::to_string(ls) + " " +
                           ProgramLink().rep_buf);
        };
        listing("/etc/mem/");
        for (const auto& object : zr8812::sample_objects(InstrumentClock()))
            listing("/etc/mem/" + TwoDigits(object.object) + "/");
        for (const auto& test : zr8812::sample_tests(InstrumentClock())) {
            const int status =
                ZR8812_od(ProgramLink(), test.object, test.test, KindOf(test.kind_letter));
            seen.push_back("od " + test.file_name() + " " + std::to_string(status) + " " +
                           ProgramLink().rep_buf);
        }
        const int identified = ZR8812_Identify(ProgramLink());
        seen.push_back("ident " + std::to_string(identified) + " " + Mesure.model_name + " " +
                       std::to_string(Mesure.hardware_version) + " " + Mesure.firmware_version +
                       " " + std::to_string(Mesure.serial_number) + " " +
                       std::to_string(Mesure.fab_ident) + " " + std::to_string(Mesure.sub_ident));
        seen.push_back("rotary " + std::to_string(ZR8812_Stat_Rot(ProgramLink())));
        seen.push_back("shut " + std::to_string(ZR8812_Stat_Shut(ProgramLink())));
        return seen;
    }

    // The instrument in command mode, answering in pieces with pauses of up to
    // 1.5 s (in the test time scale, as the program's 3 s time-out).
    void AnswerInPieces(int seed) {
        zr8812::EmulatorOptions options = DefaultOptions();
        options.start_in_command_mode = true;
        options.pieces.on = true;
        options.pieces.seed = seed;
        options.pieces.max_pause = 1.5 * TimeScale();
        RestartInstrument(options);
        OpenInstrumentLink();
    }
};

TEST_F(AnswerPieces, EveryListingDumpAndIdentityReadsAsInOnePiece) {
    ConnectInCommandMode();
    const std::vector<std::string> whole = ReadEverything();
    ASSERT_EQ(whole.size(), 1 + zr8812::sample_objects(InstrumentClock()).size() +
                                zr8812::sample_tests(InstrumentClock()).size() + 3);
    // Guard against two equally empty transcripts.
    EXPECT_NE(whole.front().find("total"), std::string::npos);
    EXPECT_EQ(whole[whole.size() - 3], "ident 0 ZR8812 18 1.05 123 257 2");
    EXPECT_EQ(whole[whole.size() - 2], "rotary 25");

    // Some 300 pieces: prompts split across two of them, and dumps whose
    // pauses add up to more than the time-out.
    std::memset(&Mesure.model_name, 0, sizeof Mesure.model_name);
    AnswerInPieces(1);
    const std::vector<std::string> pieces = ReadEverything();
    ASSERT_EQ(pieces.size(), whole.size());
    for (std::size_t i = 0; i < whole.size(); ++i) EXPECT_EQ(pieces[i], whole[i]);
}

TEST_F(AnswerPieces, TheSwitchToCommandModeWorksInPieces) {
    zr8812::EmulatorOptions options = DefaultOptions();
    options.pieces.on = true;
    options.pieces.seed = 4;
    options.pieces.max_piece = 5;  // every Modbus line in several pieces
    options.pieces.max_pause = 1.5 * TimeScale();
    RestartInstrument(options);
    OpenInstrumentLink();
    EXPECT_EQ(KillModBus(ProgramLink()), 0);
    EXPECT_TRUE(instrument().in_command_mode());
    EXPECT_EQ(EssaiCom(ProgramLink(), "\r\n"), 0);
    EXPECT_EQ(KillModBus(ProgramLink()), COMMAND_MODE);  // its prompt, in pieces too
}

// The tail of an earlier answer that arrives after the flush holds a prompt of
// its own: it must not end the next answer.
TEST_F(AnswerPieces, ATrailingEarlierAnswerDoesNotEndTheNextOne) {
    AnswerInPieces(3);
    ASSERT_EQ(ComWrite(ProgramLink(), "btb status.RotPos\r\n"), 1);  // its answer is never read
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), 0);
    EXPECT_EQ(std::string(Mesure.model_name), "ZR8812");
    EXPECT_EQ(Mesure.sub_ident, 2);
    ASSERT_EQ(ComWrite(ProgramLink(), "ident\r\n"), 1);
    EXPECT_EQ(ZR8812_ls(ProgramLink()), 0);
    ZR8812_traduc_reponse(ProgramLink());
    EXPECT_EQ(std::string(ProgramLink().rep_buf).rfind("ls-l", 0), 0u);
    EXPECT_NE(std::string(ProgramLink().rep_buf).find("total"), std::string::npos);
}

TEST_F(AnswerPieces, APauseBeyondTheTimeOutEndsTheReadAsAFailure) {
    ConnectInCommandMode();
    // Far beyond the 3 s; the rest of the answer comes after the wait below
    // and is dropped by the next exchange.
    const double pause = 10.0;
    instrument().stall_next_answer(pause * TimeScale());
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), -1);
    Delay(pause + 4.0);
    instrument().stall_next_answer(pause * TimeScale());
    EXPECT_EQ(ZR8812_od(ProgramLink(), 1, 1, KIND_CURRENT), 0);  // bytes came, but no prompt:
    EXPECT_EQ(ProgramLink().rep_buf[0], '\0');  // no digit is taken from the cut dump
    Delay(pause + 4.0);
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), 0);
    EXPECT_EQ(ZR8812_od(ProgramLink(), 1, 1, KIND_CURRENT), 0);
    EXPECT_GT(std::string(ProgramLink().rep_buf).size(), 90u);
}

TEST_F(AnswerPieces, TheWindowKeepsRepaintingWhileAnExchangeWaits) {
    ConnectInCommandMode();
    int ticks = 0;
    QTimer timer;
    timer.setInterval(2);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start();
    instrument().stall_next_answer(1.5 * TimeScale());  // waited for: below the time-out
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), 0);
    EXPECT_EQ(Mesure.sub_ident, 2);
    EXPECT_GT(ticks, 0);
}

// ---- Where an answer ends -----------------------------------------------------

TEST(AnswerEnd, APromptEndsTheAnswerOnlyAsTheLastLineAfterTheEcho) {
    const struct {
        const char* text;
        std::size_t from;
        bool ends;
    } rows[] = {
        {"ls -l\r\ntotal 0\r\nkorvid:/etc/mem$ ", 5, true},
        {"korvid:/$ ", 0, true},
        {"x\nKORVID:/$ ", 0, true},               // case is ignored
        {"ls -l\r\nprice $ ", 5, false},          // a "$" in the data
        {"ls -l\r\nkorvid file\r\n", 5, false},   // the model code in the data
        {"ls -l\r\nkorvid:/etc/mem$", 5, false},  // the closing blank not yet there
        {"korvid:/$ ls -l\r\n", 0, false},        // a prompt before the echo's answer
        {"korvid:/$ ", 3, false},                 // the prompt line starts before `from`
        {"ls -l\r\n0000000 6b6f 7276 6964 $ ", 5, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(EndsWithPrompt(row.text, std::strlen(row.text), row.from), row.ends);
    }
}

TEST(AnswerEnd, AModbusAnswerIsTakenAsTheLineOrUpToThePrompt) {
    std::memset(ProgramLink().reponse, 0, 1000);
    const std::string line = std::string("\0", 1) + ":010302010019\r\n";
    EXPECT_EQ(ComReadTemp(ProgramLink(), line.data(), line.size(), 515), 1);
    EXPECT_STREQ(ProgramLink().reponse, ":010302010019\r\n");

    std::memset(ProgramLink().reponse, 0, 1000);
    const std::string prompt = "sh: x: Error: not found\r\nkorvid:/$ ";
    EXPECT_EQ(ComReadTemp(ProgramLink(), prompt.data(), prompt.size(), 515), 1);
    EXPECT_STREQ(ProgramLink().reponse, "sh: x: Error: not found\r\nkorvid:/$");

    const std::string cut = "sh: x: Err";
    EXPECT_EQ(ComReadTemp(ProgramLink(), cut.data(), cut.size(), 515),
              -1);  // silence before the end
    const std::string high = ":0103\x82";
    EXPECT_EQ(ComReadTemp(ProgramLink(), high.data(), high.size(), 515), -1);
    EXPECT_EQ(ComReadTemp(ProgramLink(), "", 0, 515), -1);
}

}  // namespace
