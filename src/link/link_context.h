// The state of the link to the instrument, handed to every exchange as a
// Modbus library hands over its context: the procedures read and write the
// answer buffers of the context they are given, never buffers of their own.
#pragma once

#include <cstddef>

constexpr std::size_t REPONSE_SIZE = 60000;
constexpr std::size_t REP_BUF_SIZE = 40000;

struct LinkContext {
    // Raw bytes of the last exchange; each exchange clears the part it reads.
    char reponse[REPONSE_SIZE] = {};
    // Derived text: the checked Modbus line, the filtered answer or the dump digits.
    char rep_buf[REP_BUF_SIZE] = {};
};

// The program's one link: the menus' callbacks and the shell's hooks, which
// the user interface calls without arguments, take it from here and pass it on.
LinkContext& ProgramLink();
