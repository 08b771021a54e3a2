// The computer counts its hand against the pile, walks its list of preferences until
// one yields a card, and otherwise draws or stands.
#include "engine/computer_opponent.h"

#include <algorithm>
#include <initializer_list>

namespace tarvel {
namespace {

constexpr std::array<std::string_view, 4> kRankIteratorNames = {"kluk", "", "král", "eso"};
constexpr std::array<std::string_view, 4> kSuitNames = {"srdce", "kára", "piky", "kříže"};
constexpr std::size_t kQueenSlot = 9;
constexpr std::size_t kAceSlot = 4;
constexpr std::size_t kSevenSlot = 5;

// Rank slot of a card, from its value: jack 1, king 3, ace 4, seven 5, queen 9. No
// choice weighs eights, nines and tens by their count: they share the unused slot 0.
std::size_t RankSlot(std::int32_t value) {
    switch (value) {
        case 1:
            return 1;
        case 2:
            return 3;
        case 11:
            return kAceSlot;
        case 7:
            return kSevenSlot;
        case 20:
        case 40:
            return kQueenSlot;
        default:
            return 0;
    }
}

// The first slot holding the largest count above 0; ties fall to the lower slot.
int LargestSlot(const std::array<std::uint8_t, 4>& counts) {
    int best = -1;
    for (int i = 0; i < 4; ++i) {
        if (counts[i] > 0 && (best < 0 || counts[i] > counts[best])) best = i;
    }
    return best;
}

// One step of an iterator over four counts, most numerous first. A slot with a single
// card is yielded only when it is the largest as the copy is consulted.
std::string NextByCount(std::array<std::uint8_t, 4>& copy, const std::array<std::uint8_t, 4>& counts,
                        bool& ended, const std::array<std::string_view, 4>& names) {
    ended = false;
    if (std::all_of(copy.begin(), copy.end(), [](std::uint8_t c) { return c <= 1; })) copy = counts;
    const int slot = LargestSlot(copy);
    if (slot < 0) {
        ended = true;
        return {};
    }
    copy[slot] = 0;
    if (std::none_of(copy.begin(), copy.end(), [](std::uint8_t c) { return c >= 2; })) ended = true;
    return std::string(names[slot]);
}

const std::string& TopName(const GameState& state) {
    static const std::string kNoCard;
    return state.Pile.StackEmpty() ? kNoCard : state.Pile.Top().Name;
}

}  // namespace

std::string_view SuitNameOfKey(std::string_view key) {
    const int index = SuitIndexOfKey(key);
    return index < 0 ? std::string_view{} : kSuitNames[static_cast<std::size_t>(index)];
}

template <typename TryPlay>
void ComputerOpponent::ForEachSuitByCount(TryPlay tryPlay) {
    for (;;) {
        const std::string suit = NextSuitByCount();
        if (!suit.empty() && !mind_.CardChosen) tryPlay(suit);
        if (mind_.SuitIteratorEnded) break;
    }
}

ComputerMove ComputerOpponent::Chosen() const {
    return {ComputerMove::Kind::Play, mind_.ChosenPosition};
}

ComputerMove ComputerOpponent::ChooseMove(const GameState& state, const GameOptions& options) {
    constexpr ComputerMove kDraw{ComputerMove::Kind::Draw, 0};
    AnalyseHand(state);
    const std::string top = TopName(state);
    const std::string topSuit(SuitPart(top));
    const std::string topRank(RankPart(top));

    if (state.AcePending) {
        if (!mind_.HasAce) return {ComputerMove::Kind::Stand, 0};
        ForEachSuitByCount([this](const std::string& suit) { TryPlayPrefix("eso " + suit); });
        if (!mind_.CardChosen) TryPlayPrefix("eso");
        return mind_.CardChosen ? Chosen() : kDraw;
    }
    if (mind_.PlayableCards.empty()) return kDraw;
    if (state.PendingDraw > 0) {
        if (!mind_.HasSeven && !mind_.HasKingOfSpades) return kDraw;
        if (options.kingofspades) TryPlayPrefix("král pik");
        if (!mind_.CardChosen)
            ForEachSuitByCount([this](const std::string& suit) { TryPlayPrefix("7 " + suit); });
        if (!mind_.CardChosen) TryPlayPrefix("7");
        return mind_.CardChosen ? Chosen() : kDraw;
    }
    // A known stock order: take a seven (or the king of spades) now rather than play.
    if (state.StockOrderKnown && !state.Stock.StackEmpty() && state.OpponentCount > 1 &&
        state.PlayerCount > 1) {
        const std::string& next = state.Stock.Top().Name;
        if (IsSeven(next) || (options.kingofspades && BeginsKingOfSpades(next))) return kDraw;
    }
    if (options.playforpoints) {
        TryPlayPrefix("dáma srd");  // shed the 40-point queen of hearts
        if (!mind_.CardChosen && mind_.RankCounts[kQueenSlot] > 1) TryPlayPrefix("dáma");
        if (!mind_.CardChosen && state.PlayerCount == 1) TryPlayPrefix("dáma");
        if (mind_.CardChosen) return Chosen();
    }
    // Same rank, moving the suit towards the suit held most.
    ForEachSuitByCount([&](const std::string& suit) {
        if (suit != topSuit) TryPlayPrefix(topRank + suit);
    });
    if (mind_.CardChosen) return Chosen();
    // Same suit, with a jack, king or ace as the favoured rank.
    for (;;) {
        const std::string rank = NextRankByCount();
        if (!rank.empty() && !mind_.CardChosen && !StartsWith(top, rank)) TryPlayPrefix(rank + " " + topSuit);
        if (mind_.RankIteratorEnded) break;
    }
    if (mind_.CardChosen) return Chosen();
    const std::string strongest = StrongestSuit();
    if (!strongest.empty() && strongest == topSuit) TryPlaySuit(strongest);
    if (!mind_.CardChosen) FallbackChoice(options);
    // A hand with playable cards always yields one; if it somehow does not, draw.
    return mind_.CardChosen ? Chosen() : kDraw;
}

std::optional<ReturnAnswer> ComputerOpponent::ChooseReturnAnswer(const GameState& state,
                                                                 const GameOptions& options) {
    AnalyseHand(state);
    if (options.kingofspades && TryPlayPrefix("král pik")) return ReturnAnswer{mind_.ChosenPosition, true};
    if (TryPlayPrefix("7 " + std::string(SuitPart(TopName(state)))))
        return ReturnAnswer{mind_.ChosenPosition, false};
    return std::nullopt;
}

void ComputerOpponent::AnalyseHand(const GameState& state) {
    const std::string top = TopName(state);
    const auto topRank = RankPart(top);
    const auto topSuit = SuitPart(top);
    mind_.PlayableCards.clear();
    mind_.RankCounts.fill(0);
    mind_.SuitCounts.fill(0);
    mind_.SuitIterator.fill(0);
    mind_.HasAce = mind_.HasSeven = mind_.HasKingOfSpades = false;
    mind_.CardChosen = false;
    mind_.ChosenPosition = 0;
    handNames_.clear();
    for (const auto& card : state.OpponentHand.Cards()) {
        const std::string& name = card.Name;
        handNames_.push_back(name);
        ++mind_.RankCounts[RankSlot(card.Value)];
        const bool queen = IsQueen(name);
        if (!queen) {
            const int suit = SuitIndexOfKey(SuitPart(name));
            if (suit >= 0) ++mind_.SuitCounts[static_cast<std::size_t>(suit)];
        }
        if (queen || RankPart(name) == topRank || SuitPart(name) == topSuit)
            mind_.PlayableCards.push_back(name);
        if (IsAce(name)) {
            mind_.HasAce = true;
        } else if (BeginsKingOfSpades(name)) {
            mind_.HasKingOfSpades = true;
        } else if (IsSeven(name)) {
            mind_.HasSeven = true;
        }
    }
}

bool ComputerOpponent::ChooseHandCard(std::string_view name) {
    const auto it = std::find(handNames_.begin(), handNames_.end(), name);
    mind_.CardChosen = it != handNames_.end();
    mind_.ChosenPosition = mind_.CardChosen ? static_cast<std::size_t>(it - handNames_.begin()) + 1 : 0;
    return mind_.CardChosen;
}

bool ComputerOpponent::TryPlayPrefix(std::string_view prefix) {
    for (const auto& name : mind_.PlayableCards) {
        if (StartsWith(name, prefix)) return ChooseHandCard(name);
    }
    mind_.CardChosen = false;
    return false;
}

bool ComputerOpponent::TryPlaySuit(std::string_view key) {
    for (const auto& name : mind_.PlayableCards) {
        if (!IsQueen(name) && SuitPart(name) == key) return ChooseHandCard(name);
    }
    mind_.CardChosen = false;
    return false;
}

std::string ComputerOpponent::NextSuitByCount() {
    return NextByCount(mind_.SuitIterator, mind_.SuitCounts, mind_.SuitIteratorEnded, kSuitKeys);
}

std::string ComputerOpponent::NextRankByCount() {
    const std::array<std::uint8_t, 4> counts = {mind_.RankCounts[1], mind_.RankCounts[2], mind_.RankCounts[3],
                                                mind_.RankCounts[4]};
    return NextByCount(mind_.RankIterator, counts, mind_.RankIteratorEnded, kRankIteratorNames);
}

std::string ComputerOpponent::StrongestSuit() const {
    const int slot = LargestSlot(mind_.SuitCounts);
    return slot < 0 ? std::string{} : std::string(kSuitKeys[static_cast<std::size_t>(slot)]);
}

void ComputerOpponent::FallbackChoice(const GameOptions& options) {
    std::string plain, queen, ace, seven, king, eight, nine, ten;
    for (const auto& name : mind_.PlayableCards) {
        if (!IsQueen(name) && !IsAce(name) && !IsSeven(name)) plain = name;
        if (IsQueen(name)) {
            queen = name;
        } else if (IsAce(name)) {
            ace = name;
        } else if (IsSeven(name)) {
            seven = name;
        } else if (BeginsKingOfSpades(name) && options.kingofspades) {
            king = name;
            plain.clear();  // the king of spades is kept back like a seven
        } else if (IsEight(name)) {
            eight = name;
        } else if (IsNine(name)) {
            nine = name;
        } else if (IsTen(name)) {
            ten = name;
        }
        if (!plain.empty()) break;
    }
    auto firstOf = [](std::initializer_list<const std::string*> names) -> std::string {
        for (const auto* name : names) {
            if (!name->empty()) return *name;
        }
        return {};
    };
    std::string choice;
    if (options.playforpoints) {
        choice = firstOf({&queen, &ace, &ten, &nine, &eight, &seven, &king, &plain});
    } else if (mind_.RankCounts[kAceSlot] > 1 && !ace.empty()) {
        choice = ace;
    } else if (mind_.RankCounts[kSevenSlot] > 1 && !seven.empty()) {
        choice = seven;
    } else if (mind_.RankCounts[kSevenSlot] > 0 && !king.empty()) {
        choice = king;
    } else if (plain.empty()) {
        choice = firstOf({&ace, &seven, &king, &queen});
    } else {
        choice = plain;
    }
    if (!choice.empty()) TryPlayPrefix(choice);
}

}  // namespace tarvel
