#include "common/card_containers.h"

#include <stdexcept>

namespace tarvel {

typhodnoty CardStack::PopCard() {
    if (cards_.empty()) throw std::logic_error("PopCard on an empty stack");
    typhodnoty card = std::move(cards_.back());
    cards_.pop_back();
    return card;
}

const typhodnoty& CardStack::Top() const {
    if (cards_.empty()) throw std::logic_error("Top of an empty stack");
    return cards_.back();
}

const typhodnoty& CardQueue::At(std::size_t position) const {
    if (position < 1 || position > cards_.size()) throw std::out_of_range("card position outside the queue");
    return cards_[position - 1];
}

std::size_t CardQueue::RemoveAt(std::size_t position) {
    if (position < 1 || position > cards_.size()) throw std::out_of_range("card position outside the queue");
    cards_.erase(cards_.begin() + static_cast<std::ptrdiff_t>(position - 1));
    if (cards_.empty()) return 0;
    return position <= cards_.size() ? position : cards_.size();
}

}  // namespace tarvel
