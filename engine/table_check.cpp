#include "engine/table_check.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/card.h"
#include "common/deck.h"

namespace tarvel {
namespace {

// The highest pending draw the rules can build up: four sevens of three and the king of spades.
constexpr int kMostPendingDraw = 4 * 3 + 5;

bool IsKnownMarker(std::string_view name) {
    return std::find(kSuitMarkers.begin(), kSuitMarkers.end(), name) != kSuitMarkers.end();
}

class DeckTally {
  public:
    // Counts one card seen at `place`; returns a fault or empty.
    std::string Count(const typhodnoty& card, std::string_view place) {
        const auto& table = StandardCardTable();
        const auto it = std::find_if(table.begin(), table.end(),
                                     [&](const typhodnoty& c) { return c.Name == card.Name; });
        if (it == table.end()) return "unknown card \"" + card.Name + "\" in the " + std::string(place);
        if (*it != card)
            return "the record of " + card.Name + " in the " + std::string(place) + " was altered";
        const auto index = static_cast<std::size_t>(it - table.begin());
        if (!places_[index].empty()) {
            return card.Name + " lies twice: in the " + std::string(places_[index]) + " and in the " +
                   std::string(place);
        }
        places_[index] = place;
        return {};
    }

    std::string Missing() const {
        std::string missing;
        for (std::size_t i = 0; i < places_.size(); ++i) {
            if (places_[i].empty()) missing += (missing.empty() ? "" : ", ") + StandardCardTable()[i].Name;
        }
        return missing.empty() ? std::string{} : "cards lost from the table: " + missing;
    }

  private:
    std::array<std::string_view, kDeckSize> places_{};
};

std::string CountRow(DeckTally& tally, const std::vector<typhodnoty>& cards, std::string_view place) {
    for (const auto& card : cards) {
        if (IsSuitMarker(card.Name))
            return "a suit marker \"" + card.Name + "\" in the " + std::string(place);
        if (auto fault = tally.Count(card, place); !fault.empty()) return fault;
    }
    return {};
}

std::string CountPile(DeckTally& tally, const std::vector<typhodnoty>& pile) {
    if (pile.empty()) return "the pile is empty";
    for (std::size_t i = 0; i < pile.size(); ++i) {
        const std::string& name = pile[i].Name;
        if (IsSuitMarker(name)) {
            if (!IsKnownMarker(name)) return "a malformed suit marker \"" + name + "\" on the pile";
            if (i == 0 || !IsQueen(pile[i - 1].Name)) {
                return "the suit marker \"" + name + "\" on the pile does not lie on a queen";
            }
            continue;
        }
        if (auto fault = tally.Count(pile[i], "pile"); !fault.empty()) return fault;
    }
    return {};
}

}  // namespace

std::string FindTableFault(const GameState& state) {
    DeckTally tally;
    if (auto fault = CountRow(tally, state.PlayerHand.Cards(), "player's hand"); !fault.empty()) return fault;
    if (auto fault = CountRow(tally, state.OpponentHand.Cards(), "computer's hand"); !fault.empty())
        return fault;
    if (auto fault = CountRow(tally, state.Stock.BottomToTop(), "stock"); !fault.empty()) return fault;
    if (auto fault = CountPile(tally, state.Pile.BottomToTop()); !fault.empty()) return fault;
    if (auto fault = tally.Missing(); !fault.empty()) return fault;

    if (state.PlayerCount != state.PlayerHand.Size()) {
        return "PlayerCount is " + std::to_string(state.PlayerCount) + " but the player holds " +
               std::to_string(state.PlayerHand.Size());
    }
    if (state.OpponentCount != state.OpponentHand.Size()) {
        return "OpponentCount is " + std::to_string(state.OpponentCount) + " but the computer holds " +
               std::to_string(state.OpponentHand.Size());
    }
    if (state.SelectedIndex > state.PlayerHand.Size()) {
        return "the selection " + std::to_string(state.SelectedIndex) + " lies beyond the hand of " +
               std::to_string(state.PlayerHand.Size());
    }
    if (state.PendingDraw > kMostPendingDraw) {
        return "the pending draw grew to " + std::to_string(state.PendingDraw);
    }
    return {};
}

}  // namespace tarvel
