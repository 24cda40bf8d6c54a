// What a step of a durable replacement that the system refused means to the
// person, from the system's own error (errno on Linux, GetLastError() on
// Windows): another program holds the file, or the system does not let this
// program write in the folder (rights, a protected folder, a read-only
// medium), or neither (a full disk, a folder gone).
#pragma once

enum class ReplaceStep {
    CreateTemporary,  // the new file beside the target
    MoveOverTarget,   // the new file renamed over the target
    OpenTarget,       // Windows: the target opened for deletion after a refused rename
};

// FILE_HELD_ELSEWHERE, FILE_FOLDER_REFUSED or -1 (system.h).
int ReplaceRefusal(ReplaceStep step, long error);
