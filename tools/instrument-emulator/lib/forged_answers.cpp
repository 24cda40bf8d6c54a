#include "forged_answers.h"

#include <algorithm>

namespace zr8812 {

void ForgedAnswers::set(const std::string& command, const std::string& answer, int times,
                        const std::string& directory) {
    std::erase_if(forged_,
                  [&](const Forgery& f) { return f.command == command && f.directory == directory; });
    forged_.push_back({command, directory, answer, times > 0 ? times : -1});
}

std::optional<std::string> ForgedAnswers::take(const std::string& line, const std::string& cwd) {
    for (auto it = forged_.begin(); it != forged_.end(); ++it) {
        if (line.compare(0, it->command.size(), it->command) != 0) continue;
        if (!it->directory.empty() && it->directory != cwd) continue;
        std::string answer = it->answer;
        if (it->remaining > 0 && --it->remaining == 0) forged_.erase(it);
        return answer;
    }
    return std::nullopt;
}

}  // namespace zr8812
