// The Say menu: every fact of the table spoken on request, from the opponent's point
// of view ("my" cards are the opponent's). The player's own facts are spoken in his
// voice, the opponent's in the opponent's.
#pragma once

#include "engine/game_state.h"
#include "engine/speech_port.h"

namespace tarvel {

class SayCommands {
  public:
    // `opponentSpeech` takes what is said in the opponent's voice.
    SayCommands(const GameState& state, SpeechPort& speech, SpeechPort& opponentSpeech)
        : state_(state), speech_(speech), opponentSpeech_(opponentSpeech) {}
    SayCommands(const SayCommands&) = delete;
    SayCommands& operator=(const SayCommands&) = delete;

    // The selected card, or the selected suit during a suit choice. Returns false, having
    // said nothing, when the player holds no card.
    bool SelectedCard();
    // The points the selected card costs; nothing during a suit choice or with no card selected.
    void SelectedCardValue();
    // Every card of the player's hand in hand order, each waited for.
    void AllCards();
    // The card on the pile, or the suit asked for while its symbol is shown.
    void PileCard();
    void GameNumber();
    void PlayerWins();
    void OpponentWins();
    void PlayerPoints();
    void OpponentPoints();
    void OpponentCardCount();
    void PlayerCardCount();

  private:
    const GameState& state_;
    SpeechPort& speech_;
    SpeechPort& opponentSpeech_;
};

}  // namespace tarvel
