// The computer opponent: it counts its hand against the pile, walks its list of
// preferences until one yields a card, and otherwise draws or stands.
#include <algorithm>
#include <string>

#include "engine.h"

namespace tarvel {
namespace {

constexpr std::array<std::string_view, 4> kRankIteratorNames = {"kluk", "", "král", "eso"};
constexpr std::array<std::string_view, 4> kSuitNames = {"srdce", "kára", "piky", "kříže"};

// Rank slot of a card, from its value: jack 1, king 3, ace 4, 7..10 at 5..8, queen 9.
int RankSlot(std::int32_t value) {
    switch (value) {
        case 1:
            return 1;
        case 2:
            return 3;
        case 11:
            return 4;
        case 7:
            return 5;
        case 8:
            return 6;
        case 9:
            return 7;
        case 10:
            return 8;
        case 20:
        case 40:
            return 9;
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

}  // namespace

void Engine::OpponentTurn() {
    state_.PlayerTurn = false;
    AnalyseHand();
    ChooseComputerMove();
    if (!mind_.CardChosen) OpponentDraws();  // a hand with playable cards always yields one; never stall
    if (!mind_.OpponentStood) {
        SetLabelText(63);
        OpponentPlaysCard();
    }
    if (state_.GameRunning) {
        state_.PlayerTurn = true;
        BeginPlayerTurn();
    }
}

void Engine::ChooseComputerMove() {
    const std::string top = TopName();
    const std::string topSuit(SuitPart(top));
    const std::string topRank(RankPart(top));

    if (state_.AcePending) {
        if (!mind_.HasAce) {
            mind_.OpponentStood = true;
            mind_.CardChosen = true;
            state_.AcePending = false;
            Say("stojím");
            SetLabelText(62);
            return;
        }
        ForEachSuitByCount([this](const std::string& suit) { TryPlayPrefix("eso " + suit); });
        if (!mind_.CardChosen) TryPlayPrefix("eso");
        return;
    }
    if (mind_.PlayableCards.empty()) {
        OpponentDraws();
        return;
    }
    if (state_.PendingDraw > 0) {
        if (!mind_.HasSeven && !mind_.HasKingOfSpades) {
            OpponentDraws();
            return;
        }
        if (options_.kingofspades) TryPlayPrefix("král pik");
        if (!mind_.CardChosen)
            ForEachSuitByCount([this](const std::string& suit) { TryPlayPrefix("7 " + suit); });
        if (!mind_.CardChosen) TryPlayPrefix("7");
        if (!mind_.CardChosen) OpponentDraws();
        return;
    }
    // A known stock order: take a seven (or the king of spades) now rather than play.
    if (state_.StockOrderKnown && !state_.Stock.StackEmpty() && state_.OpponentCount > 1 &&
        state_.PlayerCount > 1) {
        const std::string& next = state_.Stock.Top().Name;
        if (IsSeven(next) || (options_.kingofspades && BeginsKingOfSpades(next))) {
            OpponentDraws();
            return;
        }
    }
    if (options_.playforpoints) {
        TryPlayPrefix("dáma srd");  // shed the 40-point queen of hearts
        if (!mind_.CardChosen && mind_.RankCounts[9] > 1) TryPlayPrefix("dáma");
        if (!mind_.CardChosen && state_.PlayerCount == 1) TryPlayPrefix("dáma");
        if (mind_.CardChosen) return;
    }
    // Same rank, moving the suit towards the suit held most.
    ForEachSuitByCount([&](const std::string& suit) {
        if (suit != topSuit) TryPlayPrefix(topRank + suit);
    });
    if (mind_.CardChosen) return;
    // Same suit, with a jack, king or ace as the favoured rank.
    for (;;) {
        const std::string rank = NextRankByCount();
        if (!rank.empty() && !mind_.CardChosen && !StartsWith(top, rank)) TryPlayPrefix(rank + " " + topSuit);
        if (mind_.RankIteratorEnded) break;
    }
    if (mind_.CardChosen) return;
    const std::string strongest = StrongestSuit();
    if (!strongest.empty() && strongest == topSuit) TryPlaySuit(strongest);
    if (!mind_.CardChosen) FallbackChoice();
}

void Engine::ForEachSuitByCount(const std::function<void(const std::string&)>& tryPlay) {
    // The iterator always runs to its end, so that it is ready to refill next time.
    for (;;) {
        const std::string suit = NextSuitByCount();
        if (!suit.empty() && !mind_.CardChosen) tryPlay(suit);
        if (mind_.SuitIteratorEnded) break;
    }
}

void Engine::AnalyseHand() {
    const std::string top = TopName();
    const auto topRank = RankPart(top);
    const auto topSuit = SuitPart(top);
    mind_.PlayableCards.clear();
    mind_.RankCounts.fill(0);
    mind_.SuitCounts.fill(0);
    mind_.SuitIterator.fill(0);
    mind_.HasAce = mind_.HasSeven = mind_.HasKingOfSpades = false;
    mind_.CardChosen = mind_.OpponentStood = false;
    mind_.ChosenIndex = 0;
    for (const auto& card : state_.OpponentHand.Cards()) {
        const std::string& name = card.Name;
        ++mind_.RankCounts[RankSlot(card.Value)];
        const bool queen = IsQueen(name);
        if (!queen) {
            const int suit = SuitIndexOfKey(SuitPart(name));
            if (suit >= 0) ++mind_.SuitCounts[suit];
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

bool Engine::ChooseHandCard(std::string_view name) {
    const auto& cards = state_.OpponentHand.Cards();
    const auto it =
        std::find_if(cards.begin(), cards.end(), [&](const typhodnoty& c) { return c.Name == name; });
    if (it == cards.end()) {
        mind_.CardChosen = false;
        return false;
    }
    mind_.ChosenIndex = static_cast<std::size_t>(it - cards.begin()) + 1;
    mind_.CardChosen = true;
    return true;
}

bool Engine::TryPlayPrefix(std::string_view prefix) {
    for (const auto& name : mind_.PlayableCards) {
        if (StartsWith(name, prefix)) return ChooseHandCard(name);
    }
    mind_.CardChosen = false;
    return false;
}

bool Engine::TryPlaySuit(std::string_view key) {
    for (const auto& name : mind_.PlayableCards) {
        if (!IsQueen(name) && SuitPart(name) == key) return ChooseHandCard(name);
    }
    mind_.CardChosen = false;
    return false;
}

std::string Engine::NextByCount(std::array<std::uint8_t, 4>& copy, const std::array<std::uint8_t, 4>& counts,
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

std::string Engine::NextSuitByCount() {
    return NextByCount(mind_.SuitIterator, mind_.SuitCounts, mind_.SuitIteratorEnded, kSuitKeys);
}

std::string Engine::NextRankByCount() {
    const std::array<std::uint8_t, 4> counts = {mind_.RankCounts[1], mind_.RankCounts[2], mind_.RankCounts[3],
                                                mind_.RankCounts[4]};
    return NextByCount(mind_.RankIterator, counts, mind_.RankIteratorEnded, kRankIteratorNames);
}

std::string Engine::StrongestSuit() const {
    const int slot = LargestSlot(mind_.SuitCounts);
    return slot < 0 ? std::string{} : std::string(kSuitKeys[slot]);
}

void Engine::FallbackChoice() {
    std::string plain, queen, ace, seven, king, eight, nine, ten;
    for (const auto& name : mind_.PlayableCards) {
        if (!IsQueen(name) && !IsAce(name) && !IsSeven(name)) plain = name;
        if (IsQueen(name)) {
            queen = name;
        } else if (IsAce(name)) {
            ace = name;
        } else if (IsSeven(name)) {
            seven = name;
        } else if (BeginsKingOfSpades(name) && options_.kingofspades) {
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
    if (options_.playforpoints) {
        choice = firstOf({&queen, &ace, &ten, &nine, &eight, &seven, &king, &plain});
    } else if (mind_.RankCounts[4] > 1 && !ace.empty()) {
        choice = ace;
    } else if (mind_.RankCounts[5] > 1 && !seven.empty()) {
        choice = seven;
    } else if (mind_.RankCounts[5] > 0 && !king.empty()) {
        choice = king;
    } else if (plain.empty()) {
        choice = firstOf({&ace, &seven, &king, &queen});
    } else {
        choice = plain;
    }
    if (!choice.empty()) TryPlayPrefix(choice);
}

void Engine::OpponentPlaysCard() {
    if (mind_.ChosenIndex < 1 || mind_.ChosenIndex > state_.OpponentHand.Size()) return;
    if (state_.RequestedSuitShown) {
        state_.RequestedSuitShown = false;
        presentation_.EraseRequestedSuit();
    }
    const typhodnoty card = state_.OpponentHand.At(mind_.ChosenIndex);
    state_.CurrentCard = card;
    Say(card.Name, 11);
    SayEffect("vyhození", 6);

    const std::size_t before = state_.OpponentHand.Size();
    state_.OpponentHand.RemoveAt(mind_.ChosenIndex);
    mind_.ChosenIndex = 0;
    state_.Pile.PushCard(card);
    presentation_.DrawPile();
    state_.OpponentCount = static_cast<std::uint8_t>(state_.OpponentHand.Size());
    presentation_.BlankOpponentCardAt(before);
    if (state_.OpponentCount > 0) presentation_.DrawOpponentHand();

    if (state_.OpponentCount > 0 || options_.returntogame) ApplyCardEffect(card, Side::Computer);
    if (state_.OpponentCount == 0) {
        Say("comp poslední karta");
        if (options_.returntogame) {
            OpponentLastCard();
        } else {
            OpponentWinsGame();
        }
    }
}

void Engine::OpponentChoosesSuit() {
    if (state_.Pile.StackEmpty()) return;
    std::string suit = StrongestSuit();
    // Holding nothing but queens, the computer keeps the suit of the queen it laid.
    if (suit.empty()) suit = std::string(SuitPart(state_.Pile.Top().Name));
    const int index = std::max(SuitIndexOfKey(suit), 0);
    const std::string_view suitName = kSuitNames[index];

    typhodnoty marker = state_.Pile.Top();
    marker.Name = " " + std::string(suitName);
    state_.CurrentCard = marker;
    state_.Pile.PushCard(marker);
    presentation_.DrawRequestedSuit();
    state_.RequestedSuitShown = true;
    SetLabelText(60);
    Say("měním na");
    Say(suitName);
}

}  // namespace tarvel
