#include "engine/rules_agreement.h"

#include <string>
#include <vector>

#include "rules/card_names.h"
#include "engine/rules_bridge.h"

namespace tarvel {

namespace {

// The first phrase the engine says when it refuses a card, for each reason.
std::string_view RefusalPhrase(rules::Refusal refusal) {
    switch (refusal) {
        case rules::Refusal::AceOwed:
            return "hoď eso";
        case rules::Refusal::ReturnWantsSeven:
        case rules::Refusal::ReturnWantsSevenOrKingOfSpades:
        case rules::Refusal::DrawWantsSeven:
        case rules::Refusal::DrawWantsSevenOrKingOfSpades:
            return "hoď sedmičku";
        case rules::Refusal::DoesNotFit:
            return "kartu nelze použít";
        case rules::Refusal::AnswerHeld:
            return "nešvindluj";
        default:
            return {};
    }
}

// The refusals as the table's rules say them on card names, written apart from the
// core: the first phrase of the refusal, or empty when the command is taken.
std::string_view NamedRefusal(const GameState& state, const GameOptions& options, const std::string& card) {
    const std::string& top = state.Pile.Top().Name;
    const bool kos = options.kingofspades;
    const bool answersDraw = IsSeven(card) || (kos && BeginsKingOfSpades(card));
    if (state.AcePending && !IsAce(card)) return "hoď eso";
    if (state.ReturnPending && !answersDraw) return "hoď sedmičku";
    if (state.PendingDraw > 0 && !answersDraw) return "hoď sedmičku";
    if (!FitsOn(card, top)) return "kartu nelze použít";
    return {};
}

std::string_view NamedDrawRefusal(const GameState& state, const GameOptions& options) {
    const std::string& top = state.Pile.Top().Name;
    bool answerHeld = false;
    for (const auto& card : state.PlayerHand.Cards()) {
        if (options.kingofspades) {
            answerHeld = answerHeld || (BeginsKingOfSpades(top) && IsSevenOfSpades(card.Name)) ||
                         (IsSevenOfSpades(top) && BeginsKingOfSpades(card.Name));
        } else {
            answerHeld = answerHeld || (IsSeven(top) && IsSeven(card.Name));
        }
    }
    bool holdsAce = false;
    for (const auto& card : state.PlayerHand.Cards()) holdsAce = holdsAce || IsAce(card.Name);
    if (!options.compulsory) return {};
    if (state.ReturnPending) return answerHeld ? "nešvindluj" : "";
    if (state.AcePending) return holdsAce ? "nešvindluj" : "";
    return state.PendingDraw > 0 && answerHeld ? "nešvindluj" : "";
}

bool IsRefusalPhrase(std::string_view text) {
    return text == "hoď eso" || text == "hoď sedmičku" || text == "kartu nelze použít" || text == "nešvindluj";
}

// How a game ended as the engine counts it.
struct Tally {
    std::uint16_t game;
    std::uint8_t playerWins, opponentWins;
    std::int32_t playerPenalty, opponentPenalty;
    bool running;
};
Tally TallyOf(const GameState& s) {
    return {s.GameNumber, s.PlayerWins, s.OpponentWins, s.PlayerPenalty, s.OpponentPenalty, s.GameRunning};
}

int HandPoints(rules::CardSet hand) {
    int points = 0;
    for (; hand != 0; hand &= hand - 1) points += rules::PointsOf(rules::LowestCard(hand));
    return points;
}

struct Target {
    rules::Position position;
    bool decided = false;
    std::uint8_t winner = rules::kNoSeat;
    std::int32_t loserPoints = 0;  // when playing for points
    bool forPoints = false;
};

std::string Describe(const rules::Position& p) {
    auto set = [](rules::CardSet cards) {
        std::string text = "{";
        for (; cards != 0; cards &= cards - 1) text += rules::CardOfId(rules::LowestCard(cards)).Name + ",";
        return text + "}";
    };
    std::string text = "hands " + set(p.hands[0]) + " " + set(p.hands[1]) + " stock";
    for (int i = 0; i < p.stockSize; ++i) text += " " + std::to_string(p.stock[static_cast<std::size_t>(i)]);
    text += " pile";
    for (int i = 0; i < p.pileSize; ++i) text += " " + std::to_string(p.pile[static_cast<std::size_t>(i)]);
    text += " named " + std::to_string(p.namedSuit) + " toMove " + std::to_string(p.toMove) + " pending " +
            std::to_string(p.pendingDraw) + " ace " + std::to_string(p.acePending) + " suit " +
            std::to_string(p.suitToName) + " out " + std::to_string(p.outSeat) + " known " +
            std::to_string(p.stockOrderKnown) + " winner " + std::to_string(p.winner);
    return text;
}

// Depth-first over the computer's replies: true when some reply, with the engine's
// automatic steps (the returned player's draw), ends where the engine ended.
template <typename Rng>
bool Search(rules::Position p, Rng random, const Target& target, int depth) {
    for (;;) {
        if (p.Over()) {
            if (!target.decided || p.winner != target.winner) return false;
            return !target.forPoints || HandPoints(p.hands[rules::OtherSeat(p.winner)]) == target.loserPoints;
        }
        if (p.toMove == kPlayerSeat && p.outSeat == kPlayerSeat) {
            rules::Apply(p, rules::Move{rules::MoveKind::Draw, 0}, random);  // taken by the engine at once
            continue;
        }
        break;
    }
    if (p.toMove == kPlayerSeat) return !target.decided && p == target.position;
    if (depth > 12) return false;
    // The computer keeps to the rules but not to the compulsory one, which binds the
    // player's draw command.
    const bool compulsory = p.rules.compulsory;
    p.rules.compulsory = false;
    const rules::MoveList replies = rules::LegalMoves(p);
    for (const rules::Move& reply : replies) {
        rules::Position next = p;
        Rng branch = random;
        rules::Apply(next, reply, branch);
        next.rules.compulsory = compulsory;
        if (Search(next, branch, target, depth + 1)) return true;
    }
    return false;
}

}  // namespace

void RulesAgreement::Give(Engine& engine, const Command& command) {
    switch (command.kind) {
        case Command::Kind::Card:
            engine.SelectCard(command.position);
            engine.PlayPlayerCard();
            break;
        case Command::Kind::Suit:
            engine.PlayerChoosesSuit(MarkerOfSuit(command.suit));
            break;
        case Command::Kind::Draw:
            engine.DrawCommand();
            break;
    }
}

void RulesAgreement::Fail(std::string what) {
    if (report_.fault.empty()) {
        report_.fault = std::move(what) + " (match " + std::to_string(report_.matches) + ", turn " +
                        std::to_string(report_.positions) + ")";
    }
}

bool RulesAgreement::Reaches(const rules::Position& before, rules::Move move, const Engine& after,
                             const CopyableRandom& random) {
    ++report_.moves;
    Target target;
    const Tally was = TallyOf(engine_.State()), now = TallyOf(after.State());
    target.forPoints = engine_.Options().playforpoints;
    if (now.game != was.game || now.playerWins != was.playerWins || now.opponentWins != was.opponentWins ||
        !now.running) {
        target.decided = true;
        target.winner = now.playerWins != was.playerWins ? kPlayerSeat : kOpponentSeat;
        target.loserPoints = target.winner == kPlayerSeat ? now.opponentPenalty - was.opponentPenalty
                                                          : now.playerPenalty - was.playerPenalty;
    } else {
        target.position = PositionOf(after.State(), after.Options());
    }
    rules::Position p = before;
    CopyableRandom coreRandom = random;
    if (rules::Apply(p, move, coreRandom).refusal != rules::Refusal::None) return false;
    return Search(p, coreRandom, target, 0);
}

bool RulesAgreement::ComparePlayerTurn() {
    const GameState& state = engine_.State();
    const rules::Position before = PositionOf(state, engine_.Options());
    if (before.toMove != kPlayerSeat) {
        Fail("the engine waits for the player while the core's mover is the opponent");
        return false;
    }
    ++report_.positions;
    const rules::MoveList legal = rules::LegalMoves(before);

    // Every command the player could give now, with the move it means to the core.
    struct Trial {
        Command command;
        rules::Move move;
    };
    std::vector<Trial> trials;
    if (state.SuitChoiceActive) {
        for (std::uint8_t suit = 0; suit < 4; ++suit)
            trials.push_back({{Command::Kind::Suit, 0, suit}, rules::Move::NameSuit(suit)});
    } else {
        for (std::size_t i = 1; i <= state.PlayerHand.Size(); ++i)
            trials.push_back({{Command::Kind::Card, i, 0}, rules::Move::Lay(rules::IdOfCard(state.PlayerHand.At(i)))});
        trials.push_back({{Command::Kind::Draw, 0, 0}, rules::Move{rules::TurnEndingKind(before), 0}});
    }

    std::size_t accepted = 0;
    std::vector<std::size_t> acceptedTrials;
    for (std::size_t t = 0; t < trials.size(); ++t) {
        RefusalEar ear;
        CopyableRandom random = random_;
        Engine trial(ear, network_, random);
        trial.State() = state;
        trial.Options() = engine_.Options();
        trial.Computer() = engine_.Computer();
        Give(trial, trials[t].command);
        const bool refusedByEngine = ear.heard && IsRefusalPhrase(ear.first);
        const std::string_view named =
            trials[t].command.kind == Command::Kind::Card
                ? NamedRefusal(state, engine_.Options(), state.PlayerHand.At(trials[t].command.position).Name)
            : trials[t].command.kind == Command::Kind::Draw ? NamedDrawRefusal(state, engine_.Options())
                                                            : std::string_view{};
        if (named != (refusedByEngine ? std::string_view(ear.first) : std::string_view{})) {
            Fail("the rules on card names say \"" + std::string(named) + "\", the engine \"" +
                 (refusedByEngine ? ear.first : std::string()) + "\"");
            return false;
        }
        const rules::Refusal refusal = rules::Check(before, trials[t].move);
        if (refusedByEngine != (refusal != rules::Refusal::None) ||
            legal.Contains(trials[t].move) != !refusedByEngine) {
            Fail("the engine " + std::string(refusedByEngine ? "refuses" : "accepts") + " " +
                 (trials[t].command.kind == Command::Kind::Card ? state.PlayerHand.At(trials[t].command.position).Name
                                                                 : std::string("the draw command or a suit")) +
                 " (\"" + ear.first + "\") where the core says refusal " + std::to_string(int(refusal)));
            return false;
        }
        if (refusedByEngine) {
            if (ear.first != RefusalPhrase(refusal)) {
                Fail("refused with \"" + ear.first + "\" for the core's reason " + std::to_string(int(refusal)));
                return false;
            }
            if (PositionOf(trial.State(), trial.Options()) != before) {
                Fail("a refused command changed the table");
                return false;
            }
            continue;
        }
        ++accepted;
        acceptedTrials.push_back(t);
        // The engine's table after the command (and the computer's reply) is one the core reaches.
        if (!Reaches(before, trials[t].move, trial, random_)) {
            rules::Position moved = before;
            CopyableRandom scratch = random_;
            rules::Apply(moved, trials[t].move, scratch);
            Fail("after an accepted command the engine's table is no position the core reaches:\n  before " +
                 Describe(before) + "\n  move " + std::to_string(int(trials[t].move.kind)) + " " +
                 std::to_string(trials[t].move.value) + "\n  core   " + Describe(moved) + "\n  engine " +
                 Describe(PositionOf(trial.State(), trial.Options())));
            return false;
        }
    }
    if (accepted != legal.size) {
        Fail("the core lists " + std::to_string(legal.size) + " moves, the engine accepts " + std::to_string(accepted));
        return false;
    }
    if (acceptedTrials.empty()) {
        Fail("the engine accepts no command at all");
        return false;
    }
    // Play on: a card when one may be laid, mostly, else the draw command.
    policy_ = policy_ * 1103515245u + 12345u;
    const std::uint32_t roll = policy_ >> 8;
    std::size_t choice = acceptedTrials[roll % acceptedTrials.size()];
    const bool onlyCardsToo = acceptedTrials.size() > 1 && trials[choice].command.kind == Command::Kind::Draw;
    if (onlyCardsToo && roll % 5 != 0) choice = acceptedTrials[(roll / 7) % (acceptedTrials.size() - 1)];
    Give(engine_, trials[choice].command);
    return true;
}

void RulesAgreement::PlayMatch(const GameOptions& options, std::uint64_t seed, std::uint64_t positions) {
    random_ = CopyableRandom(seed);
    policy_ = static_cast<std::uint32_t>(seed * 2654435761u + 1);
    engine_.Options() = options;
    engine_.ApplyGenderFromOptions();
    ++report_.matches;
    const std::uint64_t until = report_.positions + positions;
    engine_.Novhra1Click(true);
    std::uint16_t game = engine_.State().GameNumber;
    std::uint32_t turnsThisGame = 0;
    while (engine_.State().GameRunning && report_.positions < until && report_.fault.empty()) {
        if (!ComparePlayerTurn()) return;
        if (engine_.State().GameNumber != game || !engine_.State().GameRunning) {
            ++report_.games;
            game = engine_.State().GameNumber;
            turnsThisGame = 0;
        } else if (++turnsThisGame > 1000) {
            engine_.Ukonenhry1Click();  // a never-shuffled stock can keep a game going round
        }
    }
    if (engine_.State().GameRunning) engine_.Ukonenhry1Click();
}

}  // namespace tarvel
