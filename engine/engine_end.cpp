// The end of a game (the return rule, the verdict, the points) and of the match.
#include <string>

#include "engine/engine.h"

namespace tarvel {

void Engine::OpponentLastCard(bool lastWasAce) {
    if (lastWasAce) {
        SendNet(protocol::ClientKind::AceCannotReturn);
        Say("nemůžeš vrátit");
        OpponentWinsGame();
        return;
    }
    opponentSpeech_->StartPhrase(OV(), "podívej se na vracení", kPlainVariant);
    if (Networked()) rules::OutReported(Game(), kOpponentSeat);
}

void Engine::OpponentTriesReturn() {
    if (Networked()) {
        rules::OutReported(Game(), kPlayerSeat);  // the opponent's client decides
        return;
    }
    // An ace as the last card, or a last card that answered the computer's own return,
    // decided the game at once.
    if (state_.game.Over()) {
        PlayerWinsGame();
        return;
    }
    const bool strong = options_.computerlevel == kComputerStrong;
    const std::optional<rules::CardId> answer =
        strong ? StrongReturnAnswer() : computer_.ChooseReturnAnswer(SightOfComputer());
    if (!answer) {
        PlayLocal(rules::Move{rules::MoveKind::GiveUp, 0});
        PlayerWinsGame();
        return;
    }
    Say("ale já mám");
    Say(*answer == rules::kKingOfSpades ? "pikového krále" : "sedmičku");
    Say("a tak tě vracím");
    ComputerLays(*answer);
    if (!state_.running) return;  // the card itself decided the game
    if (state_.opponentCount == 0) {
        OpponentWinsGame();
        return;
    }
    if (strong) RememberOwnMove();
    PlayerDraws();  // the player's hand is empty: he laid his last card
}

void Engine::Decided(std::uint8_t winner) {
    GameEvent event;
    event.kind = GameEventKind::GameDecided;
    event.seat = winner;
    events_.Happened(event);
}

void Engine::SayCardsLeft(std::uint8_t count, bool toPlayer) {
    const char* const person = toPlayer ? " ti" : " mi";
    if (count == 1) {
        Say(std::string("zůstala") + person);
        opponentSpeech_->SayNumber(OV(), 1, true);
        Say("karta");
    } else if (count >= 2 && count <= 4) {
        Say(std::string("zůstaly") + person);
        opponentSpeech_->SayNumber(OV(), count, true);
        Say("karty");
    } else {
        Say(std::string("zůstalo") + person);
        opponentSpeech_->SayNumber(OV(), count, true);
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
            opponentSpeech_->SayNumber(OV(), count, true);
        }
        if (penalty) Say("trestné");
        Say("body");
        return;
    }
    opponentSpeech_->SayNumber(OV(), count, true);
    if (penalty) Say("trestných");
    Say("bodů");
}

MatchStanding Engine::Standing() const {
    return MatchStanding{state_.playerPenalty, state_.opponentPenalty, NumberOfGames(), state_.gameNumber};
}

void Engine::AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points) {
    std::int32_t& loserPenalty = playerLost ? state_.playerPenalty : state_.opponentPenalty;
    const std::int32_t winnerPenalty = playerLost ? state_.opponentPenalty : state_.playerPenalty;
    SayCardsLeft(cardsLeft, playerLost);
    SayPoints(points, false);
    loserPenalty += points;
    Say(playerLost ? "Celkem máš" : "celkem mám");
    SayPoints(loserPenalty, true);
    if (winnerPenalty > 0) {
        Say(playerLost ? "já mám" : "ty máš");
        SayPoints(winnerPenalty, true);
    } else {
        Say(playerLost ? "já nemám žádný trestný bod" : "ty nemáš žádný trestný bod");
    }
    opponentSpeech_->SayWhoLeads(OV(), Standing());
}

void Engine::OpponentWinsGame() {
    if (Networked()) {
        const bool givingUp = state_.ReturnPending();
        if (options_.returntogame && state_.game.pendingDraw > 0) {
            PlayerDraws();  // the pending cards are taken and count against the player
            net_.waiting = NetworkWait::PendingCards;  // NetworkDrawEnded takes it up
            ResumeNetworkWait();
            return;
        }
        FinishOpponentWin(givingUp);
        return;
    }
    DecideLocal(kOpponentSeat);
    // Under the return rule the pending cards were taken, and count against the player.
    if (settlement_.outcome.drawer == kPlayerSeat)
        SayPlayerDraw(settlement_, state_.playerHand.size() - settlement_.drawn.count);
    FinishOpponentWin(false);
}

void Engine::FinishOpponentWin(bool givingUp) {
    if (givingUp) SendNet(protocol::ClientKind::GiveUp);
    if (Networked()) rules::WinReported(Game(), kOpponentSeat);
    state_.running = false;
    ++state_.opponentWins;
    Decided(kOpponentSeat);
    Say("jsem vítěz");

    if (options_.playforpoints) {
        const std::int32_t points = rules::HandPoints(rules::SetOf(state_.playerHand));
        SendNet(protocol::ClientKind::Points, std::to_string(points));
        AnnounceGamePoints(true, state_.PlayerCount(), points);
    }
    ScoreStepThenNext();
}

void Engine::PlayerWinsGame() {
    if (Networked()) {
        rules::WinReported(Game(), kPlayerSeat);
    } else {
        DecideLocal(kPlayerSeat);
        // Under the return rule the computer took the pending cards, which count against it.
        if (settlement_.outcome.drawer == kOpponentSeat)
            SayComputerDraw(settlement_, state_.opponentHand.size() - settlement_.drawn.count);
    }
    state_.running = false;
    ++state_.playerWins;
    Decided(kPlayerSeat);
    Say("Jsi vítěz");

    if (options_.playforpoints && Networked()) {
        net_.waiting = NetworkWait::OpponentPoints;  // NetworkOpponentPoints takes it up
        ResumeNetworkWait();
        return;
    }
    FinishPlayerWin();
}

void Engine::FinishPlayerWin() {
    if (options_.playforpoints) {
        const std::int32_t points =
            Networked() ? net_.opponentPoints.value_or(0) : rules::HandPoints(rules::SetOf(state_.opponentHand));
        AnnounceGamePoints(false, state_.opponentCount, points);
    }
    if (Networked()) {
        NextGameOrEndMatch();
    } else {
        ScoreStepThenNext();
    }
}

void Engine::ScoreStepThenNext() {
    scoreStepHeld_ = false;
    inScoreStep_ = true;
    Tell(GameEventKind::ScoreStep);
    inScoreStep_ = false;
    if (!scoreStepHeld_) NextGameOrEndMatch();
}

void Engine::HoldScoreStep() {
    if (inScoreStep_) scoreStepHeld_ = true;
}

void Engine::ScoreStepDone() {
    if (!scoreStepHeld_) return;
    scoreStepHeld_ = false;
    NextGameOrEndMatch();
}

void Engine::NextGameOrEndMatch() {
    const bool unlimited = NumberOfGames() == 0 && state_.gameNumber != 0;
    if (unlimited || state_.gameNumber < NumberOfGames()) {
        ++state_.gameNumber;
        Say("hra");
        opponentSpeech_->SayNumber(OV(), state_.gameNumber, true);
        if (Networked()) {
            SendNet(protocol::ClientKind::EndOfOneGame);  // the server starts the next game
        } else {
            NewGameCommand(false);
        }
        return;
    }
    EndMatch();
}

void Engine::EndMatch() {
    const bool choosingSuit = state_.SuitChoiceActive();
    Say("konec hry");
    state_.running = false;
    if (choosingSuit) Tell(GameEventKind::SuitChoiceClosed);  // the row goes with the match
    state_.matchOn = false;
    if (Networked()) {
        SendNet(protocol::ClientKind::EndOfMatch);
        net_.active = false;
        net_.waiting = NetworkWait::None;
        network_.LeaveNetworkPlay();
    }
    Tell(GameEventKind::MatchEnded);
}

void Engine::FinishMatchAfterThisGame() {
    state_.gameNumber = NumberOfGames();
}

void Engine::EndMatchCommand() {
    scoreStepHeld_ = false;
    FinishMatchAfterThisGame();
    SendNet(protocol::ClientKind::TerminateGame);
    NextGameOrEndMatch();
}

}  // namespace tarvel
