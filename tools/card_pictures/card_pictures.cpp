#include "tools/card_pictures/card_pictures.h"

#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <array>
#include <utility>

#include "rules/card_names.h"

namespace tarvel::pictures {
namespace {

constexpr QRgb kPaper = 0xFFFFFF;
constexpr QRgb kEdge = 0x202020;
constexpr QRgb kBackInk = 0x17307A;
constexpr QRgb kBackLine = 0x6F8FE0;

// The marks of the ranks, in rank order. One letter each keeps the mark as large as the
// strip allows; D and K are the initials of dáma and král, A is the ace as Czech packs
// print it, and the jack (kluk) takes the J of the packs Czech players know, K being taken.
constexpr std::array<std::string_view, 8> kRankMarks = {"7", "8", "9", "10", "J", "D", "K", "A"};

// Draws the text with its ink fitted to `box`: as tall as the box, and as wide as the
// glyphs' own shape allows, narrowed only when that would not fit ("10" in the strip);
// centred across. A narrowed mark gets an outline in its own colour that gives its
// upright strokes back some of the weight the narrowing took.
void DrawFittedText(QPainter& painter, const QFont& font, std::string_view text, const QRectF& box) {
    QPainterPath path;
    path.addText(0, 0, font, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    const QRectF ink = path.boundingRect();
    const auto narrowing = [&](const QRectF& into) {
        return std::min(1.0, into.width() / ink.width() / (into.height() / ink.height()));
    };
    const double outline = std::min(1.2, 2.0 * (1.0 - narrowing(box)));
    // The outline straddles the ink's edge, so the ink is fitted to a box smaller by it.
    const QRectF into =
        outline > 0.1 ? box.adjusted(outline / 2, outline / 2, -outline / 2, -outline / 2) : box;
    const double tall = into.height() / ink.height();
    const double wide = tall * narrowing(into);
    QTransform fit;
    fit.translate(into.left() + (into.width() - ink.width() * wide) / 2, into.top());
    fit.scale(wide, tall);
    fit.translate(-ink.left(), -ink.top());
    painter.save();
    painter.setPen(outline > 0.1 ? QPen(painter.brush().color(), outline) : QPen(Qt::NoPen));
    painter.drawPath(fit.map(path));
    painter.restore();
}

// The box centred in `outer` whose width and height keep `aspect` (width / height).
QRectF CentredBox(const QRectF& outer, double aspect) {
    double width = outer.width();
    double height = width / aspect;
    if (height > outer.height()) {
        height = outer.height();
        width = height * aspect;
    }
    return {outer.center().x() - width / 2, outer.center().y() - height / 2, width, height};
}

// Suit symbols are a little narrower than tall, as on printed cards.
constexpr double kSuitAspect = 0.86;

}  // namespace

std::string RankMark(std::uint8_t rank) {
    return rank < kRankMarks.size() ? std::string(kRankMarks[rank]) : std::string();
}

Suit SuitOfCard(rules::CardId card) {
    return static_cast<Suit>(rules::SuitOf(card));
}

QColor SuitColour(Suit suit) {
    // Black, dark green, red and orange: apart in hue and in lightness alike, so that
    // they are told apart also by players who see colours weakly.
    switch (suit) {
        case Suit::Hearts:
            return QColor(0xD0, 0x00, 0x18);
        case Suit::Diamonds:
            return QColor(0xE0, 0x68, 0x00);
        case Suit::Spades:
            return QColor(0x00, 0x00, 0x00);
        case Suit::Clubs:
            return QColor(0x00, 0x4D, 0x1A);
    }
    return Qt::black;
}

std::optional<QFont> LoadMarkFont(const QString& fontFile, QString& error) {
    const int id = QFontDatabase::addApplicationFont(fontFile);
    const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        error = QStringLiteral(
                    "cannot read the font %1 (the DejaVu fonts are in the Debian package "
                    "fonts-dejavu-core)")
                    .arg(fontFile);
        return std::nullopt;
    }
    QFont font(families.front());
    font.setBold(true);
    font.setPixelSize(200);  // only the outline is used, scaled to each mark's box
    return font;
}

CardPainter::CardPainter(QFont markFont) : font_(std::move(markFont)) {}

QImage CardPainter::Face(rules::CardId card) const {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(kTransparentColour);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    // The outline is drawn without smoothing: a pixel is either card or key colour,
    // never a blend the table would show as a pink fringe.
    painter.setBrush(QColor(kEdge));
    painter.drawRoundedRect(QRectF(0, 0, kCardWidth, kCardHeight), kCornerRadius, kCornerRadius);
    painter.setBrush(QColor(kPaper));
    painter.drawRoundedRect(QRectF(2, 2, kCardWidth - 4, kCardHeight - 4), kCornerRadius - 2,
                            kCornerRadius - 2);

    painter.setRenderHint(QPainter::Antialiasing);
    const std::string mark = RankMark(rules::RankOf(card));
    const Suit suit = SuitOfCard(card);
    painter.setBrush(SuitColour(suit));

    // The strip: rank on top, suit under it, both as wide as the strip allows.
    DrawFittedText(painter, font_, mark, QRectF(2.5, 4, kStripWidth - 3.5, 25));
    painter.drawPath(SuitShape(suit, CentredBox(QRectF(2.5, 33, kStripWidth - 3.5, 20), kSuitAspect)));

    // The middle, for the pile and the last card of a hand: a big suit and a big rank.
    const QRectF face(kStripWidth + 2, 8, kCardWidth - kStripWidth - 7, kCardHeight - 16);
    painter.drawPath(
        SuitShape(suit, CentredBox(QRectF(face.left(), face.top(), face.width(), 46), kSuitAspect)));
    DrawFittedText(painter, font_, mark, QRectF(face.left(), face.top() + 54, face.width(), 31));
    return image;
}

QImage CardPainter::Back() const {
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kEdge));
    painter.drawRect(0, 0, kCardWidth, kCardHeight);
    painter.setBrush(QColor(kPaper));
    painter.drawRect(2, 2, kCardWidth - 4, kCardHeight - 4);
    const QRectF field(5, 5, kCardWidth - 10, kCardHeight - 10);
    painter.setBrush(QColor(kBackInk));
    painter.drawRect(field);
    // A coarse lattice: dark and even, nothing like the white faces.
    painter.setClipRect(field);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(kBackLine), 2));
    for (int offset = -kCardHeight; offset < kCardWidth + kCardHeight; offset += 12) {
        painter.drawLine(QPointF(offset, 0), QPointF(offset + kCardHeight, kCardHeight));
        painter.drawLine(QPointF(offset, kCardHeight), QPointF(offset + kCardHeight, 0));
    }
    return image;
}

QImage CardPainter::SuitSymbol(Suit suit) const {
    QImage image(kSuitWidth, kSuitHeight, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setPen(QPen(QColor(kEdge), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, kSuitWidth - 1, kSuitHeight - 1);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(SuitColour(suit));
    painter.drawPath(
        SuitShape(suit, CentredBox(QRectF(1.5, 2, kSuitWidth - 3, kSuitHeight - 4), kSuitAspect)));
    return image;
}

std::vector<NamedPicture> CardPainter::AllPictures() const {
    std::vector<NamedPicture> pictures;
    // The files count from 1: card1.bmp is card 0.
    for (rules::CardId card = 0; card < rules::kCards; ++card) {
        pictures.push_back({QStringLiteral("card%1.bmp").arg(card + 1), Face(card)});
    }
    pictures.push_back({QStringLiteral("emp.bmp"), Back()});
    for (int suit = 0; suit < 4; ++suit) {
        pictures.push_back({QStringLiteral("col%1.bmp").arg(suit + 1), SuitSymbol(static_cast<Suit>(suit))});
    }
    return pictures;
}

bool WritePictures(const std::vector<NamedPicture>& pictures, const QString& folder, QString& error) {
    const QDir dir(folder);
    for (const auto& picture : pictures) {
        const QString path = dir.filePath(picture.fileName);
        // RGB888 has no alpha, so the file is a plain 24-bit BMP.
        if (!picture.image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
            error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}

}  // namespace tarvel::pictures
