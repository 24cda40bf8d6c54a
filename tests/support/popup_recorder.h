// Records every popup the program asks for and answers it from a script, so
// that tests run without a person at the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

class PopupRecorder {
public:
    // Routes every popup to this recorder (until Uninstall or another Install).
    void Install();
    static void Uninstall();

    // Scripted answers, used in the order queued. An empty kind or title
    // matches any popup; a title is matched exactly.
    void QueueAnswer(PopupAnswer answer);  // the next popup of any kind
    void QueueAnswer(const std::string& kind, const std::string& title, PopupAnswer answer);
    // Convenience for yes/no boxes: button 1 ("Yes") or button 2 ("No").
    void QueueButton(int button) { QueueAnswer({button, ""}); }
    // The answer when no scripted one matches. Until set: 1 for message boxes
    // and question boxes (the first button), "cancelled" (0) for file and
    // folder dialogs.
    void SetDefaultAnswer(PopupAnswer answer);
    // Runs when a popup arrives, before it is answered (a test can look at
    // the screen or press a button at that moment).
    void SetObserver(std::function<void(const PopupRecord&)> observer) { observer_ = std::move(observer); }

    const std::vector<PopupRecord>& popups() const { return popups_; }
    // The answer each popup got, in the same order.
    const std::vector<PopupAnswer>& answers() const { return answers_; }
    std::vector<std::string> titles() const;
    int CountTitled(const std::string& title) const;
    std::size_t PendingAnswers() const { return script_.size(); }
    void Clear();

private:
    struct ScriptedAnswer {
        std::string kind;
        std::string title;
        PopupAnswer answer;
    };
    PopupAnswer Answer(const PopupRecord& record);
    PopupAnswer Scripted(const PopupRecord& record);  // the script's answer, else the default

    std::vector<PopupRecord> popups_;
    std::vector<PopupAnswer> answers_;
    std::vector<ScriptedAnswer> script_;
    bool has_default_ = false;
    PopupAnswer default_;
    std::function<void(const PopupRecord&)> observer_;
};
