#include "client/app/game_speech.h"

namespace tarvel {

SpeechPort* GameSpeech::Target() {
    if (beforeSpeaking) beforeSpeaking();
    switch (mode_) {
        case SpeechMode::Off:
            return nullptr;
        case SpeechMode::Service:
            if (service_ != nullptr) return service_;
            break;
        case SpeechMode::Recordings:
            break;
    }
    return &recordings_;
}

void GameSpeech::SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    if (SpeechPort* target = Target()) target->SayPhrase(voice, text, variant);
}

void GameSpeech::StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    if (SpeechPort* target = Target()) target->StartPhrase(voice, text, variant);
}

void GameSpeech::SayNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    if (SpeechPort* target = Target()) target->SayNumber(voice, number, sayZero);
}

void GameSpeech::SayWhoLeads(std::string_view voice, const MatchStanding& standing) {
    if (SpeechPort* target = Target()) target->SayWhoLeads(voice, standing);
}

}  // namespace tarvel
