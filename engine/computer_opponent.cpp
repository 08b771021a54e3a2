// The computer counts its hand against the pile, walks its list of preferences until
// one yields a card, and otherwise draws or stands.
#include "engine/computer_opponent.h"

#include <algorithm>
#include <initializer_list>

namespace tarvel {
namespace {

using rules::CardId;
using rules::kNoCard;
using rules::kNoSuit;

constexpr std::size_t kQueenSlot = 9;
constexpr std::size_t kAceSlot = 4;
constexpr std::size_t kSevenSlot = 5;
constexpr std::uint8_t kNoRank = 0xFF;
// The ranks of the rank iterator's four slots: jack, an unused slot, king, ace.
constexpr std::array<std::uint8_t, 4> kIteratorRanks = {rules::kJack, kNoRank, rules::kKing, rules::kAce};

std::size_t RankSlot(CardId card) {
    switch (rules::RankOf(card)) {
        case rules::kJack:
            return 1;
        case rules::kKing:
            return 3;
        case rules::kAce:
            return kAceSlot;
        case rules::kSeven:
            return kSevenSlot;
        case rules::kQueen:
            return kQueenSlot;
        default:
            return 0;
    }
}

bool IsRank(CardId card, std::uint8_t rank) {
    return rules::RankOf(card) == rank;
}

// The first slot holding the largest count above 0; ties fall to the lower slot.
int LargestSlot(const std::array<std::uint8_t, 4>& counts) {
    int best = -1;
    for (int i = 0; i < 4; ++i) {
        if (counts[i] > 0 && (best < 0 || counts[i] > counts[best])) best = i;
    }
    return best;
}

// One step of an iterator over four counts, most numerous first: the slot, or -1 at the
// end. A slot with a single card is yielded only when it is the largest as the copy is
// consulted.
int NextByCount(std::array<std::uint8_t, 4>& copy, const std::array<std::uint8_t, 4>& counts, bool& ended) {
    ended = false;
    if (std::all_of(copy.begin(), copy.end(), [](std::uint8_t c) { return c <= 1; })) copy = counts;
    const int slot = LargestSlot(copy);
    if (slot < 0) {
        ended = true;
        return -1;
    }
    copy[slot] = 0;
    if (std::none_of(copy.begin(), copy.end(), [](std::uint8_t c) { return c >= 2; })) ended = true;
    return slot;
}

// The rank the pile asks for: none over a named suit.
std::uint8_t TopRank(const rules::SeatView& view) {
    if (view.top == kNoCard || view.namedSuit != kNoSuit) return kNoRank;
    return rules::RankOf(view.top);
}

std::uint8_t TopSuit(const rules::SeatView& view) {
    if (view.namedSuit != kNoSuit) return view.namedSuit;
    return view.top == kNoCard ? kNoSuit : rules::SuitOf(view.top);
}

}  // namespace

template <typename Fits>
bool ComputerOpponent::TryPlay(Fits fits) {
    const auto it = std::find_if(mind_.playableCards.begin(), mind_.playableCards.end(), fits);
    if (it == mind_.playableCards.end()) {
        mind_.chosen.reset();
        return false;
    }
    mind_.chosen = *it;
    return true;
}

bool ComputerOpponent::TryPlayCard(CardId card) {
    return TryPlay([card](CardId c) { return c == card; });
}

template <typename TryPlaySuit>
void ComputerOpponent::ForEachSuitByCount(TryPlaySuit tryPlay) {
    for (;;) {
        const std::uint8_t suit = NextSuitByCount();
        if (suit != kNoSuit && !mind_.chosen) tryPlay(suit);
        if (mind_.suitIteratorEnded) break;
    }
}

ComputerMove ComputerOpponent::Chosen() const {
    return {ComputerMove::Kind::Play, *mind_.chosen};
}

ComputerMove ComputerOpponent::ChooseMove(const ComputerSight& sight) {
    constexpr ComputerMove kDraw{ComputerMove::Kind::Draw, kNoCard};
    const rules::SeatView& view = sight.view;
    const bool kingOfSpadesRule = view.rules.kingOfSpades;
    AnalyseHand(sight);
    const std::uint8_t topSuit = TopSuit(view);
    const std::uint8_t topRank = TopRank(view);

    if (view.acePending) {
        if (!mind_.hasAce) return {ComputerMove::Kind::Stand, kNoCard};
        ForEachSuitByCount([this](std::uint8_t suit) { TryPlayCard(rules::MakeCard(rules::kAce, suit)); });
        if (!mind_.chosen) TryPlay([](CardId c) { return IsRank(c, rules::kAce); });
        return mind_.chosen ? Chosen() : kDraw;
    }
    if (mind_.playableCards.empty()) return kDraw;
    if (view.pendingDraw > 0) {
        if (!mind_.hasSeven && !mind_.hasKingOfSpades) return kDraw;
        if (kingOfSpadesRule) TryPlayCard(rules::kKingOfSpades);
        if (!mind_.chosen)
            ForEachSuitByCount([this](std::uint8_t suit) { TryPlayCard(rules::MakeCard(rules::kSeven, suit)); });
        if (!mind_.chosen) TryPlay([](CardId c) { return IsRank(c, rules::kSeven); });
        return mind_.chosen ? Chosen() : kDraw;
    }
    // A known stock order: take a seven (or the king of spades) now rather than play.
    if (sight.nextStockCard != kNoCard && sight.hand.size() > 1 && view.otherCount > 1) {
        const CardId next = sight.nextStockCard;
        if (IsRank(next, rules::kSeven) || (kingOfSpadesRule && next == rules::kKingOfSpades)) return kDraw;
    }
    if (sight.forPoints) {
        TryPlayCard(rules::kQueenOfHearts);  // shed the 40-point queen of hearts
        auto queen = [](CardId c) { return IsRank(c, rules::kQueen); };
        if (!mind_.chosen && mind_.rankCounts[kQueenSlot] > 1) TryPlay(queen);
        if (!mind_.chosen && view.otherCount == 1) TryPlay(queen);
        if (mind_.chosen) return Chosen();
    }
    // Same rank, moving the suit towards the suit held most.
    ForEachSuitByCount([&](std::uint8_t suit) {
        if (suit != topSuit && topRank != kNoRank) TryPlayCard(rules::MakeCard(topRank, suit));
    });
    if (mind_.chosen) return Chosen();
    // Same suit, with a jack, king or ace as the favoured rank.
    for (;;) {
        const std::uint8_t rank = NextRankByCount();
        if (rank != kNoRank && !mind_.chosen && rank != topRank && topSuit != kNoSuit)
            TryPlayCard(rules::MakeCard(rank, topSuit));
        if (mind_.rankIteratorEnded) break;
    }
    if (mind_.chosen) return Chosen();
    const std::uint8_t strongest = StrongestSuit();
    if (strongest != kNoSuit && strongest == topSuit) {
        TryPlay([strongest](CardId c) { return !IsRank(c, rules::kQueen) && rules::SuitOf(c) == strongest; });
    }
    if (!mind_.chosen) FallbackChoice(sight.forPoints, kingOfSpadesRule);
    // A hand with playable cards always yields one; if it somehow does not, draw.
    return mind_.chosen ? Chosen() : kDraw;
}

std::optional<CardId> ComputerOpponent::ChooseReturnAnswer(const ComputerSight& sight) {
    AnalyseHand(sight);
    if (sight.view.rules.kingOfSpades && TryPlayCard(rules::kKingOfSpades)) return rules::kKingOfSpades;
    const std::uint8_t topSuit = TopSuit(sight.view);
    if (topSuit != kNoSuit && TryPlayCard(rules::MakeCard(rules::kSeven, topSuit))) return mind_.chosen;
    return std::nullopt;
}

void ComputerOpponent::AnalyseHand(const ComputerSight& sight) {
    const std::uint8_t topRank = TopRank(sight.view);
    const std::uint8_t topSuit = TopSuit(sight.view);
    mind_.playableCards.clear();
    mind_.rankCounts.fill(0);
    mind_.suitCounts.fill(0);
    mind_.suitIterator.fill(0);
    mind_.hasAce = mind_.hasSeven = mind_.hasKingOfSpades = false;
    mind_.chosen.reset();
    for (const CardId card : sight.hand) {
        ++mind_.rankCounts[RankSlot(card)];
        const bool queen = IsRank(card, rules::kQueen);
        if (!queen) ++mind_.suitCounts[rules::SuitOf(card)];
        if (queen || rules::RankOf(card) == topRank || rules::SuitOf(card) == topSuit)
            mind_.playableCards.push_back(card);
        if (IsRank(card, rules::kAce)) {
            mind_.hasAce = true;
        } else if (card == rules::kKingOfSpades) {
            mind_.hasKingOfSpades = true;
        } else if (IsRank(card, rules::kSeven)) {
            mind_.hasSeven = true;
        }
    }
}

std::uint8_t ComputerOpponent::NextSuitByCount() {
    const int slot = NextByCount(mind_.suitIterator, mind_.suitCounts, mind_.suitIteratorEnded);
    return slot < 0 ? kNoSuit : static_cast<std::uint8_t>(slot);
}

std::uint8_t ComputerOpponent::NextRankByCount() {
    const std::array<std::uint8_t, 4> counts = {mind_.rankCounts[1], mind_.rankCounts[2], mind_.rankCounts[3],
                                                mind_.rankCounts[4]};
    const int slot = NextByCount(mind_.rankIterator, counts, mind_.rankIteratorEnded);
    return slot < 0 ? kNoRank : kIteratorRanks[static_cast<std::size_t>(slot)];
}

std::uint8_t ComputerOpponent::StrongestSuit() const {
    const int slot = LargestSlot(mind_.suitCounts);
    return slot < 0 ? kNoSuit : static_cast<std::uint8_t>(slot);
}

void ComputerOpponent::FallbackChoice(bool forPoints, bool kingOfSpadesRule) {
    // The last playable card seen of each kind, walking the hand until a plain card
    // (no queen, ace, seven, nor the king of spades under its rule) turns up.
    CardId plain = kNoCard, queen = kNoCard, ace = kNoCard, seven = kNoCard, king = kNoCard, eight = kNoCard,
           nine = kNoCard, ten = kNoCard;
    for (const CardId card : mind_.playableCards) {
        const std::uint8_t rank = rules::RankOf(card);
        if (rank != rules::kQueen && rank != rules::kAce && rank != rules::kSeven) plain = card;
        if (rank == rules::kQueen) {
            queen = card;
        } else if (rank == rules::kAce) {
            ace = card;
        } else if (rank == rules::kSeven) {
            seven = card;
        } else if (card == rules::kKingOfSpades && kingOfSpadesRule) {
            king = card;
            plain = kNoCard;  // the king of spades is kept back like a seven
        } else if (rank == rules::kEight) {
            eight = card;
        } else if (rank == rules::kNine) {
            nine = card;
        } else if (rank == rules::kTen) {
            ten = card;
        }
        if (plain != kNoCard) break;
    }
    auto firstOf = [](std::initializer_list<CardId> cards) {
        for (const CardId card : cards) {
            if (card != kNoCard) return card;
        }
        return kNoCard;
    };
    CardId choice = kNoCard;
    if (forPoints) {
        choice = firstOf({queen, ace, ten, nine, eight, seven, king, plain});
    } else if (mind_.rankCounts[kAceSlot] > 1 && ace != kNoCard) {
        choice = ace;
    } else if (mind_.rankCounts[kSevenSlot] > 1 && seven != kNoCard) {
        choice = seven;
    } else if (mind_.rankCounts[kSevenSlot] > 0 && king != kNoCard) {
        choice = king;
    } else if (plain == kNoCard) {
        choice = firstOf({ace, seven, king, queen});
    } else {
        choice = plain;
    }
    if (choice != kNoCard) TryPlayCard(choice);
}

}  // namespace tarvel
