#include "instrument.h"

#include <cstdio>

#include "cable_faults.h"

namespace zr8812 {

void FaultSet::set(Fault fault, const std::string& command, int times) {
    if (fault == Fault::None) {
        clear_all();
        return;
    }
    int remaining = -1;
    if (times > 0) {
        remaining = times;
    } else if (command.empty() && (fault == Fault::StopMidAnswer || fault == Fault::ErrorAnswer ||
                                   fault == Fault::Garbage || fault == Fault::ModbusRestart ||
                                   fault == Fault::RefusedErase || fault == Fault::LateAnswer)) {
        remaining = 1;  // "make the next answer fail"
    }
    active_[fault] = Switch{command, remaining};
}

void FaultSet::clear(Fault fault) {
    if (fault == Fault::None) {
        clear_all();
    } else {
        active_.erase(fault);
    }
}

bool FaultSet::take(Fault fault, const std::string& command) {
    const auto found = active_.find(fault);
    if (found == active_.end()) return false;
    Switch& entry = found->second;
    if (command.compare(0, entry.command.size(), entry.command) != 0) return false;
    if (entry.remaining > 0 && --entry.remaining == 0) active_.erase(found);
    return true;
}

Instrument::Instrument(const EmulatorOptions& options)
    : command_mode_(options.start_in_command_mode),
      parameters_{options.rotary, options.shutof_en, options.identity},
      fs_(options.memory_dir, options.blank_padded_days),
      shell_(fs_, parameters_) {
    slave_.switch_block = options.switch_block;
}

void Instrument::set_command_mode(bool on) {
    command_mode_ = on;
    frames_.reset();
    lines_.reset();
    slave_.armed = false;
}

std::string Instrument::receive(const std::string& bytes, std::time_t now) {
    std::string answer;
    lines_taken_.clear();
    for (char c : bytes) {
        if (command_mode_) {
            if (auto line = lines_.feed(c)) {
                const std::size_t offset = answer.size();
                answer += command_line(*line, now);
                take_line(line->text, offset, answer.size() > offset);
            }
        } else if (auto body = frames_.feed(c)) {
            const auto request = modbus::parse_frame(*body);
            const std::size_t offset = answer.size();
            answer += modbus_frame(*body);
            if (request && request->size() >= 2) {
                char function[3];
                std::snprintf(function, sizeof function, "%02X", (*request)[1]);
                take_line(function, offset, answer.size() > offset);
            }
        }
    }
    return answer;
}

void Instrument::take_line(const std::string& text, std::size_t answer_offset, bool answered) {
    const bool late = answered && faults_.take(Fault::LateAnswer, text);
    lines_taken_.push_back(TakenLine{text, answer_offset, late});
}

std::string Instrument::modbus_frame(const std::string& body) {
    // A slave stays silent on anything it cannot trust: bad check, bad
    // characters, odd length, another address.
    const auto request = modbus::parse_frame(body);
    if (!request || request->size() < 2) return {};
    char function[3];
    std::snprintf(function, sizeof function, "%02X", (*request)[1]);
    if (faults_.take(Fault::Silent, function)) return {};
    if (faults_.take(Fault::ModbusRestart, function)) {
        set_command_mode(false);  // a restart forgets an armed switch
        return {};
    }
    if (faults_.take(Fault::ErrorAnswer, function)) {
        return (*request)[0] == 0x01 ? modbus::exception_frame((*request)[1], 0x04) : std::string();
    }
    slave_.register25_reads_ffff =
        (*request)[1] == 0x03 && faults_.take(Fault::Register25FFFF, function);
    const modbus::Reply reply = modbus::answer(*request, slave_);
    std::string text = reply.text;
    if (text.empty()) return {};
    if (reply.switch_to_command_mode) set_command_mode(true);
    if (faults_.take(Fault::WrongLrc, function)) {
        // The check is the two digits before CR LF.
        const std::size_t at = text.size() - 4;
        text[at + 1] = text[at + 1] == '0' ? '1' : '0';
    }
    if (faults_.take(Fault::HighBitInModbus, function)) text[3] = static_cast<char>(text[3] | 0x80);
    if (faults_.take(Fault::StopMidAnswer, function)) text = cut_in_half(text);
    if (faults_.take(Fault::Garbage, function)) text = line_noise(text.size(), noise_seed_++);
    return text;
}

std::string Instrument::command_line(const LineReader::Line& line, std::time_t now) {
    if (auto forged = forged_.take(line.text, fs_.cwd())) return *forged;
    if (faults_.take(Fault::Silent, line.text)) return {};
    if (faults_.take(Fault::ModbusRestart, line.text)) {
        set_command_mode(false);
        return {};
    }
    std::string answer = line.text + "\r\n";
    if (line.overlong) {
        answer += "sh: Error: line too long\r\n";
    } else if (faults_.take(Fault::ErrorAnswer, line.text)) {
        answer += CommandShell::command_name(line.text) + ": Error: I/O error\r\n";
    } else if (CommandShell::command_name(line.text) == "rm" &&
               faults_.take(Fault::RefusedErase, line.text)) {
        // The wording of a refusing file system, as BusyBox prints it: no "Error".
        answer += refused_erase(line.text);
    } else {
        answer += shell_.run(line.text, now);
    }
    answer += shell_.prompt();
    if (faults_.take(Fault::StopMidAnswer, line.text)) answer = cut_in_half(answer);
    if (faults_.take(Fault::Garbage, line.text)) answer = line_noise(answer.size(), noise_seed_++);
    return answer;
}

std::string Instrument::refused_erase(const std::string& line) {
    const std::size_t blank = line.find(' ');
    const std::string operand = blank == std::string::npos ? std::string() : line.substr(blank + 1);
    return "rm: can't remove '" + operand + "': Read-only file system\r\n";
}

std::string Instrument::cut_in_half(const std::string& answer) {
    return answer.substr(0, (answer.size() + 1) / 2);
}

}  // namespace zr8812
