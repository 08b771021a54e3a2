// Whole sequences: for one command on a table laid out by hand, every phrase and
// every call to the table and the window, in the order the player meets them.
#include <gtest/gtest.h>

#include <functional>

#include "tests/engine/engine_fixture.h"

namespace tarvel::testing {
namespace {

struct Scenario {
    std::string name;
    Texts player, computer, pile, stock;
    std::function<void(EngineFixture&)> arrange;  // rules and pending states; may be empty
    std::function<void(EngineFixture&)> command;
    Texts events;
    std::function<void(EngineFixture&)> after = {};  // what the table holds afterwards; may be empty
};

class Sequences : public EngineFixture, public ::testing::WithParamInterface<Scenario> {};

TEST_P(Sequences, EveryStepInItsPlace) {
    const Scenario& scenario = GetParam();
    Table(scenario.player, scenario.computer, scenario.pile, scenario.stock);
    if (scenario.arrange) scenario.arrange(*this);
    screen.Clear();
    scenario.command(*this);
    EXPECT_EQ(screen.events, scenario.events) << "actual: " << AsList(screen.events);
    if (scenario.after) scenario.after(*this);
}

auto Playing(std::string card) {
    return [card](EngineFixture& f) { f.Play(card); };
}
auto Drawing() {
    return [](EngineFixture& f) { f.engine.DrawCommand(); };
}
auto ChoosingSuit(std::uint8_t suit) {
    return [suit](EngineFixture& f) { f.engine.PlayerChoosesSuit(suit); };
}
auto ComputerMoving() {
    return [](EngineFixture& f) { f.ComputerMoves(); };
}
// A network game: this client is player 1, the opponent holds `cards`.
void Networked(EngineFixture& f, std::uint8_t cards) {
    f.engine.Net().active = true;
    f.engine.Net().playerNumber = '1';
    f.state.opponentCount = cards;
}

const Scenario kScenarios[] = {
    {"AnAcceptedCardAndTheComputersReply",
     {"9 piková", "8 srdcová"},
     {"10 piková", "kluk kárový"},
     {"9 srdcová"},
     {},
     {},
     Playing("9 piková"),
     {"PlayerLaid", "say |vyhození|6", "Label Vyhazuji", "say z|10 piková|11", "say |vyhození|6", "OpponentLaid 2", "TurnBegins"}},
    {"ACardOntoTheRequestedSuit",
     {"8 kárová", "8 srdcová"},
     {"10 piková", "kluk kárový"},
     {"dáma piková", " kára"},
     {"7 křížová"},
     {},
     Playing("8 kárová"),
     {"NamedSuitCovered", "PlayerLaid", "say |vyhození|6", "Label Vyhazuji", "say z|kluk kárový|11", "say |vyhození|6", "OpponentLaid 2", "TurnBegins"}},
    {"TheLastCardWinsTheLastGame",
     {"9 piková"},
     {"10 piková", "kluk kárový"},
     {"9 srdcová"},
     {},
     [](EngineFixture& f) { f.state.gameNumber = 3; },
     Playing("9 piková"),
     {"PlayerLaid", "say |vyhození|6", "say z|hráč poslední karta|1", "Won player", "say z|Jsi vítěz|1", "ScoreStep", "say z|konec hry|1", "MatchEnded"}},
    {"AQueenOpensTheSuitChoice",
     {"dáma piková", "8 srdcová"},
     {"10 kárová"},
     {"9 srdcová"},
     {},
     {},
     Playing("dáma piková"),
     {"PlayerLaid", "say |vyhození|6", "SuitChoiceOpened", "start z|na jakou barvu|1"}},
    {"UnderThePointerAQueenHoversOverHearts",
     {"dáma piková", "8 srdcová"},
     {"10 kárová"},
     {"9 srdcová"},
     {},
     [](EngineFixture& f) { f.options.saycardsundermouse = true; },
     Playing("dáma piková"),
     {"PlayerLaid", "say |vyhození|6", "SuitChoiceOpened", "start z|na jakou barvu|1"}},
    {"TheChosenSuitAndTheComputerFollowingIt",
     {"8 srdcová"},
     {"10 kárová", "kluk kárový"},
     {"9 srdcová", "dáma piková"},
     {},
     [](EngineFixture& f) {
         f.state.game.suitToName = true;
         f.state.selectedSuit = rules::kDiamonds;
     },
     ChoosingSuit(rules::kDiamonds),
     {"SuitChoiceClosed", "SuitNamed", "Selection keys", "Label Vyhazuji", "NamedSuitCovered", "say z|kluk kárový|11", "say |vyhození|6", "OpponentLaid 2", "TurnBegins"}},
    {"TheComputerChangesTheSuit",
     {"8 srdcová", "9 srdcová"},
     {"dáma kárová", "10 piková", "kluk pikový"},
     {"9 křížová"},
     {},
     {},
     ComputerMoving(),
     {"Label Vyhazuji", "say z|dáma kárová|11", "say |vyhození|6", "OpponentLaid 3", "SuitNamed", "Label měním", "say z|měním na|1", "say z|piky|1", "TurnBegins"}},
    {"TheComputerStandsOnAnAce",
     {"8 srdcová"},
     {"10 kárová"},
     {"eso srdcové"},
     {},
     [](EngineFixture& f) { f.state.game.acePending = true; },
     ComputerMoving(),
     {"say z|stojím|1", "Label Stojím", "TurnBegins"}},
    {"TheComputerAnswersAnAce",
     {"8 srdcová"},
     {"10 kárová", "eso kárové"},
     {"eso srdcové"},
     {},
     [](EngineFixture& f) { f.state.game.acePending = true; },
     ComputerMoving(),
     {"Label Vyhazuji", "say z|eso kárové|11", "say |vyhození|6", "OpponentLaid 2", "start z|Stojíš|1", "TurnBegins"}},
    {"TheComputerTakesThreeForASeven",
     {"8 srdcová"},
     {"10 kárová"},
     {"7 srdcová"},
     {"8 křížová", "9 křížová", "10 křížová"},
     [](EngineFixture& f) { f.state.game.pendingDraw = 3; },
     ComputerMoving(),
     {"say z|lížu|1", "Label lížu  3 karty", "OpponentDrew 2", "say |lízání|1", "OpponentDrew 3", "say |lízání|1", "OpponentDrew 4", "say |lízání|1", "TurnBegins"}},
    {"TheComputerTakesAKnownKingOfSpades",
     {"8 srdcová", "9 srdcová"},
     {"10 kárová", "9 kárová"},
     {"8 kárová"},
     {"eso křížové", "král pikový"},
     [](EngineFixture& f) {
         f.options.kingofspades = true;
         f.state.game.stockOrderKnown = true;
     },
     ComputerMoving(),
     {"say z|lížu|1", "Label lížu ", "OpponentDrew 3", "say |lízání|1", "TurnBegins"}},
    {"ADrawWithoutSayingTheCard",
     {"8 srdcová"},
     {"10 kárová", "kluk pikový"},
     {"9 kárová"},
     {"8 křížová", "eso pikové"},
     [](EngineFixture& f) { f.options.saypickedcards = false; },
     Drawing(),
     {"PlayerDrew 2", "say |lízání|1", "Label Vyhazuji", "say z|10 kárová|11", "say |vyhození|6", "OpponentLaid 2", "TurnBegins"}},
    {"PointsTheComputerWinsAndCountsThePlayersCards",
     {"dáma srdcová", "7 kárová"},
     {"9 srdcová"},
     {"10 srdcová"},
     {},
     [](EngineFixture& f) {
         f.options.playforpoints = true;
         f.state.opponentPenalty = 3;
     },
     ComputerMoving(),
     {"Label Vyhazuji", "say z|9 srdcová|11", "say |vyhození|6", "OpponentLaid 1", "say z|comp poslední karta|1", "Won opponent", "say z|jsem vítěz|1", "say z|zůstaly ti|1", "number z|2", "say z|karty|1", "say z|což je|1", "number z|47", "say z|bodů|1", "say z|Celkem máš|1", "number z|47", "say z|trestných|1", "say z|bodů|1", "say z|já mám|1", "number z|3", "say z|trestné|1", "say z|body|1", "leads z|47,3,3,1", "ScoreStep", "say z|hra|1", "number z|2", "TableCleared", "GameBegins", "Dealt", "say z|9 piková|11", "say z|Začínám|1", "Label Vyhazuji", "say z|9 srdcová|11", "say |vyhození|6", "OpponentLaid 5", "TurnBegins", "GameUnderWay", "TurnBegins"}},
    {"PointsThePlayerWinsAndCountsTheComputersCards",
     {"9 srdcová"},
     {"kluk kárový", "dáma piková"},
     {"10 srdcová"},
     {},
     [](EngineFixture& f) {
         f.options.playforpoints = true;
         f.state.playerPenalty = 2;
         f.state.gameNumber = 3;
     },
     Playing("9 srdcová"),
     {"PlayerLaid", "say |vyhození|6", "say z|hráč poslední karta|1", "Won player", "say z|Jsi vítěz|1", "say z|zůstaly mi|1", "number z|2", "say z|karty|1", "say z|což je|1", "number z|21", "say z|bodů|1", "say z|celkem mám|1", "number z|21", "say z|trestných|1", "say z|bodů|1", "say z|ty máš|1", "say z|dva|1", "say z|trestné|1", "say z|body|1", "leads z|2,21,3,3", "ScoreStep", "say z|konec hry|1", "MatchEnded"}},
    {"ReturnTheComputerPlaysOutAndWaits",
     {"7 piková", "8 kárová"},
     {"7 srdcová"},
     {"9 srdcová"},
     {"8 křížová", "9 křížová", "10 křížová"},
     [](EngineFixture& f) { f.options.returntogame = true; },
     ComputerMoving(),
     {"Label Vyhazuji", "say z|7 srdcová|11", "say |vyhození|6", "OpponentLaid 1", "say z|comp poslední karta|1", "start z|podívej se na vracení|1", "TurnBegins"}},
    {"ReturnThePlayerReturnsTheComputer",
     {"7 piková", "8 kárová"},
     {},
     {"9 srdcová", "7 srdcová"},
     {"8 křížová", "9 křížová", "10 křížová", "kluk křížový"},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.state.game.outSeat = kOpponentSeat;
         f.state.game.pendingDraw = 2;
         f.state.opponentCount = 0;
     },
     Playing("7 piková"),
     {"PlayerLaid", "say |vyhození|6", "say z|vracíš mě do hry|1", "say z|lížu|1", "Label lížu  4 karty", "OpponentDrew 1", "say |lízání|1", "OpponentDrew 2", "say |lízání|1", "OpponentDrew 3", "say |lízání|1", "OpponentDrew 4", "say |lízání|1", "TurnBegins"},
     [](EngineFixture& f) {
         EXPECT_EQ(f.state.opponentCount, 4);
         EXPECT_FALSE(f.state.ReturnPending());
         EXPECT_EQ(f.state.game.pendingDraw, 0);
     }},
    {"ReturnDecliningTakesThePendingCardsBeforeTheVerdict",
     {"8 kárová"},
     {},
     {"9 srdcová", "7 srdcová"},
     {"8 křížová", "9 křížová", "10 křížová"},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.options.playforpoints = true;
         f.state.game.outSeat = kOpponentSeat;
         f.state.game.pendingDraw = 2;
         f.state.opponentCount = 0;
         f.state.gameNumber = 3;
     },
     Drawing(),
     {"PlayerDrew 2", "say |lízání|1", "say m|10 křížová|11", "PlayerDrew 3", "say |lízání|1", "say m|9 křížová|11", "Won opponent", "say z|jsem vítěz|1", "say z|zůstaly ti|1", "number z|3", "say z|karty|1", "say z|což je|1", "number z|27", "say z|bodů|1", "say z|Celkem máš|1", "number z|27", "say z|trestných|1", "say z|bodů|1", "say z|já nemám žádný trestný bod|1", "leads z|27,0,3,3", "ScoreStep", "say z|konec hry|1", "MatchEnded"},
     [](EngineFixture& f) {
         EXPECT_EQ(f.state.playerPenalty, 27);
         EXPECT_EQ(f.state.opponentWins, 1);
         EXPECT_FALSE(f.state.ReturnPending());
     }},
    {"ReturnTheComputerHoldsOnlyASevenOfAnotherSuit",
     {"9 srdcová"},
     {"7 kárová", "8 piková"},
     {"10 srdcová"},
     {},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.state.gameNumber = 3;
     },
     Playing("9 srdcová"),
     {"PlayerLaid", "say |vyhození|6", "say z|hráč poslední karta|1", "Won player", "say z|Jsi vítěz|1", "ScoreStep", "say z|konec hry|1", "MatchEnded"}},
    {"ReturnTheComputerAnswersWithTheKingOfSpades",
     {"9 piková"},
     {"7 piková", "král pikový", "8 kárová"},
     {"10 piková"},
     {"8 křížová", "9 křížová", "10 křížová", "kluk křížový", "eso kárové", "dáma kárová"},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.options.kingofspades = true;
     },
     Playing("9 piková"),
     {"PlayerLaid", "say |vyhození|6", "say z|hráč poslední karta|1", "say z|ale já mám|1", "say z|pikového krále|1", "say z|a tak tě vracím|1", "say z|král pikový|11", "say |vyhození|6", "OpponentLaid 3", "PlayerDrew 1", "say |lízání|1", "say m|dáma kárová|11", "PlayerDrew 2", "say |lízání|1", "say m|eso kárové|11", "PlayerDrew 3", "say |lízání|1", "say m|kluk křížový|11", "PlayerDrew 4", "say |lízání|1", "say m|10 křížová|11", "PlayerDrew 5", "say |lízání|1", "say m|9 křížová|11", "Label Vyhazuji", "say z|7 piková|11", "say |vyhození|6", "OpponentLaid 2", "TurnBegins"},
     [](EngineFixture& f) {
         EXPECT_EQ(f.state.PlayerCount(), 5);
         EXPECT_EQ(f.state.game.pendingDraw, 2);
         EXPECT_TRUE(f.state.running);
     }},
    {"ReturnThePlayersLastSevenMakesTheComputerTakeItsCards",
     {"7 kárová"},
     {"8 srdcová", "kluk pikový"},
     {"9 kárová"},
     {"8 křížová", "9 křížová", "10 křížová"},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.options.playforpoints = true;
         f.state.gameNumber = 3;
     },
     Playing("7 kárová"),
     {"PlayerLaid", "say |vyhození|6", "say z|hráč poslední karta|1", "say z|lížu|1", "Label lížu  2 karty", "OpponentDrew 3", "say |lízání|1", "OpponentDrew 4", "say |lízání|1", "Won player", "say z|Jsi vítěz|1", "say z|zůstaly mi|1", "number z|4", "say z|karty|1", "say z|což je|1", "number z|28", "say z|bodů|1", "say z|celkem mám|1", "number z|28", "say z|trestných|1", "say z|bodů|1", "say z|ty nemáš žádný trestný bod|1", "leads z|0,28,3,3", "ScoreStep", "say z|konec hry|1", "MatchEnded"},
     [](EngineFixture& f) {
         EXPECT_EQ(f.state.opponentPenalty, 28);
         EXPECT_EQ(f.state.playerWins, 1);
     }},
    {"ReturnTheComputersLastAceCannotBeReturned",
     {"8 srdcová", "9 srdcová"},
     {"eso srdcové"},
     {"10 srdcová"},
     {},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.state.gameNumber = 3;
     },
     ComputerMoving(),
     {"Label Vyhazuji", "say z|eso srdcové|11", "say |vyhození|6", "OpponentLaid 1", "start z|Stojíš|1", "say z|comp poslední karta|1", "say z|nemůžeš vrátit|1", "Won opponent", "say z|jsem vítěz|1", "ScoreStep", "say z|konec hry|1", "MatchEnded"}},
    {"NetworkTheOpponentsLastAceCannotBeReturned",
     {"8 srdcová", "9 srdcová"},
     {},
     {"10 srdcová", "eso srdcové"},
     {},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.state.game.acePending = true;
         f.state.gameNumber = 3;
         Networked(f, 0);
     },
     [](EngineFixture& f) { f.engine.NetworkOpponentOut(); },
     {"say z|comp poslední karta|1", "send acecannotreturn", "say z|nemůžeš vrátit|1", "Won opponent", "say z|jsem vítěz|1", "ScoreStep", "say z|konec hry|1", "send end of game", "LeaveNetworkPlay", "MatchEnded"}},
    {"NetworkGivingUpTheReturnIsSent",
     {"8 kárová"},
     {},
     {"9 srdcová", "9 piková"},
     {},
     [](EngineFixture& f) {
         f.options.returntogame = true;
         f.state.game.outSeat = kOpponentSeat;
         f.state.gameNumber = 3;
         Networked(f, 0);
     },
     Drawing(),
     {"send i give it up", "Won opponent", "say z|jsem vítěz|1", "ScoreStep", "say z|konec hry|1", "send end of game", "LeaveNetworkPlay", "MatchEnded"}},
    {"NetworkTheOpponentsKingOfSpadesAddsFive",
     {"8 srdcová", "7 piková"},
     {},
     {"9 piková", "král pikový"},
     {},
     [](EngineFixture& f) {
         f.options.kingofspades = true;
         f.state.game.toMove = kOpponentSeat;
         Networked(f, 4);
     },
     [](EngineFixture& f) { f.engine.ApplyOpponentCard(f.Card("král pikový")); },
     {"OpponentLaid 4", "Selection keys"},
     [](EngineFixture& f) {
         EXPECT_EQ(f.state.game.pendingDraw, 5);
         EXPECT_EQ(f.state.opponentCount, 3);
         EXPECT_TRUE(f.state.PlayerTurn());
     }},
    {"NetworkThePlayersQueenSendsItsSuit",
     {"8 srdcová", "9 srdcová"},
     {},
     {"9 kárová", "dáma piková"},
     {},
     [](EngineFixture& f) {
         f.state.game.suitToName = true;
         f.state.selectedSuit = rules::kSpades;
         Networked(f, 4);
     },
     ChoosingSuit(rules::kSpades),
     {"send sendcolor= piky", "say |vyhození|6", "SuitChoiceClosed", "SuitNamed", "Selection keys", "Selection keys"}},
    {"NothingToDrawFromAnEmptyStock",
     {"8 srdcová"},
     {"8 kárová"},
     {"dáma srdcová", " srdce"},
     {},
     {},
     Drawing(),
     {"say z|není z čeho lízat|1", "say z|lížu|1", "say z|není z čeho lízat|1", "TurnBegins"}},
};

INSTANTIATE_TEST_SUITE_P(Engine, Sequences, ::testing::ValuesIn(kScenarios),
                         [](const auto& scenario) { return scenario.param.name; });

}  // namespace
}  // namespace tarvel::testing
