#include "tests/fuzz/client_fuzz_target.h"

#include <cstdlib>
#include <string_view>

#include "engine/engine.h"
#include "session/net/net_client_port.h"
#include "testing/null_presentation.h"
#include "common/random_source.h"
#include "session/net/server_dispatch.h"
#include "protocol/framing.h"

namespace tarvel::client_fuzzing {
namespace {

// The opening of a match that the input continues: the client is player 0 and holds five cards.
constexpr std::string_view kOpening =
    "yournumber=0\\req settings\\oksettings\\opponentgender=z\\firstplayer=0\\"
    "yourstartcard=7 srdcová\\yourstartcard=dáma piková\\yourstartcard=eso kárové\\"
    "yourstartcard=8 křížová\\yourstartcard=král pikový\\deckstartcard=9 srdcová\\startcard done\\";

class Client final : public NetClientPort, public NetworkPort {
  public:
    void Send(protocol::ClientKind, std::optional<std::string_view>) override {}
    void LeaveNetworkPlay() override { connected = false; }
    void SendMessage(const std::string&) override {}
    void CloseConnection() override { connected = false; }
    void CloseWaitingDialog() override {}
    void ShowMessage(const std::string&) override {}
    void EndProgram() override { connected = false; }
    void MatchAgreed() override {}
    void MessageFromOpponent(std::string_view) override {}
    std::string LocalizedText(int) override { return {}; }
    bool connected = true;
};

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

void RunInput(const std::uint8_t* data, std::size_t size) {
    NullPresentation screen;
    Client client;
    StandardRandom random(1);
    Engine engine(screen, client, random);
    engine.Options().returntogame = true;
    engine.Options().playforpoints = true;
    engine.Options().kingofspades = true;
    ServerDispatch dispatch(engine, client, "fuzz");
    dispatch.MatchRequested();
    protocol::MessageSplitter splitter;

    auto feed = [&](std::string_view bytes) {
        for (const std::string& message : splitter.Feed(bytes).messages) {
            if (!client.connected) return;
            dispatch.Handle(message);
        }
    };
    feed(kOpening);
    // The first byte sets the size of the reads and which moves the player makes.
    const std::size_t chunk = size > 0 ? 1 + data[0] % 16 : 1;
    const std::uint8_t moves = size > 0 ? data[0] : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = size > 0 ? 1 : 0; at < size && client.connected; at += chunk) {
        feed(rest.substr(at, chunk));
        const GameState& state = engine.State();
        Check(state.playerHand.size() <= 32 && state.selected <= state.playerHand.size());
        if ((moves & 0x80) != 0 && state.running && state.PlayerTurn() && !state.playerHand.empty()) {
            engine.SelectCard(1 + at % state.playerHand.size());
            engine.PlayPlayerCard();
            if (engine.State().SuitChoiceActive()) engine.PlayerChoosesSuit(rules::kDiamonds);
        } else if ((moves & 0x40) != 0 && state.running) {
            engine.DrawCommand();
        }
    }
    dispatch.ConnectionLost();
    // A client given a secret tries to come back; the player gives that up with Escape.
    if (dispatch.Returning()) dispatch.GiveUpReturn();
    Check(!engine.Net().active && engine.Net().waiting == NetworkWait::None && !dispatch.Returning());
}

std::vector<std::pair<std::string, std::string>> Seeds() {
    return {
        {"moves", "\xc0" "deckcard=8 srdcová\\yourcard=9 kárová\\pickup done\\deckcard=dáma srdcová\\"
                  "deckcolorcard= piky\\opp points=7\\i stand\\opptakescard\\opponentpickup\\"},
        {"return", "\x81" "deckcard=7 srdcová\\opp has no cards\\yourcard=10 srdcová\\yourcard=kluk srdcový\\"
                   "pickup done\\opp points=3\\ace you cannot return me\\opp gives it up\\"},
        {"next-game", "\x05" "deckcard=eso srdcové\\opp has no cards\\opp points=12\\yournumber=0\\req settings\\"
                      "oksettings\\firstplayer=1\\yourstartcard=7 kárová\\deckstartcard=dáma kárová\\"
                      "deckstartcolorcard= srdce\\startcard done\\sayit=ahoj\\forcedendofgame\\"},
        {"refusals", "\x02" "diffsettings=kolikbrat\\busy\\samename\\"},
    };
}

}  // namespace tarvel::client_fuzzing
