// The instrument's command mode: line assembly and the shell-like commands
// (cd, ls -l, od -hxv, rm, stty, btb, ident).
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "emulator.h"
#include "memory_fs.h"

namespace zr8812 {

// Longest command line kept; the rest of a longer line is dropped.
constexpr std::size_t kMaxLineChars = 512;

// Cuts incoming bytes into lines. NUL, XON and XOFF are ignored; CR, LF or
// CR LF end a line.
class LineReader {
   public:
    struct Line {
        std::string text;
        bool overlong = false;  // characters beyond kMaxLineChars were dropped
    };
    std::optional<Line> feed(char c);
    void reset();

   private:
    std::string text_;
    bool overlong_ = false;
    bool after_cr_ = false;
};

// Settings the instrument reports through "btb" and "ident".
struct InstrumentParameters {
    int rotary = 25;
    int shutof_en = 1;
    Identity identity;
};

class CommandShell {
   public:
    CommandShell(MemoryFs& fs, InstrumentParameters& parameters);

    // Runs one command line; returns its output, lines ended by CR LF
    // (empty for commands that print nothing). `now` is the instrument clock.
    std::string run(const std::string& line, std::time_t now);
    // "korvid:" + current directory + "$ ".
    std::string prompt() const;
    // The first word of a line ("" for a blank line).
    static std::string command_name(const std::string& line);

   private:
    std::string cd(const std::string& path);
    std::string ls(const std::vector<std::string>& args, std::time_t now) const;
    std::string od(const std::vector<std::string>& args) const;
    std::string rm(const std::vector<std::string>& args);
    std::string btb(const std::vector<std::string>& args);
    std::string ident() const;

    MemoryFs& fs_;
    InstrumentParameters& parameters_;
};

}  // namespace zr8812
