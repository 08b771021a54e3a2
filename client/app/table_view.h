// The card table. What happens in the game is drawn step by step: every drawing
// operation paints at its fixed place into the table's image, later pictures covering
// earlier ones, and the widget shows that image; the selection marker is drawn over it
// where the selection stands. The pointer's resting and clicks are handed to the
// window, which runs them past the engine gate.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "engine/game_options.h"
#include "engine/game_state.h"
#include "client/app/picture_store.h"
#include "session/command.h"
#include "client/table/table_pointer.h"
#include "engine/game_event.h"

namespace tarvel {

class TableView final : public QWidget {
    Q_OBJECT

  public:
    TableView(const PictureStore& pictures, QWidget* parent);

    // The state it draws and the pointer's memory of what it named; set once, before
    // the first operation.
    void Attach(const GameState& state, const GameOptions& options, PointerHover& hover);

    // What the window does with the table's input.
    // The keys of the table: Up asks for the pile card, Down for the opponent's count.
    std::function<void(session::Command)> onKey;
    // Escape on the table, which itself gives it no meaning: true when it was taken.
    std::function<bool()> onEscape;
    std::function<void(int x, int y)> onClick;
    std::function<void()> onPointerRest;

    const QImage& Image() const { return image_; }
    // How many screen pixels one pixel of the table takes: the table fills the window,
    // its proportions kept, for eyes that need it large. A whole factor, drawn sharp,
    // wherever one comes close to filling it; otherwise any factor, smoothly scaled.
    double Scale() const { return scale_; }
    // The message line lies on the table at its fixed place, growing with the table.
    void PlaceMessageLine(QWidget* line, QPoint place, int fontPixels);
    bool MarkerVisible() const { return markerVisible_; }
    // The table as the player sees it, marker and selection included.
    QImage Snapshot();
    // A message from the opponent, printed at the chat place in the table's font and
    // colours over whatever an earlier one left there; a long line wraps within the
    // place. A screen reader hears `announcement` (none when it is empty): the table's
    // accessible name becomes it, until the window next names the table.
    void PrintChatLine(const QString& line, const QString& announcement);

    // Draws what happened on the table.
    void Show(const GameEvent& event);
    // The whole table again, as after it was covered.
    void Redraw();

    // The drawing operations at their fixed places.
    void ClearTable();
    void RedrawTable();
    void DrawPlayerHand();
    void DrawOpponentHand();
    void DrawPile();
    void DrawStock();
    void DrawPlayerCardAt(std::size_t position);
    void DrawOpponentBackAt(std::size_t position);
    void BlankPlayerCardAt(std::size_t position);
    void BlankOpponentCardAt(std::size_t position);
    void DrawSuitChoice();
    void EraseSuitChoice();
    void DrawRequestedSuit();
    void EraseRequestedSuit();
    // Shows the marker where the selection stands, moving the pointer there too if asked
    // (and the player wants the pointer to follow).
    void PlaceMarker(bool movePointer);
    void ShowMarker(bool visible);
    void MovePointer(int x, int y);
    void PointAtPile();
    void ResetHover();
    // The marker's place: over the selected suit during a suit choice, else over the
    // selected card (the first place with no card selected).
    QPoint MarkerPlace() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void Paint(int x, int y, const QImage& picture);
    // Repaints an area given in the table's pixels.
    void UpdateTableArea(const QRect& area);
    const QImage& PictureOfCard(std::size_t position) const;
    void PointerMovedTo(QPoint position);
    QPoint TablePoint(QPointF widgetPosition) const;
    // A rectangle of the table's pixels as the widget's pixels that show it.
    QRect WidgetArea(const QRectF& tableArea) const;
    void PlaceMessageLine();

    const PictureStore& pictures_;
    const GameState* state_ = nullptr;
    const GameOptions* options_ = nullptr;
    PointerHover* hover_ = nullptr;
    QImage image_;
    QColor background_;
    bool markerVisible_ = false;
    double scale_ = 1.0;
    QWidget* messageLine_ = nullptr;
    QPoint messageLinePlace_;
    int messageLineFont_ = 0;
    QTimer restTimer_;  // the pointer resting in an area for half a second
};

}  // namespace tarvel
