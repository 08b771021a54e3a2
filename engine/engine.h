// The game of Tarvel: a new match and its deal, playing and drawing, the computer
// opponent, and the end of each game and of the match.
//
// The engine does no input or output of its own. It speaks, tells what happened on the
// table and sends only through its ports, so the same calls serve the keys of the
// client, the network client, the tests and the self-play driver. It knows nothing of
// pixels, menus or the words of the window: a front end draws and writes from the
// game's state and the events.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/random_source.h"
#include "engine/computer_opponent.h"
#include "engine/described_habits.h"
#include "engine/game_options.h"
#include "engine/game_state.h"
#include "engine/network_port.h"
#include "engine/presentation_port.h"
#include "lookahead/habit_belief.h"
#include "lookahead/seat_knowledge.h"
#include "protocol/seat_position.h"
#include "rules/moves.h"

namespace tarvel {

class Engine {
  public:
    Engine(SpeechPort& speech, EventPort& events, NetworkPort& network, RandomSource& random);
    // One presentation that implements both parts, as a test's recorder does.
    Engine(PresentationPort& presentation, NetworkPort& network, RandomSource& random)
        : Engine(presentation, presentation, network, random) {}
    // Where the phrases said in the opponent's voice go; by default with the rest. A front
    // end that keeps a history tells the speakers apart by it, as their voices may be the
    // same (two players of one gender at a network table).
    void SetOpponentSpeech(SpeechPort& speech) { opponentSpeech_ = &speech; }
    // The engine holds its ports by reference.
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    GameOptions& Options() { return options_; }
    const GameOptions& Options() const { return options_; }
    NetworkGame& Net() { return net_; }
    const NetworkGame& Net() const { return net_; }
    ComputerOpponent& Computer() { return computer_; }

    // The options were changed: both voice letters follow the player's gender. A changed
    // rule needs no call: every move reads the options as they stand.
    void OptionsChanged();

    // New game and deal.
    void NewGameCommand(bool fromMenu);
    void BeginPlayerTurn();

    // Selection in the hand and in the suit row.
    void SelectFirstCard(bool silently = false);
    void SelectLastCard();
    void SelectLeft();
    void SelectRight();
    void SelectFirstSuit();
    void SelectLastSuit();
    void SelectSuitLeft();
    void SelectSuitRight();
    // Selects the hand card at `position` (a click on it), not by the keys.
    void SelectCard(std::size_t position);

    // Playing a card.
    void PlayPlayerCard();
    void AskSuit();
    // The row of suits to choose from, without the question.
    void ShowSuitChoice();
    // The suit (hearts 0 … clubs 3) after the player's queen; anything else is ignored.
    void PlayerChoosesSuit(std::uint8_t suit);
    // The network opponent's card, laid on the pile: its effect and the turn.
    void ApplyOpponentCard(rules::CardId card);

    // Drawing, standing and giving up: the one command that ends a turn without a card.
    void DrawCommand();
    void PlayerDraws();

    // The computer opponent's turn, and its laying of the card at `position` of its hand.
    void OpponentTurn();
    void OpponentPlaysCard(std::size_t position);

    // What the server's messages do in a network game. Each is ignored when it does
    // not fit the moment (a card outside a game, a deal nobody asked for).
    void NetworkMatchRequested();  // a network match is being set up: its beginner is unknown
    void NetworkSettingsAgreed();
    void NetworkFirstPlayer(std::string_view digit);
    void NetworkOpponentGender(std::string_view letter);
    void NetworkStartCard(rules::CardId card);
    void NetworkPileStartCard(rules::CardId card);
    void NetworkPileStartSuit(std::string_view marker);
    void NetworkStartCardsDone();
    void NetworkOpponentCard(rules::CardId card);
    void NetworkOpponentSuit(std::string_view marker);
    void NetworkCardDrawn(rules::CardId card);
    void NetworkNothingToDraw();
    void NetworkOpponentDraws();
    void NetworkOpponentTakesCard();
    void NetworkDrawEnded();
    void NetworkOpponentOut();
    void NetworkOpponentStands();
    void NetworkAceCannotReturn();
    void NetworkOpponentGivesUp();
    void NetworkOpponentPoints(std::int32_t points);
    void NetworkTurningPile();
    // The opponent broke the match off, or the connection is gone: the match ends from
    // whatever it was waiting for.
    void NetworkMatchBrokenOff();

    // A match that survives a lost connection (engine_return.cpp). The connection to the
    // server is lost and the client tries to come back; it is back (what it missed follows).
    void NetworkConnectionLost();
    void NetworkConnectionBack();
    // The opponent's connection is lost; he is back; he did not come back in time.
    void NetworkOpponentAway();
    void NetworkOpponentBack();
    void NetworkOpponentNotBack();
    // The server's position of the game from this player's side, after coming back.
    // With `takeUp` the table is set to it (it then differs only by what never arrived);
    // either way the table is redrawn and its essentials said.
    void NetworkPositionFromServer(const protocol::SeatPosition& position, bool takeUp);

    // End of game and match.
    void PlayerWinsGame();
    void OpponentWinsGame();
    void SayPoints(std::int32_t count, bool penalty);
    void NextGameOrEndMatch();
    void EndMatchCommand();
    // The result has been written into the table of best results: the match ends
    // with this game, so the NextGameOrEndMatch that follows ends it.
    void FinishMatchAfterThisGame();
    // The table of best results takes its time: a front end that shows it and is
    // answered later holds the end of the game while it is told of it (the ScoreStep
    // event), and the match goes on once the table is done with. Unheld, it goes on at once.
    void HoldScoreStep();
    void ScoreStepDone();
    // The penalty points and the match's progress, with the counts as the rules use
    // them: what the table of best results and who-leads read.
    MatchStanding Standing() const;

  private:
    bool Networked() const { return net_.active; }
    rules::RuleOptions Rules() const { return RulesOf(options_); }
    // The game, its rules brought up to the options: the settings may change a rule
    // mid-game, and it holds from the next move on. Every move goes through here.
    rules::Position& Game();
    // The parts of a game's start and end that may have to wait for the server.
    void BeginGame();
    void StartDealtGame();
    void ShuffleAndDeal();
    void FinishOpponentWin(bool givingUp);
    void FinishPlayerWin();
    // The table of best results' step, then the next game or the end of the match.
    void ScoreStepThenNext();
    // Takes up the step the network game waits for, when what it needs has arrived.
    void ResumeNetworkWait();
    bool Dealing() const;
    bool Playing() const;
    void LayNetworkSuitMarker(std::string_view marker);
    void TakeUpPosition(const protocol::SeatPosition& position);
    // Whose turn it is, the card on the pile and the cards in both hands.
    void SayEssentials();
    void SayCardCount(std::uint8_t count, std::string_view whose);
    // The counts as the rules use them: a value outside its range counts as the default.
    std::uint8_t NumberOfGames() const { return kNumberOfGamesRange.Keep(options_.numberofgames); }
    const std::string& PV() const { return state_.playerVoice; }
    const std::string& OV() const { return state_.opponentVoice; }
    void Say(std::string_view text, std::uint8_t variant = kPlainVariant);
    void SayCard(rules::CardId card);
    void SayEffect(std::string_view text, std::uint8_t variant = kPlainVariant);
    void SendNet(protocol::ClientKind kind);
    void SendNet(protocol::ClientKind kind, std::string_view value);
    void Tell(GameEventKind kind);
    void Announce(MessageLine line, std::uint8_t count = 0);
    void SelectionMoved(bool byKeys);
    void Decided(std::uint8_t winner);
    // A card joined a hand at `position` of its row, said as it came.
    void PlayerDrew(std::size_t position, rules::CardId card);
    void OpponentDrew(std::size_t position);
    void SpeakSelected();

    // A move of the local game and what came of it.
    struct LocalPlay {
        rules::MoveOutcome outcome;
        rules::DrawnCards drawn;  // the cards a draw gave, in order
    };
    // Plays a move of the local game by the rules on the table; the hands keep their
    // order, a drawn card joining its hand's end. The computer is not held to the
    // compulsory rule, which binds the player's commands.
    LocalPlay PlayLocal(rules::Move move);
    // The game is decided for `winner`, unless a move already decided it.
    void DecideLocal(std::uint8_t winner);
    // The cards a move's draw gave join the drawer's hand in the order they came.
    void TakeDrawnCards(const rules::Position& before, LocalPlay& play);
    // What the computer sees of the table at its turn.
    ComputerSight SightOfComputer() const;
    // A draw said card by card as its hand's row grows from `handBefore` cards.
    void SayPlayerDraw(const LocalPlay& play, std::size_t handBefore);
    void SayComputerDraw(const LocalPlay& play, std::size_t handBefore);

    // One card or suit to the left or to the right, or "okraj" at the end of the row.
    enum class Step { Left, Right };
    void StepInHand(Step step);
    void StepInSuitRow(Step step);
    void SelectSuit(std::uint8_t suit);
    // The computer's steps: standing, drawing, laying a card and naming a suit.
    void ComputerStands();
    void OpponentDraws();
    void ComputerLays(rules::CardId card);
    void OpponentChoosesSuit();
    // The computer laid its last card under the return rule; the player laid his.
    void OpponentLastCard(bool lastWasAce);
    void OpponentTriesReturn();
    // The strong computer's move, its answer to the player's last card, and its memory
    // of the game told what it just did.
    ComputerMove StrongMove();
    lookahead::Decision StrongDecision(const lookahead::SeatKnowledge& knowledge);
    std::optional<rules::CardId> StrongReturnAnswer();
    void RememberOwnMove();
    void SayCardsLeft(std::uint8_t count, bool toPlayer);
    // The loser's cards left and their points, the new totals and who leads.
    void AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points);
    void EndMatch();

    SpeechPort& speech_;
    SpeechPort* opponentSpeech_ = &speech_;
    EventPort& events_;
    NetworkPort& network_;
    RandomSource& random_;
    GameState state_;
    GameOptions options_;
    NetworkGame net_;
    ComputerOpponent computer_;
    // The move that decided the game, with the cards the loser took, said with the verdict.
    LocalPlay settlement_;
    bool inScoreStep_ = false;
    bool scoreStepHeld_ = false;
    lookahead::KnowledgeRecord strongMemory_;
    // The strong computer's question of how far the player plays like the fixed computer,
    // answered by the player's lays in the match so far.
    DescribedHabits fixedHabits_;
    lookahead::HabitBelief strongBelief_;
    std::uint8_t strongSuit_ = rules::kNoSuit;  // the suit the strong computer names after its queen
};

}  // namespace tarvel
