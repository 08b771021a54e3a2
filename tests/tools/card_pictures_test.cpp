// The card pictures as the set-up writes them: the 37 files, their BMP headers and
// sizes, the transparent colour only outside the rounded corners, and marks that tell
// every card apart in the strip a hand leaves in view.
#include "tools/card_pictures/card_pictures.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace tarvel::pictures {
namespace {

struct Bmp {
    std::vector<std::uint8_t> bytes;

    std::uint32_t U32(std::size_t at) const {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
               static_cast<std::uint32_t>(bytes[at + 3]) << 24;
    }
    std::uint16_t U16(std::size_t at) const {
        return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
    }
    std::int32_t Width() const { return static_cast<std::int32_t>(U32(18)); }
    std::int32_t Height() const { return static_cast<std::int32_t>(U32(22)); }
};

Bmp ReadBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {})};
}

// Rows of the strip that hold the rank mark and the suit mark.
constexpr int kRankTop = 3, kRankBottom = 30;
constexpr int kSuitTop = 31, kSuitBottom = 55;

bool IsInk(QRgb pixel) {
    return qGray(pixel) < 200;
}

// The share of ink in a pixel (0 paper … 1 ink) as the smoothing blended it, measured on
// the channel where ink and paper differ most, so that it does not depend on the colour.
double Coverage(QRgb pixel, QRgb ink) {
    const std::array<int, 3> inkChannels{qRed(ink), qGreen(ink), qBlue(ink)};
    const std::array<int, 3> channels{qRed(pixel), qGreen(pixel), qBlue(pixel)};
    int best = 0;
    for (int c = 1; c < 3; ++c) {
        if (inkChannels[c] < inkChannels[best]) best = c;
    }
    return (255.0 - channels[best]) / (255.0 - inkChannels[best]);
}

// Which pixels of a band of the strip (inside the card's edge) are mostly ink.
std::vector<bool> InkMask(const QImage& card, QRgb ink, int top, int bottom) {
    std::vector<bool> mask;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 2; x < kStripWidth; ++x) mask.push_back(Coverage(card.pixel(x, y), ink) > 0.5);
    }
    return mask;
}

int Differences(const std::vector<bool>& a, const std::vector<bool>& b) {
    int count = 0;
    for (std::size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
    return count;
}

// Rows of a band of the strip that carry any ink.
int InkHeight(const QImage& card, int top, int bottom) {
    int first = -1, last = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 2; x < kStripWidth; ++x) {
            if (IsInk(card.pixel(x, y))) {
                if (first < 0) first = y;
                last = y;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The most frequent colour that is neither paper nor the edge: the suit's ink.
QRgb InkColour(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
            if (pixel != 0xFFFFFF && pixel != 0x202020 && pixel != kTransparentColour) ++counts[pixel];
        }
    }
    QRgb best = 0;
    int most = 0;
    for (const auto& [colour, count] : counts) {
        if (count > most) best = colour, most = count;
    }
    return best;
}

// CIE lightness L* (0 black … 100 white) of an sRGB colour.
double Lightness(QRgb colour) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double y =
        0.2126 * linear(qRed(colour)) + 0.7152 * linear(qGreen(colour)) + 0.0722 * linear(qBlue(colour));
    return y > 216.0 / 24389 ? 116 * std::cbrt(y) - 16 : y * 24389.0 / 27;
}

// A blend of the key colour with the card would show on the table as a pink fringe.
bool NearKeyColour(QRgb pixel) {
    return std::min(qRed(pixel), qBlue(pixel)) - qGreen(pixel) > 96;
}

class CardPictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "card_pictures_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
        folder_ = new QTemporaryDir();
        // Fontconfig, which the program's Qt loads, keeps a cache it never frees; in the
        // sanitizer build the leak checker is told to look past it.
        const QString suppressions = folder_->filePath("lsan.txt");
        QFile file(suppressions);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("leak:libfontconfig.so\n");
        file.close();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LSAN_OPTIONS", "suppressions=" + suppressions);
        program.setProcessEnvironment(environment);
        program.start(TARVEL_CARD_PICTURES_PATH, {folder_->path()});
        ASSERT_TRUE(program.waitForFinished(60000));
        ASSERT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        QFile::remove(suppressions);
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    static std::string PathOf(const QString& name) { return folder_->filePath(name).toStdString(); }
    static QString CardFile(int picture) { return QStringLiteral("card%1.bmp").arg(picture); }
    static QImage Load(const QString& name) {
        return QImage(folder_->filePath(name)).convertToFormat(QImage::Format_RGB32);
    }

    static QTemporaryDir* folder_;
};

QTemporaryDir* CardPictures::folder_ = nullptr;

struct ExpectedFile {
    QString name;
    int width;
    int height;
};

std::vector<ExpectedFile> ExpectedFiles() {
    std::vector<ExpectedFile> files;
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        files.push_back({QStringLiteral("card%1.bmp").arg(picture), 67, 103});
    }
    files.push_back({QStringLiteral("emp.bmp"), 67, 103});
    for (int suit = 1; suit <= 4; ++suit) files.push_back({QStringLiteral("col%1.bmp").arg(suit), 20, 31});
    return files;
}

TEST_F(CardPictures, TheFolderHoldsExactlyTheThirtySevenPictures) {
    QStringList expected;
    for (const auto& file : ExpectedFiles()) expected << file.name;
    QStringList made = QDir(folder_->path()).entryList(QDir::Files);
    expected.sort();
    made.sort();
    EXPECT_EQ(made, expected);
}

TEST_F(CardPictures, EveryFileIsAnUncompressed24BitBmpOfItsSize) {
    for (const auto& file : ExpectedFiles()) {
        SCOPED_TRACE(file.name.toStdString());
        const Bmp bmp = ReadBmp(PathOf(file.name));
        ASSERT_GE(bmp.bytes.size(), 54u);
        EXPECT_EQ(bmp.bytes[0], 'B');
        EXPECT_EQ(bmp.bytes[1], 'M');
        EXPECT_EQ(bmp.U32(2), bmp.bytes.size());
        EXPECT_EQ(bmp.U32(14), 40u);  // the plain Windows header every reader knows
        EXPECT_EQ(bmp.Width(), file.width);
        EXPECT_EQ(std::abs(bmp.Height()), file.height);
        EXPECT_EQ(bmp.U16(26), 1);   // planes
        EXPECT_EQ(bmp.U16(28), 24);  // bits per pixel
        EXPECT_EQ(bmp.U32(30), 0u);  // no compression
        const std::size_t rowBytes = (file.width * 3 + 3) / 4 * 4;
        EXPECT_GE(bmp.bytes.size(), bmp.U32(10) + rowBytes * file.height);
        // The client loads the pictures with Qt.
        EXPECT_EQ(QImage(folder_->filePath(file.name)).size(), QSize(file.width, file.height));
    }
}

TEST_F(CardPictures, TheTransparentColourLiesOnlyOutsideTheRoundedCorners) {
    constexpr double r = kCornerRadius;
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        SCOPED_TRACE(picture);
        const QImage card = Load(CardFile(picture));
        for (int y = 0; y < kCardHeight; ++y) {
            for (int x = 0; x < kCardWidth; ++x) {
                const QRgb pixel = card.pixel(x, y) & 0xFFFFFF;
                // Distance from the centre of the nearest corner's arc, or 0 away from the corners.
                const double dx = x < r                 ? r - (x + 0.5)
                                  : x >= kCardWidth - r ? x + 0.5 - (kCardWidth - r)
                                                        : 0;
                const double dy = y < r                  ? r - (y + 0.5)
                                  : y >= kCardHeight - r ? y + 0.5 - (kCardHeight - r)
                                                         : 0;
                const bool clearlyOutside = dx > 0 && dy > 0 && std::hypot(dx, dy) > r + 0.75;
                const bool clearlyInside = std::hypot(dx, dy) < r - 0.75;
                if (pixel == kTransparentColour) {
                    ASSERT_FALSE(clearlyInside) << "key colour inside the card at " << x << "," << y;
                } else {
                    ASSERT_FALSE(clearlyOutside) << "no key colour outside the card at " << x << "," << y;
                    ASSERT_FALSE(NearKeyColour(pixel)) << "a blend with the key colour at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(CardPictures, TheBackAndTheSuitSymbolsAreOpaque) {
    for (const QString name : {"emp.bmp", "col1.bmp", "col2.bmp", "col3.bmp", "col4.bmp"}) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = Load(name);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) ASSERT_FALSE(NearKeyColour(image.pixel(x, y)));
        }
    }
}

TEST_F(CardPictures, TheStripsOfAnyTwoCardsDiffer) {
    std::vector<QImage> strips;
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        strips.push_back(Load(CardFile(picture)).copy(0, 0, kStripWidth, kCardHeight));
    }
    for (int a = 0; a < rules::kCards; ++a) {
        for (int b = a + 1; b < rules::kCards; ++b) EXPECT_NE(strips[a], strips[b]) << a + 1 << " and " << b + 1;
    }
}

// Picture = 4 × rank + suit + 1: cards of one rank share the shape of the rank mark and
// no other card has it; the same holds for the suit mark. So a card is told by shape
// alone, and the order of the files follows the card table. (Shapes of one mark in two
// colours may differ in a pixel or two where the smoothing rounds.)
TEST_F(CardPictures, RankAndSuitMarksFollowThePictureOrderByShape) {
    std::vector<std::vector<bool>> ranks, suits;
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        const QImage card = Load(CardFile(picture));
        const QRgb ink = InkColour(card);
        ranks.push_back(InkMask(card, ink, kRankTop, kRankBottom));
        suits.push_back(InkMask(card, ink, kSuitTop, kSuitBottom));
    }
    const auto same = [](const std::vector<bool>& a, const std::vector<bool>& b) {
        return Differences(a, b) <= 3;
    };
    const auto apart = [](const std::vector<bool>& a, const std::vector<bool>& b) {
        return Differences(a, b) >= 12;
    };
    for (int a = 0; a < rules::kCards; ++a) {
        for (int b = a + 1; b < rules::kCards; ++b) {
            const auto pair = std::to_string(a + 1) + " and " + std::to_string(b + 1);
            if (a / 4 == b / 4) {
                EXPECT_TRUE(same(ranks[a], ranks[b])) << "rank marks of " << pair;
            } else {
                EXPECT_TRUE(apart(ranks[a], ranks[b])) << "rank marks of " << pair;
            }
            if (a % 4 == b % 4) {
                EXPECT_TRUE(same(suits[a], suits[b])) << "suit marks of " << pair;
            } else {
                EXPECT_TRUE(apart(suits[a], suits[b])) << "suit marks of " << pair;
            }
        }
    }
}

TEST_F(CardPictures, TheMarksInTheStripAreLarge) {
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        SCOPED_TRACE(picture);
        const QImage card = Load(CardFile(picture));
        EXPECT_GE(InkHeight(card, kRankTop, kRankBottom), 24);
        EXPECT_GE(InkHeight(card, kSuitTop, kSuitBottom), 17);
    }
}

// Hearts red, diamonds orange, spades black, clubs green: each face in the colour of its
// suit symbol, and the four far apart in lightness too.
TEST_F(CardPictures, SuitsDifferInColourAndLightness) {
    std::array<QRgb, 4> inks{};
    for (int suit = 0; suit < 4; ++suit)
        inks[suit] = InkColour(Load(QStringLiteral("col%1.bmp").arg(suit + 1)));
    EXPECT_GT(qRed(inks[0]), qGreen(inks[0]) + 120);
    EXPECT_GT(qRed(inks[1]), qGreen(inks[1]) + 40);
    EXPECT_GT(qGreen(inks[1]), qBlue(inks[1]) + 60);
    EXPECT_LT(Lightness(inks[2]), 10);
    EXPECT_GT(qGreen(inks[3]), qRed(inks[3]) + 40);
    for (int a = 0; a < 4; ++a) {
        for (int b = a + 1; b < 4; ++b) {
            EXPECT_GE(std::abs(Lightness(inks[a]) - Lightness(inks[b])), 12)
                << "suits " << a + 1 << ", " << b + 1;
        }
    }
    for (int picture = 1; picture <= rules::kCards; ++picture) {
        EXPECT_EQ(InkColour(Load(CardFile(picture))), inks[(picture - 1) % 4]) << "card " << picture;
    }
}

}  // namespace
}  // namespace tarvel::pictures
