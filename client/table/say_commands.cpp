#include "client/table/say_commands.h"

#include "engine/table_layout.h"

namespace tarvel {

bool SayCommands::SelectedCard() {
    if (state_.PlayerHand.Empty()) return false;
    if (state_.SuitChoiceActive) {
        speech_.StartPhrase(state_.PlayerVoice, layout::SuitAtX(state_.MarkerX), kPlainVariant);
    } else if (state_.SelectedIndex >= 1 && state_.SelectedIndex <= state_.PlayerHand.Size()) {
        speech_.StartPhrase(state_.PlayerVoice, state_.PlayerHand.At(state_.SelectedIndex).Name, kCardNameVariant);
    }
    return true;
}

void SayCommands::SelectedCardValue() {
    if (state_.SuitChoiceActive) return;
    speech_.SayNumber(state_.PlayerVoice, state_.CurrentCard.Value, true);
}

void SayCommands::AllCards() {
    for (const auto& card : state_.PlayerHand.Cards()) {
        speech_.SayPhrase(state_.PlayerVoice, card.Name, kCardNameVariant);
    }
}

void SayCommands::PileCard() {
    if (state_.Pile.StackEmpty()) return;
    const bool suitAsked = state_.RequestedSuitShown;
    speech_.StartPhrase(state_.OpponentVoice, state_.Pile.Top().Name, suitAsked ? kPlainVariant : kCardNameVariant);
}

void SayCommands::GameNumber() {
    speech_.SayNumber(state_.OpponentVoice, state_.GameNumber, true);
}

void SayCommands::PlayerWins() {
    speech_.SayNumber(state_.PlayerVoice, state_.PlayerWins, true);
}

void SayCommands::OpponentWins() {
    speech_.SayNumber(state_.OpponentVoice, state_.OpponentWins, true);
}

void SayCommands::PlayerPoints() {
    speech_.SayNumber(state_.PlayerVoice, state_.PlayerPenalty, true);
}

void SayCommands::OpponentPoints() {
    speech_.SayNumber(state_.OpponentVoice, state_.OpponentPenalty, true);
}

void SayCommands::OpponentCardCount() {
    speech_.SayNumber(state_.OpponentVoice, state_.OpponentCount, true);
}

void SayCommands::PlayerCardCount() {
    speech_.SayNumber(state_.PlayerVoice, state_.PlayerCount, true);
}

}  // namespace tarvel
