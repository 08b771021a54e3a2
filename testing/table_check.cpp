#include "testing/table_check.h"

#include <array>
#include <string_view>

#include "rules/card_names.h"

namespace tarvel {
namespace {

// The highest pending draw the rules can build up: four sevens of three and the king of spades.
constexpr int kMostPendingDraw = 4 * 3 + 5;

class DeckTally {
  public:
    // Counts one card seen at `place`; returns a fault or empty.
    std::string Count(rules::CardId card, std::string_view place) {
        if (card >= rules::kCards) return "an unknown card " + std::to_string(card) + " in the " + std::string(place);
        if (!places_[card].empty()) {
            return rules::CardName(card) + " lies twice: in the " + std::string(places_[card]) + " and in the " +
                   std::string(place);
        }
        places_[card] = place;
        return {};
    }

    std::string Missing() const {
        std::string missing;
        for (rules::CardId card = 0; card < rules::kCards; ++card) {
            if (places_[card].empty()) missing += (missing.empty() ? "" : ", ") + rules::CardName(card);
        }
        return missing.empty() ? std::string{} : "cards lost from the table: " + missing;
    }

  private:
    std::array<std::string_view, rules::kCards> places_{};
};

std::string CountSet(DeckTally& tally, rules::CardSet cards, std::string_view place) {
    for (; cards != 0; cards &= cards - 1) {
        if (auto fault = tally.Count(rules::LowestCard(cards), place); !fault.empty()) return fault;
    }
    return {};
}

std::string CountRow(DeckTally& tally, const std::array<rules::CardId, rules::kCards>& row, int size,
                     std::string_view place) {
    for (int i = 0; i < size; ++i) {
        if (auto fault = tally.Count(row[static_cast<std::size_t>(i)], place); !fault.empty()) return fault;
    }
    return {};
}

// The order of a hand holds exactly its cards, each once.
std::string CheckOrder(const std::vector<rules::CardId>& order, rules::CardSet hand, std::string_view whose) {
    rules::CardSet seen = 0;
    for (const rules::CardId card : order) {
        if (card >= rules::kCards || rules::Holds(seen, card))
            return "the " + std::string(whose) + " order lists a card twice or no card";
        seen |= rules::Bit(card);
    }
    if (seen != hand) return "the " + std::string(whose) + " order differs from the cards held";
    return {};
}

}  // namespace

std::string FindTableFault(const GameState& state) {
    const rules::Position& game = state.game;
    DeckTally tally;
    if (auto fault = CountSet(tally, game.hands[kPlayerSeat], "player's hand"); !fault.empty()) return fault;
    if (auto fault = CountSet(tally, game.hands[kOpponentSeat], "computer's hand"); !fault.empty()) return fault;
    if (auto fault = CountRow(tally, game.stock, game.stockSize, "stock"); !fault.empty()) return fault;
    if (game.pileSize == 0) return "the pile is empty";
    if (auto fault = CountRow(tally, game.pile, game.pileSize, "pile"); !fault.empty()) return fault;
    if (auto fault = tally.Missing(); !fault.empty()) return fault;

    if (auto fault = CheckOrder(state.playerHand, game.hands[kPlayerSeat], "player's"); !fault.empty()) return fault;
    if (auto fault = CheckOrder(state.opponentHand, game.hands[kOpponentSeat], "computer's"); !fault.empty())
        return fault;
    if (state.opponentCount != state.opponentHand.size()) {
        return "the opponent's count is " + std::to_string(state.opponentCount) + " but the computer holds " +
               std::to_string(state.opponentHand.size());
    }
    if (game.namedSuit != rules::kNoSuit && rules::RankOf(game.Top()) != rules::kQueen) {
        return "the suit " + rules::SuitMarker(game.namedSuit) + " is named over " + rules::CardName(game.Top());
    }
    if (state.selected > state.playerHand.size()) {
        return "the selection " + std::to_string(state.selected) + " lies beyond the hand of " +
               std::to_string(state.playerHand.size());
    }
    if (game.pendingDraw > kMostPendingDraw) {
        return "the pending draw grew to " + std::to_string(game.pendingDraw);
    }
    return {};
}

}  // namespace tarvel
