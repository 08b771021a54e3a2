#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "protocol/client_messages.h"
#include "protocol/server_messages.h"

namespace tarvel::protocol {
namespace {

// Every message of the wire, written as the other side reads it: a described client or
// server knows only these bytes.
struct ClientCase {
    ClientKind kind;
    std::string_view value;
    std::string_view text;
};

constexpr ClientCase kClientCases[] = {
    {ClientKind::Gender, "z", "info pohlhrac1=z"},
    {ClientKind::UserName, "Jana=Eva", "info uzivatel1=Jana=Eva"},
    {ClientKind::SettingsDone, {}, "infosettings1 done"},
    {ClientKind::ReadyForDeal, {}, "req startcard1"},
    {ClientKind::SendCard, "eso pikové", "sendcard1=eso pikové"},
    {ClientKind::SendColor, " piky", "sendcolor1= piky"},
    {ClientKind::RequestCards, "3", "req card1=3"},
    {ClientKind::Standing, {}, "standing1"},
    {ClientKind::NoCardsLeft, {}, "i have no cards1"},
    {ClientKind::AceCannotReturn, {}, "acecannotreturn1"},
    {ClientKind::EndOfOneGame, {}, "end of one game1"},
    {ClientKind::GiveUp, {}, "i give it up1"},
    {ClientKind::Points, "15", "points1=15"},
    {ClientKind::EndOfMatch, {}, "end of game1"},
    {ClientKind::TerminateGame, {}, "terminategame1"},
    {ClientKind::Say, "a=b", "iwanttosay1=a=b"},
    {ClientKind::ReturnReady, {}, "reconnectready1"},
};

TEST(ClientMessages, EveryNumberedMessageIsWrittenAndReadBack) {
    for (const ClientCase& c : kClientCases) {
        const bool hasValue = !c.value.empty();
        const std::string text =
            FormatPlayerMessage(c.kind, '1', hasValue ? std::optional(c.value) : std::nullopt);
        EXPECT_EQ(text, c.text);
        const auto parsed = ParseClientMessage(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->kind, c.kind) << text;
        EXPECT_EQ(parsed->sender, "1") << text;
        EXPECT_EQ(parsed->value, c.value) << text;
    }
    for (int setting = 0; setting < kRuleSettingCount; ++setting) {
        const std::string text = FormatRuleSetting(setting, '0', "2");
        EXPECT_EQ(text, "info " + std::string(kRuleSettingNames[static_cast<std::size_t>(setting)]) + "0=2");
        const auto parsed = ParseClientMessage(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->kind, ClientKind::RuleSetting);
        EXPECT_EQ(parsed->settingIndex, setting);
        EXPECT_EQ(parsed->value, "2");
    }
}

TEST(ClientMessages, TheOpeningMessagesCarryNoDigit) {
    const struct {
        std::string text;
        ClientKind kind;
        std::string_view value;
    } cases[] = {
        {FormatJoin("U Karla"), ClientKind::Join, "U Karla"},
        {FormatCanReturn(), ClientKind::CanReturn, {}},
        {FormatReconnect("00ff", 7), ClientKind::Reconnect, "00ff;7"},
    };
    EXPECT_EQ(cases[0].text, "join=U Karla");
    EXPECT_EQ(cases[1].text, "canreconnect");
    EXPECT_EQ(cases[2].text, "reconnect=00ff;7");
    for (const auto& c : cases) {
        const auto parsed = ParseClientMessage(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->kind, c.kind);
        EXPECT_EQ(parsed->sender, "");
        EXPECT_EQ(parsed->value, c.value);
    }
}

TEST(ClientMessages, WhatNoRuleNamesIsNotAMessage) {
    for (const char* text : {"", "=", "standing", "standing2", "standing01", "standing0=1", "Standing0",
                             "sendcard0", "sendcard2=eso pikové", "info kolikbrat2=1", "info barva0=1",
                             "infosettings2 done", "infosettings0 done ", "join", "reconnect",
                             "canreconnect0", "req startcardx", "end of game", "req card=3"}) {
        EXPECT_FALSE(ParseClientMessage(text)) << text;
    }
}

TEST(ClientMessages, TheDrawAndBothEndsTakeAnyCharacterAsTheDigit) {
    // The server has always read these by cutting the last character; which player that
    // names is its own check.
    for (const auto& [text, kind, sender] : {std::tuple{"req cardř=2", ClientKind::RequestCards, "ř"},
                                             std::tuple{"end of one game7", ClientKind::EndOfOneGame, "7"},
                                             std::tuple{"end of gamex", ClientKind::EndOfMatch, "x"}}) {
        const auto parsed = ParseClientMessage(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->kind, kind);
        EXPECT_EQ(parsed->sender, sender);
    }
}

TEST(ClientMessages, ReturnTicketAndNumbers) {
    EXPECT_EQ(ParseReturnTicket("abc;12").secret, "abc");
    EXPECT_EQ(ParseReturnTicket("abc;12").received, 12u);
    for (const char* bad : {"abc", "abc;", "abc;-1", "abc;1x", "abc; 1"}) {
        EXPECT_EQ(ParseReturnTicket(bad).secret, "abc") << bad;
        EXPECT_EQ(ParseReturnTicket(bad).received, 0u) << bad;
    }
    EXPECT_EQ(ParseSettingValue("7"), 7);
    EXPECT_EQ(ParseSettingValue("300"), 44);
    EXPECT_EQ(ParseSettingValue("000000000000000000000000010"), 10);
    for (const char* bad : {"", " 3", "3 ", "+3", "-3", "0x10", "tři"}) {
        EXPECT_EQ(ParseSettingValue(bad), std::nullopt) << bad;
        EXPECT_EQ(ParseCount(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(ParseCount("99999999999999999999"), kCountCeiling);
}

struct ServerCase {
    ServerKind kind;
    std::string_view value;
    std::string_view text;
};

constexpr ServerCase kServerCases[] = {
    {ServerKind::Busy, {}, "busy"},
    {ServerKind::SettingsRequest, {}, "req settings"},
    {ServerKind::SameName, {}, "samename"},
    {ServerKind::SettingsAgreed, {}, "oksettings"},
    {ServerKind::StartCardsDone, {}, "startcard done"},
    {ServerKind::OpponentDraws, {}, "opponentpickup"},
    {ServerKind::OpponentTakesCard, {}, "opptakescard"},
    {ServerKind::NothingToDraw, {}, "nocardforpickup"},
    {ServerKind::TurningPile, {}, "turningthedeck"},
    {ServerKind::DrawDone, {}, "pickup done"},
    {ServerKind::OpponentStands, {}, "i stand"},
    {ServerKind::OpponentOut, {}, "opp has no cards"},
    {ServerKind::AceCannotReturn, {}, "ace you cannot return me"},
    {ServerKind::OpponentGivesUp, {}, "opp gives it up"},
    {ServerKind::ForcedEnd, {}, "forcedendofgame"},
    {ServerKind::OpponentBack, {}, "opponentback"},
    {ServerKind::MatchOver, {}, "matchover"},
    {ServerKind::YourNumber, "0", "yournumber=0"},
    {ServerKind::DifferentSettings, "a, b, ", "diffsettings=a, b, "},
    {ServerKind::OpponentGender, "z", "opponentgender=z"},
    {ServerKind::FirstPlayer, "1", "firstplayer=1"},
    {ServerKind::YourStartCard, "7 srdcová", "yourstartcard=7 srdcová"},
    {ServerKind::PileStartCard, "dáma piková", "deckstartcard=dáma piková"},
    {ServerKind::PileStartSuit, " piky", "deckstartcolorcard= piky"},
    {ServerKind::OpponentCard, "král pikový", "deckcard=král pikový"},
    {ServerKind::OpponentSuit, " kříže", "deckcolorcard= kříže"},
    {ServerKind::YourCard, "eso srdcové", "yourcard=eso srdcové"},
    {ServerKind::OpponentPoints, "12", "opp points=12"},
    {ServerKind::Said, "x=y", "sayit=x=y"},
    {ServerKind::ReturnKey, "ab;60", "reconnectkey=ab;60"},
    {ServerKind::OpponentLost, "60", "opponentlost=60"},
    {ServerKind::Reconnected, "3", "reconnected=3"},
    {ServerKind::Position, "hand:", "position=hand:"},
    // A keyed message may carry an empty value and is still that message.
    {ServerKind::Said, "", "sayit="},
};

TEST(ServerMessages, EveryMessageIsWrittenAndReadBack) {
    for (const ServerCase& c : kServerCases) {
        const std::string text = FormatServerMessage(c.kind, c.value);
        EXPECT_EQ(text, c.text);
        const auto parsed = ParseServerMessage(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(parsed->kind, c.kind) << text;
        EXPECT_EQ(parsed->value, c.value) << text;
    }
}

TEST(ServerMessages, ABareWordIsOnlyItselfAndAKeywordNeedsItsEqualsSign) {
    for (const char* text : {"", "=", "busy=1", "busy ", "Busy", "yournumber", "deckcard", "opp points",
                             "sayit x", "=busy", "pickup done\n"}) {
        EXPECT_FALSE(ParseServerMessage(text)) << text;
    }
}

TEST(ServerMessages, ReturnKeyAndNumbers) {
    const std::string text = FormatReturnKey("0123", 60);
    const auto message = ParseServerMessage(text);
    ASSERT_TRUE(message);
    const ReturnKey key = ParseReturnKey(message->value);
    EXPECT_EQ(key.secret, "0123");
    EXPECT_EQ(key.waitSeconds, 60);
    for (const char* bad : {"0123", "0123;", "0123;x", "0123;-5"}) {
        EXPECT_EQ(ParseReturnKey(bad).secret, "0123") << bad;
        EXPECT_EQ(ParseReturnKey(bad).waitSeconds, 0) << bad;
    }
    EXPECT_EQ(ParseNumber("-12"), -12);
    for (const char* bad : {"", "1 ", "+1", "99999999999", "1e3"})
        EXPECT_EQ(ParseNumber(bad), std::nullopt) << bad;
}

}  // namespace
}  // namespace tarvel::protocol
