// The import panel, the export panel and the main menu over an emulated
// instrument whose memory each test writes itself.
#pragma once

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "emulator.h"
#include "export/export_loop.h"
#include "support/app_fixture.h"

// One call of the stand-in sheet writer.
struct SheetCall {
    int object, test, kind;
    std::string slot1;  // the text of the record's first value (current, Re, V-LN...)
    bool operator==(const SheetCall&) const = default;
};

class ImportFlowTest : public AppFixture {
   protected:
    static constexpr int kCom = 7;

    void SetUp() override;
    void TearDown() override;

    // Test files of the instrument's memory, written before StartInstrument.
    void AddFile(int object, int test, char kind, std::time_t when);
    void AddEmptyObject(int object, std::time_t when);
    // The emulator's sample memory, dated for the clock `now`.
    void UseSampleMemory(std::time_t now);
    bool FileOnInstrument(int object, const std::string& name) const;
    // Starts the instrument in command mode on kCom and opens the link; its
    // clock is `clock`, or the system's when 0.
    void StartInstrument(std::time_t clock = 0);
    // The same memory on an instrument started afresh with the clock `clock`.
    void RestartInstrument(std::time_t clock);
    zr8812::Emulator& instrument() { return *emulator_; }

    // File, Import/Export.
    void Scan();
    bool PanelVisible(int panelNumber) const;
    bool Dimmed(int panelNumber, int control) const;
    std::vector<std::string> Rows(int control) const;
    std::string Text(int panelNumber, int control) const;
    void SetDateFilter(int allDates, int day = 0, int month = 0, int year = 0);
    int CountPopups(const std::string& title) const;
    // How many times the instrument received `command`.
    int Received(const std::string& command) const;

    static std::time_t Date(int year, int month, int day);

    // The sheet writer stand-in: records each call and answers `saves`.
    static std::vector<SheetCall> sheet_calls;
    static std::vector<bool> saves;  // per call; true when the list runs out
    static std::function<void()> while_writing;
    static SheetResult FakeSheetWriter(int object, int test, int kind,
                                       const MeasuredRecord& record);

   private:
    std::string memory_;
    std::unique_ptr<zr8812::Emulator> emulator_;
};
