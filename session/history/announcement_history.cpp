#include "session/history/announcement_history.h"

#include <algorithm>

namespace tarvel {
namespace {

std::string Words(std::string_view text) {
    return std::string(!text.empty() && text.front() == ' ' ? text.substr(1) : text);
}

}  // namespace

void AnnouncementHistory::Clear() {
    entries_.clear();
    commandStarts_.clear();
    cursor_.reset();
}

void AnnouncementHistory::BeginCommand() {
    if (commandStarts_.empty() || commandStarts_.back() != entries_.size()) commandStarts_.push_back(entries_.size());
}

void AnnouncementHistory::Add(SpokenEntry entry) {
    entries_.push_back(std::move(entry));
    if (!entries_.back().feedback) cursor_.reset();
}

std::vector<Announcement> AnnouncementHistory::Announcements() const {
    std::vector<Announcement> announcements;
    std::size_t nextCommand = 0;
    bool open = false;  // whether the last announcement may still grow
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        while (nextCommand < commandStarts_.size() && commandStarts_[nextCommand] <= i) {
            open = false;
            ++nextCommand;
        }
        const SpokenEntry& entry = entries_[i];
        if (entry.feedback) continue;
        Announcement* last = open ? &announcements.back() : nullptr;
        // Effects go with the words around them; a new speaker starts a new announcement.
        const bool sameSpeaker = last != nullptr && (entry.speaker == Speaker::Effect || last->speaker == Speaker::Effect ||
                                                      entry.speaker == last->speaker);
        if (!sameSpeaker) {
            announcements.push_back({entry.speaker, i, 0, {}});
            last = &announcements.back();
            open = true;
        }
        if (last->speaker == Speaker::Effect) last->speaker = entry.speaker;
        last->count = i + 1 - last->first;
        if (!last->text.empty()) last->text += ", ";
        last->text += Words(entry.text);
    }
    return announcements;
}

std::optional<Announcement> AnnouncementHistory::LastOfOpponent() const {
    const auto all = Announcements();
    const auto it = std::find_if(all.rbegin(), all.rend(),
                                 [](const Announcement& a) { return a.speaker == Speaker::Opponent; });
    if (it == all.rend()) return std::nullopt;
    return *it;
}

std::optional<Announcement> AnnouncementHistory::StepBack() {
    const auto all = Announcements();
    if (all.empty()) return std::nullopt;
    const std::size_t at = cursor_ ? *cursor_ : all.size();
    if (at == 0) return std::nullopt;
    cursor_ = at - 1;
    return all[*cursor_];
}

std::optional<Announcement> AnnouncementHistory::StepForward() {
    const auto all = Announcements();
    if (!cursor_ || *cursor_ + 1 >= all.size()) return std::nullopt;
    cursor_ = *cursor_ + 1;
    return all[*cursor_];
}

}  // namespace tarvel
