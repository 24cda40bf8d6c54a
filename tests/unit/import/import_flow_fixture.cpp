#include "unit/import/import_flow_fixture.h"

#include <filesystem>

#include "export/export_loop.h"
#include "import/registration.h"
#include "link/com_port.h"
#include "platform/serial/serial.h"
#include "platform/ui/ui.h"
#include "records.h"
#include "shell/globals.h"
#include "shell/panels.h"
#include "store/store.h"
#include "store/value_text.h"

namespace fs = std::filesystem;

std::vector<SheetCall> ImportFlowTest::sheet_calls;
std::vector<bool> ImportFlowTest::saves;
std::function<void()> ImportFlowTest::while_writing;

namespace {

struct FirstValueText {
    std::string operator()(std::monostate) const { return ""; }
    std::string operator()(const AmpRecord& amp) const { return SlotTextOf(amp.current); }
    std::string operator()(const EarthRecord& earth) const { return SlotTextOf(earth.re); }
    std::string operator()(const LoopRecord& loop) const {
        return SlotTextOf(int32_t{loop.fonction_boucle});
    }
    std::string operator()(const RcdRecord& rcd) const {
        return SlotTextOf(int32_t{rcd.measured_current});
    }
    std::string operator()(const VoltRecord& volt) const { return SlotTextOf(volt.v_ln); }
};

}  // namespace

SheetResult ImportFlowTest::FakeSheetWriter(int object, int test, int kind,
                                            const MeasuredRecord& record) {
    sheet_calls.push_back({object, test, kind, std::visit(FirstValueText{}, record)});
    if (while_writing) while_writing();
    std::size_t call = sheet_calls.size() - 1;
    return call >= saves.size() || saves[call] ? SheetResult::Saved : SheetResult::NotSaved;
}

void ImportFlowTest::SetUp() {
    AppFixture::SetUp();
    RegisterImportSubsystem();
    SetSheetWriterForTesting(FakeSheetWriter);
    sheet_calls.clear();
    saves.clear();
    while_writing = nullptr;
    memory_ = program_dir() + "/memory";
    fs::create_directories(memory_);
    // Questions not scripted by a test are answered "No".
    recorder().SetDefaultAnswer({2, ""});
}

void ImportFlowTest::TearDown() {
    SetPollHookForTesting(nullptr);
    SetSheetWriterForTesting(nullptr);
    CloseCom(kCom);
    if (emulator_) emulator_->stop();
    AppFixture::TearDown();
}

std::time_t ImportFlowTest::Date(int year, int month, int day) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = 10;
    fields.tm_min = 30;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

void ImportFlowTest::AddFile(int object, int test, char kind, std::time_t when) {
    std::vector<uint8_t> bytes;
    switch (kind) {
        case 'a':
            bytes = zr8812::build_current({.current_mA = 500.0f + test});
            break;
        case 'e':
            bytes = zr8812::build_earth({.re_mOhm = 1000 + test});
            break;
        case 'l':
            bytes = zr8812::build_loop({.z_ln = 0.5f + test});
            break;
        case 'r':
            bytes = zr8812::build_rcd({.measured_current_tenth_mA = static_cast<uint16_t>(test)});
            break;
        case 'v':
            bytes = zr8812::build_voltage({.v_ln_mV = 230000.0f + test});
            break;
        default:
            bytes.assign(64, 0x5A);
            break;
    }
    ASSERT_TRUE(zr8812::write_test(memory_, object, test, kind, bytes, when));
    // The directory's date is set last: writing a file changes it.
    ASSERT_TRUE(zr8812::write_object(memory_, object, when));
}

void ImportFlowTest::AddEmptyObject(int object, std::time_t when) {
    ASSERT_TRUE(zr8812::write_object(memory_, object, when));
}

void ImportFlowTest::UseSampleMemory(std::time_t now) {
    ASSERT_TRUE(zr8812::make_sample_memory(memory_, now));
}

bool ImportFlowTest::FileOnInstrument(int object, const std::string& name) const {
    char folder[8];
    std::snprintf(folder, sizeof folder, "%02d", object);
    return fs::exists(fs::path(memory_) / folder / name);
}

void ImportFlowTest::RestartInstrument(std::time_t clock) {
    CloseCom(kCom);
    if (emulator_) emulator_->stop();
    zr8812::EmulatorOptions options;
    options.memory_dir = memory_;
    options.start_in_command_mode = true;
    options.fixed_clock = clock;
    emulator_ = std::make_unique<zr8812::Emulator>(options);
    ASSERT_TRUE(emulator_->start());
    ASSERT_TRUE(emulator_->register_com(program_dir(), kCom));
    ASSERT_EQ(OpenInstrumentPort(ProgramLink(), kCom), 0);
    ProgramLink().link_flag = 1;
}

void ImportFlowTest::StartInstrument(std::time_t clock) {
    RestartInstrument(clock);
    Fen_princ[PANEL_MAIN] = LoadPanel(0, UIR_FILE, PANEL_MAIN);
    menu = GetPanelMenuBar(Fen_princ[PANEL_MAIN]);
    Fen_princ[PANEL_EXPORT] = LoadPanel(0, UIR_FILE, PANEL_EXPORT);
    Fen_princ[PANEL_IMPORT] = LoadPanel(0, UIR_FILE, PANEL_IMPORT);
    ASSERT_GT(Fen_princ[PANEL_IMPORT], 0);
    flag_stop = 1;
}

void ImportFlowTest::Scan() {
    SimulateMenuItem(menu, ITEM_IMPORT);
}

bool ImportFlowTest::PanelVisible(int panelNumber) const {
    int visible = 0;
    GetPanelAttribute(Fen_princ[panelNumber], ATTR_VISIBLE, visible);
    return visible != 0;
}

bool ImportFlowTest::Dimmed(int panelNumber, int control) const {
    int dimmed = 0;
    GetCtrlAttribute(Fen_princ[panelNumber], control, ATTR_DIMMED, dimmed);
    return dimmed != 0;
}

std::vector<std::string> ImportFlowTest::Rows(int control) const {
    int count = 0;
    GetNumListItems(Fen_princ[PANEL_IMPORT], control, count);
    std::vector<std::string> rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) GetLabelFromIndex(Fen_princ[PANEL_IMPORT], control, i, rows[i]);
    return rows;
}

std::string ImportFlowTest::Text(int panelNumber, int control) const {
    std::string text;
    GetCtrlVal(Fen_princ[panelNumber], control, text);
    return text;
}

void ImportFlowTest::SetDateFilter(int allDates, int day, int month, int year) {
    int panel = Fen_princ[PANEL_IMPORT];
    SetCtrlVal(panel, IMPORT_ALL_DATES, allDates);
    SetCtrlVal(panel, IMPORT_DAY, day);
    SetCtrlVal(panel, IMPORT_MONTH, month);
    SetCtrlVal(panel, IMPORT_YEAR, year);
}

int ImportFlowTest::CountPopups(const std::string& title) const {
    int count = 0;
    for (const PopupRecord& popup : popups()) count += popup.title == title ? 1 : 0;
    return count;
}

int ImportFlowTest::Received(const std::string& command) const {
    const std::string received = emulator_->received();
    int count = 0;
    for (std::size_t at = received.find(command); at != std::string::npos;
         at = received.find(command, at + 1)) {
        ++count;
    }
    return count;
}
