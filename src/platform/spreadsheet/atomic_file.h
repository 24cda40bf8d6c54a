// Saving a workbook as a whole: the platform's durable replacement (a temporary
// file in the target's folder, flushed, renamed over the target, the folder
// flushed), with the spreadsheet services' status. A failure leaves the target
// as it was and no temporary behind.
#pragma once

#include <string>

#include "platform/system/system.h"  // SetWriteLimitForTesting

// 0 on success (the workbook and its folder entry are on the disk),
// XLE_FILE_IN_USE when another program holds the file open and does not let it
// be replaced, XLE_FILE_READ_ONLY when the file is marked read-only,
// XLE_FOLDER_REFUSED when the system does not let this program write in the
// folder, XLE_WRITE_FAILED for the rest (a folder gone, a full disk).
int ReplaceFileAtomically(const std::string& path, const std::string& content);
