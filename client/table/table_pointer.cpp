#include "client/table/table_pointer.h"

#include <algorithm>

#include "session/table/say_commands.h"
#include "client/table/table_layout.h"
#include "rules/card_names.h"

namespace tarvel {
namespace {

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

bool OverCard(layout::Point place, int x, int y) {
    return Within(x, place.x, place.x + layout::kCardAreaWidth) && Within(y, place.y, place.y + layout::kCardAreaHeight);
}

}  // namespace

TableArea AreaAt(const GameState& state, int x, int y) {
    if (!state.SuitChoiceActive()) {
        const int right = layout::kCardStep * static_cast<int>(state.playerHand.size()) + layout::kHandAreaRightPastLast;
        if (!state.playerHand.empty() && Within(x, layout::kCardStep, right) &&
            Within(y, layout::kHandAreaTop, layout::kHandAreaBottom))
            return TableArea::Hand;
    } else if (Within(x, layout::kSuitRowLeft, layout::kSuitRowRight) &&
               Within(y, layout::kSuitRowY, layout::kSuitRowBottom)) {
        return TableArea::SuitRow;
    }
    if (OverCard(layout::kStock, x, y)) return TableArea::Stock;
    if (OverCard(layout::kPile, x, y)) return TableArea::Pile;
    return TableArea::None;
}

std::size_t HandCardAt(const GameState& state, int x) {
    return std::min<std::size_t>(layout::HandPositionAt(x), state.playerHand.size());
}

PointerHover::Move PointerHover::MovedTo(int x, int y) {
    if (!state_.running) return {};
    const TableArea area = AreaAt(state_, x, y);
    Move move;
    move.handShape = area == TableArea::Hand || area == TableArea::Stock || area == TableArea::SuitRow;
    if (area == TableArea::Hand || area == TableArea::SuitRow || area == TableArea::Pile) {
        if (options_.saycardsundermouse) {
            restX_ = x;
            restY_ = y;
            move.startTimer = true;
        }
    } else {
        hoverIndex_ = 0;
        hoverSuit_ = rules::kNoSuit;
        pileSpoken_ = false;
    }
    return move;
}

void PointerHover::Rested() {
    if (!state_.running) return;
    switch (AreaAt(state_, restX_, restY_)) {
        case TableArea::Hand: {
            const std::size_t card = HandCardAt(state_, restX_);
            if (card != 0 && card != hoverIndex_) {
                speech_.SayPhrase(state_.playerVoice, rules::CardName(state_.playerHand[card - 1]), kCardNameVariant);
                hoverIndex_ = card;
            }
            break;
        }
        case TableArea::SuitRow: {
            const std::uint8_t suit = layout::SuitAtX(restX_);
            if (suit != hoverSuit_) {
                hoverSuit_ = suit;
                speech_.SayPhrase(state_.playerVoice, rules::SuitMarker(suit), kPlainVariant);
            }
            break;
        }
        case TableArea::Pile:
            if (!pileSpoken_) {
                pileSpoken_ = true;
                SayCommands(state_, speech_, speech_).PileCard();
            }
            break;
        case TableArea::Stock:
        case TableArea::None:
            break;
    }
}

void PointerHover::Forget() {
    hoverIndex_ = 0;
    hoverSuit_ = rules::kNoSuit;
}

void PointerHover::FollowSelection() {
    hoverIndex_ = state_.selected;
    if (state_.SuitChoiceActive()) hoverSuit_ = state_.selectedSuit;
}

}  // namespace tarvel
