// A new match or game, the deal, the start of the player's turn, and the selection
// moves in the hand and in the suit row.
#include <array>

#include "engine.h"

namespace tarvel {
namespace {

constexpr int kHandMarkerY = 225;
constexpr int kSuitMarkerY = 115;
constexpr int kFirstSuitX = 310;
constexpr int kLastSuitX = 370;

int HandMarkerX(std::size_t position) {
    return 20 * static_cast<int>(position) + 5;
}

}  // namespace

void Engine::BuildDeck() {
    random_.SeedFromClock();
    state_.CardTable = StandardCardTable();
    state_.PlayerHand.Clear();
    state_.OpponentHand.Clear();
    state_.Stock.Clear();
    state_.Pile.Clear();
    state_.SelectedIndex = 0;
    state_.MarkerX = 25;
    state_.MarkerY = kHandMarkerY;
}

void Engine::Novhra1Click(bool fromMenu) {
    presentation_.ClearTable();
    if (Networked()) {
        net_.opponentPoints.reset();
        net_.startCardsComplete = false;
    }
    if (fromMenu || state_.LastStarter == kStarterUnknown) {
        state_.GameNumber = 1;
        state_.PlayerPenalty = state_.OpponentPenalty = 0;
        state_.PlayerWins = state_.OpponentWins = 0;
        if (!Networked()) {
            state_.LastStarter = static_cast<std::uint8_t>(random_.Random(2));
        } else if (!network_.ProcessEventsUntil([this] { return state_.LastStarter <= 1; })) {
            return;
        }
    }

    presentation_.EnableMenuItem(MenuItem::tvojebody1, options_.playforpoints);
    presentation_.EnableMenuItem(MenuItem::Mojebody1, options_.playforpoints);
    presentation_.EnableMenuItem(MenuItem::Tvojebodydotabulky1, options_.playforpoints && options_.usetable);
    WriteStatusPanels();

    presentation_.ShowLabel(!presentation_.SoundsOn());
    state_.GameRunning = true;
    presentation_.EnableMenuItem(MenuItem::Nastavenhry1, false);
    presentation_.EnableMenuItem(MenuItem::Ukonenhry1, true);
    if (Networked()) {
        presentation_.EnableMenuItem(MenuItem::Novsovhra1, false);
        presentation_.EnableMenuItem(MenuItem::Sovnastaven1, false);
    }
    state_.RequestedSuitShown = false;

    BuildDeck();
    if (!Networked()) {
        ShuffleAndDeal();
    } else {
        SendNet("req startcard");
        if (!network_.ProcessEventsUntil([this] { return net_.startCardsComplete; })) return;
        state_.PlayerCount = static_cast<std::uint8_t>(state_.PlayerHand.Size());
        state_.OpponentCount = DealtCards();
        presentation_.ShowMarker(true);
        presentation_.RedrawTable();
    }

    state_.StockOrderKnown = false;
    state_.ReturnPending = false;
    state_.AcePending = false;
    state_.PendingDraw = 0;
    state_.GameOver = false;
    state_.SuitChoiceActive = false;
    if (presentation_.SoundsOn()) presentation_.EnableMenuItem(MenuItem::ekni1, true);

    state_.LastStarter = state_.LastStarter == 0 ? 1 : 0;
    state_.PlayerTurn =
        Networked() ? (net_.playerNumber - '0') == state_.LastStarter : state_.LastStarter == 1;
    if (state_.PlayerTurn) {
        SetLabelText(64);
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
    presentation_.StartActivationTimer();
}

void Engine::ShuffleAndDeal() {
    ShuffleIntoStock(MakeDeck(), 0, state_.Stock, random_);
    const std::uint8_t dealt = DealtCards();
    state_.PlayerCount = state_.OpponentCount = dealt;
    // The player gets the first block of the stock, the computer the next one.
    for (int i = 0; i < dealt; ++i) state_.PlayerHand.AppendCard(state_.Stock.PopCard());
    for (int i = 0; i < dealt; ++i) state_.OpponentHand.AppendCard(state_.Stock.PopCard());
    state_.Pile.PushCard(state_.Stock.PopCard());
    presentation_.ShowMarker(true);
    presentation_.RedrawTable();

    const typhodnoty start = state_.Pile.Top();
    Say(start.Name, 11);
    if (IsQueen(start.Name)) {
        // A queen turned up at the start holds its own suit.
        typhodnoty marker = start;
        marker.Name = std::string(MarkerOfSuitKey(SuitPart(start.Name)));
        state_.CurrentCard = marker;
        state_.Pile.PushCard(marker);
        presentation_.DrawRequestedSuit();
        state_.RequestedSuitShown = true;
        Say("Platí");
        Say(marker.Name);
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
    if (options_.saycardsundermouse) presentation_.ResetHover();
    state_.MarkerX = 25;
    state_.MarkerY = kHandMarkerY;
    presentation_.PlaceMarker(true);
    presentation_.PointAtPile();
}

void Engine::SpeakSelected() {
    presentation_.StartPhrase(PV(), state_.PlayerHand.At(state_.SelectedIndex).Name, 11);
}

void Engine::SelectHandPosition(std::size_t position) {
    state_.SelectedIndex = position;
    state_.CurrentCard = state_.PlayerHand.At(position);
    state_.MarkerX = static_cast<std::uint16_t>(HandMarkerX(position));
    state_.MarkerY = kHandMarkerY;
}

void Engine::SelectFirstCard(bool silently) {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(1);
    presentation_.PlaceMarker(true);
    if (!silently) SpeakSelected();
}

void Engine::SelectLastCard() {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    SelectHandPosition(state_.PlayerHand.Size());
    presentation_.PlaceMarker(true);
    SpeakSelected();
}

std::size_t Engine::CurrentHandPosition() const {
    const std::size_t count = state_.PlayerHand.Size();
    const std::size_t position = state_.MarkerX / 20;
    return std::clamp<std::size_t>(position, 1, count);
}

void Engine::SelectLeft() {
    StepInHand(-1);
}

void Engine::SelectRight() {
    StepInHand(+1);
}

void Engine::StepInHand(int step) {
    if (state_.PlayerHand.Empty()) {
        SayEffect("okraj");
        return;
    }
    const std::size_t position = CurrentHandPosition();
    const bool atEdge = step < 0 ? position <= 1 : position >= state_.PlayerHand.Size();
    SelectHandPosition(atEdge ? position : (step < 0 ? position - 1 : position + 1));
    presentation_.PlaceMarker(true);
    if (atEdge) SayEffect("okraj");
    SpeakSelected();
}

std::string_view Engine::SuitAtX(int x) {
    if (x < 300 || x > 379) return {};
    return MarkerOfSuit((x - 300) / 20);
}

void Engine::SelectFirstSuit() {
    if (!state_.SuitChoiceActive) return;
    state_.MarkerX = kFirstSuitX;
    state_.MarkerY = kSuitMarkerY;
    presentation_.PlaceMarker(true);
    presentation_.StartPhrase(PV(), "srdce", 1);
}

void Engine::SelectLastSuit() {
    if (!state_.SuitChoiceActive) return;
    state_.MarkerX = kLastSuitX;
    state_.MarkerY = kSuitMarkerY;
    presentation_.PlaceMarker(true);
    presentation_.StartPhrase(PV(), "kříže", 1);
}

void Engine::SelectSuitLeft() {
    StepInSuitRow(-20);
}

void Engine::SelectSuitRight() {
    StepInSuitRow(+20);
}

void Engine::StepInSuitRow(int step) {
    if (!state_.SuitChoiceActive) return;
    const bool atEdge = step < 0 ? state_.MarkerX < kFirstSuitX + 1 : state_.MarkerX > kLastSuitX - 1;
    if (atEdge) {
        SayEffect("okraj");
    } else {
        state_.MarkerX = static_cast<std::uint16_t>(state_.MarkerX + step);
        presentation_.PlaceMarker(true);
    }
    presentation_.StartPhrase(PV(), SuitAtX(state_.MarkerX), 1);
}

}  // namespace tarvel
