#include "session/table/say_commands.h"

#include "rules/card_names.h"

namespace tarvel {

bool SayCommands::SelectedCard() {
    if (state_.playerHand.empty()) return false;
    if (state_.SuitChoiceActive()) {
        speech_.StartPhrase(state_.playerVoice, rules::SuitMarker(state_.selectedSuit), kPlainVariant);
    } else if (const rules::CardId card = state_.SelectedCard(); card != rules::kNoCard) {
        speech_.StartPhrase(state_.playerVoice, rules::CardName(card), kCardNameVariant);
    }
    return true;
}

void SayCommands::SelectedCardValue() {
    const rules::CardId card = state_.SelectedCard();
    if (state_.SuitChoiceActive() || card == rules::kNoCard) return;
    speech_.SayNumber(state_.playerVoice, rules::PointsOf(card), true);
}

void SayCommands::AllCards() {
    for (const rules::CardId card : state_.playerHand) {
        speech_.SayPhrase(state_.playerVoice, rules::CardName(card), kCardNameVariant);
    }
}

void SayCommands::PileCard() {
    const rules::Position& game = state_.game;
    if (game.Top() == rules::kNoCard) return;
    if (state_.RequestedSuitShown()) {
        opponentSpeech_.StartPhrase(state_.opponentVoice, rules::SuitMarker(game.namedSuit), kPlainVariant);
    } else {
        opponentSpeech_.StartPhrase(state_.opponentVoice, rules::CardName(game.Top()), kCardNameVariant);
    }
}

void SayCommands::GameNumber() {
    opponentSpeech_.SayNumber(state_.opponentVoice, state_.gameNumber, true);
}

void SayCommands::PlayerWins() {
    speech_.SayNumber(state_.playerVoice, state_.playerWins, true);
}

void SayCommands::OpponentWins() {
    opponentSpeech_.SayNumber(state_.opponentVoice, state_.opponentWins, true);
}

void SayCommands::PlayerPoints() {
    speech_.SayNumber(state_.playerVoice, state_.playerPenalty, true);
}

void SayCommands::OpponentPoints() {
    opponentSpeech_.SayNumber(state_.opponentVoice, state_.opponentPenalty, true);
}

void SayCommands::OpponentCardCount() {
    opponentSpeech_.SayNumber(state_.opponentVoice, state_.opponentCount, true);
}

void SayCommands::PlayerCardCount() {
    speech_.SayNumber(state_.playerVoice, state_.PlayerCount(), true);
}

}  // namespace tarvel
