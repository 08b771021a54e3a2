// A new match or game, the deal, the start of the player's turn, and the selection
// moves in the hand and in the suit row.
#include <algorithm>

#include "engine/engine.h"
#include "rules/card_names.h"

namespace tarvel {

void Engine::NewGameCommand(bool fromMenu) {
    if (fromMenu) scoreStepHeld_ = false;  // a table of results left open belongs to the old match
    Tell(GameEventKind::TableCleared);
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
        strongBelief_.Reset();  // a new match may be a new player
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
    state_.running = true;
    state_.matchOn = true;

    // A fresh table; a network deal fills it as the server's messages come.
    random_.SeedFromClock();
    state_.game = rules::Position{};
    state_.game.rules = Rules();
    state_.playerHand.clear();
    state_.opponentHand.clear();
    state_.opponentCount = 0;
    state_.selected = 0;
    state_.selectedSuit = rules::kHearts;
    state_.dealt = false;
    settlement_ = LocalPlay{};
    Tell(GameEventKind::GameBegins);
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
        state_.dealt = true;
        Tell(GameEventKind::Dealt);
    }
    state_.dealt = true;

    state_.lastStarter = state_.lastStarter == 0 ? 1 : 0;
    const bool playerBegins =
        Networked() ? (net_.playerNumber - '0') == state_.lastStarter : state_.lastStarter == 1;
    state_.game.toMove = playerBegins ? kPlayerSeat : kOpponentSeat;
    if (playerBegins) {
        Announce(MessageLine::YouBegin);
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
    Tell(GameEventKind::GameUnderWay);
}

void Engine::ShuffleAndDeal() {
    strongMemory_.Reset();
    strongBelief_.NewDeal();
    rules::DealtOrder order;
    state_.game = rules::Deal(Rules(), kPlayerSeat, random_, &order);
    // The player gets the first block of the stock, the computer the next one.
    state_.playerHand.assign(order.hands[kPlayerSeat].begin(), order.hands[kPlayerSeat].begin() + order.perHand);
    state_.opponentHand.assign(order.hands[kOpponentSeat].begin(),
                               order.hands[kOpponentSeat].begin() + order.perHand);
    state_.opponentCount = order.perHand;
    state_.dealt = true;
    Tell(GameEventKind::Dealt);

    SayCard(state_.game.Top());
    // A queen turned up holds its own suit.
    if (state_.RequestedSuitShown()) {
        Tell(GameEventKind::SuitNamed);
        Say("Platí");
        Say(rules::SuitMarker(state_.game.namedSuit));
    }
}

void Engine::BeginPlayerTurn() {
    // A player returned into the game who could draw nothing has no card to select.
    state_.selected = state_.playerHand.empty() ? 0 : 1;
    Tell(GameEventKind::TurnBegins);
}

void Engine::SpeakSelected() {
    speech_.StartPhrase(PV(), rules::CardName(state_.SelectedCard()), kCardNameVariant);
}

void Engine::SelectCard(std::size_t position) {
    if (position < 1 || position > state_.playerHand.size()) return;
    state_.selected = position;
    SelectionMoved(false);
}

void Engine::SelectFirstCard(bool silently) {
    if (state_.playerHand.empty()) {
        SayEffect("okraj");
        return;
    }
    state_.selected = 1;
    SelectionMoved(true);
    if (!silently) SpeakSelected();
}

void Engine::SelectLastCard() {
    if (state_.playerHand.empty()) {
        SayEffect("okraj");
        return;
    }
    state_.selected = state_.playerHand.size();
    SelectionMoved(true);
    SpeakSelected();
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
    const std::size_t position = std::clamp<std::size_t>(state_.selected, 1, state_.playerHand.size());
    const bool left = step == Step::Left;
    const bool atEdge = left ? position <= 1 : position >= state_.playerHand.size();
    state_.selected = atEdge ? position : (left ? position - 1 : position + 1);
    SelectionMoved(true);
    if (atEdge) SayEffect("okraj");
    SpeakSelected();
}

void Engine::SelectSuit(std::uint8_t suit) {
    state_.selectedSuit = suit;
    SelectionMoved(true);
}

void Engine::SelectFirstSuit() {
    if (!state_.SuitChoiceActive()) return;
    SelectSuit(rules::kHearts);
    speech_.StartPhrase(PV(), rules::SuitWord(rules::kHearts), kPlainVariant);
}

void Engine::SelectLastSuit() {
    if (!state_.SuitChoiceActive()) return;
    SelectSuit(rules::kClubs);
    speech_.StartPhrase(PV(), rules::SuitWord(rules::kClubs), kPlainVariant);
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
    const std::uint8_t suit = state_.selectedSuit;
    const bool atEdge = left ? suit == rules::kHearts : suit == rules::kClubs;
    if (atEdge) {
        SayEffect("okraj");
    } else {
        SelectSuit(static_cast<std::uint8_t>(left ? suit - 1 : suit + 1));
    }
    speech_.StartPhrase(PV(), rules::SuitMarker(state_.selectedSuit), kPlainVariant);
}

}  // namespace tarvel
