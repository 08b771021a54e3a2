// The 39 pictures of the table, loaded once at start: the 32 card faces from
// karty/card1.bmp … card32.bmp, the back karty/emp.bmp, the suit symbols
// karty/col1.bmp … col4.bmp, and the two blanks made in the table's colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>
#include <array>

#include "rules/cards.h"

namespace tarvel {

// Card faces leave this colour transparent, so that the card under one shows at its
// rounded corners.
inline constexpr QRgb kPictureTransparentColour = 0xFF00FF;

class PictureStore {
  public:
    // Loads from `folder` (karty/ of the current folder in the game). A picture that
    // cannot be loaded is replaced by a drawn stand-in of its size, and its file is
    // named in MissingFiles(), so the table still shows every card.
    PictureStore(const QString& folder, QColor background);

    const QImage& Face(rules::CardId card) const;
    const QImage& Back() const { return back_; }
    const QImage& Suit(std::uint8_t suit) const;
    const QImage& CardBlank() const { return cardBlank_; }
    const QImage& SuitBlank() const { return suitBlank_; }

    const QStringList& MissingFiles() const { return missing_; }

  private:
    QImage Load(const QString& path, QSize standInSize, const QString& standInText, bool transparent);

    std::array<QImage, 32> faces_;
    QImage back_;
    std::array<QImage, 4> suits_;
    QImage cardBlank_;
    QImage suitBlank_;
    QStringList missing_;
};

}  // namespace tarvel
