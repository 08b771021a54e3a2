#include "session/history/announcement_line.h"

#include <map>

#include "session/texts/client_texts.h"

namespace tarvel {
namespace {

int SpeakerText(Speaker speaker) {
    switch (speaker) {
        case Speaker::Player:
            return text::kSpeakerPlayer;
        case Speaker::Opponent:
            return text::kSpeakerOpponent;
        case Speaker::Effect:
            break;
    }
    return text::kSpeakerEffect;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string AnnouncementLine(const Announcement& announcement, const Localizer& texts) {
    return texts.LocalizedText(SpeakerText(announcement.speaker)) + ": " + announcement.text;
}

std::string ScreenReaderText(const AnnouncementHistory& history, std::size_t first, const Localizer& texts) {
    const auto& entries = history.Entries();
    // Each piece keyed by the entry it begins with, so the pieces keep the order they were heard in.
    std::map<std::size_t, std::string> pieces;
    for (const Announcement& announcement : history.Announcements()) {
        if (announcement.first >= first) pieces[announcement.first] = AnnouncementLine(announcement, texts);
    }
    for (std::size_t i = first; i < entries.size(); ++i) {
        if (!entries[i].feedback) continue;
        std::string words = Trimmed(entries[i].text);
        if (!words.empty()) pieces[i] = std::move(words);
    }
    std::string line;
    for (const auto& [index, piece] : pieces) {
        if (!line.empty()) line += ". ";
        line += piece;
    }
    return line;
}

}  // namespace tarvel
