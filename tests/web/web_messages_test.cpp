// What a page may send, and what tarvelweb sends, held to the one message set.
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "web/messages/message_check.h"
#include "web/messages/page_request.h"
#include "web/messages/server_event.h"
#include "web/messages/typescript_export.h"
#include "web/texts/page_texts.h"

namespace tarvel::web {
namespace {

struct Refused {
    std::string frame;
    const char* reason;  // a part of the close reason the page gets
};

// Everything here must be refused with a reason, and must never reach a game.
TEST(PageRequest, RefusesWhatBreaksTheMessageSet) {
    const Refused cases[] = {
        {"", "not JSON"},
        {"{\"type\":\"command\"", "not JSON"},
        {"[1,2]", "not a JSON object"},
        {"{}", "no type"},
        {"{\"type\":7}", "no type"},
        {"{\"type\":\"launch\"}", "unknown message type launch"},
        {"{\"type\":\"command\"}", "lacks name"},
        {"{\"type\":\"command\",\"name\":\"cheat\"}", "no game command"},
        {"{\"type\":\"command\",\"name\":5}", "not a text"},
        {"{\"type\":\"command\",\"name\":\"play\",\"card\":3}", "unknown member card"},
        {"{\"type\":\"hello\",\"language\":\"de\"}", "not cs or en"},
        {"{\"type\":\"hello\",\"language\":\"czech\"}", "longer than 2"},
        {"{\"type\":\"hello\",\"language\":\"cs\",\"resume\":\"../../etc\"}", "not a session secret"},
        {"{\"type\":\"hello\",\"language\":\"cs\",\"resume\":\"0123456789ABCDEF0123456789abcdef\"}", "not a session secret"},
        {"{\"type\":\"scoreName\",\"name\":\"a\\u0000b\"}", "control character"},
        {"{\"type\":\"scoreName\",\"name\":\"abcdefghijklmnopqrstuvwxyzabcdefg\"}", "longer than 31"},
        // A page names a table, never a server; a message is as long as the desktop's field.
        {"{\"type\":\"networkMatch\"}", "lacks table"},
        {"{\"type\":\"networkMatch\",\"table\":\"x\",\"server\":\"10.0.0.1:22\"}", "unknown member server"},
        {"{\"type\":\"networkMatch\",\"table\":\"" + std::string(33, 't') + "\"}", "longer than 32"},
        {"{\"type\":\"chat\",\"text\":\"" + std::string(71, 'a') + "\"}", "longer than 70"},
        {"{\"type\":\"chat\",\"text\":\"a\\nb\"}", "control character"},
        // Settings the rules cannot play by never reach the game.
        {R"({"type":"settings","pickupForSeven":4,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,"numberOfGames":3,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"m","useTable":false,"computerLevel":0})",
         "pickupForSeven is not 2 or 3"},
        {R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,"numberOfGames":3,"compulsory":true,"shuffleCards":false,"dealtCards":11,"gender":"m","useTable":false,"computerLevel":0})",
         "dealtCards is not 4 to 10"},
        {R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,"numberOfGames":100,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"m","useTable":false,"computerLevel":0})",
         "numberOfGames is not 0 to 99"},
        {R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,"numberOfGames":3,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"x","useTable":false,"computerLevel":0})",
         "gender is not m or z"},
        {R"({"type":"settings","pickupForSeven":2,"kingOfSpades":false,"returnToGame":false,"playForPoints":false,"numberOfGames":3,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"m","useTable":false,"computerLevel":2})",
         "computerLevel is not 0 or 1"},
        {R"({"type":"settings","pickupForSeven":2,"kingOfSpades":"yes","returnToGame":false,"playForPoints":false,"numberOfGames":3,"compulsory":true,"shuffleCards":false,"dealtCards":5,"gender":"m","useTable":false,"computerLevel":0})",
         "kingOfSpades is not true or false"},
        {"{\"type\":\"keptScores\",\"table\":\"not*base64\"}", "not base64"},
        {"{\"type\":\"keptScores\"}", "lacks table"},
    };
    for (const Refused& refused : cases) {
        const ParsedRequest parsed = ParsePageRequest(QByteArray::fromStdString(refused.frame));
        EXPECT_FALSE(parsed.request.has_value()) << refused.frame;
        EXPECT_NE(parsed.error.find(refused.reason), std::string::npos) << refused.frame << " → " << parsed.error;
    }
}

TEST(PageRequest, ReadsWellFormedMessages) {
    const ParsedRequest hello = ParsePageRequest(
        R"({"type":"hello","language":"en","resume":"0123456789abcdef0123456789abcdef"})");
    ASSERT_TRUE(hello.request.has_value()) << hello.error;
    EXPECT_EQ(std::get<HelloRequest>(*hello.request).resume, "0123456789abcdef0123456789abcdef");

    // Every command the page's keys can send is one the game hears.
    for (std::size_t i = 0; i < GameCommandNames().size(); ++i) {
        const std::string frame = R"({"type":"command","name":")" + std::string(GameCommandNames()[i]) + "\"}";
        const ParsedRequest parsed = ParsePageRequest(QByteArray::fromStdString(frame));
        ASSERT_TRUE(parsed.request.has_value()) << frame << ": " << parsed.error;
        EXPECT_EQ(std::get<CommandRequest>(*parsed.request).command, static_cast<GameCommand>(i));
    }

    const ParsedRequest settings = ParsePageRequest(
        R"({"type":"settings","pickupForSeven":3,"kingOfSpades":true,"returnToGame":true,"playForPoints":true,"numberOfGames":0,"compulsory":false,"shuffleCards":true,"dealtCards":10,"gender":"z","useTable":true,"computerLevel":1})");
    ASSERT_TRUE(settings.request.has_value()) << settings.error;
    GameOptions expected;
    expected.pickupforseven = 3;
    expected.kingofspades = expected.returntogame = expected.playforpoints = expected.shufflecards = true;
    expected.usetable = true;
    expected.numberofgames = 0;
    expected.compulsory = false;
    expected.dealtcards = 10;
    expected.playergender = "z";
    expected.computerlevel = kComputerStrong;
    EXPECT_EQ(std::get<SettingsRequest>(*settings.request).options, expected);

    const ParsedRequest name = ParsePageRequest(R"({"type":"scoreName","name":"Jiří Šťastný"})");
    ASSERT_TRUE(name.request.has_value()) << name.error;
    EXPECT_EQ(std::get<ScoreNameRequest>(*name.request).name, "Jiří Šťastný");

    const ParsedRequest match = ParsePageRequest(R"({"type":"networkMatch","table":"Přátelé u čaje"})");
    ASSERT_TRUE(match.request.has_value()) << match.error;
    EXPECT_EQ(std::get<NetworkMatchRequest>(*match.request).table, "Přátelé u čaje");
    const ParsedRequest chat = ParsePageRequest(R"({"type":"chat","text":"Dobrý tah!"})");
    ASSERT_TRUE(chat.request.has_value()) << chat.error;
    EXPECT_EQ(std::get<ChatRequest>(*chat.request).text, "Dobrý tah!");
}

// The page's TypeScript types are printed from the same tables: what tarvelweb sends must
// be what those types promise, or the page reads fields that are not there.
TEST(ServerEvent, EveryMessageFitsItsDescription) {
    TableView table;
    table.hand = {{"card1", "7 srdcová"}, {"card32", "eso křížové"}};
    table.selected = 1;
    table.pile = ShownItem{"card21", "dáma kárová"};
    table.requestedSuit = ShownItem{"col3", "piky"};
    const QByteArray frames[] = {
        FormatWelcome("0123456789abcdef0123456789abcdef", true),
        FormatSentence({{"m7 srdcova1", "7 srdcová"}, {"vyhozeni3", "vyhození"}}, "Ty: 7 srdcová", "cs"),
        FormatTable(table),
        FormatHistory({"Soupeř: lížu"}, false),
        FormatEnabled({GameCommand::NewMatch, GameCommand::Play}),
        FormatNotice("Žádná hra neběží."),
        FormatScores({{"1. Eva 12", "", "stačí na 1. místo v tabulce."}, true, true, false}),
        FormatKeepScores("table"),
        FormatNetwork({true, true, false, false}),
        FormatChat(std::string(255, 'a')),  // as long as a message from another program is read
    };
    static_assert(std::size(frames) == static_cast<std::size_t>(ServerMessage::ChatReceived) + 1, "one of each");
    for (const QByteArray& frame : frames) {
        const MessageCheck check = CheckMessage(QJsonDocument::fromJson(frame).object(), ServerMessages());
        EXPECT_NE(check.spec, nullptr) << frame.toStdString() << ": " << check.error;
    }
}

TEST(Generated, TypeScriptNamesEveryMessageAndText) {
    const std::string messages = MessagesTypeScript();
    for (const auto& set : {PageMessages(), ServerMessages()}) {
        for (const MessageSpec& spec : set) {
            EXPECT_NE(messages.find("type: \"" + std::string(spec.name) + "\""), std::string::npos) << spec.name;
        }
    }
    // A page text that comes out empty is a caption the page would show blank.
    for (const PageText& text : PageTexts()) {
        EXPECT_FALSE(PageTextIn(text, kCzechLanguageBase).empty()) << text.key;
        EXPECT_FALSE(PageTextIn(text, kEnglishLanguageBase).empty()) << text.key;
        EXPECT_EQ(PageTextIn(text, kCzechLanguageBase).find('&'), std::string::npos) << text.key;
    }
}

}  // namespace
}  // namespace tarvel::web
