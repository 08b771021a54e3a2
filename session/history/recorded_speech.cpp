#include "session/history/recorded_speech.h"

#include "session/speech/number_words.h"
#include "session/speech/who_leads.h"

namespace tarvel {

void RecordedSpeech::Note(std::string_view voice, std::string_view text, std::uint8_t variant, bool waited) {
    if (text.empty()) return;
    SpokenEntry entry;
    entry.voice = std::string(voice);
    entry.text = std::string(text);
    entry.variant = variant;
    entry.waited = waited;
    if (voice.empty()) {
        entry.speaker = Speaker::Effect;
    } else if (speaker_) {
        entry.speaker = *speaker_;
    } else {
        entry.speaker = voice == playerVoice_() ? Speaker::Player : Speaker::Opponent;
    }
    // A card or suit named while the player moves, and the edge, off and on, answer a
    // key; the rest is the game speaking.
    entry.feedback = (!waited && entry.speaker == Speaker::Player) || text == "okraj" || text == "off" || text == "on";
    history_.Add(std::move(entry));
}

void RecordedSpeech::SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    Note(voice, text, variant, true);
    inner_.SayPhrase(voice, text, variant);
}

void RecordedSpeech::StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    Note(voice, text, variant, false);
    inner_.StartPhrase(voice, text, variant);
}

void RecordedSpeech::SayNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    for (const auto& word : NumberWords(number, sayZero)) Note(voice, word, kPlainVariant, true);
    inner_.SayNumber(voice, number, sayZero);
}

void RecordedSpeech::SayWhoLeads(std::string_view voice, const MatchStanding& standing) {
    Note(voice, WhoLeadsText(standing), kPlainVariant, true);
    inner_.SayWhoLeads(voice, standing);
}

}  // namespace tarvel
