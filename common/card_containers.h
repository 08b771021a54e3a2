// The stock and pile (stacks) and the hands and deck (queues) of the game.
//
// Every container holds its own copies of card records. Positions in a queue are
// 1-based, as the selection in a hand is counted.
#pragma once

#include <cstddef>
#include <vector>

#include "common/card.h"

namespace tarvel {

class CardStack {
  public:
    void PushCard(const typhodnoty& card) { cards_.push_back(card); }
    // The caller tests StackEmpty first; popping an empty stack is a programming error.
    typhodnoty PopCard();
    bool StackEmpty() const { return cards_.empty(); }
    const typhodnoty& Top() const;
    std::size_t Size() const { return cards_.size(); }
    void Clear() { cards_.clear(); }
    // Entries from the bottom (index 0) to the top.
    const std::vector<typhodnoty>& BottomToTop() const { return cards_; }

  private:
    std::vector<typhodnoty> cards_;
};

class CardQueue {
  public:
    void AppendCard(const typhodnoty& card) { cards_.push_back(card); }
    void Clear() { cards_.clear(); }
    bool Empty() const { return cards_.empty(); }
    std::size_t Size() const { return cards_.size(); }
    // 1-based position; the caller keeps it within 1..Size().
    const typhodnoty& At(std::size_t position) const;
    const typhodnoty& Head() const { return At(1); }
    const typhodnoty& Tail() const { return At(cards_.size()); }
    const std::vector<typhodnoty>& Cards() const { return cards_; }

    // Takes the card at `position` out of the queue and returns the position the
    // selection stands on afterwards: the card that followed, or the new last card
    // when the last one was taken; 0 when the queue became empty.
    std::size_t RemoveAt(std::size_t position);

  private:
    std::vector<typhodnoty> cards_;
};

}  // namespace tarvel
