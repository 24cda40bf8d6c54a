// Saving a workbook as a whole: the platform's durable replacement (a temporary
// file in the target's folder, flushed, renamed over the target, the folder
// flushed), with the spreadsheet services' status. A failure leaves the target
// as it was and no temporary behind.
#pragma once

#include <string>

#include "platform/system/system.h"  // SetWriteLimitForTesting

// 0 on success (the workbook and its folder entry are on the disk),
// XLE_WRITE_FAILED when the folder cannot take the file, the disk is full or
// the rename is refused.
int ReplaceFileAtomically(const std::string& path, const std::string& content);
