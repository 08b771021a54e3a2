// A new match or game, the deal, the start of the player's turn, and the selection
// moves in the hand and in the suit row.
#include <algorithm>

#include "engine/engine.h"
#include "engine/table_layout.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::Novhra1Click(bool fromMenu) {
    table_.ClearTable();
    if (Networked()) {
        // Each game starts free of what the last one waited for, also a draw cut off
        // by the end of a game or of a match.
        net_.opponentPoints.reset();
        net_.startCardsComplete = false;
        net_.waiting = NetworkWait::None;
        net_.awaitingCards = false;
    }
    if (fromMenu || state_.lastStarter == kStarterUnknown) {
        state_.gameNumber = 1;
        state_.playerPenalty = state_.opponentPenalty = 0;
        state_.playerWins = state_.opponentWins = 0;
        if (!Networked()) {
            state_.lastStarter = static_cast<std::uint8_t>(random_.Random(2));
        } else if (state_.lastStarter > 1) {
            net_.waiting = NetworkWait::Beginner;  // NetworkFirstPlayer takes it up
            return;
        }
    }
    BeginGame();
}

void Engine::BeginGame() {
    window_.EnableMenuItem(MenuItem::tvojebody1, options_.playforpoints);
    window_.EnableMenuItem(MenuItem::Mojebody1, options_.playforpoints);
    window_.EnableMenuItem(MenuItem::Tvojebodydotabulky1, options_.playforpoints && options_.usetable);
    WriteStatusPanels();

    window_.ShowLabel(!speech_.SoundsOn());
    state_.running = true;
    window_.EnableMenuItem(MenuItem::Nastavenhry1, false);
    window_.EnableMenuItem(MenuItem::Ukonenhry1, true);
    if (Networked()) {
        window_.EnableMenuItem(MenuItem::Novsovhra1, false);
        window_.EnableMenuItem(MenuItem::Sovnastaven1, false);
    }

    // A fresh table; a network deal fills it as the server's messages come.
    random_.SeedFromClock();
    state_.game = rules::Position{};
    state_.game.rules = Rules();
    state_.playerHand.clear();
    state_.opponentHand.clear();
    state_.opponentCount = 0;
    state_.selected = 0;
    state_.dealt = false;
    state_.markerX = layout::kStartMarker.x;
    state_.markerY = layout::kStartMarker.y;
    settlement_ = LocalPlay{};
    if (!Networked()) {
        ShuffleAndDeal();
        StartDealtGame();
        return;
    }
    SendNet(protocol::ClientKind::ReadyForDeal);
    net_.waiting = NetworkWait::StartCards;  // NetworkStartCardsDone takes it up
}

void Engine::StartDealtGame() {
    if (Networked()) {
        // The server deals both hands alike: the opponent holds as many as arrived here.
        state_.opponentCount = state_.PlayerCount();
        table_.ShowMarker(true);
        table_.RedrawTable();
    }
    state_.dealt = true;
    if (speech_.SoundsOn()) window_.EnableMenuItem(MenuItem::ekni1, true);

    state_.lastStarter = state_.lastStarter == 0 ? 1 : 0;
    const bool playerBegins =
        Networked() ? (net_.playerNumber - '0') == state_.lastStarter : state_.lastStarter == 1;
    state_.game.toMove = playerBegins ? kPlayerSeat : kOpponentSeat;
    if (playerBegins) {
        SetLabelText(text::kYouBegin);
        Say("Začínáš");
        BeginPlayerTurn();
    } else {
        Say("Začínám");
        if (Networked()) {
            BeginPlayerTurn();
        } else {
            OpponentTurn();
        }
    }
    window_.StartActivationTimer();
}

void Engine::ShuffleAndDeal() {
    strongMemory_.Reset();
    rules::DealtOrder order;
    state_.game = rules::Deal(Rules(), kPlayerSeat, random_, &order);
    // The player gets the first block of the stock, the computer the next one.
    state_.playerHand.assign(order.hands[kPlayerSeat].begin(), order.hands[kPlayerSeat].begin() + order.perHand);
    state_.opponentHand.assign(order.hands[kOpponentSeat].begin(),
                               order.hands[kOpponentSeat].begin() + order.perHand);
    state_.opponentCount = order.perHand;
    table_.ShowMarker(true);
    table_.RedrawTable();

    SayCard(state_.game.Top());
    // A queen turned up holds its own suit.
    if (state_.RequestedSuitShown()) {
        table_.DrawRequestedSuit();
        Say("Platí");
        Say(rules::SuitMarker(state_.game.namedSuit));
    }
}

void Engine::BeginPlayerTurn() {
    // A player returned into the game who could draw nothing has no card to select.
    state_.selected = state_.playerHand.empty() ? 0 : 1;
    if (options_.saycardsundermouse) table_.ResetHover();
    state_.markerX = layout::kStartMarker.x;
    state_.markerY = layout::kHandMarkerY;
    table_.PlaceMarker(true);
    table_.PointAtPile();
}

void Engine::SpeakSelected() {
    speech_.StartPhrase(PV(), rules::CardName(state_.SelectedCard()), kCardNameVariant);
}

void Engine::SelectHandPosition(std::size_t position) {
    state_.selected = position;
    state_.markerX = static_cast<std::uint16_t>(layout::HandMarkerX(position));
    state_.markerY = layout::kHandMarkerY;
}

void Engine::SelectCard(std::size_t position) {
    if (position < 1 || position > state_.playerHand.size()) return;
    SelectHandPosition(position);
    table_.PlaceMarker(false);
}

void Engine::SelectFirstCard(bool silently) {
    if (state_.playerHand.empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(1);
    table_.PlaceMarker(true);
    if (!silently) SpeakSelected();
}

void Engine::SelectLastCard() {
    if (state_.playerHand.empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(state_.playerHand.size());
    table_.PlaceMarker(true);
    SpeakSelected();
}

std::size_t Engine::CurrentHandPosition() const {
    return std::clamp<std::size_t>(layout::HandPositionAt(state_.markerX), 1, state_.playerHand.size());
}

void Engine::SelectLeft() {
    StepInHand(Step::Left);
}

void Engine::SelectRight() {
    StepInHand(Step::Right);
}

void Engine::StepInHand(Step step) {
    if (state_.playerHand.empty()) {
        SayEffect("okraj");
        return;
    }
    const std::size_t position = CurrentHandPosition();
    const bool left = step == Step::Left;
    const bool atEdge = left ? position <= 1 : position >= state_.playerHand.size();
    SelectHandPosition(atEdge ? position : (left ? position - 1 : position + 1));
    table_.PlaceMarker(true);
    if (atEdge) SayEffect("okraj");
    SpeakSelected();
}

void Engine::PlaceSuitMarker(int x) {
    state_.markerX = static_cast<std::uint16_t>(x);
    state_.markerY = layout::kSuitMarkerY;
    table_.PlaceMarker(true);
}

void Engine::SelectFirstSuit() {
    if (!state_.SuitChoiceActive()) return;
    PlaceSuitMarker(layout::kFirstSuitMarkerX);
    speech_.StartPhrase(PV(), "srdce", kPlainVariant);
}

void Engine::SelectLastSuit() {
    if (!state_.SuitChoiceActive()) return;
    PlaceSuitMarker(layout::kLastSuitMarkerX);
    speech_.StartPhrase(PV(), "kříže", kPlainVariant);
}

void Engine::SelectSuitLeft() {
    StepInSuitRow(Step::Left);
}

void Engine::SelectSuitRight() {
    StepInSuitRow(Step::Right);
}

void Engine::StepInSuitRow(Step step) {
    if (!state_.SuitChoiceActive()) return;
    const bool left = step == Step::Left;
    const bool atEdge =
        left ? state_.markerX <= layout::kFirstSuitMarkerX : state_.markerX >= layout::kLastSuitMarkerX;
    if (atEdge) {
        SayEffect("okraj");
    } else {
        PlaceSuitMarker(left ? state_.markerX - layout::kSuitSymbolStep : state_.markerX + layout::kSuitSymbolStep);
    }
    speech_.StartPhrase(PV(), layout::SuitAtX(state_.markerX), kPlainVariant);
}

}  // namespace tarvel
