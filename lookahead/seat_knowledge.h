// Everything one seat may know, and nothing else: the open table of rules::SeatView
// and what the seat itself remembers of the game. Nothing here ever reads a hidden
// card: the stock's order and which unseen cards the other side surely holds follow
// from piles the seat watched being turned, and the guesses about the other hand
// from the draws and stands it watched.
#pragma once

#include <array>
#include <cstdint>

#include "rules/position.h"

namespace tarvel::lookahead {

// A card the other side laid since it last drew, with the table it found: its hand
// then was its hand now with the cards it laid since.
struct OthersLay {
    rules::CardId top = rules::kNoCard;
    std::uint8_t namedSuit = rules::kNoSuit;
    std::uint8_t pendingDraw = 0;
    bool acePending = false;
    bool returnOpen = false;  // it could return this seat into the game
    rules::CardId card = rules::kNoCard;
    std::uint8_t suit = rules::kNoSuit;  // the suit it named, after a queen
};
inline constexpr int kLaysKept = 12;

struct SeatKnowledge {
    rules::SeatView view;
    // The unseen cards that may lie in the stock. Once the pile has been turned the
    // stock holds only cards that lay under its top, so every other unseen card is
    // in the other hand.
    rules::CardSet stockCandidates = rules::kAllCards;
    // The pile was last turned without shuffling: the stock, bottom first, is the
    // first view.stockSize cards of `stockOrder`.
    bool stockOrderKnown = false;
    std::array<rules::CardId, rules::kCards> stockOrder{};
    // When the other side last drew or stood instead of laying a card, its hand held
    // none of `ruledOut` (the compulsory rule refuses the draw or the stand to a hand
    // that holds one) and, as far as its choice tells, none of `doubted` (a player may
    // keep a card he could lay). Since then it has drawn `drawnSince` cards, any of
    // which may be one of them.
    rules::CardSet ruledOut = 0;
    rules::CardSet doubted = 0;
    std::uint8_t drawnSince = 0;
    // The other side's cards laid since it last drew (its choices say something of what
    // it kept), the oldest first; only the newest kLaysKept.
    std::array<OthersLay, kLaysKept> lays{};
    std::uint8_t layCount = 0;
    // The other side's lays read since the record last began; the newest is the last
    // of `lays`.
    std::uint16_t laysSeen = 0;
};

// The seat's knowledge of a view with nothing remembered: a game joined in the middle.
SeatKnowledge KnowledgeOf(const rules::SeatView& view);

// The seat's memory of one game. It is shown the seat's view whenever the seat is to
// move and right after each of its own moves, and reads from each view what happened
// since the last: a pile turned, cards drawn, a card laid or not laid.
class KnowledgeRecord {
  public:
    // A new deal: nothing remembered.
    void Reset();
    // The seat is to move: its knowledge, with what the other's move since gave away.
    SeatKnowledge Update(const rules::SeatView& now);
    // The seat's view right after its own move.
    void AfterOwnMove(const rules::SeatView& now);

  private:
    enum class Last : std::uint8_t { Nothing, BeforeOwnMove, AfterOwnMove };
    // What a turn of the pile since `last_` tells; false when the views do not chain.
    bool FollowPile(const rules::SeatView& now);
    void ReadOthersMove(const rules::SeatView& now);
    void RememberLay(rules::CardId card, std::uint8_t namedSuit);
    void ForgetAll();

    Last lastKind_ = Last::Nothing;
    rules::SeatView last_{};
    SeatKnowledge memory_{};
};

}  // namespace tarvel::lookahead
