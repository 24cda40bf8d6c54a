// Answers a foreign or damaged instrument could send, forged by a test: the
// answer to a command line is replaced by a text given whole (echo, output
// and prompt, or any part of them, or anything else). The command itself is
// not run, so a forged answer to "rm" erases nothing.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zr8812 {

class ForgedAnswers {
   public:
    // Every answer to a command line starting with `command` becomes
    // `answer`; `times` > 0 limits it to that many answers; a `directory`
    // ("/etc/mem/03") limits it to answers given there. A later forgery of the
    // same command and directory replaces an earlier one.
    void set(const std::string& command, const std::string& answer, int times,
             const std::string& directory);
    void clear() { forged_.clear(); }
    // The forged answer to `line` in the current directory `cwd`, if any
    // (uses up one of its count).
    std::optional<std::string> take(const std::string& line, const std::string& cwd);

   private:
    struct Forgery {
        std::string command;
        std::string directory;  // "" = any
        std::string answer;
        int remaining;  // -1 = until cleared
    };
    std::vector<Forgery> forged_;
};

}  // namespace zr8812
