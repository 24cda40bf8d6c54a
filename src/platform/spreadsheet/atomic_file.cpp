#include "platform/spreadsheet/atomic_file.h"

#include "platform/spreadsheet/spreadsheet_status.h"

int ReplaceFileAtomically(const std::string& path, const std::string& content) {
    const int status = ReplaceFileDurably(path, content);
    if (status == FILE_HELD_ELSEWHERE) return XLE_FILE_IN_USE;
    return status == 0 ? XLE_NO_ERROR : XLE_WRITE_FAILED;
}
