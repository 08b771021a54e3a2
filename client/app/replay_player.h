// Plays phrases of the history again one after another in the background: each is
// started when the one before has ended, so the game is never held, and any phrase of
// the game cuts the replay off.
#pragma once

#include <QObject>
#include <QTimer>
#include <deque>

#include "session/history/announcement_history.h"
#include "client/speech/audio_backend.h"
#include "client/speech/phrase_player.h"

namespace tarvel {

class ReplayPlayer final : public QObject {
    Q_OBJECT

  public:
    ReplayPlayer(PhrasePlayer& phrases, AudioBackend& audio, QObject* parent = nullptr);

    void Play(const std::vector<SpokenEntry>& entries);
    void Stop();
    bool Playing() const { return !queue_.empty() || timer_.isActive(); }

  private:
    void Next();

    PhrasePlayer& phrases_;
    AudioBackend& audio_;
    std::deque<SpokenEntry> queue_;
    QTimer timer_;
};

}  // namespace tarvel
