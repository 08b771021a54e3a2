// How the engine is heard: the phrase players. The client's phrase player implements
// this port directly; tests record it.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvel {

// The variants the engine plays phrases with.
inline constexpr std::uint8_t kPlainVariant = 1;
inline constexpr std::uint8_t kCardNameVariant = 11;  // every card name: its "1" recording
inline constexpr std::uint8_t kThrowVariant = 6;      // "vyhození": one of six recordings
inline constexpr std::uint8_t kCannotUseVariant = 4;  // "kartu nelze použít": one of four

// The voice letter of sound effects and of the edge sound.
inline constexpr std::string_view kNoVoice{};

// What SayWhoLeads compares: the match is on while games remain.
struct MatchStanding {
    std::int32_t playerPenalty = 0;
    std::int32_t opponentPenalty = 0;
    std::uint8_t numberOfGames = 0;
    std::uint16_t gameNumber = 0;
};

// The match is on while games remain: with a game limit, before the last game has
// been played; without one, once the first game has been counted.
inline bool MatchGoesOn(const MatchStanding& standing) {
    if (standing.numberOfGames > 0) return standing.gameNumber < standing.numberOfGames;
    return standing.gameNumber != 0;
}

class SpeechPort {
  public:
    virtual ~SpeechPort() = default;

    // The voice letter is "m", "z" or empty for sound effects. SayPhrase returns when
    // the phrase has been heard; StartPhrase returns at once.
    virtual void SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) = 0;
    virtual void StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) = 0;
    // The number in words, each word waited for.
    virtual void SayNumber(std::string_view voice, std::int32_t number, bool sayZero) = 0;
    // Who leads the match, or who won it.
    virtual void SayWhoLeads(std::string_view voice, const MatchStanding& standing) = 0;
    virtual bool SoundsOn() const = 0;
};

}  // namespace tarvel
