#include "platform/spreadsheet/atomic_file.h"

#include "platform/spreadsheet/spreadsheet_status.h"

int ReplaceFileAtomically(const std::string& path, const std::string& content) {
    switch (ReplaceFileDurably(path, content)) {
        case 0:
            return XLE_NO_ERROR;
        case FILE_HELD_ELSEWHERE:
            return XLE_FILE_IN_USE;
        case FILE_MARKED_READ_ONLY:
            return XLE_FILE_READ_ONLY;
        case FILE_FOLDER_REFUSED:
            return XLE_FOLDER_REFUSED;
        default:
            return XLE_WRITE_FAILED;
    }
}
