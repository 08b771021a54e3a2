#include "web/texts/page_texts.h"

#include <array>

#include "session/texts/client_strings.h"

namespace tarvel::web {
namespace {

using S = TextSource;

constexpr std::array kPageTexts{
    PageText{"title", S::Client, 1},
    PageText{"gameMenu", S::Client, 2},
    PageText{"newMatch", S::Client, 3},
    PageText{"endMatch", S::Client, 4},
    PageText{"sayMenu", S::Client, 6},
    PageText{"selectedCard", S::Client, 7},
    PageText{"selectedValue", S::Client, 8},
    PageText{"pileCard", S::Client, 9},
    PageText{"allCards", S::Client, 10},
    PageText{"gameNumber", S::Client, 11},
    PageText{"playerWins", S::Client, 12},
    PageText{"opponentWins", S::Client, 13},
    PageText{"playerPoints", S::Client, 14},
    PageText{"opponentPoints", S::Client, 15},
    PageText{"opponentCount", S::Client, 16},
    PageText{"playerCount", S::Client, 17},
    PageText{"optionsMenu", S::Client, 18},
    PageText{"toggleSounds", S::Client, 19},
    PageText{"toggleSayDrawn", S::Client, 20},
    PageText{"tablePoints", S::Client, 88},
    PageText{"tableCaption", S::Client, 125},
    PageText{"noMatchRunning", S::Client, 126},
    PageText{"historyMenu", S::Client, 160},
    PageText{"repeatOpponent", S::Client, 161},
    PageText{"previousAnnouncement", S::Client, 162},
    PageText{"nextAnnouncement", S::Client, 163},
    PageText{"historyHeading", S::Client, 165},
    PageText{"nothingYet", S::Client, 169},
    PageText{"speechRecordings", S::Client, 171},
    PageText{"speechScreenReader", S::Client, 173},
    PageText{"startNotice", S::Web, 1},
    PageText{"yourCards", S::Web, 2},
    PageText{"keysHeading", S::Web, 3},
    PageText{"connectionLost", S::Web, 4},
    PageText{"connectionBack", S::Web, 5},
    PageText{"connectionClosed", S::Web, 6},
    PageText{"chooseSuit", S::Web, 7},
    PageText{"hearingHeading", S::Web, 8},
    PageText{"focusHistory", S::Web, 9},
    PageText{"focusHand", S::Web, 10},
    PageText{"keySpace", S::Web, 11},
    PageText{"keyLeft", S::Web, 12},
    PageText{"keyRight", S::Web, 13},
    PageText{"keyUp", S::Web, 14},
    PageText{"keyDown", S::Web, 15},
    PageText{"keyEscape", S::Web, 16},
    PageText{"or", S::Web, 17},
    PageText{"pileLabel", S::Web, 18},
    PageText{"opponentCards", S::Web, 19},
    PageText{"stockCards", S::Web, 20},
    PageText{"keyColumn", S::Web, 21},
    PageText{"commandColumn", S::Web, 22},
    PageText{"hearingHint", S::Web, 23},
    PageText{"left", S::Web, 24},
    PageText{"right", S::Web, 25},
    PageText{"first", S::Web, 26},
    PageText{"last", S::Web, 27},
    PageText{"play", S::Web, 28},
    PageText{"drawOrStand", S::Web, 29},
    PageText{"toggleHearing", S::Web, 30},
    PageText{"language", S::Web, 31},
    PageText{"restartToApply", S::Client, 93},
    PageText{"settingsHeading", S::Client, 32},
    PageText{"playerIs", S::Client, 33},
    PageText{"man", S::Client, 34},
    PageText{"woman", S::Client, 35},
    PageText{"pickupForSeven", S::Client, 36},
    PageText{"twoCards", S::Client, 37},
    PageText{"threeCards", S::Client, 38},
    PageText{"kingOfSpades", S::Client, 39},
    PageText{"returnToGame", S::Client, 41},
    PageText{"playForPoints", S::Client, 42},
    PageText{"numberOfGames", S::Client, 43},
    PageText{"compulsory", S::Client, 44},
    PageText{"shuffleCards", S::Client, 45},
    PageText{"dealtCards", S::Client, 46},
    PageText{"playerName", S::Client, 51},
    PageText{"useTable", S::Client, 70},
    PageText{"scoreHeading", S::Client, 86},
    PageText{"writeResult", S::Client, 74},
    PageText{"continueGame", S::Client, 75},
    PageText{"closeScores", S::Client, 87},
    PageText{"computerLevel", S::Client, 175},
    PageText{"levelUsual", S::Client, 176},
    PageText{"levelStrong", S::Client, 177},
    PageText{"showScores", S::Web, 32},
    PageText{"networkHeading", S::Web, 33},
    PageText{"tableHint", S::Web, 34},
    PageText{"goToNetworkGame", S::Web, 35},
    PageText{"chatHeading", S::Web, 36},
    PageText{"escapeKey", S::Web, 37},
    PageText{"networkMatch", S::Client, 98},
    PageText{"sendMessage", S::Client, 99},
    PageText{"message", S::Client, 110},
    PageText{"waitOpponent", S::Client, 118},
    PageText{"noAnswerYet", S::Client, 141},
    PageText{"tableName", S::Client, 143},
    PageText{"cancel", S::Client, 48},
    PageText{"opponentMessage", S::Client, 152},
    PageText{"you", S::Client, 166},
    PageText{"opponent", S::Client, 167},
    PageText{"serverLost", S::Client, 190},
    PageText{"serverBack", S::Client, 191},
};

// The desktop marks its accelerators with '&' ("&&" is a plain '&'); a page has none.
std::string WithoutAccelerators(const std::string& caption) {
    std::string plain;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        plain += caption[i];
    }
    return plain;
}

std::string JsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::span<const PageText> PageTexts() {
    return kPageTexts;
}

std::string PageTextIn(const PageText& text, std::int32_t base) {
    const StringTable table = text.source == S::Client ? ClientStrings() : WebStrings();
    return WithoutAccelerators(LocalizedText(table, base, text.index));
}

std::string TextsTypeScript() {
    std::string out =
        "// The page's texts in Czech and English. Printed by tarvel_web_export from the client's\n"
        "// and the page's string tables at build time: change them there.\n\n"
        "export const TEXTS = {\n";
    for (const auto& [language, base] : {std::pair{"cs", kCzechLanguageBase}, std::pair{"en", kEnglishLanguageBase}}) {
        out += std::string("  ") + language + ": {\n";
        for (const PageText& text : kPageTexts) {
            out += "    " + std::string(text.key) + ": " + JsonString(PageTextIn(text, base)) + ",\n";
        }
        out += "  },\n";
    }
    return out + "} as const;\n\nexport type Language = keyof typeof TEXTS;\nexport type TextKey = keyof (typeof TEXTS)[\"cs\"];\n";
}

}  // namespace tarvel::web
