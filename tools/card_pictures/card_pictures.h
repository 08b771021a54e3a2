// The pictures of the folder karty/: the 32 card faces, the card back and the four
// suit symbols, drawn for players who see little. Every face carries its rank and suit
// large in the left strip that stays in view when the cards of a hand overlap, and a
// big mark in the middle for the pile; the suits differ in shape and in colour, and the
// colours also differ in lightness.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/cards.h"
#include "tools/card_pictures/suit_shapes.h"

namespace tarvel::pictures {

// A card covers 67 x 103 pixels of the table; a suit symbol fits the 21 x 31 blank
// that erases it and is one pixel narrower, so the four symbols of the suit choice,
// 20 pixels apart, do not cover each other.
inline constexpr int kCardWidth = 67;
inline constexpr int kCardHeight = 103;
inline constexpr int kSuitWidth = 20;
inline constexpr int kSuitHeight = 31;
// What stays in view of every card of a hand but the last.
inline constexpr int kStripWidth = 20;
inline constexpr int kCornerRadius = 6;
// Card faces are drawn with this colour outside their rounded corners; the table
// leaves those pixels as they were. Backs and suit symbols are opaque.
inline constexpr QRgb kTransparentColour = 0xFF00FF;

struct NamedPicture {
    QString fileName;  // "card1.bmp", "emp.bmp", "col1.bmp"
    QImage image;
};

// The mark printed on a card for its rank: the digits stay, the court cards and the ace
// get one letter each (jack J, queen D, king K, ace A).
std::string RankMark(std::uint8_t rank);
Suit SuitOfCard(rules::CardId card);
QColor SuitColour(Suit suit);

// The bold face the marks are cut from.
inline constexpr const char* kMarkFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The font of a font file; nothing when it cannot be read (the message then says why).
std::optional<QFont> LoadMarkFont(const QString& fontFile, QString& error);

class CardPainter {
  public:
    explicit CardPainter(QFont markFont);

    QImage Face(rules::CardId card) const;
    QImage Back() const;
    QImage SuitSymbol(Suit suit) const;

    // All 37 pictures with their file names: card1 … card32 in picture order, the
    // back, the suits in deck order.
    std::vector<NamedPicture> AllPictures() const;

  private:
    QFont font_;
};

// Writes every picture as a 24-bit BMP into `folder`, which must exist.
bool WritePictures(const std::vector<NamedPicture>& pictures, const QString& folder, QString& error);

}  // namespace tarvel::pictures
