// The set-up of each game (numbers, settings, comparison, agreement), the deal and
// the draws of a GameServer.
#include <algorithm>

#include "rules/card_names.h"
#include "server/core/game_server.h"
#include "server/core/shown_text.h"

namespace tarvel::server {
namespace {

using protocol::ServerKind;

std::string Digit(int player) {
    return std::to_string(player);
}

}  // namespace

void GameServer::SetStep(SetupStep step) {
    step_ = step;
    // Each player's wait gets the whole limit, counted from its own "req settings".
    if (step == SetupStep::AwaitingSettings0 || step == SetupStep::AwaitingSettings1) {
        timer_.Start(settingsTimeout_);
    } else {
        timer_.Stop();
    }
    WatchIdle(-1);
}

void GameServer::StartSetup() {
    if (PlayerCount() < 2) {
        SetStep(SetupStep::Idle);
        ForgetReturns();
        Log("Hra nemůže začít, připojen je jen jeden hráč");
        return;
    }
    settingsComplete_ = {};
    for (int player = 0; player < 2; ++player) {
        Send(player, ServerKind::YourNumber, Digit(player));
        Log("Uživateli " + PlayerAt(player)->address + " přiděleno číslo " + Digit(player));
    }
    Send(0, ServerKind::SettingsRequest);
    Log("Uživateli 0 odeslán požadavek na nastavení");
    SetStep(SetupStep::AwaitingSettings0);
    AdvanceSetup();
}

void GameServer::AdvanceSetup() {
    for (;;) {
        switch (step_) {
            case SetupStep::AwaitingSettings0:
                if (!settingsComplete_[0]) return;
                Send(1, ServerKind::SettingsRequest);
                Log("Uživateli 1 odeslán požadavek na nastavení");
                SetStep(SetupStep::AwaitingSettings1);
                break;
            case SetupStep::AwaitingSettings1:
                if (!settingsComplete_[1]) return;
                if (const SetupEnd end = CompareSettings(); end != SetupEnd::Agreed) {
                    // Told why, the pair leaves and is never paired again: a client that
                    // stayed would otherwise meet every newcomer. A client told of the same
                    // name ends its program and sees no more; one told of other rules
                    // closes by itself, and is closed if it does not.
                    for (int player = 1; player >= 0; --player) {
                        Connection* connection = PlayerAt(player);
                        if (connection == nullptr) continue;
                        SetupFailedFor(player);
                        connection->outOfPlay = true;
                        connection->closing = true;
                        if (end == SetupEnd::OtherRules) links_.Close(connection->id, kClosingGrace);
                    }
                    SetStep(SetupStep::Idle);
                    ForgetReturns();
                    return;
                }
                AnnounceAgreement();
                SetStep(SetupStep::AwaitingReady);
                break;
            case SetupStep::AwaitingReady:
                if (!readyForDeal_[0] || !readyForDeal_[1]) return;
                Deal();
                SetStep(SetupStep::Playing);
                return;
            case SetupStep::Idle:
            case SetupStep::Playing:
                return;
        }
    }
}

GameServer::SetupEnd GameServer::CompareSettings() {
    if (settings_[0].userName == settings_[1].userName) {
        Log("Uživatelé mají stejné jméno.");
        SendToBoth(ServerKind::SameName);
        return SetupEnd::SameName;
    }
    const std::string differing = DifferingSettingsMessage(settings_[0], settings_[1]);
    if (!differing.empty()) {
        Log(differing);
        SendToBoth(ServerKind::DifferentSettings, differing);
        return SetupEnd::OtherRules;
    }
    return SetupEnd::Agreed;
}

void GameServer::AnnounceAgreement() {
    Log("Nastavení hráčů jsou shodná");
    for (int player = 0; player < 2; ++player) {
        Send(player, ServerKind::SettingsAgreed);
        Log("Informace o shodě zaslána hráči " + Digit(player));
    }
    GiveReturnKeys();
    const std::uint8_t dealt = std::min(settings_[1].rules[protocol::kDealtCardsSetting], kMostDealtCards);
    agreedRules_ = RulesOfSettings(settings_[1], dealt);
    agreedPoints_ = PlaysForPoints(settings_[1]);
    askedForNextGame_ = {};

    for (int player = 0; player < 2; ++player) {
        const std::string& gender = settings_[1 - player].gender;
        Send(player, ServerKind::OpponentGender, gender);
        Log("pohlaví oponenta hráče " + Digit(player) + " je " + Shortened(gender, kShownGenderChars));
    }
    const std::string first = Digit(static_cast<int>(random_.Random(2)));
    match_.NoteFirstPlayer(first == "1" ? 1 : 0);
    SendToBoth(ServerKind::FirstPlayer, first);
    Log("začíná hráč " + first + " - zasláno hráčům");
    // Cleared before any further message is handled: only requests after the agreement count.
    readyForDeal_ = {};
}

void GameServer::Deal() {
    const DealtCards dealt = match_.Deal(agreedRules_, agreedPoints_);
    refusedMoves_ = {};
    for (int player = 0; player < 2; ++player) {
        for (const rules::CardId card : dealt.hands[static_cast<std::size_t>(player)]) {
            Send(player, ServerKind::YourStartCard, rules::CardName(card));
        }
        Log("Rozdány karty hráči " + Digit(player));
    }
    SendToBoth(ServerKind::PileStartCard, rules::CardName(dealt.start));
    Log("hráčům zaslána vykládací karta");
    // A queen turned up holds its own suit.
    if (const std::uint8_t suit = match_.Position().namedSuit; suit != rules::kNoSuit) {
        SendToBoth(ServerKind::PileStartSuit, rules::SuitMarker(suit));
        Log("hráčům zaslána vykládací barva");
    }
    SendToBoth(ServerKind::StartCardsDone);
}

void GameServer::Draw(int player, std::string_view countText, std::string_view text) {
    const auto count = protocol::ParseCount(countText);
    if (!count && !checkMoves_) LogForMessage("hráč " + Digit(player) + " žádá nečíselný počet karet, platí 0");
    DrawnCards drawn;
    if (!MoveAllowed(player, text, match_.Draw(player, count, !checkMoves_, drawn))) return;
    SendDraw(drawn);
    Log("hráč " + Digit(player) + " líže " + std::string(countText) + " karet");
}

void GameServer::SendDraw(const DrawnCards& drawn) {
    const int player = drawn.seat;
    const int other = 1 - player;
    auto nothingToDraw = [&] {
        Send(player, ServerKind::NothingToDraw);
        Log(Digit(player) + ": není z čeho lízat");
    };
    if (drawn.NothingAtAll()) {
        // The turn still passes, as when a draw runs dry: without the end of the draw
        // both players would wait for a turn that never comes. The opponent is told
        // first, as in every other draw: his bytes leave before the mover's.
        Send(other, ServerKind::DrawDone);
        nothingToDraw();
        Send(player, ServerKind::DrawDone);
        return;
    }
    Send(other, ServerKind::OpponentDraws);
    for (std::size_t i = 0; i <= drawn.cards.size(); ++i) {
        if (i == drawn.turnedBefore) {
            SendToBoth(ServerKind::TurningPile);
            Log("Otáčím hromádku");
        }
        if (i == drawn.cards.size()) break;
        Send(player, ServerKind::YourCard, rules::CardName(drawn.cards[i]));
        Send(other, ServerKind::OpponentTakesCard);
    }
    if (drawn.ranDry) nothingToDraw();
    SendToBoth(ServerKind::DrawDone);
}

void GameServer::ResetGame() {
    SetStep(SetupStep::Idle);
    ForgetReturns();
    settings_ = {};
    settingsComplete_ = {};
    readyForDeal_ = {};
    askedForNextGame_ = {};
    agreedRules_ = {};
    agreedPoints_ = false;
    refusedMoves_ = {};
    match_.StartMatch();
}

}  // namespace tarvel::server
