// The fixture of every test that talks to the instrument: the program fixture
// plus the emulated instrument on a pseudo-terminal, holding the sample memory,
// registered as COM kInstrumentCom of the test's program directory and declared
// there as a USB bridge, with the link's callbacks registered.
#pragma once

#include <ctime>
#include <memory>
#include <string>

#include "emulator.h"
#include "support/app_fixture.h"

class InstrumentFixture : public AppFixture {
   protected:
    static constexpr int kInstrumentCom = 7;
    static constexpr const char* kBridgeSerial = "ZR8812-0000123";
    // The instrument's clock and the sample memory's dates.
    static std::time_t InstrumentClock();

    void SetUp() override;
    void TearDown() override;

    zr8812::Emulator& instrument() { return *instrument_; }
    const std::string& memory_dir() const { return memory_dir_; }
    // Everything the program sent since the last ClearWire(), once the
    // instrument has read all of it.
    std::string Wire() const;
    void ClearWire();

    // Stops the instrument and starts a fresh one with `options` (memory and
    // clock filled in), registered as `com` (0: not registered).
    void RestartInstrument(zr8812::EmulatorOptions options, int com = kInstrumentCom);
    zr8812::EmulatorOptions DefaultOptions() const;

    // Loads the main panel into Fen_princ and its menu bar into `menu`, as
    // start-up does, so dialogs have their parent and menus can be dimmed.
    void LoadMainPanel();
    // Opens the instrument's port as the connection set-up does (no exchange).
    void OpenInstrumentLink();
    // Sets the instrument into command mode and opens the link on it.
    void ConnectInCommandMode();
    // Each chunk on the line, on the instrument's thread, for an instrument
    // started without a monitor of its own.
    virtual void OnWire(const zr8812::WireEvent&) {}

   private:
    std::string memory_dir_;
    std::unique_ptr<zr8812::Emulator> instrument_;
};
