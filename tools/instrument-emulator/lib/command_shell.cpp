#include "command_shell.h"

#include <sstream>
#include <utility>
#include <vector>

namespace zr8812 {
namespace {

constexpr const char* kModelCode = "korvid";
constexpr const char* kRotaryParameter = "status.RotPos";
constexpr const char* kShutoffParameter = "status.ShutofEn";

std::vector<std::string> split_words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    std::string word;
    while (stream >> word) words.push_back(word);
    return words;
}

bool is_option(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

// True when every letter of an option word is one of `allowed`.
bool option_letters_in(const std::string& word, const std::string& allowed) {
    return word.find_first_not_of(allowed, 1) == std::string::npos;
}

std::string line(const std::string& text) {
    return text + "\r\n";
}

// A whole decimal number of at most a few digits.
std::optional<int> parse_small_number(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::optional<LineReader::Line> LineReader::feed(char c) {
    if (c == '\0' || c == '\x11' || c == '\x13') return std::nullopt;
    if (c == '\n' && after_cr_) {  // the LF of a CR LF
        after_cr_ = false;
        return std::nullopt;
    }
    after_cr_ = c == '\r';
    if (c == '\r' || c == '\n') {
        Line done{std::exchange(text_, {}), std::exchange(overlong_, false)};
        return done;
    }
    if (text_.size() < kMaxLineChars) {
        text_ += c;
    } else {
        overlong_ = true;
    }
    return std::nullopt;
}

void LineReader::reset() {
    text_.clear();
    overlong_ = false;
    after_cr_ = false;
}

CommandShell::CommandShell(MemoryFs& fs, InstrumentParameters& parameters)
    : fs_(fs), parameters_(parameters) {}

std::string CommandShell::prompt() const {
    return std::string(kModelCode) + ":" + fs_.cwd() + "$ ";
}

std::string CommandShell::command_name(const std::string& text) {
    const auto words = split_words(text);
    return words.empty() ? std::string() : words[0];
}

std::string CommandShell::run(const std::string& text, std::time_t now) {
    const auto words = split_words(text);
    if (words.empty()) return {};
    const std::string& name = words[0];
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (name == "cd") return cd(args.empty() ? "/" : args[0]);
    if (name == "ls") return ls(args, now);
    if (name == "od") return od(args);
    if (name == "rm") return rm(args);
    if (name == "stty") return {};
    if (name == "btb") return btb(args);
    if (name == "ident") return ident();
    return line("sh: " + name + ": Error: not found");
}

std::string CommandShell::cd(const std::string& path) {
    if (fs_.cd(path)) return {};
    return line("cd: Error: can't cd to " + path);
}

std::string CommandShell::ls(const std::vector<std::string>& args, std::time_t now) const {
    bool long_format = false;
    std::string path = ".";
    for (const auto& arg : args) {
        if (is_option(arg)) {
            if (!option_letters_in(arg, "l")) return line("ls: Error: invalid option " + arg);
            long_format = true;
        } else {
            path = arg;
        }
    }
    const auto text = long_format ? fs_.listing(path, now) : fs_.names(path);
    if (!text) return line("ls: Error: can't access " + path + ": no such directory");
    return *text;
}

std::string CommandShell::od(const std::vector<std::string>& args) const {
    std::string path;
    for (const auto& arg : args) {
        if (is_option(arg)) {
            if (!option_letters_in(arg, "hxv")) return line("od: Error: invalid option " + arg);
        } else if (path.empty()) {
            path = arg;
        }
    }
    if (path.empty()) return line("od: Error: missing file");
    std::string contents;
    switch (fs_.read_file(path, contents)) {
        case MemoryFs::ReadResult::Ok:
            return format_dump(contents);
        case MemoryFs::ReadResult::Directory:
            return line("od: Error: " + path + ": is a directory");
        case MemoryFs::ReadResult::TooLarge:
            return line("od: Error: " + path + ": too large");
        case MemoryFs::ReadResult::Missing:
            break;
    }
    return line("od: Error: " + path + ": no such file");
}

std::string CommandShell::rm(const std::vector<std::string>& args) {
    std::string text;
    bool any_file = false;
    for (const auto& arg : args) {
        if (is_option(arg)) continue;
        any_file = true;
        if (!fs_.remove(arg)) text += line("rm: Error: can't remove " + arg);
    }
    if (!any_file) return line("rm: Error: missing operand");
    return text;
}

std::string CommandShell::btb(const std::vector<std::string>& args) {
    if (args.empty()) return line("btb: Error: missing parameter");
    const std::string& arg = args[0];
    const auto equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    int* value = nullptr;
    if (name == kRotaryParameter) value = &parameters_.rotary;
    if (name == kShutoffParameter) value = &parameters_.shutof_en;
    if (value == nullptr) return line("btb: Error: unknown parameter " + name);
    if (equals != std::string::npos) {
        // The rotary position is the switch itself: it can only be read.
        if (value == &parameters_.rotary) return line("btb: Error: " + name + " is read-only");
        const std::string text = arg.substr(equals + 1);
        const auto number = parse_small_number(text);
        if (!number || *number > 1) return line("btb: Error: bad value " + text + " for " + name);
        *value = *number;
    }
    return line(name + "= " + std::to_string(*value));
}

std::string CommandShell::ident() const {
    const Identity& id = parameters_.identity;
    return line("Modele : " + id.model) +
           line("version hardware = " + std::to_string(id.hardware)) +
           line("version firmware = " + id.firmware) +
           line("serial number = " + std::to_string(id.serial)) + line("fab ident = " + id.fab) +
           line("sub ident = " + id.sub);
}

}  // namespace zr8812
