// The game of Tarvel: a new match and its deal, playing and drawing, the computer
// opponent, and the end of each game and of the match.
//
// The engine does no input or output of its own. It speaks, draws and sends only
// through its presentation and network ports, so the same calls serve the keys of
// the client, the network client, the tests and the self-play driver.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/computer_opponent.h"
#include "engine/game_options.h"
#include "engine/game_state.h"
#include "lookahead/seat_knowledge.h"
#include "engine/network_port.h"
#include "engine/presentation_port.h"
#include "common/random_source.h"
#include "protocol/seat_position.h"

namespace tarvel {

enum class Side { Player, Computer };

class Engine {
  public:
    Engine(SpeechPort& speech, TablePort& table, WindowPort& window, NetworkPort& network,
           RandomSource& random);
    // One presentation that implements all three parts, as a test's recorder does.
    Engine(PresentationPort& presentation, NetworkPort& network, RandomSource& random)
        : Engine(presentation, presentation, presentation, network, random) {}
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

    // Sets both voice letters from the player's gender in the options.
    void ApplyGenderFromOptions();

    // New game and deal.
    void BuildDeck();
    void Novhra1Click(bool fromMenu);
    void ShuffleAndDeal();
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
    // Selects the hand card at `position` (a click on it): the marker moves, not the pointer.
    void SelectCard(std::size_t position);

    // Playing a card.
    void PlayPlayerCard();
    void ApplyCardEffect(const typhodnoty& card, Side side);
    void AskSuit();
    // The row of suits to choose from, without the question.
    void ShowSuitChoice();
    void PlayerChoosesSuit(std::string_view marker);
    void ApplyOpponentCard(const typhodnoty& card);

    // Drawing, standing and turning the pile.
    void DrawCommand();
    void PlayerDraws();
    void OpponentDraws();
    void TurnPile();
    // True when the player holds the card that answers a pending seven or king of spades.
    bool SevensCheck() const;

    // The computer opponent's turn, and its laying of the card at `position` of its hand.
    void OpponentTurn();
    void OpponentPlaysCard(std::size_t position);
    void OpponentChoosesSuit();

    // What the server's messages do in a network game. Each is ignored when it does
    // not fit the moment (a card outside a game, a deal nobody asked for).
    void NetworkMatchRequested();  // a network match is being set up: its beginner is unknown
    void NetworkSettingsAgreed();
    void NetworkFirstPlayer(std::string_view digit);
    void NetworkOpponentGender(std::string_view letter);
    void NetworkStartCard(const typhodnoty& card);
    void NetworkPileStartCard(const typhodnoty& card);
    void NetworkPileStartSuit(std::string_view marker);
    void NetworkStartCardsDone();
    void NetworkOpponentCard(const typhodnoty& card);
    void NetworkOpponentSuit(std::string_view marker);
    void NetworkCardDrawn(const typhodnoty& card);
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
    void OpponentLastCard();
    void OpponentTriesReturn();
    void PlayerWinsGame();
    void OpponentWinsGame();
    void SayPoints(std::int32_t count, bool penalty);
    void NextGameOrEndMatch();
    void Ukonenhry1Click();
    // The result has been written into the table of best results: the match ends
    // with this game, so the NextGameOrEndMatch that follows ends it.
    void FinishMatchAfterThisGame();
    // The penalty points and the match's progress, with the counts as the rules use
    // them: what the table of best results and who-leads read.
    MatchStanding Standing() const;

  private:
    bool Networked() const { return net_.active; }
    // The parts of a game's start and end that may have to wait for the server.
    void BeginGame();
    void StartDealtGame();
    void FinishOpponentWin();
    void FinishPlayerWin();
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
    const std::string& PV() const { return state_.PlayerVoice; }
    const std::string& OV() const { return state_.OpponentVoice; }
    void Say(std::string_view text, std::uint8_t variant = kPlainVariant);
    void SayEffect(std::string_view text, std::uint8_t variant = kPlainVariant);
    void SendNet(protocol::ClientKind kind);
    void SendNet(protocol::ClientKind kind, std::string_view value);
    void SetLabelText(int textIndex, std::string_view suffix = {});
    void WriteStatusPanels();
    void SetPanelNumber(StatusPanel panel, std::int64_t value);
    const std::string& TopName() const;
    void SpeakSelected();
    // Turns the pile when the stock is empty; false when there is nothing to draw.
    bool RefillStockIfEmpty();
    // Moves the top of the stock into a hand, turning the pile first if need be;
    // false, after saying so, when there is nothing to draw.
    bool TakeFromStock(CardQueue& hand, std::uint8_t& count);
    void SelectHandPosition(std::size_t position);
    // One card or suit to the left or to the right, or "okraj" at the end of the row.
    enum class Step { Left, Right };
    void StepInHand(Step step);
    void StepInSuitRow(Step step);
    void PlaceSuitMarker(int x);
    // The hand position under the marker, kept within the hand.
    std::size_t CurrentHandPosition() const;
    void ComputerStands();
    // The strong computer's move, its answer to the player's last card, and its memory
    // of the game told what it just did.
    ComputerMove StrongMove();
    std::optional<ReturnAnswer> StrongReturnAnswer();
    void RememberOwnMove();
    void SayCardsLeft(std::uint8_t count, bool toPlayer);
    // The loser's cards left and their points, the new totals and who leads.
    void AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points);
    static std::int32_t HandPoints(const CardQueue& hand);
    void EndMatch();

    SpeechPort& speech_;
    TablePort& table_;
    WindowPort& window_;
    NetworkPort& network_;
    RandomSource& random_;
    GameState state_;
    GameOptions options_;
    NetworkGame net_;
    ComputerOpponent computer_;
    lookahead::KnowledgeRecord strongMemory_;
    std::uint8_t strongSuit_ = 0xFF;  // the suit the strong computer names after its queen
};

}  // namespace tarvel
