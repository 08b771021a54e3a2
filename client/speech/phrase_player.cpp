#include "client/speech/phrase_player.h"

#include <chrono>
#include <thread>

#include "session/speech/number_words.h"
#include "session/speech/sound_file_name.h"
#include "session/speech/who_leads.h"

namespace tarvel {
namespace {

// Short enough to keep the window's painting smooth, long enough not to spin.
constexpr auto kWaitSlice = std::chrono::milliseconds(5);

}  // namespace

void PhrasePlayer::SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    Play(voice, text, variant, Playback::Wait);
}

void PhrasePlayer::StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    Play(voice, text, variant, Playback::Start);
}

void PhrasePlayer::SayNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    for (const auto& word : NumberWords(number, sayZero)) SayPhrase(voice, word, 1);
}

void PhrasePlayer::SayWhoLeads(std::string_view voice, const MatchStanding& standing) {
    SayPhrase(voice, WhoLeadsText(standing), 1);
}

void PhrasePlayer::Play(std::string_view voice, std::string_view text, std::uint8_t variant,
                        Playback playback) {
    if (!soundsOn_) return;
    // No phrase of the game is empty; an empty one names no recording and is skipped
    // rather than cutting off what sounds.
    if (PhraseFilePart(text).empty()) return;
    audio_.Start(SoundFileName(voice, text, VariantSuffix(variant, playback, random_)), playback);
    if (playback == Playback::Wait) WaitUntilSilent();
}

void PhrasePlayer::WaitUntilSilent() {
    struct Holding {
        bool& flag;
        explicit Holding(bool& f) : flag(f) { flag = true; }
        ~Holding() { flag = false; }
    } holding(holdingGame_);
    while (audio_.IsPlaying()) {
        if (whileWaiting_) whileWaiting_();
        std::this_thread::sleep_for(kWaitSlice);
    }
}

}  // namespace tarvel
