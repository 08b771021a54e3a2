// The stock and the pile of a network game. The server keeps them so that both
// players draw from one deck; it never checks a move.
#pragma once

#include <optional>
#include <string_view>

#include "card_containers.h"
#include "random_source.h"

namespace tarvel::server {

class ServerCards {
  public:
    // A fresh deck shuffled into the stock by the ring walk; the pile empty.
    void NewDeal(RandomSource& random);
    void Clear();

    bool StockEmpty() const { return stock_.StackEmpty(); }
    // The caller tests StockEmpty first.
    typhodnoty PopStock() { return stock_.PopCard(); }

    // Lays the start card; a queen gets the marker of its own suit laid over it.
    // Returns the marker text when one was laid.
    std::optional<std::string_view> LayStartCard(const typhodnoty& card);

    // Puts a copy of the named card on the pile; a name that is not one of the 32
    // cards puts nothing there.
    void PutOnPile(std::string_view cardName);

    // True when turning the pile would leave the stock empty: the pile holds only
    // its top card, or only a marker and the queen under it (or nothing at all).
    bool NothingToTurn() const;

    // Everything but the top card (and the start queen under a marker on top) goes
    // into the stock, the oldest card on top; markers are dropped. With `shuffle` the
    // new stock is then shuffled by the ring walk.
    void TurnPile(bool shuffle, RandomSource& random);

    const CardStack& Stock() const { return stock_; }
    const CardStack& Pile() const { return pile_; }

  private:
    CardStack stock_;
    CardStack pile_;
};

}  // namespace tarvel::server
