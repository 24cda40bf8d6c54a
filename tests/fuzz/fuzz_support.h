// Shared by the fuzz targets: the input in a heap block of exactly its size
// (a read past it is caught by AddressSanitizer), and a check that aborts on a
// broken promise so that the fuzzer keeps the input as a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#define FUZZ_EXPECT(check)                                                                    \
    do {                                                                                      \
        const std::string broken_ = (check);                                                  \
        if (!broken_.empty()) {                                                               \
            std::fprintf(stderr, "broken promise: %s (%s:%d)\n", broken_.c_str(), __FILE__, \
                         __LINE__);                                                           \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

namespace fuzz {

struct ExactCopy {
    ExactCopy(const uint8_t* data, std::size_t length) : bytes(new char[length]), size(length) {
        if (length > 0) std::memcpy(bytes.get(), data, length);
    }
    const char* data() const { return bytes.get(); }
    std::unique_ptr<char[]> bytes;
    std::size_t size;
};

inline std::string If(bool broken, const char* what) {
    return broken ? what : "";
}

}  // namespace fuzz
