#include "common/pile.h"

#include <string>
#include <vector>

#include "common/deck.h"

namespace tarvel {

bool PileCannotTurn(const CardStack& pile) {
    const std::size_t size = pile.Size();
    return size <= 1 || (size == 2 && IsSuitMarker(pile.Top().Name));
}

void TurnPileIntoStock(CardStack& pile, CardStack& stock) {
    if (pile.StackEmpty()) return;
    const typhodnoty top = pile.PopCard();
    std::optional<typhodnoty> queenUnderMarker;
    if (IsSuitMarker(top.Name) && !pile.StackEmpty()) queenUnderMarker = pile.PopCard();
    while (!pile.StackEmpty()) {
        typhodnoty entry = pile.PopCard();
        if (!IsSuitMarker(entry.Name)) stock.PushCard(entry);
    }
    if (queenUnderMarker) pile.PushCard(*queenUnderMarker);
    pile.PushCard(top);
}

void ShuffleStock(CardStack& stock, RandomSource& random) {
    if (stock.Size() < 2) return;
    std::vector<typhodnoty> ring;
    ring.reserve(stock.Size());
    while (!stock.StackEmpty()) ring.push_back(stock.PopCard());
    ShuffleIntoStock(std::move(ring), 0, stock, random);
}

std::optional<typhodnoty> StartQueenMarker(const typhodnoty& startCard) {
    if (!IsQueen(startCard.Name)) return std::nullopt;
    const std::string_view marker = MarkerOfSuitKey(SuitPart(startCard.Name));
    if (marker.empty()) return std::nullopt;
    typhodnoty entry = startCard;
    entry.Name = std::string(marker);
    return entry;
}

}  // namespace tarvel
