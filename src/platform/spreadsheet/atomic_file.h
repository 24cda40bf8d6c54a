// Replacing a file as a whole: the new content goes to a temporary file in the
// target's folder, which is renamed over the target only once it was written
// completely. A failure leaves the target as it was and no temporary behind.
#pragma once

#include <string>

// 0 on success, XLE_WRITE_FAILED when the folder cannot take the file, the
// disk is full or the rename is refused.
int ReplaceFileAtomically(const std::string& path, const std::string& content);

// Tests: with `bytes` >= 0, every write gives out (as a full disk does) once
// that many bytes went to the temporary file; -1 restores normal writing.
void SetWriteLimitForTesting(long bytes);
