// The table's commands as a player gives them to a session: the Say commands, the keys,
// clicks on cards and suits, and the table told in one line.
#include <gtest/gtest.h>

#include "session/table/table_description.h"
#include "session/texts/client_strings.h"
#include "tests/engine/engine_fixture.h"
#include "tests/session/session_fixture.h"

namespace tarvel::testing {
namespace {

using session::Command;
using TableCommands = SessionFixture;

TEST_F(TableCommands, EverySayCommandSpeaksItsFactInItsVoice) {
    Table({"8 srdcová", "dáma piková", "eso kárové"}, {"9 kárová", "10 kárová"}, {"9 srdcová"});
    State().selected = 2;
    State().gameNumber = 2;
    State().playerWins = 1;
    State().opponentWins = 3;
    State().playerPenalty = 12;
    State().opponentPenalty = 0;
    const std::pair<Command, Texts> commands[] = {
        {Command::SaySelected, {"start m|dáma piková|11"}},
        {Command::SaySelectedValue, {"say m|20|1"}},
        {Command::SayAllCards, {"say m|8 srdcová|11", "say m|dáma piková|11", "say m|eso kárové|11"}},
        {Command::SayPileCard, {"start z|9 srdcová|11"}},
        {Command::SayGameNumber, {"say z|2|1"}},
        {Command::SayPlayerWins, {"say m|1|1"}},
        {Command::SayOpponentWins, {"say z|3|1"}},
        {Command::SayPlayerPoints, {"say m|12|1"}},
        {Command::SayOpponentPoints, {"say z|0|1"}},
        {Command::SayOpponentCount, {"say z|2|1"}},
        {Command::SayPlayerCount, {"say m|3|1"}},
    };
    for (const auto& [command, said] : commands) {
        Forget();
        session->Handle(command);
        EXPECT_EQ(Heard(), said) << static_cast<int>(command);
    }
    // Nothing is heard with the sounds off, yet the history keeps what was said.
    session->Handle(Command::ToggleSounds);
    Forget();
    const std::size_t kept = session->History().Entries().size();
    session->Handle(Command::SayPlayerCount);
    EXPECT_TRUE(Heard().empty());
    EXPECT_EQ(session->History().Entries().size(), kept + 1);
    EXPECT_EQ(output.answers.back().screenReaderText, "Ty: 3");
}

TEST_F(TableCommands, TheSelectionAndThePileDuringASuitChoice) {
    Table({"8 srdcová"}, {"9 kárová"}, {"9 srdcová", "dáma piková", " kára"});
    session->Handle(Command::SayPileCard);
    // The suit asked for, not the queen.
    EXPECT_EQ(Heard(), (Texts{"start z| kára|1"}));

    State().game.suitToName = true;
    State().selectedSuit = rules::kSpades;
    Forget();
    session->Handle(Command::SaySelected);
    session->Handle(Command::SaySelectedValue);  // nothing during a suit choice
    EXPECT_EQ(Heard(), (Texts{"start m| piky|1"}));
}

TEST_F(TableCommands, KeysMoveInTheHandOrTheSuitRowAndPlayOrChoose) {
    Table({"8 srdcová", "9 piková", "dáma křížová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"},
          {"7 křížová", "8 křížová"});
    for (Command key : {Command::SelectLast, Command::SelectPrevious, Command::SelectFirst, Command::SelectNext,
                        Command::SayPileCard, Command::SayOpponentCount}) {
        session->Handle(key);
    }
    EXPECT_EQ(Heard(), (Texts{"start m|dáma křížová|11", "start m|9 piková|11", "start m|8 srdcová|11",
                              "start m|9 piková|11", "start z|9 srdcová|11", "say z|2|1"}));
    EXPECT_EQ(State().selected, 2u);

    // Enter lays the queen; in the suit row the keys move over the suits and Space does nothing.
    session->Handle(Command::SelectNext);
    session->Handle(Command::Play);
    ASSERT_TRUE(State().SuitChoiceActive());
    Forget();
    for (Command key : {Command::DrawOrStand, Command::SelectLast, Command::SelectPrevious}) session->Handle(key);
    EXPECT_EQ(Heard(), (Texts{"start m|kříže|1", "start m| piky|1"}));
    EXPECT_EQ(State().PlayerCount(), 2);
    session->Handle(Command::Play);
    EXPECT_FALSE(State().SuitChoiceActive());
    EXPECT_EQ(PileNames(State().game).back(), "10 piková");  // the computer follows the spades asked for

    // Nothing happens while no game runs.
    State().running = false;
    Forget();
    for (Command key : {Command::SelectNext, Command::DrawOrStand, Command::Play}) session->Handle(key);
    EXPECT_TRUE(output.record.events.empty());
}

TEST_F(TableCommands, AClickPlaysTheCardItLandsOnOrTakesTheSuit) {
    Table({"8 srdcová", "9 piková", "9 kárová"}, {"10 piková", "kluk kárový"}, {"9 srdcová"},
          {"7 křížová", "8 křížová"});
    session->PlayCardAt(2, false);
    EXPECT_EQ(Head(output.record.events, 4), (Texts{"Selection", "say m|9 piková|11", "PlayerLaid", "say |vyhození|6"}));
    EXPECT_EQ(PileNames(State().game)[1], "9 piková");

    // Named already under the pointer: laid without naming it again.
    Table({"8 srdcová", "9 piková"}, {"10 piková", "kluk kárový"}, {"9 srdcová"}, {"7 křížová"});
    session->PlayCardAt(2, true);
    EXPECT_EQ(Head(output.record.events, 2), (Texts{"Selection", "PlayerLaid"}));

    // A suit clicked in the suit row is named and taken.
    Table({"8 srdcová", "dáma piková"}, {"10 kárová", "kluk kárový"}, {"9 srdcová"}, {"7 křížová"});
    session->PlayCardAt(2, true);
    Forget();
    session->NameSuit(rules::kDiamonds, false);
    EXPECT_EQ(Head(output.record.events, 2), (Texts{"say m| kára|1", "SuitChoiceClosed"}));
    EXPECT_EQ(rules::SuitOf(State().game.Top()), rules::kDiamonds);  // the computer follows the diamonds
}

TEST_F(TableCommands, AClickOutOfTurnSaysOffAndChangesNothing) {
    Table({"8 srdcová", "9 piková"}, {}, {"9 srdcová"});
    Game().Net().active = true;
    State().game.toMove = kOpponentSeat;
    session->PlayCardAt(2, false);
    session->NameSuit(rules::kHearts, false);
    EXPECT_EQ(output.record.events, (Texts{"start |off|1", "start |off|1"}));
    EXPECT_EQ(State().PlayerCount(), 2);
    EXPECT_EQ(State().selected, 1u);
}

TEST_F(TableCommands, TheTableIsToldInOneLineInEitherLanguage) {
    Localizer texts(ClientStrings());
    Table({"8 srdcová", "dáma piková", "eso kárové"}, {"9 kárová", "10 kárová"},
          {"9 srdcová", "dáma piková", " kára"});
    State().selected = 2;
    EXPECT_EQ(DescribeTable(State(), texts),
              "Vybraná karta: dáma piková, 2 z 3. Na hromádce: dáma piková, platí kára. Moje karty: 2.");
    texts.SetLanguageBase(kEnglishLanguageBase);
    State().game.suitToName = true;
    State().selectedSuit = rules::kClubs;
    EXPECT_EQ(DescribeTable(State(), texts), "Selected suit: kříže. On the pile: dáma piková, asked for kára. My cards: 2.");
    State().running = false;
    EXPECT_EQ(DescribeTable(State(), texts), "No game is running.");
}

}  // namespace
}  // namespace tarvel::testing
