// A stand-in for the game behind a tab, for the page's tests: a fixed little hand that the
// commands walk through, answered with the kinds of message the real game sends. It knows
// no rule; it only lets the page be driven and watched. It answers in the real game's
// order: the table first, then the words.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "web/messages/server_event.h"
#include "web/server/tab_game.h"

namespace tarvel::web::testing {

class ScriptedGame : public TabGame {
  public:
    explicit ScriptedGame(std::function<void(const QByteArray&)> send);

    void Handle(const PageRequest& request) override;
    std::vector<QByteArray> Snapshot() const override;

    // Every recording the game names, for a test to make.
    static std::vector<std::string> RecordingNames();

  private:
    void Say(std::vector<SpokenPhrase> phrases, const std::string& line);
    void ShowTable();
    std::vector<GameCommand> Enabled() const;

    std::function<void(const QByteArray&)> send_;
    TableView table_;
    std::vector<std::string> history_;
};

}  // namespace tarvel::web::testing
