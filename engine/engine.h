// The game of Tarvel: a new match and its deal, playing and drawing, the computer
// opponent, and the end of each game and of the match.
//
// The engine does no input or output of its own. It speaks, draws and sends only
// through its presentation and network ports, so the same calls serve the keys of
// the client, the network client, the tests and the self-play driver.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game_options.h"
#include "game_state.h"
#include "network_port.h"
#include "presentation_port.h"
#include "random_source.h"

namespace tarvel {

enum class Side { Player, Computer };

// The computer's view of its hand, rebuilt at the start of each of its turns.
struct ComputerMind {
    std::vector<std::string> PlayableCards;     // names that fit the pile top, in hand order
    std::array<std::uint8_t, 10> RankCounts{};  // slots 1..9 used; slot 2 always 0
    std::array<std::uint8_t, 4> SuitCounts{};   // non-queen cards: hearts, diamonds, spades, clubs
    bool HasAce = false;
    bool HasSeven = false;
    bool HasKingOfSpades = false;
    std::array<std::uint8_t, 4> SuitIterator{};
    bool SuitIteratorEnded = false;
    std::array<std::uint8_t, 4> RankIterator{};  // rank slots 1..4 (jack, unused, king, ace)
    bool RankIteratorEnded = false;
    bool CardChosen = false;
    bool OpponentStood = false;
    std::size_t ChosenIndex = 0;  // 1-based position in the computer's hand
};

class Engine {
  public:
    Engine(PresentationPort& presentation, NetworkPort& network, RandomSource& random);

    GameState& State() { return state_; }
    const GameState& State() const { return state_; }
    GameOptions& Options() { return options_; }
    const GameOptions& Options() const { return options_; }
    NetworkGame& Net() { return net_; }
    const NetworkGame& Net() const { return net_; }
    const ComputerMind& Mind() const { return mind_; }

    // Sets the player's voice letter from the options and the opponent's to the other one.
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
    // The marker text of the suit under the suit-row x position, or empty.
    static std::string_view SuitAtX(int x);

    // Playing a card.
    void PlayPlayerCard();
    void ApplyCardEffect(const typhodnoty& card, Side side);
    void AskSuit();
    void PlayerChoosesSuit(std::string_view marker);
    void ApplyOpponentCard(const typhodnoty& card);

    // Drawing, standing and turning the pile.
    void DrawCommand();
    void PlayerDraws();
    void OpponentDraws();
    bool PileCannotTurn() const;
    void TurnPile();
    void ShuffleStock();
    // True when the player holds the card that answers a pending seven or king of spades.
    bool SevensCheck() const;

    // The computer opponent.
    void OpponentTurn();
    void AnalyseHand();
    bool TryPlayPrefix(std::string_view prefix);
    bool TryPlaySuit(std::string_view key);
    std::string NextSuitByCount();
    std::string NextRankByCount();
    std::string StrongestSuit() const;
    void FallbackChoice();
    void OpponentPlaysCard();
    void OpponentChoosesSuit();

    // End of game and match.
    void OpponentLastCard();
    void OpponentTriesReturn();
    void PlayerWinsGame();
    void OpponentWinsGame();
    void SayPoints(std::int32_t count, bool penalty);
    void NextGameOrEndMatch();
    void Ukonenhry1Click();

  private:
    bool Networked() const { return net_.active; }
    const std::string& PV() const { return state_.PlayerVoice; }
    const std::string& OV() const { return state_.OpponentVoice; }
    void Say(std::string_view text, std::uint8_t variant = 1);
    void SayEffect(std::string_view text, std::uint8_t variant = 1);
    void SendNet(std::string_view keyword);
    void SendNet(std::string_view keyword, std::string_view value);
    void SetLabelText(int stringIndex, std::string_view suffix = {});
    void WriteStatusPanels();
    void SetPanelNumber(int panel, std::int64_t value);
    const std::string& TopName() const;
    void SpeakSelected();
    // The computer's search for a move; ends with a card chosen, a draw or a stand.
    void ChooseComputerMove();
    // Runs the suit iterator to its end, offering each suit while nothing is chosen.
    void ForEachSuitByCount(const std::function<void(const std::string&)>& tryPlay);
    // Makes the card of that name in the computer's hand the chosen one.
    bool ChooseHandCard(std::string_view name);
    // Turns the pile when the stock is empty; false when there is nothing to draw.
    bool RefillStockIfEmpty();
    // Moves the top of the stock into a hand, turning the pile first if need be;
    // false, after saying so, when there is nothing to draw.
    bool TakeFromStock(CardQueue& hand, std::uint8_t& count);
    void SelectHandPosition(std::size_t position);
    // One card left (-1) or right (+1), or "okraj" at the end of the hand.
    void StepInHand(int step);
    // One suit left (-20) or right (+20) in the suit row, or "okraj" at its end.
    void StepInSuitRow(int step);
    // The hand position under the marker, kept within the hand.
    std::size_t CurrentHandPosition() const;
    void PopStockInto(CardQueue& hand);
    void SayCardsLeft(std::uint8_t count, bool toPlayer);
    // The loser's cards left and their points, the new totals and who leads.
    void AnnounceGamePoints(bool playerLost, std::uint8_t cardsLeft, std::int32_t points);
    static std::int32_t HandPoints(const CardQueue& hand);
    // Option values as the rules use them, kept inside their ranges whatever a file said.
    std::uint8_t DealtCards() const;
    std::uint8_t SevenPenalty() const;
    void EndMatch();
    MatchStanding Standing() const;
    std::string NextByCount(std::array<std::uint8_t, 4>& copy, const std::array<std::uint8_t, 4>& counts,
                            bool& ended, const std::array<std::string_view, 4>& names);

    PresentationPort& presentation_;
    NetworkPort& network_;
    RandomSource& random_;
    GameState state_;
    GameOptions options_;
    NetworkGame net_;
    ComputerMind mind_;
};

}  // namespace tarvel
