// A new match or game, the deal, the start of the player's turn, and the selection
// moves in the hand and in the suit row.
#include <algorithm>

#include "engine/engine.h"
#include "common/pile.h"
#include "engine/table_layout.h"

namespace tarvel {

void Engine::BuildDeck() {
    random_.SeedFromClock();
    state_.CardTable = StandardCardTable();
    state_.PlayerHand.Clear();
    state_.OpponentHand.Clear();
    state_.Stock.Clear();
    state_.Pile.Clear();
    state_.SelectedIndex = 0;
    state_.MarkerX = layout::kStartMarker.x;
    state_.MarkerY = layout::kStartMarker.y;
}

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
    if (fromMenu || state_.LastStarter == kStarterUnknown) {
        state_.GameNumber = 1;
        state_.PlayerPenalty = state_.OpponentPenalty = 0;
        state_.PlayerWins = state_.OpponentWins = 0;
        if (!Networked()) {
            state_.LastStarter = static_cast<std::uint8_t>(random_.Random(2));
        } else if (state_.LastStarter > 1) {
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
    state_.GameRunning = true;
    window_.EnableMenuItem(MenuItem::Nastavenhry1, false);
    window_.EnableMenuItem(MenuItem::Ukonenhry1, true);
    if (Networked()) {
        window_.EnableMenuItem(MenuItem::Novsovhra1, false);
        window_.EnableMenuItem(MenuItem::Sovnastaven1, false);
    }
    state_.RequestedSuitShown = false;

    BuildDeck();
    if (!Networked()) {
        ShuffleAndDeal();
        StartDealtGame();
        return;
    }
    // Nobody's turn until the deal is complete: a key meanwhile is refused.
    state_.PlayerTurn = false;
    SendNet(protocol::ClientKind::ReadyForDeal);
    net_.waiting = NetworkWait::StartCards;  // NetworkStartCardsDone takes it up
}

void Engine::StartDealtGame() {
    if (Networked()) {
        // The server deals both hands alike: the opponent holds as many as arrived here.
        state_.PlayerCount = static_cast<std::uint8_t>(state_.PlayerHand.Size());
        state_.OpponentCount = state_.PlayerCount;
        table_.ShowMarker(true);
        table_.RedrawTable();
    }

    state_.StockOrderKnown = false;
    state_.ReturnPending = false;
    state_.AcePending = false;
    state_.PendingDraw = 0;
    state_.GameOver = false;
    state_.SuitChoiceActive = false;
    if (speech_.SoundsOn()) window_.EnableMenuItem(MenuItem::ekni1, true);

    state_.LastStarter = state_.LastStarter == 0 ? 1 : 0;
    state_.PlayerTurn =
        Networked() ? (net_.playerNumber - '0') == state_.LastStarter : state_.LastStarter == 1;
    if (state_.PlayerTurn) {
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
    ShuffleIntoStock(MakeDeck(), 0, state_.Stock, random_);
    const std::uint8_t dealt = kDealtCardsRange.Keep(options_.dealtcards);
    state_.PlayerCount = state_.OpponentCount = dealt;
    // The player gets the first block of the stock, the computer the next one.
    for (int i = 0; i < dealt; ++i) state_.PlayerHand.AppendCard(state_.Stock.PopCard());
    for (int i = 0; i < dealt; ++i) state_.OpponentHand.AppendCard(state_.Stock.PopCard());
    state_.Pile.PushCard(state_.Stock.PopCard());
    table_.ShowMarker(true);
    table_.RedrawTable();

    const typhodnoty start = state_.Pile.Top();
    Say(start.Name, kCardNameVariant);
    if (const auto marker = StartQueenMarker(start)) {
        state_.CurrentCard = *marker;
        state_.Pile.PushCard(*marker);
        table_.DrawRequestedSuit();
        state_.RequestedSuitShown = true;
        Say("Platí");
        Say(marker->Name);
    }
}

void Engine::BeginPlayerTurn() {
    if (state_.PlayerHand.Empty()) {
        // A player returned into the game who could draw nothing has no card to select.
        state_.SelectedIndex = 0;
    } else {
        state_.SelectedIndex = 1;
        state_.CurrentCard = state_.PlayerHand.Head();
    }
    if (options_.saycardsundermouse) table_.ResetHover();
    state_.MarkerX = layout::kStartMarker.x;
    state_.MarkerY = layout::kHandMarkerY;
    table_.PlaceMarker(true);
    table_.PointAtPile();
}

void Engine::SpeakSelected() {
    speech_.StartPhrase(PV(), state_.PlayerHand.At(state_.SelectedIndex).Name, kCardNameVariant);
}

void Engine::SelectHandPosition(std::size_t position) {
    state_.SelectedIndex = position;
    state_.CurrentCard = state_.PlayerHand.At(position);
    state_.MarkerX = static_cast<std::uint16_t>(layout::HandMarkerX(position));
    state_.MarkerY = layout::kHandMarkerY;
}

void Engine::SelectCard(std::size_t position) {
    if (position < 1 || position > state_.PlayerHand.Size()) return;
    SelectHandPosition(position);
    table_.PlaceMarker(false);
}

void Engine::SelectFirstCard(bool silently) {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(1);
    table_.PlaceMarker(true);
    if (!silently) SpeakSelected();
}

void Engine::SelectLastCard() {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(state_.PlayerHand.Size());
    table_.PlaceMarker(true);
    SpeakSelected();
}

std::size_t Engine::CurrentHandPosition() const {
    return std::clamp<std::size_t>(layout::HandPositionAt(state_.MarkerX), 1, state_.PlayerHand.Size());
}

void Engine::SelectLeft() {
    StepInHand(Step::Left);
}

void Engine::SelectRight() {
    StepInHand(Step::Right);
}

void Engine::StepInHand(Step step) {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    const std::size_t position = CurrentHandPosition();
    const bool left = step == Step::Left;
    const bool atEdge = left ? position <= 1 : position >= state_.PlayerHand.Size();
    SelectHandPosition(atEdge ? position : (left ? position - 1 : position + 1));
    table_.PlaceMarker(true);
    if (atEdge) SayEffect("okraj");
    SpeakSelected();
}

void Engine::PlaceSuitMarker(int x) {
    state_.MarkerX = static_cast<std::uint16_t>(x);
    state_.MarkerY = layout::kSuitMarkerY;
    table_.PlaceMarker(true);
}

void Engine::SelectFirstSuit() {
    if (!state_.SuitChoiceActive) return;
    PlaceSuitMarker(layout::kFirstSuitMarkerX);
    speech_.StartPhrase(PV(), "srdce", kPlainVariant);
}

void Engine::SelectLastSuit() {
    if (!state_.SuitChoiceActive) return;
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
    if (!state_.SuitChoiceActive) return;
    const bool left = step == Step::Left;
    const bool atEdge =
        left ? state_.MarkerX <= layout::kFirstSuitMarkerX : state_.MarkerX >= layout::kLastSuitMarkerX;
    if (atEdge) {
        SayEffect("okraj");
    } else {
        PlaceSuitMarker(left ? state_.MarkerX - layout::kSuitSymbolStep
                             : state_.MarkerX + layout::kSuitSymbolStep);
    }
    speech_.StartPhrase(PV(), layout::SuitAtX(state_.MarkerX), kPlainVariant);
}

}  // namespace tarvel
