#include "client/app/replay_player.h"

namespace tarvel {
namespace {
// How often the end of the phrase being replayed is looked for.
constexpr int kPollMilliseconds = 20;
}  // namespace

ReplayPlayer::ReplayPlayer(PhrasePlayer& phrases, AudioBackend& audio, QObject* parent)
    : QObject(parent), phrases_(phrases), audio_(audio) {
    timer_.setInterval(kPollMilliseconds);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!audio_.IsPlaying()) Next();
    });
}

void ReplayPlayer::Play(const std::vector<SpokenEntry>& entries) {
    Stop();
    queue_.assign(entries.begin(), entries.end());
    Next();
}

void ReplayPlayer::Stop() {
    queue_.clear();
    timer_.stop();
}

void ReplayPlayer::Next() {
    if (queue_.empty()) {
        timer_.stop();
        return;
    }
    const SpokenEntry entry = queue_.front();
    queue_.pop_front();
    // Started, never waited for: the game goes on while it sounds.
    phrases_.StartPhrase(entry.voice, entry.text, entry.variant);
    if (!timer_.isActive()) timer_.start();
}

}  // namespace tarvel
