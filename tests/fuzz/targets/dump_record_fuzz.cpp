// The answer to "od -hxv" as it arrives: translated into the dump digits, then
// decoded by the reader of every kind whose record the digits hold, as the
// export does after a download. Real slots must read back as their values.
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/parser_properties.h"
#include "import/record_decoding.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "store/store.h"

namespace {

using Reals = std::vector<std::pair<int, float>>;

void RealSlotsHold(const Reals& reals) {
    for (const auto& [slot, value] : reals) FUZZ_EXPECT(properties::RealSlotHolds(Slot(slot), value));
}

void ReadEveryKind(std::string_view digits) {
    if (DumpHoldsRecord(KIND_CURRENT, digits)) {
        Lecture_courant();
        RealSlotsHold({{1, amp.current}, {2, amp.battery}, {3, amp.temperature}});
    }
    if (DumpHoldsRecord(KIND_EARTH, digits)) Lecture_Terre();
    if (DumpHoldsRecord(KIND_LOOP, digits)) {
        Lecture_loop();
        RealSlotsHold({{2, loop.z_ln},   {3, loop.r_ln},   {4, loop.l_ln},   {5, loop.z_lpe},
                       {6, loop.r_lpe},  {7, loop.l_lpe},  {8, loop.z_npe},  {9, loop.r_npe},
                       {10, loop.l_npe}, {22, loop.l_e},   {20, loop.z_e},   {21, loop.r_e},
                       {11, loop.v_ln},  {12, loop.v_lpe}, {13, loop.v_npe}, {14, loop.v_p},
                       {15, loop.frequency}, {17, loop.r_p}});
        FUZZ_EXPECT(properties::InRange("trip mode", Selection.mode_declench, 0, 2));
    }
    if (DumpHoldsRecord(KIND_RCD, digits)) {
        Lecture_rcd();
        RealSlotsHold({{3, rcd.trip_time}});
    }
    if (DumpHoldsRecord(KIND_VOLTAGE, digits)) {
        Lecture_tension();
        RealSlotsHold({{1, volt.v_ln}, {2, volt.v_lpe}, {3, volt.v_npe}, {4, volt.battery},
                       {5, volt.temperature}, {7, volt.rod_resistance}});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::ExactCopy answer(data, size);
    std::memset(ProgramLink().rep_buf, 0, REP_BUF_SIZE);
    const std::size_t written =
        TranslateDump(answer.data(), size, ProgramLink().rep_buf, REP_BUF_SIZE);
    FUZZ_EXPECT(properties::DumpDigitsHold(ProgramLink().rep_buf, written, REP_BUF_SIZE));
    ReadEveryKind(DownloadedDigits());

    // The decoders stay within the digits they are given, however few.
    const std::string_view raw(answer.data(), size);
    DecodeAmp(raw);
    DecodeEarth(raw);
    DecodeLoop(raw);
    DecodeRcd(raw);
    DecodeVolt(raw);
    return 0;
}
