// The answer to "ident" (filtered, as the program reads it, and unfiltered)
// and the bytes after "=" of a "btb" status answer.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/parser_properties.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "link/status_identity.h"

namespace {

void ReadIdentity(const char* text, std::size_t length) {
    IdentityFields fields;
    const int result = ParseIdentity(text, length, fields);
    FUZZ_EXPECT(properties::IdentityHolds(result, fields));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::ExactCopy answer(data, size);
    std::vector<char> filtered(REP_BUF_SIZE);
    const std::size_t kept = FilterAnswer(answer.data(), size, filtered.data(), filtered.size());
    FUZZ_EXPECT(properties::FilteredHolds(filtered.data(), kept, filtered.size()));
    ReadIdentity(filtered.data(), filtered.size());
    ReadIdentity(answer.data(), size);

    // The status readers take the four bytes after "=".
    const fuzz::ExactCopy four(data, std::min<std::size_t>(size, 4));
    for (int width = 1; width <= 2; ++width) {
        char taken[3] = {'x', 'x', 'x'};
        const int value = StatusValue(four.data(), four.size, width, taken);
        FUZZ_EXPECT(properties::InRange("status value", value, 0, width == 1 ? 9 : 99));
        FUZZ_EXPECT(fuzz::If(std::memchr(taken, '\0', static_cast<std::size_t>(width) + 1) ==
                                 nullptr,
                             "status text unterminated"));
    }
    return 0;
}
