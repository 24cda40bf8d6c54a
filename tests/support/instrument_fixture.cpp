#include "support/instrument_fixture.h"

#include <algorithm>
#include <filesystem>

#include "import/registration.h"
#include "link/com_port.h"
#include "link/registration.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"

std::time_t InstrumentFixture::InstrumentClock() {
    return 1775000000;  // 2026-03-31 23:33:20 UTC, a fixed instrument clock
}

zr8812::EmulatorOptions InstrumentFixture::DefaultOptions() const {
    zr8812::EmulatorOptions options;
    options.memory_dir = memory_dir_;
    options.fixed_clock = InstrumentClock();
    // After the first probe has given up (0.1 s at the least), and within the
    // time-out of the switch sequence's first read that follows it.
    options.late_answer_seconds = std::max(1.0 * TimeScale(), 0.175);
    return options;
}

void InstrumentFixture::SetUp() {
    AppFixture::SetUp();
    // Serial time-outs of 3 s become 150 ms: short, yet far above the
    // in-process instrument's answer time on a loaded machine.
    SetTimeScale(0.05);
    memory_dir_ = program_dir() + "/instrument-memory";
    ASSERT_TRUE(zr8812::make_sample_memory(memory_dir_, InstrumentClock()));
    RegisterLinkSubsystem();
    RegisterImportSubsystem();  // the Setup menu and the start-up connection
    RestartInstrument(DefaultOptions());
}

void InstrumentFixture::RestartInstrument(zr8812::EmulatorOptions options, int com) {
    if (instrument_) instrument_->stop();
    options.memory_dir = memory_dir_;
    if (options.fixed_clock == 0) options.fixed_clock = InstrumentClock();
    if (!options.monitor) options.monitor = [this](const zr8812::WireEvent& e) { OnWire(e); };
    instrument_ = std::make_unique<zr8812::Emulator>(options);
    ASSERT_TRUE(instrument_->start());
    if (com > 0) {
        ASSERT_TRUE(instrument_->register_com(program_dir(), com, kBridgeSerial));
    }
}

void InstrumentFixture::TearDown() {
    ResetLinkStateForTesting();  // the port closes before the instrument goes
    if (instrument_) instrument_->stop();
    instrument_.reset();
    AppFixture::TearDown();
}

std::string InstrumentFixture::Wire() const {
    // The instrument reads on its own thread: wait until what it received has
    // not grown for three looks in a row (about 60 ms), two seconds at most.
    std::string wire = instrument_->received();
    int unchanged = 0;
    for (int i = 0; i < 100 && unchanged < 3; ++i) {
        Delay(0.4);
        std::string again = instrument_->received();
        unchanged = again == wire ? unchanged + 1 : 0;
        wire = std::move(again);
    }
    return wire;
}

void InstrumentFixture::ClearWire() {
    Wire();
    instrument_->clear_log();
}

void InstrumentFixture::LoadMainPanel() {
    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
}

void InstrumentFixture::OpenInstrumentLink() {
    ASSERT_EQ(OpenInstrumentPort(ProgramLink(), kInstrumentCom), 0);
    ProgramLink().link_flag = 1;
}

void InstrumentFixture::ConnectInCommandMode() {
    instrument().set_command_mode(true);
    OpenInstrumentLink();
}
