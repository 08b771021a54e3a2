#include "client/app/table_view.h"

#include <QAccessible>
#include <QCursor>
#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <QTextOption>

#include "client/table/table_layout.h"

namespace tarvel {
namespace {

constexpr int kRestMilliseconds = 500;
// The table's image is at least this large; it grows with the window.
constexpr QSize kSmallestTable(720, 360);
// What the layout uses, the message line included: the table is shown enlarged by the
// factor that makes this fill the window.
constexpr QSize kUsedTable(720, 390);
// A whole factor that gives up less than this share of the window's width or height is
// taken instead of the exact one: every pixel of a card then stays sharp, which counts
// for more than a few pixels of size.
constexpr double kWholeFactorSlack = 0.12;

// The factor for a table of `size` widget pixels: never below 1, where the table is
// shown as drawn and a smaller window shows part of it.
double ScaleFor(QSize size) {
    const double fit = std::min(static_cast<double>(size.width()) / kUsedTable.width(),
                                static_cast<double>(size.height()) / kUsedTable.height());
    if (fit <= 1.0) return 1.0;
    const double whole = std::floor(fit);
    return (fit - whole) / fit < kWholeFactorSlack ? whole : fit;
}
// The selection marker: a small mark just above the selected card or suit.
constexpr QSize kMarkerSize(6, 5);
// The opponent's messages are printed from here to the table's right edge, down to
// just above the player's cards.
constexpr QPoint kChatLine(650, 100);
constexpr int kChatLineBottom = layout::kPlayerRowY - 1;

}  // namespace

TableView::TableView(const PictureStore& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures), background_(palette().color(QPalette::Button)) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(kSmallestTable, QImage::Format_ARGB32);
    image_.fill(background_);
    restTimer_.setSingleShot(true);
    restTimer_.setInterval(kRestMilliseconds);
    connect(&restTimer_, &QTimer::timeout, this, [this] {
        if (onPointerRest) onPointerRest();
    });
}

void TableView::Attach(const GameState& state, const GameOptions& options, PointerHover& hover) {
    state_ = &state;
    options_ = &options;
    hover_ = &hover;
}

void TableView::Paint(int x, int y, const QImage& picture) {
    QPainter painter(&image_);
    painter.drawImage(x, y, picture);
    UpdateTableArea(QRect(QPoint(x, y), picture.size()));
}

void TableView::UpdateTableArea(const QRect& area) {
    update(WidgetArea(area));
}

QRect TableView::WidgetArea(const QRectF& tableArea) const {
    // One pixel more on each side: smooth scaling blends a pixel into its neighbours.
    const QRectF shown(tableArea.topLeft() * scale_, tableArea.size() * scale_);
    return shown.toAlignedRect().adjusted(-1, -1, 1, 1);
}

void TableView::PrintChatLine(const QString& line, const QString& announcement) {
    const QRect place(kChatLine, QPoint(image_.width() - 1, kChatLineBottom));
    {
        QPainter painter(&image_);
        // The whole place, not only the new line's letters: blanks are narrower than
        // letters in the table's font, so they alone would leave a longer message's end.
        painter.fillRect(place, background_);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::ButtonText));
        QTextOption wrapping;
        wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter.drawText(QRectF(place), line, wrapping);
    }
    UpdateTableArea(place);
    if (announcement.isEmpty()) return;
    setAccessibleName(announcement);
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
}

const QImage& TableView::PictureOfCard(std::size_t position) const {
    return pictures_.Face(state_->playerHand[position - 1]);
}

void TableView::ClearTable() {
    image_.fill(background_);
    update();
}

void TableView::RedrawTable() {
    DrawPlayerHand();
    DrawOpponentHand();
    PlaceMarker(true);
    DrawPile();
    DrawStock();
}

void TableView::DrawPlayerHand() {
    const std::size_t count = state_->playerHand.size();
    if (count == 0) return;
    for (std::size_t i = 1; i <= count; ++i) {
        Paint(layout::kCardStep * static_cast<int>(i), layout::kPlayerRowY, PictureOfCard(i));
    }
    // The blank covers what a longer hand left right of the last card.
    const int right = layout::kCardStep * static_cast<int>(count) + PictureOfCard(count).width();
    Paint(right, layout::kPlayerRowY, pictures_.CardBlank());
}

void TableView::DrawOpponentHand() {
    const int count = static_cast<int>(state_->opponentCount);
    for (int i = 1; i <= count; ++i) Paint(layout::kCardStep * i, layout::kOpponentRowY, pictures_.Back());
    Paint(layout::kCardStep * count + layout::kOpponentBlankOffset, layout::kOpponentRowY, pictures_.CardBlank());
}

void TableView::DrawPile() {
    const rules::CardId top = state_->game.Top();
    if (top == rules::kNoCard) return;
    Paint(layout::kPile.x, layout::kPile.y, pictures_.Face(top));
}

void TableView::DrawStock() {
    Paint(layout::kStock.x, layout::kStock.y, pictures_.Back());
}

void TableView::DrawPlayerCardAt(std::size_t position) {
    if (position < 1 || position > state_->playerHand.size()) return;
    Paint(layout::kCardStep * static_cast<int>(position), layout::kPlayerRowY, PictureOfCard(position));
}

void TableView::DrawOpponentBackAt(std::size_t position) {
    Paint(layout::kCardStep * static_cast<int>(position), layout::kOpponentRowY, pictures_.Back());
}

void TableView::BlankPlayerCardAt(std::size_t position) {
    Paint(layout::kCardStep * static_cast<int>(position), layout::kPlayerRowY, pictures_.CardBlank());
}

void TableView::BlankOpponentCardAt(std::size_t position) {
    Paint(layout::kCardStep * static_cast<int>(position), layout::kOpponentRowY, pictures_.CardBlank());
}

void TableView::DrawSuitChoice() {
    for (std::uint8_t suit = 0; suit < 4; ++suit) {
        Paint(layout::kSuitRowLeft + layout::kSuitSymbolStep * suit, layout::kSuitRowY, pictures_.Suit(suit));
    }
}

void TableView::EraseSuitChoice() {
    for (int suit = 0; suit < 4; ++suit) {
        Paint(layout::kSuitRowLeft + layout::kSuitSymbolStep * suit, layout::kSuitRowY, pictures_.SuitBlank());
    }
}

void TableView::DrawRequestedSuit() {
    if (!state_->RequestedSuitShown()) return;
    Paint(layout::kRequestedSuit.x, layout::kRequestedSuit.y, pictures_.Suit(state_->game.namedSuit));
}

void TableView::EraseRequestedSuit() {
    Paint(layout::kRequestedSuit.x, layout::kRequestedSuit.y, pictures_.SuitBlank());
}

QPoint TableView::MarkerPlace() const {
    if (state_->SuitChoiceActive()) return {layout::SuitMarkerX(state_->selectedSuit), layout::kSuitMarkerY};
    return {layout::HandMarkerX(std::max<std::size_t>(state_->selected, 1)), layout::kHandMarkerY};
}

void TableView::PlaceMarker(bool movePointer) {
    if (options_->movemouse) {
        // The pointer about to land on the selection must not name it a second time.
        if (options_->saycardsundermouse) hover_->FollowSelection();
        const QPoint marker = MarkerPlace();
        if (movePointer) MovePointer(marker.x(), marker.y() + layout::kPointerBelowMarker);
    }
    markerVisible_ = true;
    update();
}

void TableView::ShowMarker(bool visible) {
    markerVisible_ = visible;
    update();
}

void TableView::MovePointer(int x, int y) {
    // The table's place on the screen, wherever the window is and however large.
    // The first widget pixel inside the table's pixel, so that TablePoint gives it back.
    const QPoint shown(static_cast<int>(std::ceil(x * scale_)), static_cast<int>(std::ceil(y * scale_)));
    QCursor::setPos(mapToGlobal(shown));
}

void TableView::PointAtPile() {
    if (options_->saycardsundermouse) hover_->SetPileSpoken();
    if (options_->movemouse) MovePointer(layout::kPilePointer.x, layout::kPilePointer.y);
}

void TableView::ResetHover() {
    restTimer_.stop();
    hover_->Forget();
}

void TableView::Show(const GameEvent& event) {
    switch (event.kind) {
        case GameEventKind::TableCleared:
            ClearTable();
            break;
        case GameEventKind::Dealt:
            ShowMarker(true);
            RedrawTable();
            break;
        case GameEventKind::TurnBegins:
            if (options_->saycardsundermouse) ResetHover();
            PlaceMarker(true);
            PointAtPile();
            break;
        case GameEventKind::SelectionMoved:
            PlaceMarker(event.byKeys);
            break;
        case GameEventKind::NamedSuitCovered:
            EraseRequestedSuit();
            break;
        case GameEventKind::PlayerLaid:
            if (state_->playerHand.empty()) {
                BlankPlayerCardAt(1);
            } else {
                DrawPlayerHand();
            }
            DrawPile();
            break;
        case GameEventKind::OpponentLaid:
            DrawPile();
            BlankOpponentCardAt(event.position);
            if (state_->opponentCount > 0) DrawOpponentHand();
            break;
        case GameEventKind::LookAtPile:
            PointAtPile();
            break;
        case GameEventKind::PlayerDrew:
            DrawPlayerCardAt(event.position);
            // The pointer follows each card drawn that is named.
            if (options_->saypickedcards && options_->movemouse)
                MovePointer(layout::HandMarkerX(event.position), MarkerPlace().y() + layout::kPointerBelowMarker);
            break;
        case GameEventKind::OpponentDrew:
            DrawOpponentBackAt(event.position);
            break;
        case GameEventKind::SuitChoiceOpened:
            DrawSuitChoice();
            ShowMarker(false);
            if (options_->saycardsundermouse) hover_->SetHoverSuit(rules::kHearts);
            PlaceMarker(true);
            break;
        case GameEventKind::SuitChoiceClosed:
            EraseSuitChoice();
            break;
        case GameEventKind::SuitNamed:
            DrawRequestedSuit();
            break;
        case GameEventKind::GameDecided:
            ShowMarker(false);
            break;
        case GameEventKind::GameBegins:
        case GameEventKind::Announced:
        case GameEventKind::ScoreStep:
        case GameEventKind::GameUnderWay:
        case GameEventKind::MatchEnded:
            break;
    }
}

void TableView::Redraw() {
    ClearTable();
    RedrawTable();
    if (state_->SuitChoiceActive()) {
        DrawSuitChoice();
    } else if (state_->RequestedSuitShown()) {
        DrawRequestedSuit();
    }
}

QImage TableView::Snapshot() {
    return grab().toImage();
}

void TableView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), background_);
    const bool whole = scale_ == std::floor(scale_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
    painter.scale(scale_, scale_);
    // The table's pixels under the area to paint, with a margin for the blending.
    const QRectF exact(QPointF(event->rect().topLeft()) / scale_, QSizeF(event->rect().size()) / scale_);
    const QRect area = exact.toAlignedRect().adjusted(-1, -1, 2, 2).intersected(image_.rect());
    painter.drawImage(area.topLeft(), image_, area);
    if (!markerVisible_ || state_ == nullptr) return;
    const QPoint marker = MarkerPlace();
    painter.fillRect(QRect(marker, kMarkerSize), Qt::black);
    // A wide bar over the selected card or suit as well, for eyes that miss the small mark.
    const int width = state_->SuitChoiceActive() ? layout::kSuitSymbolStep : layout::kCardStep;
    painter.fillRect(QRect(marker.x() - layout::kMarkerOffsetX, marker.y() - 3, width, 3), QColor(0, 0, 160));
}

void TableView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scale_ = ScaleFor(size());
    PlaceMessageLine();
    const QSize wanted = (QSizeF(size()) / scale_).toSize().expandedTo(kSmallestTable) + QSize(1, 1);
    if (wanted.width() <= image_.width() && wanted.height() <= image_.height()) return;
    QImage larger(wanted.expandedTo(image_.size()), QImage::Format_ARGB32);
    larger.fill(background_);
    QPainter(&larger).drawImage(0, 0, image_);
    image_ = std::move(larger);
}

void TableView::keyPressEvent(QKeyEvent* event) {
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    std::optional<session::Command> key;
    switch (event->key()) {
        case Qt::Key_Up:
            key = session::Command::SayPileCard;
            break;
        case Qt::Key_Down:
            key = session::Command::SayOpponentCount;
            break;
        case Qt::Key_Left:
            key = shift ? session::Command::SelectFirst : session::Command::SelectPrevious;
            break;
        case Qt::Key_Right:
            key = shift ? session::Command::SelectLast : session::Command::SelectNext;
            break;
        case Qt::Key_Home:
            key = session::Command::SelectFirst;
            break;
        case Qt::Key_End:
            key = session::Command::SelectLast;
            break;
        case Qt::Key_Space:
            key = session::Command::DrawOrStand;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            key = session::Command::Play;
            break;
        case Qt::Key_Escape:
            if (onEscape && onEscape()) {
                event->accept();
                return;
            }
            break;
        default:
            break;
    }
    if (!key) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (onKey) onKey(*key);
    event->accept();
}

void TableView::PointerMovedTo(QPoint position) {
    if (hover_ == nullptr) return;
    const PointerHover::Move move = hover_->MovedTo(position.x(), position.y());
    setCursor(move.handShape ? Qt::PointingHandCursor : Qt::ArrowCursor);
    if (move.startTimer) {
        restTimer_.start();
    } else {
        restTimer_.stop();
    }
}

QPoint TableView::TablePoint(QPointF widgetPosition) const {
    return QPoint(static_cast<int>(std::floor(widgetPosition.x() / scale_)),
                  static_cast<int>(std::floor(widgetPosition.y() / scale_)));
}

void TableView::PlaceMessageLine(QWidget* line, QPoint place, int fontPixels) {
    messageLine_ = line;
    messageLinePlace_ = place;
    messageLineFont_ = fontPixels;
    PlaceMessageLine();
}

void TableView::PlaceMessageLine() {
    if (messageLine_ == nullptr) return;
    QFont font = messageLine_->font();
    font.setPixelSize(static_cast<int>(std::lround(messageLineFont_ * scale_)));
    messageLine_->setFont(font);
    messageLine_->move((QPointF(messageLinePlace_) * scale_).toPoint());
    messageLine_->adjustSize();
    messageLine_->setMinimumWidth(static_cast<int>(std::lround(400 * scale_)));
}

void TableView::mouseMoveEvent(QMouseEvent* event) {
    PointerMovedTo(TablePoint(event->position()));
}

void TableView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || state_ == nullptr || !state_->running) return;
    const QPoint at = TablePoint(event->position());
    const TableArea area = AreaAt(*state_, at.x(), at.y());
    if (area == TableArea::Hand || area == TableArea::Stock || area == TableArea::SuitRow) {
        if (onClick) onClick(at.x(), at.y());
    }
}

void TableView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    PointerMovedTo(QPoint(-1, -1));
}

}  // namespace tarvel
