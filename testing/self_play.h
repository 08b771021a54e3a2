// Self-play: a simple player plays whole matches against the computer through the
// same engine commands the keys call, while every step is checked for a whole and
// consistent table. Used by the soak test, the benchmark and the long run by hand.
//
// The player: after a queen it names the suit of its first other card; otherwise it
// goes along its hand from a card picked at random, wrapping round at the end, plays
// the first card the engine accepts, and draws (stands, gives up) when none is. Now
// and then it draws first, and plays only when the rules refuse the draw. Its random
// choices, seeded with the match, also keep two fixed policies out of the endless
// cycles a stock that is never shuffled would allow. With the rule "until the end
// command" it gives that command during the game after a set number of finished ones.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "engine/game_options.h"
#include "testing/null_presentation.h"
#include "common/random_source.h"

namespace tarvel {

struct MatchSetup {
    GameOptions options;
    std::uint64_t seed = 1;            // seeds the shuffles and the choice of the first beginner
    std::uint16_t gamesBeforeEnd = 2;  // with numberofgames 0: finished games before the end command may come
};

struct MatchReport {
    std::string fault;               // empty when the match ran cleanly to its end
    std::uint32_t games = 0;         // games finished
    std::uint64_t moves = 0;         // player commands that changed the table, each with the computer's reply
    std::uint64_t commands = 0;      // every command given, refused ones included
    std::uint64_t longestGame = 0;   // the most moves one game took
    std::vector<std::string> trail;  // the player's moves, when recording

    bool Clean() const { return fault.empty(); }
};

// "seed 17 pickupforseven 3 kingofspades 1 …": enough to replay the match.
std::string DescribeSetup(const MatchSetup& setup);

// Every combination of the rules: seven 2 or 3, king of spades, return rule, points,
// compulsory, shuffle after turning, 4..10 cards dealt, 0..3 games.
std::vector<GameOptions> EveryRuleCombination();

class SelfPlayDriver {
  public:
    struct Settings {
        bool checkTable = true;                // check the table and the tallies after every command
        bool recordTrail = false;              // write each move into the report's trail
        std::uint32_t maxMovesPerGame = 2000;  // a game that takes longer counts as hung
    };

    SelfPlayDriver() : SelfPlayDriver(Settings{}) {}
    explicit SelfPlayDriver(Settings settings) : SelfPlayDriver(settings, silent_) {}
    // The engine speaks into `presentation`, to trace a match that went wrong.
    SelfPlayDriver(Settings settings, PresentationPort& presentation);

    // Plays one match from the menu's new-match command to its end. Successive matches
    // run on the same engine, as a player starts them one after another.
    MatchReport PlayMatch(const MatchSetup& setup);

    const Engine& GameEngine() const { return engine_; }

  private:
    // A random source the driver can reseed for each match.
    class MatchRandom final : public RandomSource {
      public:
        void Reseed(std::uint64_t seed) { inner_ = StandardRandom(seed); }
        std::uint32_t Random(std::uint32_t n) override { return inner_.Random(n); }
        void SeedFromClock() override { inner_.SeedFromClock(); }

      private:
        StandardRandom inner_{1};
    };

    // What a refused command leaves untouched; any change means it was taken.
    struct TableMark {
        std::size_t player, computer, stock, pile, selected;
        std::uint16_t game;
        std::uint8_t wins, pendingDraw;
        bool running, suitChoice, acePending, returnPending, playerTurn;
        friend bool operator==(const TableMark&, const TableMark&) = default;
    };
    TableMark Mark() const;

    void Run(const MatchSetup& setup);
    void TakeTurn();
    bool TryDraw();
    void ChooseSuit();
    bool TryHandCards();
    void GiveEndCommand();
    void AfterCommand();
    void CheckWhileRunning();
    void CheckMatchEnd();
    void CheckKeysIdleAfterEnd();
    void Fail(std::string what);
    void Note(std::string_view move, std::string_view detail);
    std::uint32_t FinishedGames() const;

    Settings settings_;
    NullPresentation silent_;
    NoNetwork network_;
    MatchRandom random_;
    Engine engine_;
    std::mt19937 policyRandom_;  // the player's own choices, seeded with the match

    // The match being played.
    const MatchSetup* setup_ = nullptr;
    MatchReport report_;
    std::string_view command_;  // the command being given, for the fault report
    std::uint64_t movesThisGame_ = 0;
    std::int32_t lastPlayerPenalty_ = 0;
    std::int32_t lastOpponentPenalty_ = 0;
};

}  // namespace tarvel
