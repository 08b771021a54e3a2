// The match at one table as the server keeps it: the game being played as a rules
// position (both hands, the stock, the pile and the suit a queen named, whose move it is,
// what is pending, the emptied hand that may be returned), the game number, and each
// player's wins and penalty points. It is moved on by the messages the server already
// sees: the deal, every card laid, every suit named, draws, stands and the end of a game.
//
// Every move is first put to the rules. What a move that they refuse does depends on the
// caller: a refused move changes nothing, unless the caller forces it, when it does what
// the server has always done with it whatever the rules say (a card goes from the hand to
// the pile, a draw gives as many cards as were asked for). After a forced move the
// position is no longer a game the rules can go on with: from then on until the next deal
// every move is forced, and Kept() says so.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/moves.h"
#include "server/core/player_settings.h"
#include "rules/position.h"
#include "common/random_source.h"

namespace tarvel::server {

// The most cards per hand that a 32-card deck can deal twice and still leave a start
// card. The clients offer 4 to 10; a larger count must not empty the stock.
inline constexpr std::uint8_t kMostDealtCards = 15;

// The rules both players agreed on, as their clients play by them; `dealtPerPlayer` is
// the number of cards the server deals each.
rules::RuleOptions RulesOfSettings(const PlayerSettings& settings, std::uint8_t dealtPerPlayer);
bool PlaysForPoints(const PlayerSettings& settings);

// The cards of one deal in the order they left the stock.
struct DealtCards {
    std::array<std::vector<rules::CardId>, 2> hands;
    rules::CardId start = rules::kNoCard;
};

// The cards one draw gave, in the order they left the stock.
struct DrawnCards {
    static constexpr std::size_t kNotTurned = static_cast<std::size_t>(-1);

    int seat = -1;
    std::vector<rules::CardId> cards;
    std::size_t turnedBefore = kNotTurned;  // the pile was turned before cards[turnedBefore]
    bool ranDry = false;                    // the stock and the pile gave out

    // Nothing could be drawn from the start: neither stock nor pile had a card to give.
    bool NothingAtAll() const { return ranDry && cards.empty() && turnedBefore == kNotTurned; }
};

// Why a move was refused.
enum class MoveFault : std::uint8_t {
    None,
    NoGame,           // no game is dealt or being played
    NotOnTurn,        // the other player is to move
    UnknownCard,      // not the name of one of the 32 cards
    UnknownSuit,      // not one of the four suit markers
    Rules,            // the rules refuse it; `refusal` says why
    DrawCount,        // a draw of another number of cards than the rules give
    StillHoldsCards,  // "no cards" while the hand holds some
    NotLost,          // a lost game's message from a player who has not lost
    WrongPoints,      // points that are not a number
    Undecided,        // the end of the match while a game is still being set up or played
};

struct MoveVerdict {
    MoveFault fault = MoveFault::None;
    rules::Refusal refusal = rules::Refusal::None;  // for MoveFault::Rules
    std::uint32_t allowed = 0;                      // DrawCount: the cards the rules give
    std::uint32_t held = 0;                         // StillHoldsCards: the cards still in hand
    std::uint32_t counted = 0;                      // points: what the loser's hand comes to

    bool Ok() const { return fault == MoveFault::None; }
};

// The reason of a refusal as the server's log gives it.
std::string RefusalText(const MoveVerdict& verdict);

class TableMatch {
  public:
    // The random source shuffles the deck and a turned pile.
    explicit TableMatch(RandomSource& random) : random_(random) {}
    TableMatch(const TableMatch&) = delete;
    TableMatch& operator=(const TableMatch&) = delete;

    // A new pair sits down: no game, game number 0, no wins, no points.
    void StartMatch();
    // The beginner the server named at an agreement. Only the first game of a match takes
    // it, as the clients do; after that the beginner alternates.
    void NoteFirstPlayer(int player);
    // A fresh deck shuffled into the stock by the ring walk, `rules.dealtCards` to player 0
    // off the top, as many to player 1, then the start card; the next game of the match.
    DealtCards Deal(const rules::RuleOptions& rules, bool playForPoints);

    // The moves of the messages. Each returns the verdict; `force` makes a refused move
    // do what the server always did with it.
    MoveVerdict LayCard(int seat, std::string_view cardName, bool force);
    MoveVerdict NameSuit(int seat, std::string_view marker, bool force);
    MoveVerdict Stand(int seat, bool force);
    // "req card": a draw, the pending cards a player takes before he gives up, or the
    // pending cards the loser of a decided game owes. `count` is nothing when the message's
    // count is not a number (a forced draw then gives none). On success or when forced,
    // `drawn` tells what to send.
    MoveVerdict Draw(int seat, std::optional<std::uint32_t> count, bool force, DrawnCards& drawn);
    // "i have no cards": the player has laid his last card.
    MoveVerdict ClaimNoCards(int seat, bool force);
    // "acecannotreturn": the opponent emptied his hand with an ace, so this player lost.
    MoveVerdict ClaimAceCannotReturn(int seat, bool force);
    // "i give it up": the player does not return the opponent into the game.
    MoveVerdict GiveUp(int seat, bool force);
    // "points": the loser's penalty points of the game, once. They count as the hand the
    // server holds gives them (`counted` of the verdict), not as the client says.
    MoveVerdict ReportPoints(int seat, std::string_view points, bool force);

    bool Dealt() const { return dealt_; }
    // False after a forced move until the next deal: the position then holds the cards as
    // the server dealt and moved them, but not whose turn it is or what is pending.
    bool Kept() const { return kept_; }
    const rules::Position& Position() const { return position_; }
    // What the player at `seat` (0 or 1) knows of the game.
    rules::SeatView ViewFor(int seat) const;
    // The game being played or just decided, counted from 1; 0 before the first deal.
    int GameNumber() const { return gameNumber_; }
    int Wins(int seat) const { return wins_[Index(seat)]; }
    // Penalty points the losers' hands came to; only when the players play for points.
    int Points(int seat) const { return points_[Index(seat)]; }
    bool PlayForPoints() const { return playForPoints_; }

  private:
    static std::size_t Index(int seat) { return static_cast<std::size_t>(seat & 1); }
    // The checks every move of the game shares: a game, not decided, this player's turn.
    MoveVerdict OnTurn(int seat) const;
    // Puts the move to the rules and, when they allow it, plays it.
    MoveVerdict Play(int seat, rules::Move move, DrawnCards* drawn);
    // The decided game's win and points; a draw the loser owes is kept for his request.
    void Decided(const rules::Position& before, rules::Move move, const rules::MoveOutcome& outcome,
                 DrawnCards* drawn);
    MoveVerdict Refuse(MoveVerdict verdict, bool force);
    void ForceLay(int seat, rules::CardId card);
    DrawnCards ForceDraw(int seat, std::uint32_t count);

    RandomSource& random_;
    rules::Position position_;
    bool dealt_ = false;
    bool kept_ = true;
    // The pending cards the loser takes when the game is decided, owed until he asks for them.
    std::optional<DrawnCards> owedDraw_;
    std::uint32_t owedCount_ = 0;
    // Who owed the pending cards of the decided game and what they came to.
    int owedSeat_ = -1;
    int owedPoints_ = 0;

    int gameNumber_ = 0;
    int firstPlayer_ = 0;
    int lastStarter_ = 0;
    std::array<int, 2> wins_{};
    std::array<int, 2> points_{};
    bool playForPoints_ = false;
    bool pointsReported_ = false;  // in the game being played
};

}  // namespace tarvel::server
