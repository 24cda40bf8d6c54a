// The state of the link to the instrument, handed to every exchange as a
// Modbus library hands over its context: the procedures use the port, the
// mode and the answer buffers of the context they are given, never their own.
#pragma once

#include <cstddef>

constexpr std::size_t REPONSE_SIZE = 60000;
constexpr std::size_t REP_BUF_SIZE = 40000;

struct LinkContext {
    // COM number of every serial call on this link; the settings file keeps it.
    int serial_port = 1;
    // 1 while the port is open and the instrument answered, else 0.
    int link_flag = 0;
    // The last identity read carried a serial number (without one it reads 0).
    bool serial_number_read = false;
    // Raw bytes of the last exchange; each exchange clears the part it reads.
    char reponse[REPONSE_SIZE] = {};
    // Derived text: the checked Modbus line, the filtered answer or the dump digits.
    char rep_buf[REP_BUF_SIZE] = {};
};

// The program's one link: the menus' callbacks and the shell's hooks, which
// the user interface calls without arguments, take it from here and pass it on.
LinkContext& ProgramLink();
