// The table of best results: its lines in a fixed-pitch text a screen reader reads
// line by line, and the write, continue and close buttons the situation offers. It
// only shows; the window decides what a button does.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

#include "session/scores/score_keeper.h"
#include "common/string_table.h"

namespace tarvel {

class ScoreTableDialog final : public QDialog {
    Q_OBJECT

  public:
    ScoreTableDialog(const Localizer& texts, QWidget* parent);

    // The write button asks for a name and writes; it returns the new view, or nothing
    // when nothing was written (the dialog then stays as it was).
    std::function<std::optional<ScoreTableView>()> onWrite;

    // Shows the view modally, the text box holding the focus.
    void ShowModally(const ScoreTableView& view);
    void SetView(const ScoreTableView& view);

  private:
    QPlainTextEdit* tableText_ = nullptr;
    QPushButton* writetabbutton_ = nullptr;
    QPushButton* continuegamebutton_ = nullptr;
    QPushButton* closebitbtn_ = nullptr;
};

}  // namespace tarvel
