#include "testing/self_play.h"

#include <algorithm>
#include <exception>
#include <utility>

#include "testing/table_check.h"
#include "rules/card_names.h"

namespace tarvel {
namespace {

// Stops a match at its first fault.
struct SelfPlayFault {
    std::string what;
};

}  // namespace

std::string DescribeSetup(const MatchSetup& setup) {
    const GameOptions& o = setup.options;
    std::string text = "seed " + std::to_string(setup.seed) + " pickupforseven " +
                       std::to_string(o.pickupforseven) + " kingofspades " + std::to_string(o.kingofspades) +
                       " returntogame " + std::to_string(o.returntogame) + " playforpoints " +
                       std::to_string(o.playforpoints) + " compulsory " + std::to_string(o.compulsory) +
                       " shufflecards " + std::to_string(o.shufflecards) + " dealtcards " +
                       std::to_string(o.dealtcards) + " numberofgames " + std::to_string(o.numberofgames);
    if (o.numberofgames == 0)
        text += " (end command after " + std::to_string(setup.gamesBeforeEnd) + " games)";
    return text;
}

std::vector<GameOptions> EveryRuleCombination() {
    std::vector<GameOptions> all;
    // The six yes/no rules are the bits of `flags`; the seven rule is 2 or 3.
    for (int flags = 0; flags < 64; ++flags) {
        for (int dealt = 4; dealt <= 10; ++dealt) {
            for (int games = 0; games <= 3; ++games) {
                GameOptions o;
                o.pickupforseven = (flags & 1) ? 3 : 2;
                o.kingofspades = (flags & 2) != 0;
                o.returntogame = (flags & 4) != 0;
                o.playforpoints = (flags & 8) != 0;
                o.compulsory = (flags & 16) != 0;
                o.shufflecards = (flags & 32) != 0;
                o.dealtcards = static_cast<std::uint8_t>(dealt);
                o.numberofgames = static_cast<std::uint8_t>(games);
                all.push_back(o);
            }
        }
    }
    return all;
}

SelfPlayDriver::SelfPlayDriver(Settings settings, PresentationPort& presentation)
    : settings_(settings), engine_(presentation, network_, random_) {}

MatchReport SelfPlayDriver::PlayMatch(const MatchSetup& setup) {
    setup_ = &setup;
    report_ = MatchReport{};
    movesThisGame_ = 0;
    lastPlayerPenalty_ = lastOpponentPenalty_ = 0;
    command_ = {};
    try {
        Run(setup);
    } catch (const SelfPlayFault& fault) {
        report_.fault = fault.what;
    } catch (const std::exception& error) {
        report_.fault = "the engine threw \"" + std::string(error.what()) + "\"";
    }
    if (!report_.fault.empty()) {
        report_.fault += " — during \"" + std::string(command_) + "\", game " +
                         std::to_string(engine_.State().gameNumber) + ", move " +
                         std::to_string(report_.moves) + "; " + DescribeSetup(setup);
    }
    setup_ = nullptr;
    return std::move(report_);
}

void SelfPlayDriver::Run(const MatchSetup& setup) {
    random_.Reseed(setup.seed);
    policyRandom_.seed(static_cast<std::mt19937::result_type>(setup.seed ^ (setup.seed >> 32)));
    engine_.Options() = setup.options;
    engine_.OptionsChanged();
    const GameState& state = engine_.State();

    command_ = "new match";
    engine_.NewGameCommand(true);
    ++report_.commands;
    AfterCommand();
    while (state.running) {
        // Enough games played: the end command comes at some move of the next game.
        if (setup.options.numberofgames == 0 && FinishedGames() >= setup.gamesBeforeEnd &&
            policyRandom_() % 4 == 0) {
            GiveEndCommand();
        } else if (state.SuitChoiceActive()) {
            ChooseSuit();
        } else {
            TakeTurn();
        }
    }
    CheckMatchEnd();
    if (settings_.checkTable) CheckKeysIdleAfterEnd();
}

SelfPlayDriver::TableMark SelfPlayDriver::Mark() const {
    const GameState& s = engine_.State();
    return TableMark{s.playerHand.size(),
                     s.opponentHand.size(),
                     s.game.stockSize,
                     s.game.pileSize,
                     s.selected,
                     s.gameNumber,
                     static_cast<std::uint8_t>(s.playerWins + s.opponentWins),
                     s.game.pendingDraw,
                     s.running,
                     s.SuitChoiceActive(),
                     s.game.acePending,
                     s.ReturnPending(),
                     s.PlayerTurn()};
}

std::uint32_t SelfPlayDriver::FinishedGames() const {
    return std::uint32_t{engine_.State().playerWins} + engine_.State().opponentWins;
}

void SelfPlayDriver::TakeTurn() {
    // Now and then the player draws (stands, gives up) although a card might be played;
    // when the rules refuse that, a card it holds must be accepted instead.
    const bool drawFirst = policyRandom_() % 6 == 0;
    if (drawFirst && TryDraw()) return;
    if (TryHandCards()) return;
    if (!drawFirst && TryDraw()) return;
    Fail("the player is stuck: the draw was refused, yet no card of the hand was accepted");
}

bool SelfPlayDriver::TryDraw() {
    command_ = "draw";
    const TableMark before = Mark();
    engine_.DrawCommand();
    ++report_.commands;
    if (Mark() == before) return false;
    Note("draw", {});
    AfterCommand();
    return true;
}

bool SelfPlayDriver::TryHandCards() {
    const GameState& state = engine_.State();
    const std::size_t count = state.playerHand.size();
    if (count == 0) return false;
    // Walk the selection with the keys to the starting card, then on round the hand.
    const std::size_t start = 1 + policyRandom_() % count;
    command_ = "select";
    engine_.SelectFirstCard(true);
    for (std::size_t position = 1; position < start; ++position) engine_.SelectRight();
    for (std::size_t tried = 0; tried < count; ++tried) {
        const std::size_t position = (start - 1 + tried) % count + 1;
        command_ = "select";
        if (tried > 0) {
            if (position == 1) {
                engine_.SelectFirstCard(true);
            } else {
                engine_.SelectRight();
            }
        }
        if (state.selected != position) {
            Fail("moving the selection to card " + std::to_string(position) + " selected card " +
                 std::to_string(state.selected));
        }
        std::string name;
        if (settings_.recordTrail) name = rules::CardName(state.playerHand[position - 1]);
        command_ = "play";
        const TableMark before = Mark();
        engine_.PlayPlayerCard();
        ++report_.commands;
        if (Mark() != before) {
            Note("play ", name);
            AfterCommand();
            return true;
        }
    }
    return false;
}

void SelfPlayDriver::ChooseSuit() {
    // The suit the player holds a card of; hearts when only queens are left.
    std::uint8_t suit = rules::kHearts;
    for (const rules::CardId card : engine_.State().playerHand) {
        if (rules::RankOf(card) != rules::kQueen) {
            suit = rules::SuitOf(card);
            break;
        }
    }
    const std::string& marker = rules::SuitMarker(suit);
    command_ = "choose suit";
    engine_.PlayerChoosesSuit(suit);
    ++report_.commands;
    if (engine_.State().SuitChoiceActive()) Fail("the suit choice was not taken");
    Note("suit", marker);
    AfterCommand();
}

void SelfPlayDriver::GiveEndCommand() {
    command_ = "end match";
    engine_.EndMatchCommand();
    ++report_.commands;
    Note("end match", {});
    AfterCommand();
    if (engine_.State().running) Fail("the match goes on after the end command");
}

void SelfPlayDriver::AfterCommand() {
    ++report_.moves;
    const std::uint32_t finished = FinishedGames();
    if (finished != report_.games) {
        report_.longestGame = std::max(report_.longestGame, movesThisGame_);
        movesThisGame_ = 0;
        report_.games = finished;
    } else if (++movesThisGame_ > settings_.maxMovesPerGame) {
        Fail("the game did not end within " + std::to_string(settings_.maxMovesPerGame) + " moves");
    }
    if (!settings_.checkTable) return;
    if (std::string fault = FindTableFault(engine_.State()); !fault.empty()) Fail(std::move(fault));
    if (engine_.State().running) CheckWhileRunning();
}

void SelfPlayDriver::CheckWhileRunning() {
    const GameState& state = engine_.State();
    const GameOptions& rules = setup_->options;
    if (!state.PlayerTurn()) Fail("the command returned with the computer still to move");
    if (state.game.Over()) Fail("a game is running but decided");
    if (FinishedGames() + 1 != state.gameNumber) {
        Fail("game " + std::to_string(state.gameNumber) + " is running after " +
             std::to_string(FinishedGames()) + " won games");
    }
    if (rules.numberofgames > 0 && state.gameNumber > rules.numberofgames) {
        Fail("game " + std::to_string(state.gameNumber) + " of a match of " +
             std::to_string(rules.numberofgames));
    }
    if (!rules.playforpoints && (state.playerPenalty != 0 || state.opponentPenalty != 0)) {
        Fail("penalty points counted in a match not played for points");
    }
    if (state.playerPenalty < lastPlayerPenalty_ || state.opponentPenalty < lastOpponentPenalty_) {
        Fail("penalty points went down");
    }
    lastPlayerPenalty_ = state.playerPenalty;
    lastOpponentPenalty_ = state.opponentPenalty;
}

void SelfPlayDriver::CheckMatchEnd() {
    const GameState& state = engine_.State();
    const GameOptions& rules = setup_->options;
    report_.longestGame = std::max(report_.longestGame, movesThisGame_);
    if (rules.numberofgames > 0 ? FinishedGames() != rules.numberofgames
                                : FinishedGames() < setup_->gamesBeforeEnd) {
        Fail("the match ended after " + std::to_string(FinishedGames()) + " games");
    }
    if (state.playerPenalty < 0 || state.opponentPenalty < 0) Fail("negative penalty points");
    if (!rules.playforpoints && (state.playerPenalty != 0 || state.opponentPenalty != 0)) {
        Fail("penalty points counted in a match not played for points");
    }
}

void SelfPlayDriver::CheckKeysIdleAfterEnd() {
    command_ = "keys after the end";
    const TableMark before = Mark();
    engine_.PlayPlayerCard();
    engine_.DrawCommand();
    engine_.PlayerChoosesSuit(rules::kHearts);
    if (Mark() != before) Fail("a key changed the table after the match ended");
}

void SelfPlayDriver::Fail(std::string what) {
    throw SelfPlayFault{std::move(what)};
}

void SelfPlayDriver::Note(std::string_view move, std::string_view detail) {
    if (settings_.recordTrail) report_.trail.push_back(std::string(move) + std::string(detail));
}

}  // namespace tarvel
