// The opponent's message printed on the table: only the chat place changes, a shorter
// message leaves nothing of a longer one, and a screen reader is told the message.
#include <QImage>
#include <memory>

#include "tests/dialogs/dialog_test_support.h"
#include "client/app/picture_store.h"
#include "client/app/table_view.h"

namespace tarvel {
namespace {

constexpr QPoint kChatPlace(650, 100);

class TableChatLineTest : public testing::DialogTest {
  protected:
    std::unique_ptr<TableView> NewTable() {
        auto table = std::make_unique<TableView>(pictures_, nullptr);
        table->resize(720, 390);
        return table;
    }
    // Whether the two images differ anywhere outside the place, and inside it.
    static std::pair<bool, bool> Differences(const QImage& a, const QImage& b, const QRect& place) {
        bool outside = false;
        bool inside = false;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) == b.pixel(x, y)) continue;
                (place.contains(x, y) ? inside : outside) = true;
            }
        }
        return {outside, inside};
    }

    PictureStore pictures_{QStringLiteral("no such folder"), QColor(Qt::lightGray)};
};

TEST_F(TableChatLineTest, OnlyTheChatPlaceChanges) {
    auto table = NewTable();
    const QImage before = table->Image();
    table->PrintChatLine(QStringLiteral("ahoj, jak se máš?"), {});
    const QImage after = table->Image();
    const QRect place(kChatPlace, QPoint(after.width() - 1, 229));
    EXPECT_EQ(Differences(before, after, place), std::pair(false, true));
}

TEST_F(TableChatLineTest, AShorterMessageLeavesNothingOfALongerOne) {
    auto table = NewTable();
    table->PrintChatLine(QString(70, QLatin1Char('W')), {});
    table->PrintChatLine(QStringLiteral("ok") + QString(68, QLatin1Char(' ')), {});
    auto fresh = NewTable();
    fresh->PrintChatLine(QStringLiteral("ok") + QString(68, QLatin1Char(' ')), {});
    EXPECT_EQ(table->Image(), fresh->Image());
}

TEST_F(TableChatLineTest, AScreenReaderIsToldTheMessage) {
    auto table = NewTable();
    table->setAccessibleName(QStringLiteral("Stůl"));
    table->PrintChatLine(QStringLiteral("ahoj"), QStringLiteral("Zpráva soupeře: ahoj"));
    EXPECT_EQ(testing::AccessibleName(table.get()), "Zpráva soupeře: ahoj");
    table->PrintChatLine(QStringLiteral("tiše"), {});
    EXPECT_EQ(testing::AccessibleName(table.get()), "Zpráva soupeře: ahoj");
}

}  // namespace
}  // namespace tarvel
