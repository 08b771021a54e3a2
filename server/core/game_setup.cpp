// The set-up of each game (numbers, settings, comparison, agreement), the deal and
// the draws of a GameServer.
#include <algorithm>

#include "game_server.h"

namespace tarvel::server {
namespace {

// The most cards per hand that a 32-card deck can deal twice and still leave a start
// card. The clients offer 4 to 10; a larger count must not empty the stock.
constexpr std::uint8_t kMostDealtCards = 15;

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
        Send(player, "yournumber=" + Digit(player));
        Log("Uživateli " + PlayerAt(player)->address + " přiděleno číslo " + Digit(player));
    }
    Send(0, "req settings");
    Log("Uživateli 0 odeslán požadavek na nastavení");
    SetStep(SetupStep::AwaitingSettings0);
    AdvanceSetup();
}

void GameServer::AdvanceSetup() {
    for (;;) {
        switch (step_) {
            case SetupStep::AwaitingSettings0:
                if (!settingsComplete_[0]) return;
                Send(1, "req settings");
                Log("Uživateli 1 odeslán požadavek na nastavení");
                SetStep(SetupStep::AwaitingSettings1);
                break;
            case SetupStep::AwaitingSettings1:
                if (!settingsComplete_[1]) return;
                if (!CompareSettings()) {
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

bool GameServer::CompareSettings() {
    if (settings_[0].userName == settings_[1].userName) {
        Log("Uživatelé mají stejné jméno.");
        SendToBoth("samename");
        return false;
    }
    const std::string differing = DifferingSettingsMessage(settings_[0], settings_[1]);
    if (!differing.empty()) {
        Log(differing);
        SendToBoth("diffsettings=" + differing);
        return false;
    }
    return true;
}

void GameServer::AnnounceAgreement() {
    Log("Nastavení hráčů jsou shodná");
    for (int player = 0; player < 2; ++player) {
        Send(player, "oksettings");
        Log("Informace o shodě zaslána hráči " + Digit(player));
    }
    GiveReturnKeys();
    dealtCards_ = settings_[1].rules[kDealtCardsSetting];
    shuffleOnTurn_ = settings_[1].rules[kShuffleSetting] == 1;
    askedForNextGame_ = {};

    for (int player = 0; player < 2; ++player) {
        const std::string& gender = settings_[1 - player].gender;
        Send(player, "opponentgender=" + gender);
        Log("pohlaví oponenta hráče " + Digit(player) + " je " + gender);
    }
    const std::string first = Digit(static_cast<int>(random_.Random(2)));
    SendToBoth("firstplayer=" + first);
    Log("začíná hráč " + first + " - zasláno hráčům");
    // Cleared before any further message is handled: only requests after the agreement count.
    readyForDeal_ = {};
}

void GameServer::Deal() {
    random_.SeedFromClock();
    cards_.NewDeal(random_);
    const int perPlayer = std::min(dealtCards_, kMostDealtCards);
    for (int player = 0; player < 2; ++player) {
        for (int i = 0; i < perPlayer; ++i) Send(player, "yourstartcard=" + cards_.PopStockTo(player).Name);
        Log("Rozdány karty hráči " + Digit(player));
    }
    const typhodnoty start = cards_.PopStock();
    const auto marker = cards_.LayStartCard(start);
    SendToBoth("deckstartcard=" + start.Name);
    Log("hráčům zaslána vykládací karta");
    if (marker) {
        SendToBoth("deckstartcolorcard=" + std::string(*marker));
        Log("hráčům zaslána vykládací barva");
    }
    SendToBoth("startcard done");
}

void GameServer::Draw(int player, std::string_view countText) {
    const int other = 1 - player;
    auto count = ParseCount(countText);
    if (!count) {
        Log("hráč " + Digit(player) + " žádá nečíselný počet karet, platí 0");
        count = 0;
    }
    auto nothingToDraw = [&] {
        Send(player, "nocardforpickup");
        Log(Digit(player) + ": není z čeho lízat");
    };
    if (cards_.StockEmpty() && cards_.NothingToTurn()) {
        nothingToDraw();
        return;
    }
    Send(other, "opponentpickup");
    for (std::uint32_t i = 0; i < *count; ++i) {
        if (cards_.StockEmpty() && cards_.NothingToTurn()) {
            nothingToDraw();
            break;
        }
        if (cards_.StockEmpty()) {
            SendToBoth("turningthedeck");
            Log("Otáčím hromádku");
            cards_.TurnPile(shuffleOnTurn_, random_);
        }
        Send(player, "yourcard=" + cards_.PopStockTo(player).Name);
        Send(other, "opptakescard");
    }
    SendToBoth("pickup done");
}

void GameServer::ResetGame() {
    SetStep(SetupStep::Idle);
    ForgetReturns();
    settings_ = {};
    settingsComplete_ = {};
    readyForDeal_ = {};
    askedForNextGame_ = {};
    dealtCards_ = 0;
    shuffleOnTurn_ = false;
    cards_.Clear();
}

}  // namespace tarvel::server
