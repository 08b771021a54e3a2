// The strong computer at the table: whole matches through the engine's commands with
// the table checked after every one, the same match again from the same seed, and
// what it says when it changes the suit; on tables laid out by hand, how it returns the
// player into the game and which suit it names.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "testing/self_play.h"
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

// One game against the strong computer on a table laid out by hand, through the
// engine's commands. The player lays the first card the engine takes (naming the suit
// of the first card he keeps after a queen) and draws when none is taken, or replays
// `script`, switching the shuffle on before the move at `turnShuffleOnAt` of the script.
// After each move the table as the computer sees it is written down.
struct TwinTable {
    testing::RecordingPresentation screen;
    testing::FakeNetwork net;
    StandardRandom random{7};
    Engine engine{screen, net, random};
    GameState& state = engine.State();
    std::vector<std::string> script;     // the player's moves: a card name, "draw" or a suit
    std::vector<std::string> seenTable;  // the pile and the computer's hand after each move
    rules::CardSet seen = 0;             // every card the computer has seen
    int shuffledTurns = 0;               // piles turned with the shuffle on
    std::uint8_t pileSize = 0;

    TwinTable(const GameOptions& options, const testing::Texts& player, const testing::Texts& computer,
              const testing::Texts& pile, const testing::Texts& stock) {
        engine.Options() = options;
        testing::LayOutTable(state, RulesOf(options), player, computer, pile, stock);
        Look();
    }

    void Look() {
        std::string table;
        for (const std::string& name : testing::PileNames(state.game)) table += name + ",";
        table += "|";
        for (const std::string& name : testing::Names(state.opponentHand)) table += name + ",";
        seenTable.push_back(table);
        seen |= state.game.PileSet() | state.game.hands[kOpponentSeat];
        if (state.game.pileSize < pileSize && engine.Options().shufflecards) ++shuffledTurns;
        pileSize = state.game.pileSize;
    }

    bool Moved(std::size_t handBefore, std::size_t pileBefore) const {
        return state.playerHand.size() != handBefore || state.game.pileSize != pileBefore || !state.running;
    }

    // The player's own move, added to the script; false when the game is over.
    bool MoveFreely(std::uint32_t turnShuffleOnAt) {
        if (!state.running || script.size() > 300) return false;
        if (script.size() >= turnShuffleOnAt) engine.Options().shufflecards = true;
        const std::size_t hand = state.playerHand.size(), pile = state.game.pileSize;
        for (std::size_t i = 0; i < hand && !Moved(hand, pile); ++i) {
            const std::string name = rules::CardName(state.playerHand[i]);
            const bool queen = rules::RankOf(state.playerHand[i]) == rules::kQueen;
            engine.SelectCard(i + 1);
            engine.PlayPlayerCard();
            if (!Moved(hand, pile)) continue;
            script.push_back(name);
            if (queen && state.game.suitToName) {
                const std::uint8_t suit =
                    state.playerHand.empty() ? 0 : rules::SuitOf(state.playerHand.front());
                script.push_back(std::string(1, static_cast<char>('0' + suit)));
                engine.PlayerChoosesSuit(suit);
            }
        }
        if (!Moved(hand, pile)) {
            script.push_back("draw");
            engine.DrawCommand();
        }
        Look();
        return true;
    }

    // Replays the other table's moves; false when one of them is refused here.
    bool Replay(const std::vector<std::string>& moves, std::uint32_t turnShuffleOnAt) {
        for (std::size_t m = 0; m < moves.size() && state.running; ++m) {
            // Switched on before the same move as at the other table (a suit goes with its queen).
            if (m >= turnShuffleOnAt && moves[m].size() != 1) engine.Options().shufflecards = true;
            if (moves[m] == "draw") {
                // The compulsory rule refuses the draw to a hand that holds an answer.
                const rules::Move ending{rules::TurnEndingKind(state.game), 0};
                if (rules::Check(state.game, ending) != rules::Refusal::None) return false;
                engine.DrawCommand();
            } else if (moves[m].size() == 1) {
                engine.PlayerChoosesSuit(static_cast<std::uint8_t>(moves[m][0] - '0'));
                Look();
                continue;
            } else {
                const auto at = std::find_if(state.playerHand.begin(), state.playerHand.end(),
                                             [&](rules::CardId c) { return rules::CardName(c) == moves[m]; });
                if (at == state.playerHand.end()) return false;
                const rules::CardId card = *at;
                engine.SelectCard(static_cast<std::size_t>(at - state.playerHand.begin()) + 1);
                engine.PlayPlayerCard();
                if (std::find(state.playerHand.begin(), state.playerHand.end(), card) !=
                    state.playerHand.end())
                    return false;  // refused here
            }
            if (m + 1 < moves.size() && moves[m + 1].size() == 1) continue;  // the suit comes next
            Look();
        }
        return true;
    }
};

// Twin games: the same deal but for the cards the computer never sees, which lie
// elsewhere in the player's hand and the stock; the player makes the same moves in
// both. Either computer sees the same game in both and must play it the same way, also
// when the shuffle is switched on during the game: the fixed one looks at the stock's
// next card only while the order of a pile it watched being turned still holds.
class TwinGames : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(TwinGames, ThatLookTheSameGetTheSameMoves) {
    // The fixed computer's games are quick: more of them turn as many piles.
    const std::uint32_t games = GetParam() == kComputerStrong ? 20 : 60;
    int twins = 0, compared = 0, shuffledTurns = 0;
    for (std::uint32_t game = 0; game < games; ++game) {
        GameOptions options;
        options.computerlevel = GetParam();
        options.returntogame = (game & 1) != 0;
        options.kingofspades = (game & 2) != 0;
        options.compulsory = (game & 4) == 0;
        options.dealtcards = static_cast<std::uint8_t>(4 + game % 3);
        const std::uint32_t shuffleOnAt = (game % 3 == 0) ? 6u : 1000u;

        std::mt19937 deck(game);
        std::vector<rules::CardId> cards(rules::kCards);
        for (rules::CardId c = 0; c < rules::kCards; ++c) cards[c] = c;
        std::shuffle(cards.begin(), cards.end(), deck);
        const auto names = [&](std::size_t from, std::size_t count) {
            testing::Texts out;
            for (std::size_t i = from; i < from + count; ++i) out.push_back(rules::CardName(cards[i]));
            return out;
        };
        const std::size_t n = options.dealtcards;
        const testing::Texts player = names(0, n), computer = names(n, n), pile = names(2 * n, 1),
                             stock = names(2 * n + 1, rules::kCards - 2 * n - 1);
        if (rules::RankOf(rules::IdOfName(pile.front())) == rules::kQueen) continue;

        TwinTable a(options, player, computer, pile, stock);
        while (a.MoveFreely(shuffleOnAt)) {
        }
        const rules::CardSet hidden = rules::kAllCards & ~a.seen;
        if (rules::CountOf(hidden) < 2) continue;
        // Each hidden card moves to where the next one lay.
        std::vector<std::string> moved;
        for (rules::CardSet s = hidden; s != 0; s &= s - 1)
            moved.push_back(rules::CardName(rules::LowestCard(s)));
        const auto swapped = [&](testing::Texts texts) {
            for (std::string& name : texts) {
                const auto at = std::find(moved.begin(), moved.end(), name);
                if (at != moved.end()) name = (at + 1 == moved.end()) ? moved.front() : at[1];
            }
            return texts;
        };
        TwinTable b(options, swapped(player), computer, pile, swapped(stock));
        const bool same = b.Replay(a.script, shuffleOnAt);
        // Up to the move the other hand refuses, the two games are one to the computer.
        for (std::size_t i = 0; i < b.seenTable.size(); ++i) {
            ASSERT_LT(i, a.seenTable.size());
            ASSERT_EQ(b.seenTable[i], a.seenTable[i]) << "game " << game << ", after move " << i;
            ++compared;
        }
        twins += same ? 1 : 0;
        shuffledTurns += same ? b.shuffledTurns : 0;
    }
    EXPECT_GT(twins, static_cast<int>(games) / 4);
    EXPECT_GT(compared, static_cast<int>(games) * 7);
    EXPECT_GT(shuffledTurns, 2) << "few piles turned after the shuffle was switched on";
}

// Turned piles shuffled by a generator of their own, everything else (the strong
// computer's seeds) by a shared one: twin tables that differ only in how a turned pile
// came to lie. The computers' seeds are asked over the whole range, a shuffle at most
// over the deck.
class ShuffleApartRandom final : public RandomSource {
  public:
    explicit ShuffleApartRandom(std::uint64_t shuffleSeed) : shuffles_(shuffleSeed) {}
    std::uint32_t Random(std::uint32_t n) override {
        return n > rules::kCards ? rest_.Random(n) : shuffles_.Random(n);
    }

  private:
    StandardRandom rest_{7}, shuffles_;
};

// The table just before a shuffled turn of the pile: one card left in the stock, and
// the player draws at every turn, taking from the newly shuffled stock cards the
// computer never sees. Until the computer draws one of them itself, the same table
// shuffled another way is the same game to it, though it watched the pile that was
// turned: it must lay the same cards and draw at the same moment.
class ShuffledTurns : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(ShuffledTurns, ThatLookTheSameGetTheSameMoves) {
    constexpr std::uint64_t kShuffles = 3;
    int compared = 0, differentStocks = 0;
    for (std::uint32_t layout = 0; layout < 24; ++layout) {
        GameOptions options;
        options.computerlevel = GetParam();
        options.shufflecards = true;
        options.compulsory = false;
        options.returntogame = (layout & 1) != 0;
        options.kingofspades = (layout & 2) != 0;
        options.playforpoints = (layout & 4) != 0;
        std::mt19937 deck(layout);
        std::vector<rules::CardId> cards(rules::kCards);
        for (rules::CardId c = 0; c < rules::kCards; ++c) cards[c] = c;
        std::shuffle(cards.begin(), cards.end(), deck);
        // The pile's top must not ask anything of the player's first draw.
        const auto top = std::find_if(cards.begin() + 11, cards.end(), [](rules::CardId c) {
            return rules::RankOf(c) != rules::kQueen && rules::RankOf(c) != rules::kAce &&
                   rules::RankOf(c) != rules::kSeven && c != rules::kKingOfSpades;
        });
        std::iter_swap(top, cards.end() - 1);
        testing::Texts player, computer, stock, pile;
        for (std::size_t i = 0; i < cards.size(); ++i)
            (i < 4 ? player : i < 10 ? computer : i < 11 ? stock : pile).push_back(rules::CardName(cards[i]));

        std::vector<std::string> first;
        std::string firstStock;
        for (std::uint64_t shuffle = 0; shuffle < kShuffles; ++shuffle) {
            ShuffleApartRandom random(100 + shuffle);
            testing::RecordingPresentation screen;
            testing::FakeNetwork net;
            Engine engine{screen, net, random};
            GameState& state = engine.State();
            engine.Options() = options;
            testing::LayOutTable(state, RulesOf(options), player, computer, pile, stock);
            std::vector<std::string> trail;
            std::string shuffled;
            std::size_t held = state.opponentHand.size();
            std::uint8_t pileSize = state.game.pileSize;
            for (int turns = 0; trail.size() < 30;) {
                engine.DrawCommand();  // the computer answers
                if (state.game.pileSize < pileSize && ++turns == 1) {
                    shuffled = testing::AsList(testing::StockNames(state.game));
                } else if (state.game.pileSize < pileSize) {
                    break;  // a second turn, or a new deal
                }
                std::string table;
                for (const std::string& name : testing::PileNames(state.game)) table += name + ",";
                trail.push_back(table + "| " + std::to_string(state.opponentHand.size()));
                // Once it has drawn, it may have seen cards the twins hold apart.
                if (state.opponentHand.size() > held) break;
                held = state.opponentHand.size();
                pileSize = state.game.pileSize;
            }
            if (shuffle == 0) {
                first = trail;
                firstStock = shuffled;
                continue;
            }
            differentStocks += shuffled != firstStock ? 1 : 0;
            ASSERT_EQ(trail, first) << "layout " << layout << ", shuffle " << shuffle;
            compared += static_cast<int>(trail.size());
        }
    }
    EXPECT_GT(differentStocks, 40) << "the twin tables' turned piles came to lie alike";
    EXPECT_GT(compared, 100);
}

INSTANTIATE_TEST_SUITE_P(ComputerAtTable, ShuffledTurns, ::testing::Values(kComputerStrong, kComputerFixed),
                         [](const ::testing::TestParamInfo<std::uint8_t>& level) {
                             return level.param == kComputerStrong ? "Strong" : "Fixed";
                         });

INSTANTIATE_TEST_SUITE_P(ComputerAtTable, TwinGames, ::testing::Values(kComputerStrong, kComputerFixed),
                         [](const ::testing::TestParamInfo<std::uint8_t>& level) {
                             return level.param == kComputerStrong ? "Strong" : "Fixed";
                         });

}  // namespace
}  // namespace tarvel
