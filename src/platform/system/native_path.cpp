// UTF-8 paths for std::filesystem, the same way on every system: a char8_t
// text is UTF-8 by definition, and the library converts it to the system's form.
#include "platform/system/native_files.h"

std::filesystem::path NativePath(const std::string& utf8) {
    try {
        return std::filesystem::path(
            std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
    } catch (const std::exception&) {
        return {};
    }
}
