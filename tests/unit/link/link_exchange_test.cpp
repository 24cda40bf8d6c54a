// Frames, commands and queries on the wire with the emulated instrument, and
// what each of its faults gives the program.
#include <filesystem>
#include <functional>
#include <tuple>

#include "import/instrument_setup.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "link/commands.h"
#include "link/modbus.h"
#include "link/status_identity.h"
#include "platform/serial/serial.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "support/instrument_fixture.h"
#include "unit/import/dump_text.h"

namespace fs = std::filesystem;
using zr8812::Fault;

namespace {

const std::string kRead25 = ":010300190001E2\r\n";
const std::string kSwitchWrite = ":011001000004085B27E0D41963F8A2";
const std::string kConfirmation = ":010601009E3B";

class LinkExchange : public InstrumentFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        OpenInstrumentLink();
        ClearWire();
    }
    static std::string Nul(const std::string& s) { return s + std::string(1, '\0'); }
};

TEST_F(LinkExchange, ComWriteSendsUpTo51CharactersAndANulByte) {
    const std::string text51(51, 'A');
    EXPECT_EQ(ComWrite(ProgramLink(), text51.c_str()), 1);
    const std::string text60 = std::string(51, 'B') + "CCCCCCCCC";
    EXPECT_EQ(ComWrite(ProgramLink(), text60.c_str()), 1);
    EXPECT_EQ(ComWrite(ProgramLink(), ""), 1);
    // Wait until the instrument has seen it all (its log is read from its thread).
    for (int i = 0; i < 200 && Wire().size() < 105; ++i) Delay(0.1);
    EXPECT_EQ(Wire(), Nul(text51) + Nul(std::string(51, 'B')) + Nul(""));
    CloseCom(kInstrumentCom);
    EXPECT_EQ(ComWrite(ProgramLink(), "x"), RS232_PORT_NOT_OPEN);
}

TEST_F(LinkExchange, SwitchSequenceBringsTheInstrumentIntoCommandMode) {
    EXPECT_EQ(KillModBus(ProgramLink()), 0);
    EXPECT_TRUE(instrument().in_command_mode());
    const std::string wire = Wire();
    EXPECT_NE(wire.find(Nul(kRead25)), std::string::npos);
    EXPECT_NE(wire.find(kSwitchWrite), std::string::npos);
    EXPECT_NE(wire.find(kConfirmation), std::string::npos);
    // Every frame ends with CR LF and the NUL byte.
    EXPECT_EQ(wire.back(), '\0');
    EXPECT_EQ(EssaiCom(ProgramLink(), "\r\n"), 0);
    EXPECT_EQ(ZR8812_init_2(ProgramLink()), 1);
}

TEST_F(LinkExchange, AnswerLineOfTheRegisterReadIsChecked) {
    const int length = DialogModbus(ProgramLink(), 0x03, 25, 1, "");
    EXPECT_EQ(length, 14);  // ":0103020100F9" and its CR
    EXPECT_STREQ(ProgramLink().rep_buf, ":0103020100F9");
}

TEST_F(LinkExchange, InstrumentInCommandModeAnswersWithItsPrompt) {
    instrument().set_command_mode(true);
    EXPECT_EQ(KillModBus(ProgramLink()), COMMAND_MODE);
    EXPECT_EQ(Wire().find(":0110"), std::string::npos);
    EXPECT_EQ(Wire().find(":0106"), std::string::npos);
    EXPECT_EQ(ProgramLink().link_flag, 1);
    EXPECT_EQ(EssaiCom(ProgramLink(), "\r\n"), 0);
}

TEST_F(LinkExchange, ModbusFaultsCloseTheLinkOrEndInError10) {
    struct Row {
        Fault fault;
        bool error10;
    };
    const Row rows[] = {
        {Fault::WrongLrc, false},      {Fault::HighBitInModbus, false}, {Fault::Silent, false},
        {Fault::StopMidAnswer, false}, {Fault::Register25FFFF, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.fault));
        instrument().set_fault(Fault::None);
        instrument().set_fault(row.fault, row.fault == Fault::StopMidAnswer ? "03" : "");
        OpenInstrumentLink();
        ClearWire();
        recorder().Clear();
        // Error 10 is the caller's to tell (the set-up's trace shows it).
        EXPECT_EQ(KillModBus(ProgramLink()), row.error10 ? SWITCH_REGISTER_UNREAD : -1);
        EXPECT_FALSE(instrument().in_command_mode());
        EXPECT_EQ(Wire().find(":0110"), std::string::npos);  // no write ever
        EXPECT_TRUE(popups().empty());
        if (row.error10) {
            // Six reads of register 25: the first and five attempts.
            std::size_t reads = 0;
            for (std::size_t at = Wire().find(kRead25); at != std::string::npos;
                 at = Wire().find(kRead25, at + 1))
                ++reads;
            EXPECT_EQ(reads, 6u);
        } else {
            EXPECT_EQ(ProgramLink().link_flag, 0);
            EXPECT_FALSE(IsComOpen(kInstrumentCom));
        }
    }
}

TEST_F(LinkExchange, SilentInstrumentFailsTheCommandModeTest) {
    instrument().set_fault(Fault::Silent);
    EXPECT_EQ(EssaiCom(ProgramLink(), "\r\n"), -1);
    EXPECT_EQ(ZR8812_init_2(ProgramLink()), -1);
    instrument().set_fault(Fault::None);
    EXPECT_EQ(EssaiCom(ProgramLink(), "\r\n"), -1);  // Modbus mode does not answer a lone CR LF
}

class CommandExchange : public InstrumentFixture {
   protected:
    void SetUp() override {
        InstrumentFixture::SetUp();
        ConnectInCommandMode();
        ClearWire();
    }
};

TEST_F(CommandExchange, DumpDownloadArrivesAsHexDigits) {
    std::vector<uint8_t> bytes(118);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    ASSERT_TRUE(zr8812::write_test(memory_dir(), 3, 12, 'l', bytes, InstrumentClock()));

    ASSERT_EQ(ZR8812_od(ProgramLink(), 3, 12, 4), 0);
    EXPECT_EQ(Wire(), std::string("od -hxv /etc/mem/03/12.l\r\n") + '\0');
    EXPECT_EQ(std::string(ProgramLink().rep_buf), DumpDigitsOf(bytes));
    EXPECT_EQ(std::string(ProgramLink().rep_buf).substr(0, 32).size(), 32u);

    EXPECT_EQ(ZR8812_od(ProgramLink(), 3, 12, 9), -1);
    EXPECT_EQ(ZR8812_od(ProgramLink(), 100, 1, 4), -1);
    EXPECT_EQ(ZR8812_od(ProgramLink(), -1, 1, 4), -1);
}

TEST_F(CommandExchange, CutDumpLeavesNoDigits) {
    std::vector<uint8_t> bytes(118, 0x11);
    ASSERT_TRUE(zr8812::write_test(memory_dir(), 3, 12, 'l', bytes, InstrumentClock()));
    instrument().set_fault(Fault::StopMidAnswer, "od");
    ASSERT_EQ(ZR8812_od(ProgramLink(), 3, 12, 4), 0);
    EXPECT_STREQ(ProgramLink().rep_buf, "");
}

TEST_F(CommandExchange, FileCommandsReportTheInstrumentsErrors) {
    EXPECT_EQ(ZR8812_cd(ProgramLink(), "cd /etc/mem/"), 0);
    EXPECT_EQ(instrument().current_directory(), "/etc/mem");
    EXPECT_EQ(ZR8812_cd(ProgramLink(), "cd /nowhere"), -1);
    EXPECT_EQ(ZR8812_ls(ProgramLink()), 0);
    ZR8812_traduc_reponse(ProgramLink());
    EXPECT_NE(std::string(ProgramLink().rep_buf).find("total"), std::string::npos);
    EXPECT_EQ(ZR8812_StxOn(ProgramLink()), 0);

    ASSERT_TRUE(fs::exists(memory_dir() + "/02/10.c"));
    EXPECT_EQ(ZR8812_delete(ProgramLink(), 2, 10, 1), 0);
    EXPECT_FALSE(fs::exists(memory_dir() + "/02/10.c"));
    EXPECT_EQ(ZR8812_delete(ProgramLink(), 2, 10, 1), -1);  // gone: "rm: Error"
    instrument().set_fault(Fault::ErrorAnswer, "rm");
    EXPECT_EQ(ZR8812_delete(ProgramLink(), 1, 1, 0), -1);  // "rror" even with the prompt
    instrument().set_fault(Fault::None);
    instrument().set_fault(Fault::StopMidAnswer, "rm");
    EXPECT_EQ(ZR8812_delete(ProgramLink(), 1, 2, 0), -1);  // no prompt came back
    instrument().set_fault(Fault::None);
    instrument().set_fault(Fault::Silent);
    EXPECT_EQ(ZR8812_cd(ProgramLink(), "cd /"), RS232_TIMEOUT);
    EXPECT_EQ(ZR8812_ls(ProgramLink()), RS232_TIMEOUT);
    EXPECT_EQ(ZR8812_od(ProgramLink(), 1, 1, 0), RS232_TIMEOUT);
    EXPECT_EQ(ZR8812_StxOn(ProgramLink()), RS232_TIMEOUT);
}

TEST_F(CommandExchange, StatusQueriesAreLoggedAndParsed) {
    ptLog = CVI_OpenFile(ProgramPath("ZR881x_9025.log"), VAL_READ_WRITE, VAL_TRUNCATE);
    ASSERT_GT(ptLog, 0);
    EXPECT_EQ(ZR8812_Stat_Rot(ProgramLink()), SWITCH_SETUP);
    instrument().set_rotary(3);
    EXPECT_EQ(ZR8812_Stat_Rot(ProgramLink()), 3);
    EXPECT_EQ(ZR8812_Stat_Shut(ProgramLink()), 1);
    EXPECT_EQ(ZR8812_shutof(ProgramLink()), 0);
    EXPECT_EQ(instrument().shutof_en(), 0);
    EXPECT_EQ(ZR8812_Stat_Shut(ProgramLink()), 0);
    CVI_CloseFile(ptLog);
    ptLog = 0;
    EXPECT_EQ(ReadProgramFile("ZR881x_9025.log"),
              "btb status.RotPos\r\nposition du commutateur =25\r\n"
              "btb status.RotPos\r\nposition du commutateur =3\r\r\n"
              "btb status.ShutofEn\r\nvaleur du status Shut =1\r\n"
              "btb status.ShutofEn=0\r\nbtb status.ShutofEn\r\n"
              "btb status.ShutofEn\r\nvaleur du status Shut =0\r\n");
    EXPECT_NE(Wire().find(std::string("btb status.ShutofEn=0\r\n") + '\0' +
                          "btb status.ShutofEn\r\n" + '\0'),
              std::string::npos);
    EXPECT_TRUE(popups().empty());
}

TEST_F(CommandExchange, StatusQueriesWithoutAnswerGiveTheSerialCode) {
    instrument().set_fault(Fault::Silent);
    EXPECT_EQ(ZR8812_Stat_Rot(ProgramLink()), RS232_TIMEOUT);
    EXPECT_EQ(ZR8812_Stat_Shut(ProgramLink()), RS232_TIMEOUT);
    EXPECT_EQ(ZR8812_shutof(ProgramLink()), RS232_TIMEOUT);
    CloseCom(kInstrumentCom);
    EXPECT_EQ(ZR8812_shutof(ProgramLink()), RS232_PORT_NOT_OPEN);
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), RS232_PORT_NOT_OPEN);
}

// A command met by silence is sent once more, and only once: one silence
// costs nothing, a second gives the serial library's time-out code.
TEST_F(CommandExchange, ACommandMetBySilenceIsSentOnceMore) {
    const std::tuple<std::string, std::function<int(LinkContext&)>, int> rows[] = {
        {"ls -l", ZR8812_ls, 0},
        {"od -hxv /etc/mem/01/01.a", [](LinkContext& ctx) { return ZR8812_od(ctx, 1, 1, 0); }, 0},
        {"stty ixon", ZR8812_StxOn, 0},
        {"btb status.RotPos", ZR8812_Stat_Rot, SWITCH_SETUP}};  // as every btb query
    for (const auto& [command, run, answered] : rows) {
        for (int silences : {1, 2}) {
            SCOPED_TRACE(command + ", silent " + std::to_string(silences) + " times");
            ClearWire();
            instrument().set_fault(Fault::Silent, command, silences);
            EXPECT_EQ(run(ProgramLink()), silences == 1 ? answered : RS232_TIMEOUT);
            instrument().clear_fault(Fault::Silent);
            const std::string wire = Wire(), line = command + "\r\n" + '\0';
            EXPECT_EQ(std::pair(wire.find(line), wire.rfind(line)), std::pair(0ul, line.size()));
        }
    }
}

TEST_F(CommandExchange, IdentityIsReadAndListed) {
    ASSERT_EQ(ZR8812_Identify(ProgramLink()), 0);
    EXPECT_EQ(
        std::make_tuple(std::string(Mesure.model_name), Mesure.hardware_version,
                        std::string(Mesure.firmware_version), Mesure.serial_number,
                        Mesure.fab_ident, Mesure.sub_ident),
        std::make_tuple(std::string("ZR8812"), 0x12, std::string("1.05"), 123, 0x0101, 0x0002));

    Fen_princ[PANEL_IDENTITY] = LoadPanel(0, UIR_FILE, PANEL_IDENTITY);
    ASSERT_GT(Fen_princ[PANEL_IDENTITY], 0);
    EXPECT_EQ(Affiche_Identity(), 0);
    int count = 0;
    GetNumListItems(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, count);
    ASSERT_EQ(count, 4);
    const char* const expected[4] = {"modele=  ZR8812", "version hardware == 12",
                                     "version firmware == 1.05", "serial number == 0000123"};
    for (int i = 0; i < 4; ++i) {
        std::string label;
        GetLabelFromIndex(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, i, label);
        EXPECT_EQ(label, expected[i]);
        int value = 0;
        GetValueFromIndex(Fen_princ[PANEL_IDENTITY], IDENTITY_LIST, i, value);
        EXPECT_EQ(value, i + 1);
    }

    // Closing the panel forgets the identity: blanks, and the next model keeps them after it.
    InstallPopup(Fen_princ[PANEL_IDENTITY]);
    EXPECT_EQ(SimulateCommit(Fen_princ[PANEL_IDENTITY], IDENTITY_CLOSE), 0);
    EXPECT_FALSE(IsPanelValid(Fen_princ[PANEL_IDENTITY]));
    EXPECT_STREQ(Mesure.model_name, "         ");
    EXPECT_STREQ(Mesure.firmware_version, "         ");
    EXPECT_EQ(Mesure.serial_number, 0);
    ASSERT_EQ(ZR8812_Identify(ProgramLink()), 0);
    EXPECT_STREQ(Mesure.model_name, "ZR8812   ");
}

TEST_F(CommandExchange, IdentityCutBeforeItsLastFieldFails) {
    instrument().set_fault(Fault::StopMidAnswer, "ident");
    EXPECT_EQ(ZR8812_Identify(ProgramLink()), -1);
}

}  // namespace
