// A session with no widgets: its output written down line by line as the engine tests
// write theirs ("say m|9 piková|11", "PlayerLaid", "Label Vyhazuji"), its settings in
// memory, and tables laid out by hand.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>
#include <string>
#include <vector>

#include "rules/card_names.h"
#include "session/session.h"
#include "tests/engine/recording_presentation.h"
#include "tests/engine/table_setup.h"

namespace tarvel::testing {

// The session's network parts are Qt objects; one application serves every test.
inline void EnsureCoreApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "session_test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

class MemoryStore final : public session::SettingsStore {
  public:
    GameOptions options;
    NetSettings net;
    session::Environment environment;
    std::optional<std::string> failure;  // every write fails with it
    int writes = 0;

    GameOptions LoadGameOptions() override { return options; }
    NetSettings LoadNetSettings() override { return net; }
    session::Environment LoadEnvironment() override { return environment; }
    std::optional<std::string> SaveGameOptions(const GameOptions& saved) override {
        return Write([&] { options = saved; });
    }
    std::optional<std::string> SaveNetSettings(const NetSettings& saved) override {
        return Write([&] { net = saved; });
    }
    std::optional<std::string> SaveEnvironment(const GameOptions& savedOptions,
                                               const session::Environment& saved) override {
        return Write([&] {
            options = savedOptions;
            environment = saved;
        });
    }

  private:
    template <typename Change>
    std::optional<std::string> Write(Change change) {
        ++writes;
        if (failure) return failure;
        change();
        return std::nullopt;
    }
};

class RecordingOutput final : public session::SessionOutput {
  public:
    RecordingPresentation record;
    std::vector<session::Phrase> phrases;
    std::vector<session::Answer> answers;
    std::vector<std::string> told;
    std::vector<session::Waiting> waits;
    std::vector<session::ScoreTableSight> scoreTables;
    std::vector<std::string> messages;
    int agreed = 0;
    int ended = 0;
    // What a shown table of best results gets at once, as a dialog held open answers it;
    // nothing leaves it open (a browser answers later).
    std::function<void(const session::ScoreTableSight&)> answerScoreTable;

    void Play(const session::Phrase& phrase) override {
        phrases.push_back(phrase);
        if (phrase.waited) {
            record.SayPhrase(phrase.voice, phrase.text, phrase.variant);
        } else {
            record.StartPhrase(phrase.voice, phrase.text, phrase.variant);
        }
    }
    void Replay(const std::optional<Announcement>& announcement) override {
        record.events.push_back(announcement ? "Replay " + announcement->text : "Replay edge");
    }
    void TableChanged(const GameEvent& event) override { record.Happened(event); }
    void MessageLineChanged(std::string_view) override {}
    void AnswerEnded(const session::Answer& answer) override { answers.push_back(answer); }
    void Tell(std::string_view message) override { told.emplace_back(message); }
    void WaitingChanged(session::Waiting waiting) override { waits.push_back(waiting); }
    void ShowScoreTable(const session::ScoreTableSight& table) override {
        scoreTables.push_back(table);
        if (answerScoreTable) answerScoreTable(table);
    }
    void MessageReceived(std::string_view text) override { messages.emplace_back(text); }
    void MatchAgreed() override { ++agreed; }
    void EndProgram() override { ++ended; }
};

class SessionFixture : public ::testing::Test {
  public:
    MemoryStore store;
    RecordingOutput output;
    std::filesystem::path scoreFile = std::filesystem::path(::testing::TempDir()) /
                                      (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                                       ".tab");
    std::unique_ptr<session::Session> session;

    ~SessionFixture() override { std::filesystem::remove(scoreFile); }

    void Open(std::uint64_t seed = 7) {
        EnsureCoreApplication();
        session::SessionSetup setup;
        setup.output = &output;
        setup.settings = &store;
        setup.scoreFile = scoreFile;
        setup.seed = seed;
        setup.userName = "eva";
        session = std::make_unique<session::Session>(std::move(setup));
    }

    Engine& Game() { return session->GameEngine(); }
    GameState& State() { return Game().State(); }

    // A running game laid out by card names, the player to move and the first card
    // selected; what was heard before is forgotten.
    void Table(const Texts& player, const Texts& computer, const Texts& pile, const Texts& stock = {}) {
        if (!session) Open();
        LayOutTable(State(), RulesOf(session->Options()), player, computer, pile, stock);
        output.record.Clear();
    }

    std::vector<std::string>& Heard() { return output.record.spoken; }
    void Forget() { output.record.Clear(); }
};

}  // namespace tarvel::testing
