// Two sessions, no widgets, play a whole network match against the real server program
// on loopback, each on its own settings and its own phrases.
#include <gtest/gtest.h>

#include <functional>

#include "tests/net/server_program.h"
#include "tests/session/session_fixture.h"

namespace tarvel::testing {
namespace {

using session::Command;

struct Seat {
    Seat(quint16 port, const std::string& gender, const std::string& name) {
        store.options.playergender = gender;
        store.options.playforpoints = true;
        store.options.numberofgames = 2;
        store.net.ipaddress = "127.0.0.1";
        store.net.port = port;
        session::SessionSetup setup;
        setup.output = &output;
        setup.settings = &store;
        setup.userName = name;
        session = std::make_unique<session::Session>(std::move(setup));
    }
    bool Dealt() {
        return session->NetworkMatch() && session->Table().running &&
               session->GameEngine().Net().waiting == NetworkWait::None;
    }
    // The first card that fits, else a draw; the first suit in a suit choice. Nothing
    // while the cards asked for are on their way.
    bool Move() {
        const GameState& state = session->Table();
        if (!Dealt() || !state.PlayerTurn() || session->GameEngine().Net().awaitingCards) return false;
        if (state.SuitChoiceActive()) {
            session->Handle(Command::Play);
            return true;
        }
        session->Handle(Command::SelectFirst);
        for (std::size_t i = 0; i < state.playerHand.size(); ++i) {
            const std::size_t held = state.playerHand.size();
            session->Handle(Command::Play);
            if (state.playerHand.size() != held || !state.PlayerTurn()) return true;
            session->Handle(Command::SelectNext);
        }
        session->Handle(Command::DrawOrStand);
        return true;
    }

    MemoryStore store;
    RecordingOutput output;
    std::unique_ptr<session::Session> session;
};

// Both ask for a network match; true once both are dealt.
bool Meet(Seat& eva, Seat& petr) {
    eva.session->Handle(Command::NewNetworkMatch);
    petr.session->Handle(Command::NewNetworkMatch);
    return QTest::qWaitFor([&] { return eva.Dealt() && petr.Dealt(); }, 15000);
}

// Whoever's turn it is moves, until `done` or `moves` moves.
void PlayUntil(Seat& eva, Seat& petr, const std::function<bool()>& done, int moves) {
    for (int idle = 0; moves > 0 && idle < 200 && !done();) {
        if (eva.Move() || petr.Move()) {
            --moves;
            idle = 0;
        } else {
            ++idle;
            QTest::qWait(10);  // the server carries the move to the other side
        }
    }
}

TEST(SessionNetwork, TwoSessionsPlayAWholeMatchThroughTheServer) {
    EnsureCoreApplication();
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Seat eva(server.port, "z", "eva 1");
    Seat petr(server.port, "m", "petr 2");
    ASSERT_TRUE(Meet(eva, petr));
    EXPECT_EQ(eva.output.agreed, 1);
    EXPECT_FALSE(eva.session->Possible(Command::NewNetworkMatch));
    EXPECT_EQ(eva.session->Table().opponentVoice, "m");
    EXPECT_EQ(petr.session->Table().opponentVoice, "z");

    // A message reaches the other side as written, and its history keeps it.
    eva.session->SendMessage("Ahoj");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !petr.output.messages.empty(); }, 5000));
    EXPECT_EQ(petr.output.messages.front(), "Ahoj");

    PlayUntil(eva, petr, [&] { return !eva.session->NetworkMatch() && !petr.session->NetworkMatch(); }, 3000);
    for (Seat* seat : {&eva, &petr}) {
        EXPECT_FALSE(seat->session->NetworkMatch());
        EXPECT_FALSE(seat->session->Table().matchOn);
        EXPECT_TRUE(seat->output.told.empty()) << seat->output.told.front();
        EXPECT_EQ(seat->output.record.events.back(), "MatchEnded");
    }
    const GameState& x = eva.session->Table();
    const GameState& y = petr.session->Table();
    EXPECT_EQ(x.playerWins + x.opponentWins, 2);
    EXPECT_EQ(x.playerWins, y.opponentWins);
    EXPECT_EQ(x.playerPenalty, y.opponentPenalty);
    // Each heard the other's cards in the other's voice.
    const auto heardFrom = [](const RecordingOutput& output, const std::string& voice) {
        return std::count_if(output.phrases.begin(), output.phrases.end(), [&](const session::Phrase& phrase) {
            return phrase.voice == voice && rules::IdOfName(phrase.text) != rules::kNoCard;
        });
    };
    EXPECT_GT(heardFrom(eva.output, "m"), 0);
    EXPECT_GT(heardFrom(petr.output, "z"), 0);
}

// Two players of one gender hear each other in the same voice; the history still says
// which of them laid a card, and "repeat the opponent" repeats the opponent.
TEST(SessionNetwork, PlayersOfOneGenderAreToldApartInTheHistory) {
    EnsureCoreApplication();
    ServerProgram server;
    ASSERT_TRUE(server.Listening());
    Seat eva(server.port, "m", "eva 1");
    Seat petr(server.port, "m", "petr 2");
    ASSERT_TRUE(Meet(eva, petr));
    ASSERT_EQ(eva.session->Table().opponentVoice, eva.session->Table().playerVoice);
    const auto opponentNamedACard = [](const Seat& seat) {
        for (const Announcement& said : seat.session->History().Announcements()) {
            if (said.speaker != Speaker::Opponent) continue;
            for (rules::CardId card = 0; card < rules::kCards; ++card) {
                if (said.text.find(rules::CardName(card)) != std::string::npos) return true;
            }
        }
        return false;
    };
    PlayUntil(eva, petr, [&] { return opponentNamedACard(eva) && opponentNamedACard(petr); }, 40);
    EXPECT_TRUE(opponentNamedACard(eva));
    EXPECT_TRUE(opponentNamedACard(petr));
}

}  // namespace
}  // namespace tarvel::testing
