// The moves of a game, which of them the rules allow, why a card is refused, and
// what a move does.
#pragma once

#include <array>
#include <cstdint>

#include "rules/position.h"

namespace tarvel::rules {

enum class MoveKind : std::uint8_t {
    Lay,       // lay a card from the hand (also the answer that returns an emptied side)
    NameSuit,  // name the suit after one's own queen
    Draw,      // draw one card, or the pending draw
    Stand,     // let an ace pass: draw nothing, lose the turn
    GiveUp,    // decline to return the emptied side: it wins
};

// Left uninitialised by default so that a list of them costs nothing to make.
struct Move {
    MoveKind kind;
    std::uint8_t value;  // the card for Lay, the suit for NameSuit

    static constexpr Move Lay(CardId card) { return {MoveKind::Lay, card}; }
    static constexpr Move NameSuit(std::uint8_t suit) { return {MoveKind::NameSuit, suit}; }
    friend bool operator==(const Move&, const Move&) = default;
};

// Why the rules refuse a move. The card refusals are the ones the table speaks apart.
enum class Refusal : std::uint8_t {
    None,
    GameOver,       // the game is decided
    NotNow,         // not this kind of move now (a card while a suit is to be named, …)
    NotHeld,        // the card is not in the mover's hand
    AceOwed,        // an ace is pending and the card is no ace
    ReturnWantsSeven,              // only a seven returns the emptied side
    ReturnWantsSevenOrKingOfSpades,  // … or the king of spades, on a spade that is not it
    DrawWantsSeven,                // a draw is pending and the card is no seven
    DrawWantsSevenOrKingOfSpades,  // … or the king of spades, on the seven of spades
    DoesNotFit,     // neither a queen nor the top's rank or suit
    AnswerHeld,     // drawing, standing or giving up while holding the answer (compulsory)
};

// The one move that ends a turn without a card: give up while a return is open to
// the mover, stand on an ace, else draw.
inline MoveKind TurnEndingKind(const Position& position);

Refusal LayRefusal(const Position& position, CardId card);
inline Refusal TurnEndRefusal(const Position& position, MoveKind kind);
Refusal Check(const Position& position, Move move);
// Check's answer is None: the quick test, without the reason.
inline bool IsLegal(const Position& position, Move move);

// The cards a draw takes: the pending draw, or one.
inline std::uint8_t CardsToDraw(const Position& position);

// True when the mover holds what answers a pending seven or king of spades the way
// the compulsory rule looks for it: under the king-of-spades rule only the seven and
// the king of spades answer each other; otherwise any seven on a seven.
inline bool HoldsSevensAnswer(const Position& position);

// At most every card of a hand and the move that ends the turn.
struct MoveList {
    Move moves[kCards + 1];
    std::uint8_t size = 0;
    const Move* begin() const { return moves; }
    const Move* end() const { return moves + size; }
    void Add(Move move) { moves[size++] = move; }
    bool Contains(Move move) const;
};
inline MoveList LegalMoves(const Position& position);
// The cards the mover may lay, as a set.
inline CardSet LayableCards(const Position& position);

// What a card does when laid (and its side keeps cards, or the return rule holds).
enum class CardEffect : std::uint8_t { None, NameSuit, AcePending, AddsDraw };
inline CardEffect EffectOfCard(CardId card, const RuleOptions& rules);
// Cards the effect adds to the pending draw (0 unless AddsDraw).
inline std::uint8_t DrawAddedBy(CardId card, const RuleOptions& rules);

// What happened, beside the position after the move.
struct MoveOutcome {
    Refusal refusal = Refusal::None;  // anything but None: nothing changed
    CardSet drawn = 0;                // cards the draw (or the winner's settling) brought
    std::uint8_t drawer = kNoSeat;    // who took them
    bool nothingToDraw = false;       // the stock and the pile were out of cards
    bool pileTurned = false;
    bool returned = false;            // an emptied side came back into the game
    std::uint8_t winner = kNoSeat;    // set when the move decided the game
    std::uint8_t asked = 0;           // the cards the draw was for: the pending draw, or one
    CardEffect effect = CardEffect::None;  // what the laid card did (nothing when it emptied its hand)
};

// Plays the move on the position; a refused move leaves it untouched. `Rng` shuffles
// the turned pile when the rules say so, with the deal's ring walk.
template <typename Rng>
MoveOutcome Apply(Position& position, Move move, Rng& random);

// The game is decided for `winner` (a side that emptied its hand, or whose emptied hand
// the other gave up returning). Under the return rule the loser first takes a pending
// draw, which then counts against him.
template <typename Rng>
MoveOutcome Decide(Position& position, std::uint8_t winner, Rng& random);

// The cards a move's draw gave, in the order they left the stock: the old stock from its
// top, then, when the pile was turned on the way, the new stock from its top.
struct DrawnCards {
    std::array<CardId, kCards> cards{};
    std::uint8_t count = 0;
    std::uint8_t beforeTurn = 0;  // taken before the pile was turned; all of them when it was not
};
DrawnCards DrawnInOrder(const Position& before, const Position& after, const MoveOutcome& outcome);

// Moves of a side as its own program reports them, for a seat that sees neither the
// other hand nor the stock (a network game). They are taken as told, unchecked, so that
// a peer playing by other rules cannot stop the game; a draw's cards arrive apart.
//
// A card laid: it leaves the side's hand, lies on the pile and does what it does, unless
// it was the side's last card outside the return rule; after a queen the same side names
// the suit, else the turn passes.
inline void LayReported(Position& position, std::uint8_t seat, CardId card, bool lastCard);
inline void NameSuitReported(Position& position, std::uint8_t seat, std::uint8_t suit);
// The side's draw or stand is over: nothing is pending, an emptied hand is back in the
// game, and the turn passes.
inline void TurnEndedReported(Position& position, std::uint8_t seat);
// The side laid its last card and waits to be returned: the other side is to move.
inline void OutReported(Position& position, std::uint8_t seat);
// A card came into the side's hand: dealt, or drawn from the stock.
inline void CardReceivedReported(Position& position, std::uint8_t seat, CardId card);
// The deal turned this card up on the pile; a queen's suit is reported apart.
inline void StartCardReported(Position& position, CardId card);
// The suit that holds over the queen on top of the pile.
inline void SuitHoldsReported(Position& position, std::uint8_t suit);
// The side won the game.
inline void WinReported(Position& position, std::uint8_t seat);
// The pile was turned into the stock: only its top card stays in view.
inline void PileTurnedReported(Position& position);

}  // namespace tarvel::rules

#include "rules/moves_inline.inl"
#include "rules/moves_apply.inl"
