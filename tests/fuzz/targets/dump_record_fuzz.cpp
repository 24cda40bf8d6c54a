// The answer to "od -hxv" as it arrives: translated into the dump digits, then
// decoded by the reader of every kind whose record the digits hold, as the
// export does after a download. The texts of its reals must read back as them.
#include <initializer_list>

#include "fuzz/fuzz_support.h"
#include "fuzz/parser_properties.h"
#include "import/record_decoding.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "store/store.h"
#include "store/value_text.h"

namespace {

void RealTextsHold(std::initializer_list<float> reals) {
    for (float value : reals)
        FUZZ_EXPECT(properties::RealSlotHolds(SlotTextOf(value).c_str(), value));
}

void ReadEveryKind(std::string_view digits) {
    if (DumpHoldsRecord(KIND_CURRENT, digits)) {
        const AmpRecord amp = Lecture_courant();
        RealTextsHold({amp.current, amp.battery, amp.temperature});
    }
    if (DumpHoldsRecord(KIND_EARTH, digits)) Lecture_Terre();
    if (DumpHoldsRecord(KIND_LOOP, digits)) {
        const LoopRecord loop = Lecture_loop();
        RealTextsHold({loop.z_ln, loop.r_ln, loop.l_ln, loop.z_lpe, loop.r_lpe, loop.l_lpe,
                       loop.z_npe, loop.r_npe, loop.l_npe, loop.l_e, loop.z_e, loop.r_e, loop.v_ln,
                       loop.v_lpe, loop.v_npe, loop.v_p, loop.frequency, loop.r_p});
        FUZZ_EXPECT(properties::InRange("trip mode", TripMode(loop), 0, 2));
    }
    if (DumpHoldsRecord(KIND_RCD, digits)) RealTextsHold({Lecture_rcd().trip_time});
    if (DumpHoldsRecord(KIND_VOLTAGE, digits)) {
        const VoltRecord volt = Lecture_tension();
        RealTextsHold({volt.v_ln, volt.v_lpe, volt.v_npe, volt.battery, volt.temperature,
                       volt.rod_resistance});
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
