#include "platform/spreadsheet/atomic_file.h"

#include "platform/spreadsheet/spreadsheet_status.h"

int ReplaceFileAtomically(const std::string& path, const std::string& content) {
    return ReplaceFileDurably(path, content) == 0 ? XLE_NO_ERROR : XLE_WRITE_FAILED;
}
