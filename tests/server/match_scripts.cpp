#include "tests/server/match_scripts.h"

#include "rules/card_names.h"

namespace tarvel::server::testing {
namespace {

using Kind = ScriptStep::Kind;

const std::string kConnected = "Klient připojen z adresy 127.0.0.1 přes port P";
const std::string kGone = "Odpojen klient127.0.0.1";
const Lines kSetupStarts = {"Uživateli 127.0.0.1 přiděleno číslo 0", "Uživateli 127.0.0.1 přiděleno číslo 1",
                            "Uživateli 0 odeslán požadavek na nastavení"};
const std::string kDiffIntro =
    "Nelze spustit hru, protože ve vašem nastavení se neshodují následující položky: ";

ScriptStep Connect(int client, Lines log) {
    return {Kind::Connect, client, {}, std::move(log)};
}
ScriptStep Disconnect(int client, Lines log) {
    return {Kind::Disconnect, client, {}, std::move(log)};
}
ScriptStep Send(int client, Lines messages, Lines log = {}) {
    return {Kind::Send, client, std::move(messages), std::move(log)};
}
ScriptStep Expect(int client, Lines messages) {
    return {Kind::Expect, client, std::move(messages), {}};
}
ScriptStep ExpectClosed(int client, Lines log) {
    return {Kind::ExpectClosed, client, {}, std::move(log)};
}

Lines Join(Lines a, const Lines& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Lines Repeat(const std::string& message, int count) {
    return Lines(static_cast<std::size_t>(count), message);
}

// Names of the deck cards from index `first` down: the order in which the stock gives them.
Lines CardsDown(const std::string& prefix, int first, int count) {
    Lines names;
    for (int i = first; i > first - count; --i) names.push_back(prefix + rules::CardName(static_cast<rules::CardId>(i)));
    return names;
}

struct Rules {
    std::string zamichat = "1";
    std::string pocetkol = "2";
    std::string dealt = "4";
};

Lines Settings(int player, const std::string& name, const std::string& gender, const Rules& rules = {}) {
    const std::string n = std::to_string(player);
    return {"info kolikbrat" + n + "=2",
            "info kralpikovy" + n + "=1",
            "info navratdohry" + n + "=1",
            "info hranabody" + n + "=1",
            "info donucen" + n + "=0",
            "info zamichat" + n + "=" + rules.zamichat,
            "info pocetkol" + n + "=" + rules.pocetkol,
            "info pocetrozdavanych" + n + "=" + rules.dealt,
            "info pohlhrac" + n + "=" + gender,
            "info uzivatel" + n + "=" + name,
            "infosettings" + n + " done"};
}

void Add(std::vector<ScriptStep>& steps, std::vector<ScriptStep> more) {
    steps.insert(steps.end(), more.begin(), more.end());
}

// Both players connected and numbered; the settings agree.
void AgreeOnSettings(std::vector<ScriptStep>& steps) {
    Add(steps, {
                   Expect(0, {"yournumber=0", "req settings"}),
                   Expect(1, {"yournumber=1"}),
                   Send(0, Settings(0, "Jana", "z"), {"Uživateli 1 odeslán požadavek na nastavení"}),
                   Expect(1, {"req settings"}),
                   Send(1, Settings(1, "Petr", "m"),
                        {"Nastavení hráčů jsou shodná", "Informace o shodě zaslána hráči 0",
                         "Informace o shodě zaslána hráči 1", "pohlaví oponenta hráče 0 je m",
                         "pohlaví oponenta hráče 1 je z", "začíná hráč 0 - zasláno hráčům"}),
                   Expect(0, {"oksettings", "opponentgender=m", "firstplayer=0"}),
                   Expect(1, {"oksettings", "opponentgender=z", "firstplayer=0"}),
               });
}

// Four cards each from the top of the stock; the queen of clubs turned up with her marker.
void Deal(std::vector<ScriptStep>& steps) {
    const Lines pile = {"deckstartcard=dáma křížová", "deckstartcolorcard= kříže", "startcard done"};
    Add(steps, {
                   Send(0, {"req startcard0"}),
                   Send(1, {"req startcard1"},
                        {"Rozdány karty hráči 0", "Rozdány karty hráči 1", "hráčům zaslána vykládací karta",
                         "hráčům zaslána vykládací barva"}),
                   Expect(0, Join(CardsDown("yourstartcard=", 31, 4), pile)),
                   Expect(1, Join(CardsDown("yourstartcard=", 27, 4), pile)),
               });
}

std::vector<ScriptStep> ConnectPair() {
    return {Connect(0, {kConnected}), Connect(1, Join({kConnected}, kSetupStarts))};
}

Script WholeMatch() {
    Script s{"WholeMatch", ConnectPair()};
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps,
        {
            Send(0, {"sendcard0=eso křížové"}, {"hráči 1 zaslána karta eso křížové"}),
            Expect(1, {"deckcard=eso křížové"}),
            Send(1, {"sendcard1=král křížový"}, {"hráči 0 zaslána karta král křížový"}),
            Expect(0, {"deckcard=král křížový"}),
            Send(0, {"sendcard0=dáma srdcová", "sendcolor0= piky"},
                 {"hráči 1 zaslána karta dáma srdcová", "hráči 1 zaslána barva  piky"}),
            Expect(1, {"deckcard=dáma srdcová", "deckcolorcard= piky"}),
            Send(1, {"standing1"}, {"hráč 1 stojí"}),
            Expect(0, {"i stand"}),
            Send(0, {"standing0"}, {"hráč 0 stojí"}),
            Expect(1, {"i stand"}),
            Send(1, {"sendcolor1= srdce"}, {"hráči 0 zaslána barva  srdce"}),
            Expect(0, {"deckcolorcard= srdce"}),
            Send(1, {"iwanttosay1=ahoj = jak se máš?"}, {"hráč 1 poslal zprávu (délka 18)"}),
            Expect(0, {"sayit=ahoj = jak se máš?"}),
            Send(0, {"iwanttosay0=Dobře"}, {"hráč 0 poslal zprávu (délka 5)"}),
            Expect(1, {"sayit=Dobře"}),
            // Draws from the stock.
            Send(0, {"req card0=2"}, {"hráč 0 líže 2 karet"}),
            Expect(0, Join(CardsDown("yourcard=", 22, 2), {"pickup done"})),
            Expect(1, {"opponentpickup", "opptakescard", "opptakescard", "pickup done"}),
            Send(1, {"req card1=21"}, {"hráč 1 líže 21 karet"}),
            Expect(1, Join(CardsDown("yourcard=", 20, 21), {"pickup done"})),
            Expect(0, Join(Join({"opponentpickup"}, Repeat("opptakescard", 21)), {"pickup done"})),
            // The stock is empty: the pile is turned (the start queen's marker dropped),
            // shuffled, and runs dry after three cards.
            Send(0, {"req card0=4"}, {"Otáčím hromádku", "0: není z čeho lízat", "hráč 0 líže 4 karet"}),
            Expect(0, {"turningthedeck", "yourcard=král křížový", "yourcard=eso křížové",
                       "yourcard=dáma křížová", "nocardforpickup", "pickup done"}),
            Expect(1, {"opponentpickup", "turningthedeck", "opptakescard", "opptakescard", "opptakescard",
                       "pickup done"}),
            // Nothing at all to draw: only the drawer hears of it, and the turn passes.
            Send(1, {"req card1=1"}, {"1: není z čeho lízat", "hráč 1 líže 1 karet"}),
            Expect(1, {"nocardforpickup", "pickup done"}),
            Expect(0, {"pickup done"}),
            // End of the first game.
            Send(0, {"i have no cards0"}, {"hráči 0 došly karty"}),
            Expect(1, {"opp has no cards"}),
            Send(1, {"acecannotreturn1"}),
            Expect(0, {"ace you cannot return me"}),
            Send(1, {"i give it up1"}, {"hráč 1 nemůže vrátit soupeře do hry"}),
            Expect(0, {"opp gives it up"}),
            Send(1, {"points1=15"}, {"hráč 1 zasílá počet trestných bodů=15"}),
            Expect(0, {"opp points=15"}),
            Send(1, {"end of one game1"}, {"hráč 1 zaslal požadavek na další hru"}),
            Send(0, {"end of one game0"},
                 Join({"hráč 0 zaslal požadavek na další hru", "Začíná nová hra"}, kSetupStarts)),
        });
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps, {
                     Send(0, {"sendcard0=eso pikové"}, {"hráči 1 zaslána karta eso pikové"}),
                     Expect(1, {"deckcard=eso pikové"}),
                     Send(1, {"i have no cards1"}, {"hráči 1 došly karty"}),
                     Expect(0, {"opp has no cards"}),
                     Send(0, {"acecannotreturn0"}),
                     Expect(1, {"ace you cannot return me"}),
                     Send(0, {"i give it up0"}, {"hráč 0 nemůže vrátit soupeře do hry"}),
                     Expect(1, {"opp gives it up"}),
                     Send(0, {"points0=7"}, {"hráč 0 zasílá počet trestných bodů=7"}),
                     Expect(1, {"opp points=7"}),
                     // The match is over: the clients leave, which is no loss.
                     Send(0, {"end of game0"}, {"hráč 0 zasílá konec hry"}),
                     Send(1, {"end of game1"}, {"hráč 1 zasílá konec hry"}),
                     Disconnect(0, {kGone}),
                     Disconnect(1, {kGone}),
                 });
    return s;
}

Script SameName() {
    Script s{"SameName", ConnectPair()};
    Add(s.steps, {
                     Expect(0, {"yournumber=0", "req settings"}),
                     Expect(1, {"yournumber=1"}),
                     Send(0, Settings(0, "Jana", "z"), {"Uživateli 1 odeslán požadavek na nastavení"}),
                     Expect(1, {"req settings"}),
                     Send(1, Settings(1, "Jana", "m"), {"Uživatelé mají stejné jméno."}),
                     Expect(0, {"samename"}),
                     Expect(1, {"samename"}),
                     Disconnect(1, {kGone}),
                     Disconnect(0, {kGone}),
                 });
    return s;
}

Script DifferentSettings() {
    const std::string refusal = kDiffIntro + "zamíchat karty po otočení hromádky, počet her, ";
    Rules other;
    other.zamichat = "0";
    other.pocetkol = "3";
    Script s{"DifferentSettings", ConnectPair()};
    Add(s.steps, {
                     Expect(0, {"yournumber=0", "req settings"}),
                     Expect(1, {"yournumber=1"}),
                     Send(0, Settings(0, "Jana", "z"), {"Uživateli 1 odeslán požadavek na nastavení"}),
                     Expect(1, {"req settings"}),
                     Send(1, Settings(1, "Petr", "m", other), {refusal}),
                     Expect(0, {"diffsettings=" + refusal}),
                     Expect(1, {"diffsettings=" + refusal}),
                     Disconnect(0, {kGone}),
                     Disconnect(1, {kGone}),
                 });
    return s;
}

Script ThirdClientAndEarlyEnd() {
    Script s{"ThirdClientAndEarlyEnd", ConnectPair()};
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps,
        {
            Connect(2, {kConnected, "Klient z adresy 127.0.0.1 přes port P odpojen, příliš mnoho klientů"}),
            Expect(2, {"busy"}),
            ExpectClosed(2, {kGone}),
            Send(1, {"sendcard1=7 piková"}, {"hráči 0 zaslána karta 7 piková"}),
            Expect(0, {"deckcard=7 piková"}),
            Send(0, {"terminategame0"}, {"Hráč 0 předčasně ukončil hru"}),
            Expect(1, {"forcedendofgame"}),
            Send(1, {"terminategame1"}, {"Hráč 1 předčasně ukončil hru"}),
            Expect(0, {"forcedendofgame"}),
            Disconnect(0, {kGone}),
            Disconnect(1, {kGone}),
        });
    return s;
}

const std::string kLost0 = "Hráč 0 se odpojil během hry, soupeři zasláno ukončení hry";
const std::string kLost1 = "Hráč 1 se odpojil během hry, soupeři zasláno ukončení hry";

Script LossWhileWaitingForPlayer0() {
    Script s{"LossWhileWaitingForPlayer0", ConnectPair()};
    Add(s.steps, {
                     Expect(0, {"yournumber=0", "req settings"}),
                     Expect(1, {"yournumber=1"}),
                     Disconnect(0, {kGone, kLost0}),
                     Expect(1, {"forcedendofgame"}),
                     // The one left is now player 0, and a new pair starts at once.
                     Connect(2, Join({kConnected}, kSetupStarts)),
                     Expect(1, {"yournumber=0", "req settings"}),
                     Expect(2, {"yournumber=1"}),
                     Disconnect(2, {kGone, kLost1}),
                     Expect(1, {"forcedendofgame"}),
                     Disconnect(1, {kGone}),
                 });
    return s;
}

Script LossWhileWaitingForPlayer1() {
    Script s{"LossWhileWaitingForPlayer1", ConnectPair()};
    Add(s.steps, {
                     Expect(0, {"yournumber=0", "req settings"}),
                     Expect(1, {"yournumber=1"}),
                     Send(0, Settings(0, "Jana", "z"), {"Uživateli 1 odeslán požadavek na nastavení"}),
                     Expect(1, {"req settings"}),
                     Disconnect(1, {kGone, kLost1}),
                     Expect(0, {"forcedendofgame"}),
                     Disconnect(0, {kGone}),
                 });
    return s;
}

Script LossWhileWaitingForTheDeal() {
    Script s{"LossWhileWaitingForTheDeal", ConnectPair()};
    AgreeOnSettings(s.steps);
    Add(s.steps, {
                     Send(0, {"req startcard0"}),
                     Disconnect(1, {kGone, kLost1}),
                     Expect(0, {"forcedendofgame"}),
                     Disconnect(0, {kGone}),
                 });
    return s;
}

Script LossDuringPlay() {
    Script s{"LossDuringPlay", ConnectPair()};
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps, {
                     Send(0, {"end of one game0"}, {"hráč 0 zaslal požadavek na další hru"}),
                     Disconnect(0, {kGone, kLost0}),
                     Expect(1, {"forcedendofgame"}),
                     Disconnect(1, {kGone}),
                 });
    return s;
}

// Messages behind the one that ends a wait, in the same read, are handled at once
// and in order; messages for the other player or of no rule change nothing.
Script OneReadAndForeignDigits() {
    const std::string foreign0 = "hráč 0 poslal zprávu za hráče 1, zpráva nebyla zpracována";
    Script s{"OneReadAndForeignDigits", ConnectPair()};
    Add(s.steps, {
                     Expect(0, {"yournumber=0", "req settings"}),
                     Expect(1, {"yournumber=1"}),
                     Send(0, Join(Settings(0, "Jana", "z"), {"iwanttosay0=hned"}),
                          {"Uživateli 1 odeslán požadavek na nastavení", "hráč 0 poslal zprávu (délka 4)"}),
                     Expect(1, {"req settings", "sayit=hned"}),
                     Send(0, {"sendcard1=eso pikové", "req card1=3", "end of one game1", "terminategame1"},
                          {foreign0, foreign0, foreign0, foreign0}),
                     Send(1, {"standing0"}, {"hráč 1 poslal zprávu za hráče 0, zpráva nebyla zpracována"}),
                     Send(1, {"", "hello", "info barva1=3", "sendcard1", "req card", "Standing1"}),
                     Disconnect(1, {kGone, kLost1}),
                     Expect(0, {"forcedendofgame"}),
                     Disconnect(0, {kGone}),
                 });
    return s;
}

// A dealt-cards count that is not a number counts as 0 on both sides: they agree, and
// the deal gives no cards, only the start card.
Script NonDecimalDealtCount() {
    Rules odd;
    odd.dealt = "čtyři";
    const std::string note = "zaslal nečíselnou hodnotu položky pocetrozdavanych, platí 0";
    Script s{"NonDecimalDealtCount", ConnectPair()};
    Add(s.steps,
        {
            Expect(0, {"yournumber=0", "req settings"}),
            Expect(1, {"yournumber=1"}),
            Send(0, Settings(0, "Jana", "z", odd),
                 {"hráč 0 " + note, "Uživateli 1 odeslán požadavek na nastavení"}),
            Expect(1, {"req settings"}),
            Send(1, Settings(1, "Petr", "m", odd),
                 {"hráč 1 " + note, "Nastavení hráčů jsou shodná", "Informace o shodě zaslána hráči 0",
                  "Informace o shodě zaslána hráči 1", "pohlaví oponenta hráče 0 je m",
                  "pohlaví oponenta hráče 1 je z", "začíná hráč 0 - zasláno hráčům"}),
            Expect(0, {"oksettings", "opponentgender=m", "firstplayer=0"}),
            Expect(1, {"oksettings", "opponentgender=z", "firstplayer=0"}),
            Send(1, {"req startcard1"}),
            Send(0, {"req startcard0"},
                 {"Rozdány karty hráči 0", "Rozdány karty hráči 1", "hráčům zaslána vykládací karta"}),
            Expect(0, {"deckstartcard=eso křížové", "startcard done"}),
            Expect(1, {"deckstartcard=eso křížové", "startcard done"}),
            Send(0, {"end of game0"}, {"hráč 0 zasílá konec hry"}),
            Disconnect(0, {kGone}),
            Disconnect(1, {kGone}),
        });
    return s;
}

// One player asking for the next game again and again counts once: only the other
// player's request starts the set-up.
Script RepeatedEndOfOneGame() {
    const std::string asked0 = "hráč 0 zaslal požadavek na další hru";
    Script s{"RepeatedEndOfOneGame", ConnectPair()};
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps, {
                     Send(0, {"i have no cards0"}, {"hráči 0 došly karty"}),
                     Expect(1, {"opp has no cards"}),
                     Send(0, Repeat("end of one game0", 3), {asked0, asked0, asked0}),
                     Send(0, {"end of one game0"}, {asked0}),
                     Send(1, {"iwanttosay1=ještě?"}, {"hráč 1 poslal zprávu (délka 6)"}),
                     Expect(0, {"sayit=ještě?"}),
                     Send(1, {"end of one game1"},
                          Join({"hráč 1 zaslal požadavek na další hru", "Začíná nová hra"}, kSetupStarts)),
                 });
    AgreeOnSettings(s.steps);
    Deal(s.steps);
    Add(s.steps, {
                     Send(0, {"end of game0"}, {"hráč 0 zasílá konec hry"}),
                     Send(1, {"end of game1"}, {"hráč 1 zasílá konec hry"}),
                     Disconnect(0, {kGone}),
                     Disconnect(1, {kGone}),
                 });
    return s;
}

}  // namespace

Lines SettingsMessages(int player, const std::string& name, const std::string& gender) {
    return Settings(player, name, gender);
}

std::vector<Script> AllScripts() {
    return {WholeMatch(),
            SameName(),
            DifferentSettings(),
            ThirdClientAndEarlyEnd(),
            LossWhileWaitingForPlayer0(),
            LossWhileWaitingForPlayer1(),
            LossWhileWaitingForTheDeal(),
            LossDuringPlay(),
            OneReadAndForeignDigits(),
            NonDecimalDealtCount(),
            RepeatedEndOfOneGame()};
}

std::string WithoutPortNumber(const std::string& line) {
    static const std::string marker = " přes port ";
    std::string result = line;
    for (auto at = result.find(marker); at != std::string::npos; at = result.find(marker, at + 1)) {
        const auto digits = at + marker.size();
        auto end = digits;
        while (end < result.size() && result[end] >= '0' && result[end] <= '9') ++end;
        if (end > digits) result.replace(digits, end - digits, "P");
    }
    return result;
}

}  // namespace tarvel::server::testing
