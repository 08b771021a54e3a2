// The table of best results as the main window uses it. It holds the pending result
// of the game just ended and the place it reached, reads and writes the file, and
// plays the fanfare; it shows nothing. Each operation gives the table dialog its
// lines and buttons, or the window an error for a message box, or neither.
//
// The window's part, without a rule of its own:
//   the table menu item: ShowTable
//   ScoreTableStep:     ScoreTableStep(options.usetable, engine.Standing(), CurrentMoment(), ...)
//   write button, OK:   WritePendingResult(name), then engine.FinishMatchAfterThisGame()
//   Shift+F7:           SayTableScore (table_score_speech.h)
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/scores/score_file.h"
#include "session/scores/score_table.h"
#include "session/scores/score_table_buttons.h"
#include "engine/speech_port.h"
#include "common/string_table.h"

namespace tarvel {

// What the table dialog shows.
struct ScoreTableView {
    std::vector<std::string> lines;
    ScoreTableButtons buttons;

    // The lines as one text for the text box, "\n" between them.
    std::string Text() const;
};

// A view to show, or an error to report (the operation was abandoned and no file
// changed), or neither: the dialog is not shown.
struct ScoreTableOutcome {
    std::optional<ScoreTableView> view;
    std::optional<ScoreFileError> error;
};

class ScoreKeeper {
  public:
    explicit ScoreKeeper(std::filesystem::path file = std::filesystem::path(kScoreFileName));

    const std::filesystem::path& File() const { return file_; }
    const ScoreEntry& Pending() const { return pending_; }
    // 1..10 after a result reached a place; 0 when none did or it has been written.
    int FoundPlace() const { return place_; }

    // The table to look at, with only the close button.
    ScoreTableOutcome ShowTable(const Localizer& texts) const;

    // The end of a game. Nothing with the table not in use. Otherwise the pending
    // result becomes the match's score at `moment` (its name stays as it was); when
    // it reaches a place, the fanfare plays and the view is the table with the line
    // that names the place, and the buttons for the state of the match. No view and
    // no error when it reaches none.
    ScoreTableOutcome ScoreTableStep(bool useTable, const MatchStanding& standing, double moment,
                                     SpeechPort& speech, const Localizer& texts);

    // The write button, once the name dialog gave a name: the pending result goes
    // into the table under that name and the file is rewritten. The file is read
    // again first, so that a result another client wrote in the meantime is kept;
    // the place is found again among what it holds now (should the result reach none
    // any more, nothing is written). The view is the new table with only the close
    // button. On an error nothing was written and the dialog
    // should stay as it was, write button and all.
    ScoreTableOutcome WritePendingResult(std::string_view name, const Localizer& texts);

  private:
    std::filesystem::path file_;
    ScoreEntry pending_;
    int place_ = 0;
};

}  // namespace tarvel
