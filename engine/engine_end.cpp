// The end of a game (the return rule, the verdict, the points) and of the match.
#include <string>

#include "engine/engine.h"

namespace tarvel {

void Engine::OpponentLastCard() {
    if (state_.AcePending) {
        SendNet(protocol::ClientKind::AceCannotReturn);
        Say("nemůžeš vrátit");
        OpponentWinsGame();
        return;
    }
    speech_.StartPhrase(OV(), "podívej se na vracení", kPlainVariant);
    state_.ReturnPending = true;
}

void Engine::OpponentTriesReturn() {
    if (Networked()) {
        state_.PlayerTurn = false;  // the opponent's client decides
        return;
    }
    if (state_.AcePending) {
        PlayerWinsGame();
        return;
    }
    const bool strong = options_.computerlevel == kComputerStrong;
    const auto answer = strong ? StrongReturnAnswer() : computer_.ChooseReturnAnswer(state_, options_);
    if (!answer) {
        PlayerWinsGame();
        return;
    }
    Say("ale já mám");
    Say(answer->kingOfSpades ? "pikového krále" : "sedmičku");
    Say("a tak tě vracím");
    OpponentPlaysCard(answer->position);
    if (!state_.GameRunning) return;  // the card itself decided the game
    if (state_.OpponentCount == 0) {
        OpponentWinsGame();
        return;
    }
    if (strong) RememberOwnMove();
    PlayerDraws();  // the player's hand is empty: he laid his last card
}

void Engine::SayCardsLeft(std::uint8_t count, bool toPlayer) {
    const char* const person = toPlayer ? " ti" : " mi";
    if (count == 1) {
        Say(std::string("zůstala") + person);
        speech_.SayNumber(OV(), 1, true);
        Say("karta");
    } else if (count >= 2 && count <= 4) {
        Say(std::string("zůstaly") + person);
        speech_.SayNumber(OV(), count, true);
        Say("karty");
    } else {
        Say(std::string("zůstalo") + person);
        speech_.SayNumber(OV(), count, true);
        Say("karet");
    }
    Say("což je");
}

void Engine::SayPoints(std::int32_t count, bool penalty) {
    if (count == 1) {
        Say(penalty ? "jeden trestný bod" : "jeden bod");
        return;
    }
    if (count >= 2 && count <= 4) {
        if (count == 2) {
            Say("dva");
        } else {
            speech_.SayNumber(OV(), count, true);
        }
        if (penalty) Say("trestné");
        Say("body");
        return;
    }
    speech_.SayNumber(OV(), count, true);
    if (penalty) Say("trestných");
    Say("bodů");
}

MatchStanding Engine::Standing() const {
    return MatchStanding{state_.PlayerPenalty, state_.OpponentPenalty, NumberOfGames(), state_.GameNumber};
}

void Engine::AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points) {
    std::int32_t& loserPenalty = playerLost ? state_.PlayerPenalty : state_.OpponentPenalty;
    const std::int32_t winnerPenalty = playerLost ? state_.OpponentPenalty : state_.PlayerPenalty;
    SayCardsLeft(cardsLeft, playerLost);
    SayPoints(points, false);
    loserPenalty += points;
    SetPanelNumber(playerLost ? StatusPanel::PlayerPoints : StatusPanel::OpponentPoints, loserPenalty);
    Say(playerLost ? "Celkem máš" : "celkem mám");
    SayPoints(loserPenalty, true);
    if (winnerPenalty > 0) {
        Say(playerLost ? "já mám" : "ty máš");
        SayPoints(winnerPenalty, true);
    } else {
        Say(playerLost ? "já nemám žádný trestný bod" : "ty nemáš žádný trestný bod");
    }
    speech_.SayWhoLeads(OV(), Standing());
}

void Engine::OpponentWinsGame() {
    state_.GameOver = true;
    if (options_.returntogame && state_.PendingDraw > 0) {
        PlayerDraws();  // the pending cards are taken and count against the player
        if (Networked()) {
            net_.waiting = NetworkWait::PendingCards;  // NetworkDrawEnded takes it up
            ResumeNetworkWait();
            return;
        }
    }
    FinishOpponentWin();
}

void Engine::FinishOpponentWin() {
    if (state_.ReturnPending) SendNet(protocol::ClientKind::GiveUp);
    state_.ReturnPending = false;
    state_.GameRunning = false;
    table_.ShowMarker(false);

    SetLabelText(text::kIWin);
    Say("jsem vítěz");
    ++state_.OpponentWins;
    SetPanelNumber(StatusPanel::OpponentWins, state_.OpponentWins);

    if (options_.playforpoints) {
        const std::int32_t points = HandPoints(state_.PlayerHand);
        SendNet(protocol::ClientKind::Points, std::to_string(points));
        AnnounceGamePoints(true, static_cast<std::uint8_t>(state_.PlayerHand.Size()), points);
    }
    window_.ScoreTableStep();
    NextGameOrEndMatch();
}

void Engine::PlayerWinsGame() {
    state_.GameOver = true;
    state_.ReturnPending = false;
    if (!Networked() && options_.returntogame && state_.PendingDraw > 0) OpponentDraws();
    state_.GameRunning = false;
    table_.ShowMarker(false);
    SetLabelText(text::kYouWin);
    Say("Jsi vítěz");
    ++state_.PlayerWins;
    SetPanelNumber(StatusPanel::PlayerWins, state_.PlayerWins);

    if (options_.playforpoints && Networked()) {
        net_.waiting = NetworkWait::OpponentPoints;  // NetworkOpponentPoints takes it up
        ResumeNetworkWait();
        return;
    }
    FinishPlayerWin();
}

void Engine::FinishPlayerWin() {
    if (options_.playforpoints) {
        const std::int32_t points = Networked() ? net_.opponentPoints.value_or(0) : HandPoints(state_.OpponentHand);
        AnnounceGamePoints(false, state_.OpponentCount, points);
    }
    if (!Networked()) window_.ScoreTableStep();
    NextGameOrEndMatch();
}

void Engine::NextGameOrEndMatch() {
    const bool unlimited = NumberOfGames() == 0 && state_.GameNumber != 0;
    if (unlimited || state_.GameNumber < NumberOfGames()) {
        ++state_.GameNumber;
        SetPanelNumber(StatusPanel::GameNumber, state_.GameNumber);
        Say("hra");
        speech_.SayNumber(OV(), state_.GameNumber, true);
        if (Networked()) {
            SendNet(protocol::ClientKind::EndOfOneGame);  // the server starts the next game
        } else {
            Novhra1Click(false);
        }
        return;
    }
    EndMatch();
}

void Engine::EndMatch() {
    Say("konec hry");
    state_.GameRunning = false;
    if (state_.SuitChoiceActive) {
        // Ended while a suit was being chosen: the suit row goes with the match.
        state_.SuitChoiceActive = false;
        table_.EraseSuitChoice();
    }
    if (Networked()) {
        SendNet(protocol::ClientKind::EndOfMatch);
        net_.active = false;
        net_.waiting = NetworkWait::None;
        network_.LeaveNetworkPlay();
        window_.EnableMenuItem(MenuItem::Novsovhra1, true);
        window_.EnableMenuItem(MenuItem::Sovnastaven1, true);
        window_.EnableMenuItem(MenuItem::Polizprvusoupei1, false);
    }
    window_.EnableMenuItem(MenuItem::Nastavenhry1, true);
    window_.EnableMenuItem(MenuItem::ekni1, false);
    window_.EnableMenuItem(MenuItem::Ukonenhry1, false);
    window_.SetLabel("");
    window_.ShowLabel(false);
}

void Engine::FinishMatchAfterThisGame() {
    state_.GameNumber = NumberOfGames();
}

void Engine::Ukonenhry1Click() {
    FinishMatchAfterThisGame();
    SendNet(protocol::ClientKind::TerminateGame);
    NextGameOrEndMatch();
}

}  // namespace tarvel
