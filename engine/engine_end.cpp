// The end of a game (the return rule, the verdict, the points) and of the match.
#include <string>

#include "engine.h"

namespace tarvel {

void Engine::OpponentLastCard() {
    if (state_.AcePending) {
        SendNet("acecannotreturn");
        Say("nemůžeš vrátit");
        OpponentWinsGame();
        return;
    }
    presentation_.StartPhrase(OV(), "podívej se na vracení", 1);
    state_.ReturnPending = true;
}

void Engine::OpponentTriesReturn() {
    if (Networked()) {
        state_.PlayerTurn = false;  // the opponent's client decides
        return;
    }
    AnalyseHand();
    if (state_.AcePending) {
        PlayerWinsGame();
        return;
    }
    mind_.CardChosen = false;
    if (options_.kingofspades && TryPlayPrefix("král pik")) {
        Say("ale já mám");
        Say("pikového krále");
        Say("a tak tě vracím");
    }
    if (!mind_.CardChosen && TryPlayPrefix("7 " + std::string(SuitPart(TopName())))) {
        Say("ale já mám");
        Say("sedmičku");
        Say("a tak tě vracím");
    }
    if (!mind_.CardChosen) {
        PlayerWinsGame();
        return;
    }
    OpponentPlaysCard();
    if (!state_.GameRunning) return;  // the card itself decided the game
    if (state_.OpponentCount == 0) {
        OpponentWinsGame();
        return;
    }
    state_.PlayerHand.Clear();
    state_.PlayerCount = 0;
    PlayerDraws();
}

void Engine::SayCardsLeft(std::uint8_t count, bool toPlayer) {
    const char* const person = toPlayer ? " ti" : " mi";
    if (count == 1) {
        Say(std::string("zůstala") + person);
        presentation_.SayNumber(OV(), 1, true);
        Say("karta");
    } else if (count >= 2 && count <= 4) {
        Say(std::string("zůstaly") + person);
        presentation_.SayNumber(OV(), count, true);
        Say("karty");
    } else {
        Say(std::string("zůstalo") + person);
        presentation_.SayNumber(OV(), count, true);
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
            presentation_.SayNumber(OV(), count, true);
        }
        if (penalty) Say("trestné");
        Say("body");
        return;
    }
    presentation_.SayNumber(OV(), count, true);
    if (penalty) Say("trestných");
    Say("bodů");
}

MatchStanding Engine::Standing() const {
    return MatchStanding{state_.PlayerPenalty, state_.OpponentPenalty, options_.numberofgames,
                         state_.GameNumber};
}

void Engine::AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points) {
    std::int32_t& loserPenalty = playerLost ? state_.PlayerPenalty : state_.OpponentPenalty;
    const std::int32_t winnerPenalty = playerLost ? state_.OpponentPenalty : state_.PlayerPenalty;
    SayCardsLeft(cardsLeft, playerLost);
    SayPoints(points, false);
    loserPenalty += points;
    SetPanelNumber(playerLost ? 5 : 7, loserPenalty);
    Say(playerLost ? "Celkem máš" : "celkem mám");
    SayPoints(loserPenalty, true);
    if (winnerPenalty > 0) {
        Say(playerLost ? "já mám" : "ty máš");
        SayPoints(winnerPenalty, true);
    } else {
        Say(playerLost ? "já nemám žádný trestný bod" : "ty nemáš žádný trestný bod");
    }
    presentation_.SayWhoLeads(OV(), Standing());
}

void Engine::OpponentWinsGame() {
    state_.GameOver = true;
    if (options_.returntogame && state_.PendingDraw > 0) {
        PlayerDraws();  // the pending cards are taken and count against the player
        if (Networked()) {
            if (!network_.ProcessEventsUntil([this] { return !state_.ReturnPending; })) return;
            state_.ReturnPending = true;
        }
    }
    if (state_.ReturnPending) SendNet("i give it up");
    state_.ReturnPending = false;
    state_.GameRunning = false;
    presentation_.ShowMarker(false);

    SetLabelText(61);
    Say("jsem vítěz");
    ++state_.OpponentWins;
    SetPanelNumber(3, state_.OpponentWins);

    if (options_.playforpoints) {
        const std::int32_t points = HandPoints(state_.PlayerHand);
        SendNet("points", std::to_string(points));
        AnnounceGamePoints(true, static_cast<std::uint8_t>(state_.PlayerHand.Size()), points);
    }
    presentation_.ScoreTableStep();
    NextGameOrEndMatch();
}

void Engine::PlayerWinsGame() {
    state_.GameOver = true;
    state_.ReturnPending = false;
    if (!Networked() && options_.returntogame && state_.PendingDraw > 0) OpponentDraws();
    state_.GameRunning = false;
    presentation_.ShowMarker(false);
    SetLabelText(65);
    Say("Jsi vítěz");
    ++state_.PlayerWins;
    SetPanelNumber(1, state_.PlayerWins);

    if (options_.playforpoints) {
        std::int32_t points = 0;
        if (Networked()) {
            if (!network_.ProcessEventsUntil([this] { return net_.opponentPoints.has_value(); })) return;
            points = *net_.opponentPoints;
        } else {
            points = HandPoints(state_.OpponentHand);
        }
        AnnounceGamePoints(false, state_.OpponentCount, points);
    }
    if (!Networked()) presentation_.ScoreTableStep();
    NextGameOrEndMatch();
}

void Engine::NextGameOrEndMatch() {
    const bool unlimited = options_.numberofgames == 0 && state_.GameNumber != 0;
    if (unlimited || state_.GameNumber < options_.numberofgames) {
        ++state_.GameNumber;
        SetPanelNumber(9, state_.GameNumber);
        Say("hra");
        presentation_.SayNumber(OV(), state_.GameNumber, true);
        if (Networked()) {
            SendNet("end of one game");  // the server starts the next game
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
        presentation_.EraseSuitChoice();
    }
    if (Networked()) {
        SendNet("end of game");
        net_.active = false;
        network_.LeaveNetworkPlay();
        presentation_.EnableMenuItem(MenuItem::Novsovhra1, true);
        presentation_.EnableMenuItem(MenuItem::Sovnastaven1, true);
        presentation_.EnableMenuItem(MenuItem::Polizprvusoupei1, false);
    }
    presentation_.EnableMenuItem(MenuItem::Nastavenhry1, true);
    presentation_.EnableMenuItem(MenuItem::ekni1, false);
    presentation_.EnableMenuItem(MenuItem::Ukonenhry1, false);
    presentation_.SetLabel("");
    presentation_.ShowLabel(false);
}

void Engine::Ukonenhry1Click() {
    state_.GameNumber = options_.numberofgames;
    SendNet("terminategame");
    NextGameOrEndMatch();
}

}  // namespace tarvel
