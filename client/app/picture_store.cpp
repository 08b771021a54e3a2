#include "client/app/picture_store.h"

#include <QDir>
#include <QPainter>

#include "rules/card_names.h"
#include "client/table/table_layout.h"

namespace tarvel {
namespace {

QImage WithTransparentKey(QImage image) {
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == kPictureTransparentColour) line[x] = 0;
        }
    }
    return image;
}

QImage Filled(QSize size, QColor colour) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

}  // namespace

PictureStore::PictureStore(const QString& folder, QColor background) {
    const QDir dir(folder);
    const QSize card(layout::kCardWidth, layout::kCardHeight);
    // The files count from 1: card1.bmp is card 0, col1.bmp is suit 0.
    for (rules::CardId i = 0; i < rules::kCards; ++i) {
        faces_[i] = Load(dir.filePath(QStringLiteral("card%1.bmp").arg(i + 1)), card,
                         QString::fromStdString(rules::CardName(i)), true);
    }
    back_ = Load(dir.filePath(QStringLiteral("emp.bmp")), card, QString(), false);
    for (std::uint8_t i = 0; i < suits_.size(); ++i) {
        suits_[i] = Load(dir.filePath(QStringLiteral("col%1.bmp").arg(i + 1)),
                         QSize(layout::kSuitBlankWidth - 1, layout::kSuitBlankHeight),
                         QString::fromStdString(rules::SuitWord(i)), false);
    }
    cardBlank_ = Filled(QSize(layout::kCardBlankWidth, layout::kCardBlankHeight), background);
    suitBlank_ = Filled(QSize(layout::kSuitBlankWidth, layout::kSuitBlankHeight), background);
}

QImage PictureStore::Load(const QString& path, QSize standInSize, const QString& standInText, bool transparent) {
    QImage image(path);
    if (!image.isNull()) return transparent ? WithTransparentKey(image) : image.convertToFormat(QImage::Format_ARGB32);
    missing_.append(path);
    // A white card with a black frame and its name: still readable at the table.
    QImage standIn = Filled(standInSize, Qt::white);
    QPainter painter(&standIn);
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(standIn.rect().adjusted(1, 1, -1, -1));
    painter.drawText(standIn.rect().adjusted(3, 3, -3, -3), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     standInText);
    return standIn;
}

const QImage& PictureStore::Face(rules::CardId card) const {
    return faces_[card < faces_.size() ? card : 0];
}

const QImage& PictureStore::Suit(std::uint8_t suit) const {
    return suits_[suit < suits_.size() ? suit : 0];
}

}  // namespace tarvel
