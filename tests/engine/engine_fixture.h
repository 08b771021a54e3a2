// A table set up by hand: hands, pile and stock as a scenario needs them, with the
// engine speaking into a recorder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/deck.h"
#include "engine/engine.h"
#include "tests/engine/fake_network.h"
#include "tests/engine/recording_presentation.h"

namespace tarvel::testing {

using Texts = std::vector<std::string>;

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
    GameOptions& options = engine.Options();

    EngineFixture() {
        screen.state = &state;
        net.log = &screen.events;
    }

    static typhodnoty Card(const std::string& name) {
        if (IsSuitMarker(name)) return typhodnoty{name, {}, 20, 21};
        const auto card = FindCard(name);
        EXPECT_TRUE(card.has_value()) << name;
        return card.value_or(typhodnoty{});
    }

    // Lays out a running game with the player to move and the first card selected.
    // The pile and the stock are listed from the bottom to the top.
    void Table(std::initializer_list<const char*> player, std::initializer_list<const char*> computer,
               std::initializer_list<const char*> pile, std::initializer_list<const char*> stock = {}) {
        Table(Texts(player.begin(), player.end()), Texts(computer.begin(), computer.end()),
              Texts(pile.begin(), pile.end()), Texts(stock.begin(), stock.end()));
    }
    void Table(const Texts& player, const Texts& computer, const Texts& pile, const Texts& stock) {
        state.PlayerHand.Clear();
        state.OpponentHand.Clear();
        state.Pile.Clear();
        state.Stock.Clear();
        for (const auto& name : player) state.PlayerHand.AppendCard(Card(name));
        for (const auto& name : computer) state.OpponentHand.AppendCard(Card(name));
        for (const auto& name : pile) state.Pile.PushCard(Card(name));
        for (const auto& name : stock) state.Stock.PushCard(Card(name));
        state.PlayerCount = static_cast<std::uint8_t>(state.PlayerHand.Size());
        state.OpponentCount = static_cast<std::uint8_t>(state.OpponentHand.Size());
        state.GameRunning = true;
        state.GameOver = false;
        state.PendingDraw = 0;
        state.AcePending = state.ReturnPending = state.StockOrderKnown = false;
        state.SuitChoiceActive = state.RequestedSuitShown = false;
        state.PlayerTurn = true;
        state.GameNumber = 1;
        state.LastStarter = 1;
        if (!state.PlayerHand.Empty()) Select(1);
        screen.Clear();
    }

    void Select(std::size_t position) {
        state.SelectedIndex = position;
        state.MarkerX = static_cast<std::uint16_t>(20 * position + 5);
        state.CurrentCard = state.PlayerHand.At(position);
    }

    // Selects the player's card of that name and plays it.
    void Play(const std::string& name) {
        const auto& cards = state.PlayerHand.Cards();
        for (std::size_t i = 0; i < cards.size(); ++i) {
            if (cards[i].Name == name) {
                Select(i + 1);
                engine.PlayPlayerCard();
                return;
            }
        }
        ADD_FAILURE() << "the player does not hold " << name;
    }

    static std::vector<std::string> Names(const CardQueue& queue) {
        std::vector<std::string> names;
        for (const auto& card : queue.Cards()) names.push_back(card.Name);
        return names;
    }
    static std::vector<std::string> Names(const CardStack& stack) {
        std::vector<std::string> names;
        for (const auto& card : stack.BottomToTop()) names.push_back(card.Name);
        return names;
    }
};

}  // namespace tarvel::testing
