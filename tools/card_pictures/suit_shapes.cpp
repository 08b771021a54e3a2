#include "tools/card_pictures/suit_shapes.h"

#include <QTransform>

namespace tarvel::pictures {
namespace {

// Shapes are made in a unit square (x right, y down) and then fitted to the box.

QPainterPath UnitHeart() {
    QPainterPath heart;
    heart.moveTo(0.5, 1.0);
    heart.cubicTo(0.33, 0.80, 0.0, 0.58, 0.0, 0.27);
    heart.arcTo(QRectF(0.0, 0.02, 0.5, 0.5), 180, -180);
    heart.arcTo(QRectF(0.5, 0.02, 0.5, 0.5), 180, -180);
    heart.cubicTo(1.0, 0.58, 0.67, 0.80, 0.5, 1.0);
    heart.closeSubpath();
    return heart;
}

QPainterPath UnitDiamond() {
    QPainterPath diamond;
    diamond.moveTo(0.5, 0.0);
    diamond.lineTo(0.95, 0.5);
    diamond.lineTo(0.5, 1.0);
    diamond.lineTo(0.05, 0.5);
    diamond.closeSubpath();
    return diamond;
}

// The foot shared by spades and clubs: a stem widening to a flat base.
QPainterPath UnitStem() {
    QPainterPath stem;
    stem.moveTo(0.44, 0.55);
    stem.quadTo(0.44, 0.90, 0.22, 1.0);
    stem.lineTo(0.78, 1.0);
    stem.quadTo(0.56, 0.90, 0.56, 0.55);
    stem.closeSubpath();
    return stem;
}

QPainterPath UnitSpade() {
    // An upside-down heart over the upper four fifths, on the stem.
    const QTransform flip(1, 0, 0, -0.8, 0, 0.8);
    return flip.map(UnitHeart()).united(UnitStem());
}

QPainterPath Disc(QPointF centre, double radius) {
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    return disc;
}

QPainterPath UnitClub() {
    // Three leaves joined in the middle; each is its own path so that the overlaps
    // stay filled when they are united.
    constexpr double leaf = 0.235;
    return Disc({0.5, leaf}, leaf)
        .united(Disc({leaf, 0.56}, leaf))
        .united(Disc({1.0 - leaf, 0.56}, leaf))
        .united(Disc({0.5, 0.5}, 0.16))
        .united(UnitStem());
}

QPainterPath UnitShape(Suit suit) {
    switch (suit) {
        case Suit::Hearts:
            return UnitHeart();
        case Suit::Diamonds:
            return UnitDiamond();
        case Suit::Spades:
            return UnitSpade();
        case Suit::Clubs:
            return UnitClub();
    }
    return {};
}

}  // namespace

QPainterPath SuitShape(Suit suit, const QRectF& box) {
    QTransform fit;
    fit.translate(box.left(), box.top());
    fit.scale(box.width(), box.height());
    return fit.map(UnitShape(suit));
}

}  // namespace tarvel::pictures
