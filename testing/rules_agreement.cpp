#include "testing/rules_agreement.h"

#include <string>
#include <vector>

#include "rules/card_names.h"

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

bool IsRefusalPhrase(std::string_view text) {
    return text == "hoď eso" || text == "hoď sedmičku" || text == "kartu nelze použít" || text == "nešvindluj";
}

}  // namespace

void RulesAgreement::Give(Engine& engine, const Command& command) {
    switch (command.kind) {
        case Command::Kind::Card:
            engine.SelectCard(command.position);
            engine.PlayPlayerCard();
            break;
        case Command::Kind::Suit:
            engine.PlayerChoosesSuit(command.suit);
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

bool RulesAgreement::ComparePlayerTurn() {
    const GameState& state = engine_.State();
    const rules::Position& before = state.game;
    if (!state.PlayerTurn()) {
        Fail("the engine waits for a command while the core's mover is the opponent");
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
    if (state.SuitChoiceActive()) {
        for (std::uint8_t suit = 0; suit < 4; ++suit)
            trials.push_back({{Command::Kind::Suit, 0, suit}, rules::Move::NameSuit(suit)});
    } else {
        for (std::size_t i = 1; i <= state.playerHand.size(); ++i)
            trials.push_back({{Command::Kind::Card, i, 0}, rules::Move::Lay(state.playerHand[i - 1])});
        trials.push_back({{Command::Kind::Draw, 0, 0}, rules::Move{rules::TurnEndingKind(before), 0}});
    }

    std::vector<std::size_t> acceptedTrials;
    for (std::size_t t = 0; t < trials.size(); ++t) {
        ++report_.moves;
        RefusalEar ear;
        CopyableRandom random = random_;
        Engine trial(ear, network_, random);
        trial.State() = state;
        trial.Options() = engine_.Options();
        trial.Computer() = engine_.Computer();
        Give(trial, trials[t].command);
        const bool refusedByEngine = ear.heard && IsRefusalPhrase(ear.first);
        const rules::Refusal refusal = rules::Check(before, trials[t].move);
        if (refusedByEngine != (refusal != rules::Refusal::None) ||
            legal.Contains(trials[t].move) != !refusedByEngine) {
            Fail("the engine " + std::string(refusedByEngine ? "refuses" : "accepts") + " " +
                 (trials[t].command.kind == Command::Kind::Card
                      ? rules::CardName(state.playerHand[trials[t].command.position - 1])
                      : std::string("the draw command or a suit")) +
                 " (\"" + ear.first + "\") where the core says refusal " + std::to_string(int(refusal)));
            return false;
        }
        if (refusedByEngine) {
            if (ear.first != RefusalPhrase(refusal)) {
                Fail("refused with \"" + ear.first + "\" for the core's reason " + std::to_string(int(refusal)));
                return false;
            }
            if (!(trial.State().game == before)) {
                Fail("a refused command changed the table");
                return false;
            }
            continue;
        }
        acceptedTrials.push_back(t);
    }
    if (acceptedTrials.size() != legal.size) {
        Fail("the core lists " + std::to_string(legal.size) + " moves, the engine accepts " +
             std::to_string(acceptedTrials.size()));
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
    engine_.OptionsChanged();
    ++report_.matches;
    const std::uint64_t until = report_.positions + positions;
    engine_.NewGameCommand(true);
    std::uint16_t game = engine_.State().gameNumber;
    std::uint32_t turnsThisGame = 0;
    while (engine_.State().running && report_.positions < until && report_.fault.empty()) {
        if (!ComparePlayerTurn()) return;
        if (engine_.State().gameNumber != game || !engine_.State().running) {
            ++report_.games;
            game = engine_.State().gameNumber;
            turnsThisGame = 0;
        } else if (++turnsThisGame > 1000) {
            engine_.EndMatchCommand();  // a never-shuffled stock can keep a game going round
        }
    }
    if (engine_.State().running) engine_.EndMatchCommand();
}

}  // namespace tarvel
