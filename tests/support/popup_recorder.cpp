#include "support/popup_recorder.h"

#include <algorithm>

void PopupRecorder::Install() {
    SetPopupResponder([this](const PopupRecord& record) { return Answer(record); });
}

void PopupRecorder::Uninstall() { SetPopupResponder(nullptr); }

void PopupRecorder::QueueAnswer(PopupAnswer answer) { script_.push_back({"", "", std::move(answer)}); }

void PopupRecorder::QueueAnswer(const std::string& kind, const std::string& title,
                                PopupAnswer answer) {
    script_.push_back({kind, title, std::move(answer)});
}

void PopupRecorder::SetDefaultAnswer(PopupAnswer answer) {
    has_default_ = true;
    default_ = std::move(answer);
}

std::vector<std::string> PopupRecorder::titles() const {
    std::vector<std::string> out;
    for (const auto& p : popups_) out.push_back(p.title);
    return out;
}

int PopupRecorder::CountTitled(const std::string& title) const {
    return static_cast<int>(std::count_if(popups_.begin(), popups_.end(),
                                          [&](const PopupRecord& p) { return p.title == title; }));
}

void PopupRecorder::Clear() {
    popups_.clear();
    answers_.clear();
    script_.clear();
    has_default_ = false;
}

PopupAnswer PopupRecorder::Answer(const PopupRecord& record) {
    popups_.push_back(record);
    if (observer_) observer_(record);
    answers_.push_back(Scripted(record));
    return answers_.back();
}

PopupAnswer PopupRecorder::Scripted(const PopupRecord& record) {
    auto it = std::find_if(script_.begin(), script_.end(), [&](const ScriptedAnswer& s) {
        return (s.kind.empty() || s.kind == record.kind) &&
               (s.title.empty() || s.title == record.title);
    });
    if (it != script_.end()) {
        PopupAnswer answer = it->answer;
        script_.erase(it);
        return answer;
    }
    if (has_default_) return default_;
    if (record.kind == "file" || record.kind == "dir") return {0, ""};
    return {1, ""};
}
