// The rules core and the engine's commands side by side: self-play matches in which,
// at every turn of the player, the engine accepts exactly the moves the core calls
// legal, refuses every other command with the phrase of the core's reason, and a
// refused command changes nothing. Used by the agreement test with a small count and by
// hand with a million.
#pragma once

#include <cstdint>
#include <string>

#include "engine/engine.h"
#include "engine/game_options.h"
#include "rules/moves.h"
#include "testing/null_presentation.h"
#include "common/random_source.h"

namespace tarvel {

struct AgreementReport {
    std::uint64_t positions = 0;  // player's turns compared move by move
    std::uint64_t moves = 0;      // commands tried
    std::uint32_t games = 0;      // games decided
    std::uint32_t matches = 0;
    std::string fault;  // empty while the two agree
};

class RulesAgreement {
  public:
    // Plays matches under `options` from `seed` until `positions` more turns have been
    // compared, a match has ended, or a disagreement is found.
    void PlayMatch(const GameOptions& options, std::uint64_t seed, std::uint64_t positions);
    const AgreementReport& Report() const { return report_; }

    // A random source whose whole state can be copied, so a trial command and the
    // core draw the same numbers as the game itself.
    class CopyableRandom final : public RandomSource {
      public:
        explicit CopyableRandom(std::uint64_t seed = 1) : inner_(seed) {}
        std::uint32_t Random(std::uint32_t n) override { return inner_.Random(n); }

      private:
        StandardRandom inner_;
    };

  private:
    // Hears only whether a command was refused: the first phrase after it.
    class RefusalEar final : public NullPresentation {
      public:
        void SayPhrase(std::string_view, std::string_view text, std::uint8_t) override { Hear(text); }
        void StartPhrase(std::string_view, std::string_view text, std::uint8_t) override { Hear(text); }
        std::string first;
        bool heard = false;

      private:
        void Hear(std::string_view text) {
            if (!heard) first = std::string(text);
            heard = true;
        }
    };

    // One command of the player: a card at a hand position, a suit, or the draw command.
    struct Command {
        enum class Kind { Card, Suit, Draw } kind = Kind::Draw;
        std::size_t position = 0;
        std::uint8_t suit = 0;
    };
    static void Give(Engine& engine, const Command& command);

    bool ComparePlayerTurn();
    void Fail(std::string what);

    NullPresentation silent_;
    NoNetwork network_;
    CopyableRandom random_;
    Engine engine_{silent_, network_, random_};
    AgreementReport report_;
    std::uint32_t policy_ = 1;
};

}  // namespace tarvel
