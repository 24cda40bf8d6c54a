// The instrument without its line: takes the bytes that arrive, keeps its
// mode, memory and settings, and returns the bytes it answers. Faults are
// applied here, per answer. Not thread-safe; the Emulator serialises calls.
#pragma once

#include <ctime>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "command_shell.h"
#include "emulator.h"
#include "forged_answers.h"
#include "memory_fs.h"
#include "modbus_slave.h"

namespace zr8812 {

// The faults switched on, each narrowed to a command and counted.
class FaultSet {
   public:
    void set(Fault fault, const std::string& command, int times);
    void clear(Fault fault);
    void clear_all() { active_.clear(); }
    // True when `fault` applies to an answer to `command`; uses up one count.
    bool take(Fault fault, const std::string& command);

   private:
    struct Switch {
        std::string command;  // "" = any
        int remaining;        // -1 = until cleared
    };
    std::map<Fault, Switch> active_;
};

class Instrument {
   public:
    explicit Instrument(const EmulatorOptions& options);

    // Takes received bytes; returns what the instrument sends back.
    std::string receive(const std::string& bytes, std::time_t now);

    bool in_command_mode() const { return command_mode_; }
    void set_command_mode(bool on);
    InstrumentParameters& parameters() { return parameters_; }
    FaultSet& faults() { return faults_; }
    ForgedAnswers& forged() { return forged_; }
    std::string current_directory() const { return fs_.cwd(); }
    // Each line (command mode) or frame's function code (Modbus mode) taken by
    // the last receive(), with where its answer starts in what it returned
    // and whether that answer is to begin late (Fault::LateAnswer).
    struct TakenLine {
        std::string text;
        std::size_t answer_offset;
        bool late;
    };
    const std::vector<TakenLine>& lines_taken() const { return lines_taken_; }

   private:
    // Records a line taken; an answer to it may be made late.
    void take_line(const std::string& text, std::size_t answer_offset, bool answered);
    std::string modbus_frame(const std::string& body);
    std::string command_line(const LineReader::Line& line, std::time_t now);
    static std::string cut_in_half(const std::string& answer);
    // The answer of a file system that refuses to remove the file of `line`.
    static std::string refused_erase(const std::string& line);

    bool command_mode_;
    modbus::FrameReader frames_;
    modbus::SlaveState slave_;
    LineReader lines_;
    InstrumentParameters parameters_;
    MemoryFs fs_;
    CommandShell shell_;
    FaultSet faults_;
    ForgedAnswers forged_;
    std::vector<TakenLine> lines_taken_;
    std::uint32_t noise_seed_ = 1;
};

}  // namespace zr8812
