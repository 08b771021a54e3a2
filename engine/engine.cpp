#include "engine/engine.h"

#include <numeric>
#include <string>

#include "engine/table_layout.h"
#include "rules/card_names.h"

namespace tarvel {
Engine::Engine(SpeechPort& speech, TablePort& table, WindowPort& window, NetworkPort& network,
               RandomSource& random)
    : speech_(speech), table_(table), window_(window), network_(network), random_(random) {}

void Engine::ApplyGenderFromOptions() {
    const VoiceLetters voices = VoiceLettersForGender(options_.playergender);
    state_.playerVoice = voices.player;
    state_.opponentVoice = voices.opponent;
}

void Engine::Say(std::string_view text, std::uint8_t variant) {
    speech_.SayPhrase(OV(), text, variant);
}

void Engine::SayCard(rules::CardId card) {
    speech_.SayPhrase(OV(), rules::CardName(card), kCardNameVariant);
}

void Engine::SayEffect(std::string_view text, std::uint8_t variant) {
    speech_.SayPhrase(kNoVoice, text, variant);
}

void Engine::SendNet(protocol::ClientKind kind) {
    if (Networked()) network_.Send(kind);
}

void Engine::SendNet(protocol::ClientKind kind, std::string_view value) {
    if (Networked()) network_.Send(kind, value);
}

void Engine::SetLabelText(int textIndex, std::string_view suffix) {
    window_.SetLabel(window_.LocalizedText(textIndex) + std::string(suffix));
}

void Engine::SetPanelNumber(StatusPanel panel, std::int64_t value) {
    window_.SetStatusPanel(panel, std::to_string(value));
}

void Engine::WriteStatusPanels() {
    window_.SetStatusPanel(StatusPanel::PlayerWinsLabel, window_.LocalizedText(text::kYourWins));
    SetPanelNumber(StatusPanel::PlayerWins, state_.playerWins);
    window_.SetStatusPanel(StatusPanel::OpponentWinsLabel, window_.LocalizedText(text::kMyWins));
    SetPanelNumber(StatusPanel::OpponentWins, state_.opponentWins);
    if (options_.playforpoints) {
        window_.SetStatusPanel(StatusPanel::PlayerPointsLabel, window_.LocalizedText(text::kYourPoints));
        SetPanelNumber(StatusPanel::PlayerPoints, state_.playerPenalty);
        window_.SetStatusPanel(StatusPanel::OpponentPointsLabel, window_.LocalizedText(text::kMyPoints));
        SetPanelNumber(StatusPanel::OpponentPoints, state_.opponentPenalty);
    }
    window_.SetStatusPanel(StatusPanel::GameLabel, window_.LocalizedText(text::kGame));
    SetPanelNumber(StatusPanel::GameNumber, state_.gameNumber);
}

std::int32_t Engine::HandPoints(const std::vector<rules::CardId>& hand) {
    return std::accumulate(hand.begin(), hand.end(), std::int32_t{0},
                           [](std::int32_t sum, rules::CardId card) { return sum + rules::PointsOf(card); });
}

Engine::LocalPlay Engine::PlayLocal(rules::Move move) {
    rules::Position& game = state_.game;
    const rules::Position before = game;
    // The compulsory rule binds the player's commands, not the computer's choices.
    const bool computer = game.toMove == kOpponentSeat;
    const bool compulsory = game.rules.compulsory;
    if (computer) game.rules.compulsory = false;
    LocalPlay play;
    play.outcome = rules::Apply(game, move, random_);
    game.rules.compulsory = compulsory;
    if (play.outcome.refusal != rules::Refusal::None) return play;
    if (move.kind == rules::MoveKind::Lay) {
        std::erase(before.toMove == kPlayerSeat ? state_.playerHand : state_.opponentHand, move.value);
    }
    TakeDrawnCards(before, play);
    return play;
}

void Engine::DecideLocal(std::uint8_t winner) {
    if (state_.game.Over()) return;
    const rules::Position before = state_.game;
    LocalPlay play;
    play.outcome = rules::Decide(state_.game, winner, random_);
    TakeDrawnCards(before, play);
}

void Engine::TakeDrawnCards(const rules::Position& before, LocalPlay& play) {
    if (play.outcome.drawer != rules::kNoSeat) {
        play.drawn = rules::DrawnInOrder(before, state_.game, play.outcome);
        std::vector<rules::CardId>& hand = play.outcome.drawer == kPlayerSeat ? state_.playerHand : state_.opponentHand;
        hand.insert(hand.end(), play.drawn.cards.begin(), play.drawn.cards.begin() + play.drawn.count);
    }
    state_.opponentCount = static_cast<std::uint8_t>(state_.opponentHand.size());
    if (play.outcome.winner != rules::kNoSeat) settlement_ = play;
}

ComputerSight Engine::SightOfComputer() const {
    const rules::Position& game = state_.game;
    ComputerSight sight;
    sight.view = rules::ViewOf(game, kOpponentSeat);
    sight.hand = state_.opponentHand;
    if (game.stockOrderKnown && game.stockSize > 0) sight.nextStockCard = game.stock[game.stockSize - 1u];
    sight.forPoints = options_.playforpoints;
    return sight;
}

void Engine::SayPlayerDraw(const LocalPlay& play, std::size_t handBefore) {
    const rules::DrawnCards& drawn = play.drawn;
    if (play.outcome.nothingToDraw && drawn.count == 0) {
        Say("není z čeho lízat");
        return;
    }
    for (std::size_t i = 0; i < drawn.count; ++i) {
        if (play.outcome.pileTurned && i == drawn.beforeTurn) Say("Otáčím hromádku");
        const std::size_t position = handBefore + i + 1;
        table_.DrawPlayerCardAt(position);
        SayEffect("lízání");
        if (options_.saypickedcards) {
            if (options_.movemouse)
                table_.MovePointer(layout::HandMarkerX(position), state_.markerY + layout::kPointerBelowMarker);
            speech_.SayPhrase(PV(), rules::CardName(drawn.cards[i]), kCardNameVariant);
        }
    }
    if (play.outcome.nothingToDraw) Say("není z čeho lízat");
}

void Engine::SayComputerDraw(const LocalPlay& play, std::size_t handBefore) {
    const rules::DrawnCards& drawn = play.drawn;
    if (play.outcome.returned) Say("vracíš mě do hry");
    Say("lížu");
    if (play.outcome.nothingToDraw && drawn.count == 0) {
        Say("není z čeho lízat");
        return;
    }
    std::string label = window_.LocalizedText(text::kIDraw) + " ";
    const std::uint8_t asked = play.outcome.asked;
    if (asked > 1) {
        label += " " + std::to_string(asked) + " " +
                 window_.LocalizedText(asked <= 4 ? text::kCardsTwoToFour : text::kCardsFiveOrMore);
    }
    window_.SetLabel(label);
    for (std::size_t i = 0; i < drawn.count; ++i) {
        if (play.outcome.pileTurned && i == drawn.beforeTurn) Say("Otáčím hromádku");
        table_.DrawOpponentBackAt(handBefore + i + 1);
        SayEffect("lízání");
    }
    if (play.outcome.nothingToDraw) Say("není z čeho lízat");
}

}  // namespace tarvel
