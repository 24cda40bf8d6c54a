// The answer to "ls -l" in /etc/mem/, as it arrives: filtered like every
// listing, then read as the directory of objects; also read unfiltered, so
// that the parser meets bytes the filter would have dropped.
#include <vector>

#include "fuzz/fuzz_support.h"
#include "fuzz/parser_properties.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "link/memory_listing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const fuzz::ExactCopy answer(data, size);
    std::vector<char> filtered(REP_BUF_SIZE);
    const std::size_t kept = FilterAnswer(answer.data(), size, filtered.data(), filtered.size());
    FUZZ_EXPECT(properties::FilteredHolds(filtered.data(), kept, filtered.size()));
    const int year = 2026;
    FUZZ_EXPECT(properties::DirectoryListingHolds(
        ParseDirectoryListing(filtered.data(), filtered.size(), year), year));
    FUZZ_EXPECT(properties::DirectoryListingHolds(
        ParseDirectoryListing(answer.data(), size, year), year));
    return 0;
}
