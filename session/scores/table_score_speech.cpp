#include "session/scores/table_score_speech.h"

#include <limits>

namespace tarvel {

std::int32_t TableScore(std::int32_t playerPenalty, std::int32_t opponentPenalty) {
    // Penalties never come near the limits; a sum that would overflow stays at the edge.
    const std::int64_t score = std::int64_t{opponentPenalty} - playerPenalty;
    if (score > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (score < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(score);
}

void SayTableScore(SpeechPort& speech, std::string_view voice, std::int32_t playerPenalty,
                   std::int32_t opponentPenalty) {
    const std::int64_t score = TableScore(playerPenalty, opponentPenalty);
    const auto say = [&](std::string_view text) { speech.SayPhrase(voice, text, kPlainVariant); };
    const bool penalty = score < 0;
    const std::int64_t count = penalty ? -score : score;
    if (count == 1) {
        say(penalty ? "jeden trestný bod" : "jeden bod");
        return;
    }
    if (count == 2) {
        say("dva");
    } else {
        // The one count past the range of the number player is spoken as the nearest it can say.
        const std::int64_t sayable = count > std::numeric_limits<std::int32_t>::max()
                                         ? std::numeric_limits<std::int32_t>::max()
                                         : count;
        speech.SayNumber(voice, static_cast<std::int32_t>(sayable), true);
    }
    if (count >= 2 && count <= 4) {
        if (penalty) say("trestné");
        say("body");
        return;
    }
    if (penalty) say("trestných");
    say("bodů");
}

std::string_view FanfarePhrase(int place) {
    return place == 1 ? "champion" : "tab";
}

void PlayTableFanfare(SpeechPort& speech, int place) {
    speech.SayPhrase(kNoVoice, FanfarePhrase(place), kPlainVariant);
}

}  // namespace tarvel
