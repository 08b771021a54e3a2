// The pointer over the table: which area it is over, what resting on a card names
// (once per rest, so a card is not named twice), and what a click does.
#pragma once

#include <cstddef>
#include <string>

#include "engine/engine.h"
#include "engine/speech_port.h"

namespace tarvel {

// The areas the pointer acts on. The hand counts only outside a suit choice and the
// suit row only during one; the stock and the pile always.
enum class TableArea { None, Hand, Stock, Pile, SuitRow };
TableArea AreaAt(const GameState& state, int x, int y);

// The hand card (1-based) under an x of the hand area.
std::size_t HandCardAt(const GameState& state, int x);

class PointerHover {
  public:
    PointerHover(const GameState& state, const GameOptions& options, SpeechPort& speech)
        : state_(state), options_(options), speech_(speech) {}
    PointerHover(const PointerHover&) = delete;
    PointerHover& operator=(const PointerHover&) = delete;

    struct Move {
        bool handShape = false;   // the pointing hand: a click here does something
        bool startTimer = false;  // (re)start the rest timer; otherwise stop it
    };
    // The pointer moved to (x, y) of the table.
    Move MovedTo(int x, int y);
    // The pointer has rested where it last moved: names what lies there, once.
    void Rested();

    // The start of the player's turn: nothing is taken as named any more.
    void Forget();
    // The marker moved while the pointer follows it: the selection counts as named.
    void FollowSelection();
    // The suit row opened under a resting pointer: its first suit counts as named.
    void SetHoverSuit(std::uint8_t suit) { hoverSuit_ = suit; }
    // The pointer was sent to the pile: its card counts as named.
    void SetPileSpoken() { pileSpoken_ = true; }

    std::size_t HoverIndex() const { return hoverIndex_; }
    std::uint8_t HoverSuit() const { return hoverSuit_; }
    bool PileSpoken() const { return pileSpoken_; }

  private:
    const GameState& state_;
    const GameOptions& options_;
    SpeechPort& speech_;
    std::size_t hoverIndex_ = 0;  // the hand card last named, 0 for none
    std::uint8_t hoverSuit_ = rules::kNoSuit;  // the suit last named
    bool pileSpoken_ = false;
    int restX_ = 0;
    int restY_ = 0;
};

}  // namespace tarvel
