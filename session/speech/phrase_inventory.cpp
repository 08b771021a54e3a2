#include "session/speech/phrase_inventory.h"

#include <array>
#include <set>
#include <utility>

#include "rules/card_names.h"
#include "session/speech/sound_file_name.h"

namespace tarvel {
namespace {

// Announcements, comments, refusals and the end-of-game and match phrases, exactly as
// the game speaks them.
constexpr auto kAnnouncements = std::to_array<std::string_view>(
    {// Start of a game.
     "Začínáš", "Začínám", "Platí",
     // The opponent's moves and comments.
     "lížu", "není z čeho lízat", "Otáčím hromádku", "měním na", "stojím", "Stojíš", "vracíš mě do hry",
     "ale já mám", "pikového krále", "sedmičku", "a tak tě vracím", "nemůžeš vrátit", "podívej se na vracení",
     "nešvindluj", "comp poslední karta", "hráč poslední karta", "na jakou barvu",
     // Refusals and hints ("kartu nelze použít" has recordings of its own, below).
     "hoď eso", "hoď sedmičku", "nebo pikového krále", "a nebo to zabal", "a nebo si lízni",
     // End of a game won by the opponent.
     "jsem vítěz", "zůstala ti", "zůstaly ti", "zůstalo ti", "karta", "karty", "karet", "což je", "jeden bod",
     "dva", "body", "bodů", "Celkem máš", "jeden trestný bod", "trestné", "trestných",
     "já nemám žádný trestný bod", "já mám",
     // End of a game won by the player.
     "Jsi vítěz", "zůstala mi", "zůstaly mi", "zůstalo mi", "celkem mám", "ty nemáš žádný trestný bod",
     "ty máš",
     // The match and who leads it.
     "hra", "konec hry", "vyhráváš", "vyhrávám", "jsme na tom stejně", "jsi vítěz", "remíza",
     // A connection lost during a network match, and the return into it.
     "spojení se přerušilo", "zkouším to znovu", "spojení obnoveno", "soupeř ztratil spojení", "soupeř je zpět",
     "soupeř se nevrátil", "jsi na tahu", "jsem na tahu",
     // Number words beside the numerals.
     "sto", "sta", "set", "tisic", "tisice", "milion", "miliony", "milionu"});

// Phrases with several recordings, one chosen at random each time.
constexpr auto kVariedPhrases = std::to_array<std::pair<std::string_view, std::uint8_t>>({
    {"kartu nelze použít", 4},
});

constexpr std::uint8_t kCardNameVariant = 11;

constexpr auto kEffects = std::to_array<std::pair<std::string_view, std::uint8_t>>({
    {"okraj", 1},
    {"off", 1},
    {"on", 1},
    {"lízání", 1},
    {"vyhození", 6},
    {"tab", 1},
    {"champion", 1},
});

using TextPair = std::pair<std::string_view, std::string_view>;

// Numeral texts of NumberWords: "0".."20" and the tens "30".."90".
std::vector<std::string> NumeralTexts() {
    std::vector<std::string> numerals;
    for (int n = 0; n <= 20; ++n) numerals.push_back(std::to_string(n));
    for (int n = 30; n <= 90; n += 10) numerals.push_back(std::to_string(n));
    return numerals;
}

constexpr auto kNumeralWords = std::to_array<TextPair>({
    {"0", "nula"},       {"1", "jedna"},     {"2", "dvě"},        {"3", "tři"},      {"4", "čtyři"},
    {"5", "pět"},        {"6", "šest"},      {"7", "sedm"},       {"8", "osm"},      {"9", "devět"},
    {"10", "deset"},     {"11", "jedenáct"}, {"12", "dvanáct"},   {"13", "třináct"}, {"14", "čtrnáct"},
    {"15", "patnáct"},   {"16", "šestnáct"}, {"17", "sedmnáct"},  {"18", "osmnáct"}, {"19", "devatenáct"},
    {"20", "dvacet"},    {"30", "třicet"},   {"40", "čtyřicet"},  {"50", "padesát"}, {"60", "šedesát"},
    {"70", "sedmdesát"}, {"80", "osmdesát"}, {"90", "devadesát"},
});

// Texts whose recording says something other than the text itself.
constexpr auto kRewordings = std::to_array<TextPair>({
    {"tisic", "tisíc"},
    {"tisice", "tisíce"},
    {"milionu", "milionů"},
    {"comp poslední karta", "moje poslední karta"},
    {"hráč poslední karta", "tvoje poslední karta"},
});

// The rank digits of card names as the card is called: "7 srdcová" is "sedma srdcová".
constexpr auto kRankWords = std::to_array<TextPair>({
    {"7 ", "sedma "},
    {"8 ", "osma "},
    {"9 ", "devítka "},
    {"10 ", "desítka "},
});

template <std::size_t N>
const std::string_view* Lookup(const std::array<TextPair, N>& table, std::string_view key) {
    for (const auto& [from, to] : table) {
        if (from == key) return &to;
    }
    return nullptr;
}

std::vector<Recording> BuildRecordings() {
    std::vector<Recording> recordings;
    std::set<std::string> seen;
    const auto add = [&](std::string_view voice, const PhraseUse& use, bool effect) {
        int take = 0;
        for (const auto& suffix : AllVariantSuffixes(use.variant)) {
            Recording recording{SoundFileName(voice, use.text, suffix), std::string(voice), use.text,
                                effect ? std::string() : SpokenWords(use.text), ++take};
            if (seen.insert(recording.fileName).second) recordings.push_back(std::move(recording));
        }
    };
    for (const auto voice : {kMaleVoice, kFemaleVoice}) {
        for (const auto& use : VoicePhrases()) add(voice, use, false);
    }
    for (const auto& use : SoundEffects()) add("", use, true);
    return recordings;
}

}  // namespace

std::vector<PhraseUse> VoicePhrases() {
    std::vector<PhraseUse> phrases;
    for (const auto text : kAnnouncements) phrases.push_back({std::string(text), 1});
    for (const auto& [text, variant] : kVariedPhrases) phrases.push_back({std::string(text), variant});
    for (auto& numeral : NumeralTexts()) phrases.push_back({std::move(numeral), 1});
    for (std::uint8_t suit = 0; suit < 4; ++suit) phrases.push_back({rules::SuitMarker(suit), 1});
    for (rules::CardId card = 0; card < rules::kCards; ++card) phrases.push_back({rules::CardName(card), kCardNameVariant});
    return phrases;
}

std::vector<PhraseUse> SoundEffects() {
    std::vector<PhraseUse> effects;
    for (const auto& [text, variant] : kEffects) effects.push_back({std::string(text), variant});
    return effects;
}

std::vector<std::string> AllVariantSuffixes(std::uint8_t variant) {
    if (variant == 0) return {"", "1"};
    if (variant == 1) return {""};
    if (variant <= 10) {
        std::vector<std::string> suffixes;
        for (int choice = 1; choice <= variant; ++choice) suffixes.push_back(std::to_string(choice));
        return suffixes;
    }
    return {std::to_string(variant % 10)};
}

std::string SpokenWords(std::string_view text) {
    if (const auto* word = Lookup(kNumeralWords, text)) return std::string(*word);
    if (const auto* words = Lookup(kRewordings, text)) return std::string(*words);
    for (const auto& [digits, word] : kRankWords) {
        if (text.starts_with(digits)) return std::string(word) + std::string(text.substr(digits.size()));
    }
    if (text.starts_with(' ')) text.remove_prefix(1);
    return std::string(text);
}

const std::vector<Recording>& VoicePackRecordings() {
    static const std::vector<Recording> recordings = BuildRecordings();
    return recordings;
}

bool InventoryHasFile(std::string_view fileName) {
    static const std::set<std::string, std::less<>> names = [] {
        std::set<std::string, std::less<>> all;
        for (const auto& recording : VoicePackRecordings()) all.insert(recording.fileName);
        return all;
    }();
    return names.contains(fileName);
}

}  // namespace tarvel
