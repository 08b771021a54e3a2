// Whole matches through the session alone, as a front end without widgets drives it:
// against the computer with the table of best results answered late, with settings
// that cannot be written, and two sessions side by side.
#include <gtest/gtest.h>

#include <algorithm>

#include "session/speech/phrase_inventory.h"
#include "tests/session/session_fixture.h"

namespace tarvel::testing {
namespace {

using session::Command;

// One move by commands when it is the player's turn: the first card that fits, else a
// draw; the first suit in a suit choice. False when there is no move to make.
bool MoveByCommands(session::Session& s) {
    const GameState& state = s.Table();
    if (!state.running || !state.PlayerTurn()) return false;
    if (state.SuitChoiceActive()) {
        s.Handle(Command::Play);
        return true;
    }
    s.Handle(Command::SelectFirst);
    for (std::size_t i = 0; i < state.playerHand.size(); ++i) {
        const std::size_t held = state.playerHand.size();
        s.Handle(Command::Play);
        if (state.playerHand.size() != held || !state.running) return true;
        s.Handle(Command::SelectNext);
    }
    s.Handle(Command::DrawOrStand);
    return true;
}

// The deals of seed 1 put both games' results into an empty table of best results.
constexpr std::uint64_t kResultsQualify = 1;

class SessionMatch : public SessionFixture {
  public:
    SessionMatch() {
        store.options.playforpoints = true;
        store.options.usetable = true;
        store.options.numberofgames = 2;
    }
};

TEST_F(SessionMatch, AMatchAgainstTheComputerWaitsForTheTableOfResultsAnsweredLate) {
    Open(kResultsQualify);
    session->Handle(Command::NewMatch);
    ASSERT_TRUE(session->Table().running);
    int games = 0;
    for (int moves = 0; moves < 2000 && session->Table().matchOn; ++moves) {
        if (MoveByCommands(*session)) continue;
        // A game ended and its table of results is up: the next game waits for it.
        ASSERT_TRUE(session->Possible(Command::CloseScoreTable)) << "stuck after " << moves << " moves";
        ++games;
        EXPECT_EQ(output.scoreTables.size(), static_cast<std::size_t>(games));
        EXPECT_FALSE(session->Table().running);
        const int gameNumber = session->Table().gameNumber;
        session->Handle(Command::CloseScoreTable);
        EXPECT_FALSE(session->Possible(Command::CloseScoreTable));
        if (session->Table().matchOn) {
            EXPECT_EQ(session->Table().gameNumber, gameNumber + 1);
        }
    }
    EXPECT_EQ(games, 2);
    EXPECT_FALSE(session->Table().matchOn);
    EXPECT_FALSE(session->Possible(Command::EndMatch));
    EXPECT_EQ(session->Table().playerWins + session->Table().opponentWins, 2);
    EXPECT_TRUE(output.scoreTables.front().canContinue);
    EXPECT_FALSE(output.scoreTables.back().canContinue);

    // Every phrase named a recording of the voice pack, and every answer that said
    // something was written for a screen reader as the history keeps it.
    ASSERT_FALSE(output.phrases.empty());
    for (const session::Phrase& phrase : output.phrases) {
        if (!phrase.file.empty()) {
            EXPECT_TRUE(InventoryHasFile(phrase.file)) << phrase.file;
        }
    }
    const auto said = std::count_if(output.answers.begin(), output.answers.end(),
                                    [](const session::Answer& a) { return !a.screenReaderText.empty(); });
    EXPECT_GT(said, 10);
    EXPECT_EQ(output.record.events.back(), "MatchEnded");
}

TEST_F(SessionMatch, AResultWrittenEndsTheMatchAndStaysInTheFile) {
    output.answerScoreTable = [this](const session::ScoreTableSight& table) {
        ASSERT_TRUE(table.canWrite);
        const std::optional<session::ScoreTableSight> written = session->WriteResult("Eva");
        ASSERT_TRUE(written);
        EXPECT_TRUE(written->canClose);
        EXPECT_NE(std::find_if(written->lines.begin(), written->lines.end(),
                               [](const std::string& line) { return line.find("Eva") != std::string::npos; }),
                  written->lines.end());
        session->CloseScoreTable();
    };
    Open(kResultsQualify);
    session->Handle(Command::NewMatch);
    for (int moves = 0; moves < 1000 && session->Table().matchOn; ++moves) ASSERT_TRUE(MoveByCommands(*session));
    EXPECT_EQ(output.scoreTables.size(), 1u);
    EXPECT_EQ(session->Table().playerWins + session->Table().opponentWins, 1);
    EXPECT_TRUE(std::filesystem::exists(scoreFile));
}

TEST_F(SessionFixture, SettingsAreKeptAndAFailedWriteIsToldWithoutLosingThem) {
    Open();
    GameOptions options = session->Options();
    options.kingofspades = true;
    session->ApplyGameOptions(options);
    EXPECT_TRUE(store.options.kingofspades);
    EXPECT_TRUE(output.told.empty());

    // The rules take effect at once, also in a game under way: the king of spades no
    // longer answers the seven of spades, and the computer draws.
    Table({"7 piková", "8 srdcová"}, {"král pikový", "9 kárová"}, {"7 kárová"},
          {"10 křížová", "9 křížová", "8 křížová"});
    options.kingofspades = false;
    store.failure = "Unable to write to tarvel.ini";
    session->ApplyGameOptions(options);
    EXPECT_EQ(output.told, (std::vector<std::string>{"Unable to write to tarvel.ini"}));
    EXPECT_TRUE(store.options.kingofspades);  // the file as it was
    session->Handle(Command::SelectFirst);
    session->Handle(Command::Play);
    EXPECT_EQ(State().opponentCount, 4);

    session::Environment environment = session->EnvironmentSettings();
    environment.languageBase = kEnglishLanguageBase;
    options.gamesounds = false;
    session->ApplyEnvironment(options, environment);
    EXPECT_FALSE(session->Options().gamesounds);
    EXPECT_EQ(session->Texts().LanguageBase(), kEnglishLanguageBase);
    EXPECT_EQ(output.told.size(), 2u);
}

TEST_F(SessionFixture, TwoSessionsSideBySideShareNothing) {
    RecordingOutput otherOutput;
    MemoryStore otherStore;
    otherStore.options.gamesounds = false;
    session::SessionSetup setup;
    setup.output = &otherOutput;
    setup.settings = &otherStore;
    setup.seed = 7;
    Open(7);
    session::Session other(std::move(setup));

    session->Handle(Command::NewMatch);
    other.Handle(Command::NewMatch);
    // The same seed deals the same cards; each hears only its own game, as its sounds say.
    EXPECT_EQ(session->Table().playerHand, other.Table().playerHand);
    EXPECT_FALSE(output.phrases.empty());
    EXPECT_TRUE(otherOutput.phrases.empty());
    session->Handle(Command::EndMatch);
    EXPECT_FALSE(session->Table().matchOn);
    EXPECT_TRUE(other.Table().matchOn);
    EXPECT_EQ(other.History().Entries().size() > 0, true);
}

}  // namespace
}  // namespace tarvel::testing
