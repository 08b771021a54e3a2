#include "client/app/picture_store.h"

#include <QDir>
#include <QPainter>

#include "common/deck.h"
#include "engine/table_layout.h"

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
    const auto& table = StandardCardTable();
    for (int i = 0; i < 32; ++i) {
        faces_[static_cast<std::size_t>(i)] =
            Load(dir.filePath(QStringLiteral("card%1.bmp").arg(i + 1)), card,
                 QString::fromStdString(table[static_cast<std::size_t>(i)].Name), true);
    }
    back_ = Load(dir.filePath(QStringLiteral("emp.bmp")), card, QString(), false);
    static const char* const kSuitNames[] = {"srdce", "kára", "piky", "kříže"};
    for (int i = 0; i < 4; ++i) {
        suits_[static_cast<std::size_t>(i)] =
            Load(dir.filePath(QStringLiteral("col%1.bmp").arg(i + 1)),
                 QSize(layout::kSuitBlankWidth - 1, layout::kSuitBlankHeight), QString::fromUtf8(kSuitNames[i]),
                 false);
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

const QImage& PictureStore::Face(int picture) const {
    const int index = picture >= 1 && picture <= 32 ? picture - 1 : 0;
    return faces_[static_cast<std::size_t>(index)];
}

const QImage& PictureStore::Suit(int suit) const {
    const int index = suit >= 1 && suit <= 4 ? suit - 1 : 0;
    return suits_[static_cast<std::size_t>(index)];
}

}  // namespace tarvel
