// A tab's game on a real session: what the page is sent when a player plays a whole
// match by keys alone, comes back after a reload, asks for the history again, and
// hands over settings.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "web/game/session_game.h"

namespace tarvel::web {
namespace {

QJsonObject Parsed(const QByteArray& frame) {
    return QJsonDocument::fromJson(frame).object();
}

class SessionGameTest : public ::testing::Test {
  protected:
    void Make(GameOptions options = {}, std::string language = "cs", std::uint64_t seed = 7) {
        SessionGameSetup setup;
        setup.language = std::move(language);
        setup.options = options;
        setup.seed = seed;
        setup.scoreFile = (folder_.path() + "/tab.tab").toStdString();
        game_ = std::make_unique<SessionGame>(std::move(setup), [this](const QByteArray& frame) {
            frames_.push_back(Parsed(frame));
            if (frames_.back()["type"] == "table") table_ = frames_.back();
        });
    }

    // The frames one command brings, up to and with its sentence.
    std::vector<QJsonObject> Press(GameCommand command) {
        frames_.clear();
        game_->Handle(CommandRequest{command});
        return frames_;
    }

    static int Count(const std::vector<QJsonObject>& frames, const char* type) {
        return static_cast<int>(std::count_if(frames.begin(), frames.end(),
                                              [type](const QJsonObject& frame) { return frame["type"] == type; }));
    }

    // What a player who knows no rule does: lays each card in turn until one is taken,
    // names the first suit a queen asks for, and draws when none is taken.
    void PlayOneTurn() {
        if (!table_["suits"].toArray().isEmpty()) {
            Press(GameCommand::Play);
            return;
        }
        const int cards = static_cast<int>(table_["hand"].toArray().size());
        Press(GameCommand::First);
        for (int tried = 0; tried < cards; ++tried) {
            const QJsonObject before = table_;
            Press(GameCommand::Play);
            if (table_["hand"] != before["hand"] || table_["pile"] != before["pile"] ||
                !table_["running"].toBool()) {
                return;
            }
            Press(GameCommand::Right);
        }
        Press(GameCommand::Draw);
    }

    QTemporaryDir folder_;
    std::unique_ptr<SessionGame> game_;
    std::vector<QJsonObject> frames_;
    QJsonObject table_;
};

TEST_F(SessionGameTest, AWholeMatchIsPlayedByKeysAloneEachCommandAnsweredByOneSentence) {
    GameOptions options;
    options.numberofgames = 2;
    Make(options);
    const auto opened = Press(GameCommand::NewMatch);
    EXPECT_EQ(Count(opened, "sentence"), 1);
    ASSERT_TRUE(table_["running"].toBool());
    EXPECT_EQ(table_["hand"].toArray().size(), 5);
    const QJsonObject first = table_["hand"][0].toObject();
    EXPECT_TRUE(first["picture"].toString().startsWith("card"));
    EXPECT_FALSE(first["name"].toString().isEmpty());
    EXPECT_FALSE(table_["line"].toString().isEmpty()) << "the message line tells who begins";

    int turns = 0;
    int decided = 0;
    for (; turns < 400 && table_["running"].toBool(); ++turns) {
        frames_.clear();
        PlayOneTurn();
        for (const auto& frame : frames_) {
            for (const auto& line : frame["lines"].toArray()) decided += line.toString().contains("vítěz") ? 1 : 0;
        }
    }
    ASSERT_LT(turns, 400) << "the match never ended";
    EXPECT_EQ(decided, 2) << "both games were played to their winner";
    // The match is over: a new one may start, the end command has nothing to end.
    const QJsonArray names = Parsed(game_->Snapshot().at(2))["commands"].toArray();
    EXPECT_TRUE(names.contains("newMatch"));
    EXPECT_FALSE(names.contains("endMatch"));
}

TEST_F(SessionGameTest, EverySentenceNamesRecordingsByTheirStemAndCarriesTheWordsForTheScreenReader) {
    Make();
    for (const GameCommand command : {GameCommand::NewMatch, GameCommand::Right, GameCommand::PileCard,
                                      GameCommand::OpponentCount, GameCommand::ToggleSayDrawn}) {
        const auto frames = Press(command);
        ASSERT_EQ(Count(frames, "sentence"), 1) << Name(command);
        const QJsonObject sentence = frames.back();
        EXPECT_EQ(sentence["type"], "sentence") << "the words come after the table: " << Name(command);
        EXPECT_EQ(sentence["lang"], "cs");
        EXPECT_FALSE(sentence["text"].toString().isEmpty()) << Name(command);
        const QJsonArray phrases = sentence["phrases"].toArray();
        ASSERT_FALSE(phrases.isEmpty()) << Name(command);
        for (const auto& phrase : phrases) {
            const QString file = phrase.toObject()["file"].toString();
            EXPECT_FALSE(file.isEmpty());
            EXPECT_FALSE(file.contains('/') || file.endsWith(".wav")) << file.toStdString();
        }
    }
}

TEST_F(SessionGameTest, TheHistoryIsSentAsItGrowsAndHeardAgainAnnouncementByAnnouncement) {
    Make({}, "en");
    Press(GameCommand::NewMatch);
    std::vector<QString> lines;
    for (const auto& frame : frames_) {
        if (frame["type"] == "history") {
            if (frame["replace"].toBool()) lines.clear();
            for (const auto& line : frame["lines"].toArray()) lines.push_back(line.toString());
        }
    }
    ASSERT_FALSE(lines.empty());
    const auto back = Press(GameCommand::PreviousAnnouncement);
    EXPECT_EQ(back.back()["text"].toString(), lines.back()) << "stepping back says the newest announcement";
    EXPECT_FALSE(back.back()["phrases"].toArray().isEmpty());
    EXPECT_EQ(Count(back, "history"), 0) << "hearing again adds nothing to the history";
    // Past the newest: the edge.
    Press(GameCommand::NextAnnouncement);
    const auto again = Press(GameCommand::NextAnnouncement);
    EXPECT_EQ(again.back()["text"], "okraj");
}

TEST_F(SessionGameTest, AReloadedPageIsShownTheTableHistoryAndCommandsAsTheyStand) {
    Make();
    Press(GameCommand::NewMatch);
    Press(GameCommand::Last);
    const QJsonObject shown = table_;
    EXPECT_EQ(shown["selected"].toInt(), shown["hand"].toArray().size() - 1) << "End selects the last card";
    const auto frames = game_->Snapshot();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(Parsed(frames[0]), shown);
    EXPECT_EQ(Parsed(frames[1])["type"], "history");
    EXPECT_TRUE(Parsed(frames[1])["replace"].toBool());
    EXPECT_EQ(Parsed(frames[2])["type"], "enabled");
}

TEST_F(SessionGameTest, ThePagesSettingsTakeEffectAndTheKeysSwitchesStay) {
    Make();
    Press(GameCommand::ToggleSayDrawn);
    GameOptions options;
    options.dealtcards = 4;
    options.playergender = "z";
    game_->Handle(SettingsRequest{options});
    Press(GameCommand::NewMatch);
    EXPECT_EQ(table_["hand"].toArray().size(), 4);
    // The woman's voice speaks for the player: her recordings begin with "z".
    const auto said = Press(GameCommand::SelectedCard);
    EXPECT_TRUE(said.back()["phrases"][0]["file"].toString().startsWith("z"));
    // Drawn cards are still not said, as the key set it before the settings came.
    const auto switched = Press(GameCommand::ToggleSayDrawn);
    EXPECT_EQ(switched.back()["text"], "on");
}

TEST_F(SessionGameTest, TheTableOfBestResultsHoldsTheMatchUntilThePageAnswersAndKeepsTheName) {
    GameOptions options;
    options.playforpoints = true;
    options.usetable = true;
    options.numberofgames = 0;  // until the end command: as many games as a place takes
    Make(options, "cs", 1);  // a deal whose first game's result reaches a place
    Press(GameCommand::NewMatch);
    QJsonObject offered;
    for (int turns = 0; turns < 400 && offered.isEmpty() && table_["running"].toBool(); ++turns) {
        frames_.clear();
        PlayOneTurn();
        for (const auto& frame : frames_) {
            if (frame["type"] == "scores") offered = frame;
        }
    }
    ASSERT_FALSE(offered.isEmpty()) << "the first game's result was never offered to the table";
    ASSERT_TRUE(offered["canWrite"].toBool());
    EXPECT_TRUE(frames_.back()["text"].toString().contains(offered["lines"][0].toString()))
        << "the screen reader hears the table after what was said";
    // The game waits for the answer: a reloaded page is shown the table again.
    const auto snapshot = game_->Snapshot();
    ASSERT_EQ(snapshot.size(), 5u);
    EXPECT_EQ(Parsed(snapshot.back()), offered);

    frames_.clear();
    game_->Handle(ScoreNameRequest{"Eva"});
    ASSERT_EQ(frames_.size(), 3u) << "the table, the table for the browser to keep, then its words";
    EXPECT_TRUE(frames_.back()["text"].toString().contains("Eva"));
    ASSERT_EQ(frames_[1]["type"], "keepScores");
    const std::string kept = QByteArray::fromBase64(frames_[1]["table"].toString().toLatin1()).toStdString();
    const QJsonObject written = frames_.front();
    EXPECT_EQ(written["type"], "scores");
    EXPECT_TRUE(written["canClose"].toBool());
    EXPECT_FALSE(written["canWrite"].toBool());
    EXPECT_TRUE(QJsonDocument(written["lines"].toArray()).toJson().contains("Eva"));
    // Writing ends the match once the table is closed.
    Press(GameCommand::CloseScores);
    EXPECT_FALSE(table_["running"].toBool());
    EXPECT_EQ(game_->Snapshot().size(), 4u) << "a closed table is not shown again";

    // The browser's copy comes back with its next session: the name is still there
    // after the tab was closed.
    Make(options, "cs", 2);
    frames_.clear();
    game_->Handle(KeptScoresRequest{kept});
    EXPECT_TRUE(frames_.empty()) << "a sound table is taken without a word";
    const auto shown = Press(GameCommand::ShowScores);
    ASSERT_EQ(Count(shown, "scores"), 1);
    EXPECT_TRUE(QJsonDocument(shown.front()["lines"].toArray()).toJson().contains("Eva"));
}

// A table the browser kept that is no table of results (changed by hand, cut short) is
// told in the tab's language and leaves the tab's table as it was.
TEST_F(SessionGameTest, ADamagedKeptTableIsToldAndChangesNothing) {
    struct Case {
        std::string bytes;
        const char* told;
    };
    const Case cases[] = {
        {std::string(10, 'x'), "10"},
        {std::string(330, 'x'), "330"},
        {std::string(320, '\xff'), "poškozená"},
    };
    for (const Case& test : cases) {
        Make();
        const auto before = Press(GameCommand::ShowScores);
        Press(GameCommand::CloseScores);
        frames_.clear();
        game_->Handle(KeptScoresRequest{test.bytes});
        ASSERT_EQ(frames_.size(), 1u) << test.told;
        EXPECT_EQ(frames_.front()["type"], "notice");
        EXPECT_TRUE(frames_.front()["text"].toString().contains(QString::fromUtf8(test.told)))
            << test.told << ": " << frames_.front()["text"].toString().toStdString();
        const auto after = Press(GameCommand::ShowScores);
        EXPECT_EQ(after.front()["lines"], before.front()["lines"]);
        Press(GameCommand::CloseScores);
    }
}

}  // namespace
}  // namespace tarvel::web
