// The four suit symbols as filled outlines, so that every picture that shows a suit
// (corner marks, the big mark in the middle, the suit-choice symbols) draws the same
// shape at any size.
#pragma once

#include <QPainterPath>
#include <QRectF>

namespace tarvel::pictures {

// Suits in deck order: hearts, diamonds, spades, clubs.
enum class Suit { Hearts, Diamonds, Spades, Clubs };

// The symbol of a suit filling `box` (its tips touch the box's edges).
QPainterPath SuitShape(Suit suit, const QRectF& box);

}  // namespace tarvel::pictures
