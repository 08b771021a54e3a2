// A browser tab's game: one session of the game, its answers turned into the page's
// frames. Each command's phrases go out as one sentence with the screen-reader line
// the session gave that answer; after it, whatever changed of the history, the table
// and the enabled commands. The settings are the page's, handed over at hello and kept
// in the browser, so nothing of a tab's is written on the server.
#pragma once

#include <QByteArray>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/random_source.h"
#include "session/session.h"
#include "web/messages/server_event.h"
#include "web/server/tab_game.h"

namespace tarvel::web {

struct SessionGameSetup {
    std::string language = "cs";     // "cs" or "en": the session's messages and speakers
    GameOptions options;             // as the page keeps them
    std::optional<std::uint64_t> seed;  // fixed deals, for tests and benchmarks
    // The tab's own table of best results, removed with the session; the browser keeps
    // a copy (keptScores / keepScores).
    std::filesystem::path scoreFile;
    // The game server of network matches, tarvelweb's own: the page names only a table.
    std::string serverHost = "127.0.0.1";
    int serverPort = 1412;
    // How the tab introduces itself to the game server; the server turns away a second
    // player of one name, so each tab's is its own.
    std::string userName;
};

class SessionGame final : public TabGame, private session::SessionOutput, private session::SettingsStore {
  public:
    SessionGame(SessionGameSetup setup, std::function<void(const QByteArray&)> send);
    ~SessionGame() override;

    void Handle(const PageRequest& request) override;
    std::vector<QByteArray> Snapshot() const override;

  private:
    // session::SessionOutput
    void Play(const session::Phrase& phrase) override;
    void Replay(const std::optional<Announcement>& announcement) override;
    void TableChanged(const GameEvent&) override {}
    void MessageLineChanged(std::string_view text) override { line_ = std::string(text); }
    void AnswerEnded(const session::Answer& answer) override;
    void Tell(std::string_view message) override;
    void WaitingChanged(session::Waiting waiting) override;
    void ShowScoreTable(const session::ScoreTableSight& table) override;
    void MessageReceived(std::string_view text) override;
    void MatchAgreed() override {}
    void EndProgram() override {}

    // session::SettingsStore: the page's values, kept while the tab's session lives.
    GameOptions LoadGameOptions() override { return setup_.options; }
    NetSettings LoadNetSettings() override;
    session::Environment LoadEnvironment() override;
    std::optional<std::string> SaveGameOptions(const GameOptions& options) override;
    std::optional<std::string> SaveNetSettings(const NetSettings&) override { return std::nullopt; }
    std::optional<std::string> SaveEnvironment(const GameOptions& options, const session::Environment&) override;

    // The table of best results the browser kept becomes the tab's, when it is one; a
    // damaged one is told and changes nothing.
    void TakeKeptTable(const std::string& bytes);
    // The tab's table of best results, for the browser to keep.
    void SendTableToKeep();
    void SendIfChanged(QByteArray frame, QByteArray& last);
    std::vector<std::string> HistoryLines() const;
    TableView View() const;
    QByteArray EnabledFrame() const;
    QByteArray NetworkFrame() const;
    void StartNetworkMatch(const std::string& typedTable);
    void SendChat(const std::string& text);

    SessionGameSetup setup_;
    std::function<void(const QByteArray&)> send_;
    StandardRandom replayRandom_;  // the variants of replayed phrases
    std::unique_ptr<session::Session> session_;
    std::vector<SpokenPhrase> phrases_;  // of the answer under way
    std::string line_;                   // the message line
    std::string scoresText_;             // the table of best results shown, in words
    std::string replayText_;             // an announcement heard again, in words
    std::vector<std::string> shownLines_;
    std::size_t shownEntries_ = 0;        // the history's entries when the lines were sent
    bool historyMayHaveChanged_ = false;  // cleared and filled again within one answer
    QByteArray lastTable_;
    QByteArray lastEnabled_;
    QByteArray lastScores_;  // the table of best results while it is open
    QByteArray lastNetwork_;
    // When the tab last opened a connection to the game server: a page that asks and
    // cancels in a loop must not become a stream of connections to it.
    std::optional<std::chrono::steady_clock::time_point> lastConnection_;
    bool noAnswer_ = false;  // the server has not answered the wait yet
};

}  // namespace tarvel::web
