// A table set up by hand: hands, pile and stock as a scenario needs them, with the
// engine speaking into a recorder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "rules/card_names.h"
#include "tests/engine/fake_network.h"
#include "tests/engine/recording_presentation.h"
#include "tests/engine/table_setup.h"

namespace tarvel::testing {

// The entries one per line as a braced list, so a failing expectation shows the
// actual sequence in the form the test writes it.
inline std::string AsList(const Texts& texts) {
    std::string list = "{\n";
    for (const auto& text : texts) list += "    \"" + text + "\",\n";
    return list + "}";
}

// Every call the engine made, in order, against the expected list.
#define EXPECT_EVENTS(recorder, ...) \
    EXPECT_EQ((recorder).events, (Texts __VA_ARGS__)) << "actual: " << AsList((recorder).events)

// The first `count` entries.
inline Texts Head(const Texts& texts, std::size_t count) {
    return Texts(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(std::min(count, texts.size())));
}

class EngineFixture : public ::testing::Test {
  public:
    RecordingPresentation screen;
    FakeNetwork net;
    StandardRandom random{7};
    Engine engine{screen, net, random};
    GameState& state = engine.State();
    rules::Position& game = state.game;
    GameOptions& options = engine.Options();

    EngineFixture() {
        net.log = &screen.events;
    }

    static rules::CardId Card(const std::string& name) {
        const rules::CardId card = rules::IdOfName(name);
        EXPECT_NE(card, rules::kNoCard) << name;
        return card;
    }

    // Lays out a running game with the player to move and the first card selected.
    // The pile and the stock are listed from the bottom to the top; a suit marker
    // (" kára") on the pile names the suit over the queen under it.
    void Table(std::initializer_list<const char*> player, std::initializer_list<const char*> computer,
               std::initializer_list<const char*> pile, std::initializer_list<const char*> stock = {}) {
        Table(Texts(player.begin(), player.end()), Texts(computer.begin(), computer.end()),
              Texts(pile.begin(), pile.end()), Texts(stock.begin(), stock.end()));
    }
    void Table(const Texts& player, const Texts& computer, const Texts& pile, const Texts& stock) {
        LayOutTable(state, RulesOf(options), player, computer, pile, stock);
        screen.Clear();
    }

    // The computer's turn on the table as it lies.
    void ComputerMoves() {
        game.toMove = kOpponentSeat;
        engine.OpponentTurn();
    }

    void Select(std::size_t position) {
        state.selected = position;
    }

    // Selects the player's card of that name and plays it.
    void Play(const std::string& name) {
        const auto& cards = state.playerHand;
        for (std::size_t i = 0; i < cards.size(); ++i) {
            if (rules::CardName(cards[i]) == name) {
                Select(i + 1);
                engine.PlayPlayerCard();
                return;
            }
        }
        ADD_FAILURE() << "the player does not hold " << name;
    }

    static Texts Names(const std::vector<rules::CardId>& cards) { return testing::Names(cards); }
    Texts PileNames() const { return testing::PileNames(game); }
    Texts StockNames() const { return testing::StockNames(game); }
};

}  // namespace tarvel::testing
