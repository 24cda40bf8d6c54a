// The download of one test of the export: the file fetched from the instrument
// and decoded into its record.
#pragma once

#include "store/measurement_records.h"

// Results of LectureTests.
constexpr int TEST_DECODED = 0;
constexpr int TEST_WITHOUT_READER = -1;
constexpr int TEST_UNREADABLE = -2;  // download failed or incomplete; the user was told
constexpr int TEST_PORT_LOST = -3;   // the instrument's port went away; nothing was told yet
// The instrument left command mode (a restart) and did not answer the download
// once switched back, or could not be switched back; nothing was told yet.
constexpr int TEST_COMMAND_MODE_LOST = -4;
// Downloads and decodes test `test` of object entry `object` (of the kind its
// directory entry gives) into `record` (left as it was unless decoded).
int LectureTests(int object, int test, MeasuredRecord& record);
