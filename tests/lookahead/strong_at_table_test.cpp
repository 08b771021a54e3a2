// The strong computer at the table: whole matches through the engine's commands with
// the table checked after every one, the same match again from the same seed, and
// what it says when it changes the suit; on tables laid out by hand, how it returns the
// player into the game and which suit it names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/self_play.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/recording_presentation.h"

namespace tarvel {
namespace {

MatchSetup StrongSetup(GameOptions options, std::uint64_t seed) {
    options.computerlevel = kComputerStrong;
    MatchSetup setup;
    setup.options = options;
    setup.seed = seed;
    setup.gamesBeforeEnd = 2;
    return setup;
}

TEST(StrongComputerAtTable, PlaysWholeMatchesUnderManyRulesCleanly) {
    const std::vector<GameOptions> all = EveryRuleCombination();
    SelfPlayDriver driver;
    std::uint32_t games = 0;
    for (std::size_t i = 0; i < all.size(); i += 61) {
        const MatchReport report = driver.PlayMatch(StrongSetup(all[i], 7 + i));
        EXPECT_TRUE(report.Clean()) << DescribeSetup(StrongSetup(all[i], 7 + i)) << ": " << report.fault;
        games += report.games;
    }
    EXPECT_GT(games, 20u);
}

TEST(StrongComputerAtTable, TheSameSeedPlaysTheSameMatch) {
    GameOptions options;
    options.returntogame = options.kingofspades = options.playforpoints = true;
    SelfPlayDriver::Settings settings;
    settings.recordTrail = true;
    SelfPlayDriver first(settings), second(settings);
    const MatchReport a = first.PlayMatch(StrongSetup(options, 4242));
    const MatchReport b = second.PlayMatch(StrongSetup(options, 4242));
    ASSERT_TRUE(a.Clean()) << a.fault;
    EXPECT_EQ(a.trail, b.trail);
    EXPECT_EQ(first.GameEngine().State().opponentWins, second.GameEngine().State().opponentWins);
}

TEST(StrongComputerAtTable, ChangesTheSuitInTheUsualWords) {
    testing::RecordingPresentation screen;
    SelfPlayDriver driver(SelfPlayDriver::Settings{}, screen);
    const std::vector<std::string> suits = {"srdce", "kára", "piky", "kříže"};
    int changes = 0;
    for (std::uint64_t seed = 1; seed <= 12 && changes < 3; ++seed) {
        screen.Clear();
        ASSERT_TRUE(driver.PlayMatch(StrongSetup(GameOptions{}, seed)).Clean());
        const std::vector<std::string> said = screen.Texts();
        for (std::size_t i = 0; i + 1 < said.size(); ++i) {
            if (said[i].find("měním na") == std::string::npos) continue;
            ++changes;
            const std::string& next = said[i + 1];
            EXPECT_TRUE(std::any_of(suits.begin(), suits.end(), [&](const std::string& s) {
                return next.find(s) != std::string::npos;
            })) << next;
        }
    }
    EXPECT_GT(changes, 0) << "no queen laid by the strong computer in these matches";
}

// A table laid out by hand, the strong computer at it under the return rule.
class StrongComputerOnATable : public testing::EngineFixture {
  protected:
    void SetUp() override {
        options.computerlevel = kComputerStrong;
        options.returntogame = true;
    }
};

// The player lays its last card; the strong computer may return it into the game with
// what the rules let answer it, and nothing else.
TEST_F(StrongComputerOnATable, ReturnsThePlayerOnlyWithACardTheRulesAllow) {
    struct Case {
        const char* what;
        bool kingOfSpades;
        const char* last;
        std::vector<std::string> computer;
        const char* under;
        const char* answer;  // nullptr: it cannot return the player, who wins
    };
    const Case cases[] = {
        {"a seven of the suit, not the ten that fits as well",
         false,
         "8 srdcová",
         {"10 srdcová", "7 srdcová", "kluk kárový"},
         "9 srdcová",
         "7 srdcová"},
        {"the king of spades under its rule",
         true,
         "9 piková",
         {"král pikový", "kluk kárový"},
         "10 piková",
         "král pikový"},
        {"the king of spades without its rule",
         false,
         "9 piková",
         {"král pikový", "kluk kárový"},
         "10 piková",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        options.kingofspades = c.kingOfSpades;
        Table({c.last}, c.computer, {c.under}, {"8 křížová", "9 křížová", "10 křížová"});
        Play(c.last);
        const testing::Texts said = screen.Texts();
        const auto returned = std::find(said.begin(), said.end(), "a tak tě vracím");
        if (c.answer == nullptr) {
            EXPECT_EQ(returned, said.end()) << testing::AsList(said);
            EXPECT_EQ(state.playerWins, 1);
        } else {
            ASSERT_LT(returned + 1, said.end()) << testing::AsList(said);
            EXPECT_EQ(returned[1], c.answer) << "the card it returns the player with";
            EXPECT_EQ(state.playerWins, 0);
        }
    }
}

// Nothing is hidden: the stock is empty and the pile holds every card but the hands.
// Naming clubs after its queen would let the player lay his last card; diamonds wins
// by force, though the computer holds more clubs.
TEST_F(StrongComputerOnATable, NamesTheSuitItsSearchChoseNotTheOneItHoldsMost) {
    options.returntogame = false;
    const std::vector<std::string> player = {"9 křížová"};
    const std::vector<std::string> computer = {"dáma srdcová", "8 kárová", "8 křížová", "10 křížová"};
    // Drawn first after the turn: cards that fit nothing the player will face.
    std::vector<std::string> pile = {"kluk srdcový", "10 srdcová", "9 srdcová"};
    for (rules::CardId card = 0; card < rules::kCards; ++card) {
        const std::string name = rules::CardName(card);
        if (std::find(player.begin(), player.end(), name) == player.end() &&
            std::find(computer.begin(), computer.end(), name) == computer.end() &&
            std::find(pile.begin(), pile.end(), name) == pile.end() && name != "kluk pikový") {
            pile.push_back(name);
        }
    }
    pile.push_back("kluk pikový");
    Table(player, computer, pile, {});
    ComputerMoves();
    const testing::Texts said = screen.Texts();
    const auto named = std::find(said.begin(), said.end(), "měním na");
    ASSERT_LT(named + 1, said.end()) << testing::AsList(said);
    EXPECT_EQ(named[1], "kára");
}

}  // namespace
}  // namespace tarvel
