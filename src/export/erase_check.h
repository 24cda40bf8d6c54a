// What became of the erasures of an export. The instrument's answer to "rm"
// does not prove the test is gone: a refusal may be worded without "Error"
// ("Read-only file system", "Permission denied"). So once an object's erases
// are done its folder is listed once, and every test still listed is told as
// still in the instrument. The tests found gone leave the store at the end
// of the export, so the lists and the next export no longer offer them.
#pragma once

#include <vector>

// Forgets the erasures of an earlier export.
void StartEraseCheck();
// The instrument answered the "rm" of test entry `test` of object entry
// `object` without an error.
void NoteErased(int object, int test);
// Lists the folder of `object` when tests of it were noted as erased; each one
// still listed is told (and logged) as possibly still in the instrument. False
// only when the port has gone (nothing was told); the caller ends the export.
bool CheckErasures(int object);
// The object numbers whose folder, listed after their erasures were checked,
// held no test any more: their names are released.
std::vector<int> EmptiedObjects();
// Takes the tests found gone out of Director. True when there were any.
bool ForgetErasedTests();
