// How the engine shows the table: the drawing operations at their fixed places, the
// selection marker and the pointer. The client's table widget implements it.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarvel {

class TablePort {
  public:
    virtual ~TablePort() = default;

    // The table cleared to its background at the start of a game.
    virtual void ClearTable() = 0;
    // Both hands, the marker (moving the pointer), the pile and the stock, in this order.
    virtual void RedrawTable() = 0;
    virtual void DrawPlayerHand() = 0;
    virtual void DrawOpponentHand() = 0;
    virtual void DrawPile() = 0;
    virtual void DrawStock() = 0;
    // A card just drawn, shown at its new place (1-based) at the end of a row.
    virtual void DrawPlayerCardAt(std::size_t position) = 0;
    virtual void DrawOpponentBackAt(std::size_t position) = 0;
    // A place left empty at the end of a row after a card was played from it.
    virtual void BlankPlayerCardAt(std::size_t position) = 0;
    virtual void BlankOpponentCardAt(std::size_t position) = 0;
    virtual void DrawSuitChoice() = 0;
    virtual void EraseSuitChoice() = 0;
    // The symbol of the suit the marker on top of the pile asks for.
    virtual void DrawRequestedSuit() = 0;
    virtual void EraseRequestedSuit() = 0;
    // Puts the selection marker at the state's MarkerX/MarkerY, moving the pointer too if asked.
    virtual void PlaceMarker(bool movePointer) = 0;
    virtual void ShowMarker(bool visible) = 0;

    // The pointer and what it last spoke under it.
    virtual void MovePointer(int x, int y) = 0;
    virtual void PointAtPile() = 0;
    // Forgets the card and suit last named under the resting pointer.
    virtual void ResetHover() = 0;
    virtual void SetHoverSuit(std::string_view marker) = 0;
};

}  // namespace tarvel
