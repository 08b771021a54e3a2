// The stock and the pile of a network game, and each player's hand as the rules core
// counts cards. The server keeps them so that both players draw from one deck; it
// deals every card, serves every draw and sees every card laid, so it knows both
// hands. It checks no move yet.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "card_containers.h"
#include "cards.h"
#include "random_source.h"

namespace tarvel::server {

class ServerCards {
  public:
    // A fresh deck shuffled into the stock by the ring walk; the pile empty.
    void NewDeal(RandomSource& random);
    void Clear();

    bool StockEmpty() const { return stock_.StackEmpty(); }
    // The top of the stock, into the hand of `player` (0 or 1); the caller tests
    // StockEmpty first. Any other player takes it into no hand.
    typhodnoty PopStockTo(int player);
    // The top of the stock with no hand to go to (the start card).
    typhodnoty PopStock() { return stock_.PopCard(); }

    // Lays the start card; a queen gets the marker of its own suit laid over it.
    // Returns the marker text when one was laid.
    std::optional<std::string_view> LayStartCard(const typhodnoty& card);

    // Puts a copy of the named card, laid by `player`, on the pile and out of his
    // hand; a name that is not one of the 32 cards puts nothing there.
    void PutOnPile(int player, std::string_view cardName);
    // The same with no hand to take it from.
    void PutOnPile(std::string_view cardName) { PutOnPile(-1, cardName); }

    // True when turning the pile would leave the stock empty: the pile holds only
    // its top card, or only a marker and the queen under it (or nothing at all).
    bool NothingToTurn() const;

    // Everything but the top card (and the start queen under a marker on top) goes
    // into the stock, the oldest card on top; markers are dropped. With `shuffle` the
    // new stock is then shuffled by the ring walk.
    void TurnPile(bool shuffle, RandomSource& random);

    const CardStack& Stock() const { return stock_; }
    const CardStack& Pile() const { return pile_; }
    // The cards the server has given `player` and not yet seen him lay.
    rules::CardSet Hand(int player) const;

  private:
    CardStack stock_;
    CardStack pile_;
    std::array<rules::CardSet, 2> hands_{};
};

}  // namespace tarvel::server
