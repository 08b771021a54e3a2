#include "engine/engine.h"

#include <string>

#include "rules/card_names.h"

namespace tarvel {
Engine::Engine(SpeechPort& speech, EventPort& events, NetworkPort& network, RandomSource& random)
    : speech_(speech), events_(events), network_(network), random_(random) {}

void Engine::OptionsChanged() {
    const VoiceLetters voices = VoiceLettersForGender(options_.playergender);
    state_.playerVoice = voices.player;
    state_.opponentVoice = voices.opponent;
}

void Engine::Say(std::string_view text, std::uint8_t variant) {
    opponentSpeech_->SayPhrase(OV(), text, variant);
}

void Engine::SayCard(rules::CardId card) {
    opponentSpeech_->SayPhrase(OV(), rules::CardName(card), kCardNameVariant);
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

void Engine::Tell(GameEventKind kind) {
    GameEvent event;
    event.kind = kind;
    events_.Happened(event);
}

void Engine::Announce(MessageLine line, std::uint8_t count) {
    GameEvent event;
    event.kind = GameEventKind::Announced;
    event.line = line;
    event.count = count;
    events_.Happened(event);
}

void Engine::SelectionMoved(bool byKeys) {
    GameEvent event;
    event.kind = GameEventKind::SelectionMoved;
    event.byKeys = byKeys;
    events_.Happened(event);
}

rules::Position& Engine::Game() {
    state_.game.rules = Rules();
    return state_.game;
}

Engine::LocalPlay Engine::PlayLocal(rules::Move move) {
    rules::Position& game = Game();
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
    rules::Position& game = Game();
    const rules::Position before = game;
    LocalPlay play;
    play.outcome = rules::Decide(game, winner, random_);
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
    sight.view.rules = Rules();
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
        PlayerDrew(handBefore + i + 1, drawn.cards[i]);
    }
    if (play.outcome.nothingToDraw) Say("není z čeho lízat");
}

void Engine::PlayerDrew(std::size_t position, rules::CardId card) {
    GameEvent event;
    event.kind = GameEventKind::PlayerDrew;
    event.position = position;
    event.card = card;
    events_.Happened(event);
    SayEffect("lízání");
    if (options_.saypickedcards) speech_.SayPhrase(PV(), rules::CardName(card), kCardNameVariant);
}

void Engine::OpponentDrew(std::size_t position) {
    GameEvent event;
    event.kind = GameEventKind::OpponentDrew;
    event.position = position;
    events_.Happened(event);
    SayEffect("lízání");
}

void Engine::SayComputerDraw(const LocalPlay& play, std::size_t handBefore) {
    const rules::DrawnCards& drawn = play.drawn;
    if (play.outcome.returned) Say("vracíš mě do hry");
    Say("lížu");
    if (play.outcome.nothingToDraw && drawn.count == 0) {
        Say("není z čeho lízat");
        return;
    }
    Announce(MessageLine::IDraw, play.outcome.asked);
    for (std::size_t i = 0; i < drawn.count; ++i) {
        if (play.outcome.pileTurned && i == drawn.beforeTurn) Say("Otáčím hromádku");
        OpponentDrew(handBefore + i + 1);
    }
    if (play.outcome.nothingToDraw) Say("není z čeho lízat");
}

}  // namespace tarvel
