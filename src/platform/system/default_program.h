// Opening a document or folder with the program the system associates with
// it, from the per-platform file (default_program_unix.cpp,
// default_program_win.cpp). True when it was handed over.
#pragma once

#include <string>

bool OpenWithDefaultProgram(const std::string& path);
