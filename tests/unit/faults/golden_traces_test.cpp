// Golden traces: scripted runs of the whole program against the emulated
// instrument, each written out as text (support/golden_trace.h) and compared
// with its file under tests/golden/traces/. A restructuring that means to keep
// the behaviour keeps every trace identical; a deliberate change of behaviour
// records them again (BRISKEL_RECORD_GOLDEN=1, README "Test it").
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "import/object_names.h"
#include "import/scanned_instrument.h"
#include "link/link_context.h"
#include "platform/system/system.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"
#include "support/golden_trace.h"
#include "unit/faults/fault_fixture.h"

namespace fs = std::filesystem;
using zr8812::Fault;

namespace {

enum class Run {
    SetUp,          // Setup > Communication (Yes, COM 7, OK), then Setup > Instrument
    SaveDialog,     // every test exported through the save dialog
    NamedErased,    // automatic names, summary, erase after export (Yes), object 04 named
    NewOnly,        // "only new tests" twice, one test added in between
    Stopped,        // Stop pressed once three workbooks are written
    CablePulled,    // the cable pulled during the fifth download, erase on
    FaultAtSetUp,   // the fault from the first exchange of Setup > Communication
    FaultAtExport,  // the fault on `command`, object 04 alone in the memory, erase on
};

struct Scenario {
    const char* name;
    Run run;
    Fault fault = Fault::None;
    const char* command = "";
};
void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

const Scenario kScenarios[] = {
    {"setup", Run::SetUp},
    {"save_dialog", Run::SaveDialog},
    {"named_summary_erase", Run::NamedErased},
    {"new_only", Run::NewOnly},
    {"stopped", Run::Stopped},
    {"cable_pulled", Run::CablePulled},
    {"fault_silent", Run::FaultAtSetUp, Fault::Silent},
    {"fault_wrong_lrc", Run::FaultAtSetUp, Fault::WrongLrc},
    {"fault_register25_ffff", Run::FaultAtSetUp, Fault::Register25FFFF},
    {"fault_high_bit_in_modbus", Run::FaultAtSetUp, Fault::HighBitInModbus},
    {"fault_stop_mid_answer", Run::FaultAtExport, Fault::StopMidAnswer, "od -hxv /etc/mem/04/02"},
    {"fault_error_answer", Run::FaultAtExport, Fault::ErrorAnswer, "od -hxv /etc/mem/04/02"},
    {"fault_garbage", Run::FaultAtExport, Fault::Garbage, "od -hxv /etc/mem/04/02"},
    {"fault_modbus_restart", Run::FaultAtExport, Fault::ModbusRestart, "od -hxv /etc/mem/04/02"},
    {"fault_late_answer", Run::FaultAtExport, Fault::LateAnswer, "od -hxv /etc/mem/04/02"},
    {"fault_refused_erase", Run::FaultAtExport, Fault::RefusedErase, "rm /etc/mem/04/02"},
};

// The controls whose values the trace holds, panel by panel: a check box by
// its state, a list by its items, anything else by its text.
struct Control {
    int id;
    const char* name;
    bool check = false;
};
#define CONTROL(id) \
    { id, #id }
#define CHECK(id) \
    { id, #id, true }
const std::pair<int, std::vector<Control>> kPanelTexts[] = {
    {PANEL_COM, {CONTROL(COM_NUMBER)}},
    {PANEL_IDENTITY, {CONTROL(IDENTITY_LIST)}},
    {PANEL_IMPORT,
     {CONTROL(IMPORT_OBJECTS), CONTROL(IMPORT_TESTS), CHECK(IMPORT_ALL_DATES),
      CHECK(IMPORT_NEW_ONLY), CONTROL(IMPORT_DESCRIPTION), CONTROL(IMPORT_PROGRESS),
      CONTROL(IMPORT_NAME_FIELD), CONTROL(IMPORT_NAME_NOTE)}},
    {PANEL_EXPORT,
     {CONTROL(EXPORT_FOLDER), CONTROL(EXPORT_BASE_NAME), CHECK(EXPORT_ERASE),
      CHECK(EXPORT_AUTOMATIC_NAMES), CHECK(EXPORT_SUMMARY), CONTROL(EXPORT_MESSAGE)}},
    {PANEL_WAIT, {CONTROL(WAIT_TEXT)}},
    {PANEL_SCAN, {CONTROL(SCAN_PROGRESS), CONTROL(SCAN_STATUS)}},
    {PANEL_PROGRESS, {CONTROL(PROGRESS_TEXT)}},
};
#undef CONTROL
#undef CHECK

class GoldenTraces : public FaultTest, public ::testing::WithParamInterface<Scenario> {
   protected:
    void SetUp() override {
        FaultTest::SetUp();
        // The PC's clock two days after the instrument's: the tests listed with
        // a time and no year are of this year, and the journal's and the
        // summary's times are the same in every run.
        std::tm now{};
        now.tm_year = 2026 - 1900, now.tm_mon = 3, now.tm_mday = 2, now.tm_hour = 9,
        now.tm_min = 30;
        SetLocalTimeForTesting(now);
        started_ = std::time(nullptr);
        before_ = ProgramFiles();
    }

    void Play(const Scenario& s) {
        if (s.run == Run::FaultAtSetUp) instrument().set_fault(s.fault);
        if (s.run == Run::SetUp || s.run == Run::FaultAtSetUp) return SetUpThroughCommunication();
        if (s.run == Run::FaultAtExport) {
            for (const auto& object : fs::directory_iterator(memory_dir()))
                if (object.path().filename() != "04") fs::remove_all(object.path());
            if (s.fault == Fault::LateAnswer) {
                // A third of the serial time-out: the program waits for it. (Later
                // than the time-out, when the answer comes depends on the machine's load.)
                zr8812::EmulatorOptions options = DefaultOptions();
                options.late_answer_seconds = 3.0 * TimeScale() / 3;
                RestartInstrument(options);
            }
            instrument().set_fault(s.fault, s.command);
        }
        ConnectInCommandMode();
        Scan();
        Excel.automatic_names = s.run == Run::SaveDialog ? 0 : 1;
        if (s.run == Run::NamedErased) NameObjectFour();
        if (s.run == Run::CablePulled) instrument().unplug_at("od -hxv /etc/mem/01/05", 60);
        if (s.run == Run::Stopped) StopAfterThreeWorkbooks();
        if (s.run == Run::NewOnly) SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_NEW_ONLY, 1);
        const bool erase =
            s.run == Run::NamedErased || s.run == Run::CablePulled || s.run == Run::FaultAtExport;
        Export(erase ? 1 : 0, s.run == Run::NamedErased);
        SetPollHookForTesting(nullptr);
        if (s.run != Run::NewOnly) return;
        ASSERT_TRUE(zr8812::write_test(memory_dir(), 1, 9, 'v', zr8812::build_voltage({}),
                                       InstrumentClock() - 3600));
        Scan();
        SetCtrlVal(Fen_princ[PANEL_IMPORT], IMPORT_NEW_ONLY, 1);
        Export(0);
    }

    void SetUpThroughCommunication() {
        recorder().QueueAnswer("generic", "",
                               {VAL_GENERIC_POPUP_BTN1, ""});  // Yes, I know the port
        SimulateMenuItem(menu, ITEM_COMMUNICATION);
        if (!IsPanelValid(Fen_princ[PANEL_COM])) return;
        SetCtrlVal(Fen_princ[PANEL_COM], COM_NUMBER, kInstrumentCom);
        SimulateCommit(Fen_princ[PANEL_COM], COM_OK);
        if (ProgramLink().link_flag == 1) SimulateMenuItem(menu, ITEM_INSTRUMENT);
    }

    // The object and name of the Windows end-to-end run, which compares its
    // workbooks and journal with this trace (windows_program_test.py).
    void NameObjectFour() {
        for (const DirObjet& object : Director)
            if (object.present != 0 && object.num_objet == 4)
                NameObject(ObjectNamesPath(), InstrumentSerial(), object, "Rue Haute 12, flat 3");
    }

    void StopAfterThreeWorkbooks() {
        SetPollHookForTesting([this] {
            if (std::distance(fs::directory_iterator(out_), {}) == 3 && !stopped_) {
                stopped_ = true;
                SimulateCommit(Fen_princ[PANEL_WAIT], WAIT_STOP);
            }
        });
    }

    // Every file of the program folder but the instrument's memory and the
    // COM registrations, by path relative to the folder.
    std::map<std::string, std::string> ProgramFiles() {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(program_dir())) {
            const std::string name = fs::relative(entry.path(), program_dir()).generic_string();
            if (!entry.is_regular_file() || name.starts_with("instrument-memory/") ||
                name.starts_with("dosdevices/"))
                continue;
            std::ifstream in(entry.path(), std::ios::binary);
            files[name] = std::string(std::istreambuf_iterator<char>(in), {});
        }
        return files;
    }

    std::string Trace() {
        Wire();  // the instrument has read everything
        Log();   // the log is on disk
        TraceWriter trace(program_dir(), started_);
        trace.Wire(instrument().wire_log());
        trace.Section("popups");
        for (std::size_t i = 0; i < popups().size() && i < recorder().answers().size(); ++i)
            trace.Popup(popups()[i], recorder().answers()[i]);
        trace.Section("files written");
        const std::map<std::string, std::string> after = ProgramFiles();
        for (const auto& [name, bytes] : after)
            if (!before_.contains(name) || before_.at(name) != bytes) trace.File(name, bytes);
        for (const auto& [name, bytes] : before_)
            if (!after.contains(name)) trace.Line("-- " + name + " (removed)");
        trace.Section("panels");
        for (const auto& [panel, controls] : kPanelTexts)
            for (const Control& control : controls)
                if (IsPanelValid(Fen_princ[panel])) trace.Line(PanelText(panel, control));
        trace.Section("instrument memory");
        std::string memory;
        for (const std::string& file : MemoryFiles()) memory += file + " ";
        trace.Line(memory);
        return trace.text();
    }

    static std::string PanelText(int panel, const Control& control) {
        std::string text = control.name + std::string(": ");
        int count = 0, number = 0;
        std::string value;
        if (control.check && GetCtrlVal(Fen_princ[panel], control.id, number) == 0) {
            text += std::to_string(number);
        } else if (GetNumListItems(Fen_princ[panel], control.id, count) == 0) {
            for (int i = 0; i < count; ++i) {
                GetLabelFromIndex(Fen_princ[panel], control.id, i, value);
                text += "\n" + value;
            }
        } else if (GetCtrlVal(Fen_princ[panel], control.id, value) == 0) {
            text += value;
        }
        ReplaceNewLines(text);
        return text;
    }
    static void ReplaceNewLines(std::string& text) {
        for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
            text.replace(at, 1, "\n  "), at += 3;
    }

    std::time_t started_ = 0;
    std::map<std::string, std::string> before_;
    bool stopped_ = false;
};

TEST_P(GoldenTraces, AreUnchanged) {
    Play(GetParam());
    ExpectGoldenTrace(GetParam().name, Trace());
}

INSTANTIATE_TEST_SUITE_P(Runs, GoldenTraces, ::testing::ValuesIn(kScenarios),
                         [](const auto& run) { return std::string(run.param.name); });

}  // namespace
