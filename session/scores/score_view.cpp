#include "session/scores/score_view.h"

#include "session/scores/score_moment.h"
#include "session/scores/score_texts.h"

namespace tarvel {

namespace {

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;  // not a continuation byte
    }
    return count;
}

}  // namespace

std::string PadToWidth(std::string_view text, std::size_t width) {
    std::string padded(text);
    const std::size_t characters = CharacterCount(text);
    if (characters < width) padded.append(width - characters, ' ');
    return padded;
}

std::string TableHeaderLine(const Localizer& texts) {
    return PadToWidth(texts.LocalizedText(score_text::kPlaceHeading), kPlaceColumnWidth) +
           PadToWidth(texts.LocalizedText(score_text::kNameHeading), kNameColumnWidth) +
           PadToWidth(texts.LocalizedText(score_text::kScoreHeading), kScoreColumnWidth) +
           PadToWidth(texts.LocalizedText(score_text::kDateHeading), kDateColumnWidth) +
           texts.LocalizedText(score_text::kTimeHeading);
}

std::string TableRowLine(int place, const ScoreEntry& entry) {
    return PadToWidth(std::to_string(place) + ".", kPlaceColumnWidth) +
           PadToWidth(TableNameText(entry.name), kNameColumnWidth) +
           PadToWidth(std::to_string(entry.score), kScoreColumnWidth) +
           PadToWidth(TableDateText(entry.moment), kDateColumnWidth) + TableTimeText(entry.moment);
}

std::vector<std::string> TableLines(const ScoreTable& table, const Localizer& texts) {
    std::vector<std::string> lines{TableHeaderLine(texts)};
    for (int place = 1; place <= kTablePlaces; ++place) lines.push_back(TableRowLine(place, table[place - 1]));
    return lines;
}

std::string ScoreWord(std::int32_t score, const Localizer& texts) {
    if (score == 1) return texts.LocalizedText(score_text::kScoreWordOne);
    if (score >= 2 && score <= 4) return texts.LocalizedText(score_text::kScoreWordTwoToFour);
    return texts.LocalizedText(score_text::kScoreWordOther);
}

std::string QualificationLine(std::int32_t score, int place, const Localizer& texts) {
    return std::to_string(score) + " " + ScoreWord(score, texts) + " " +
           texts.LocalizedText(score_text::kIsEnoughFor) + " " + std::to_string(place) + ". " +
           texts.LocalizedText(score_text::kPlaceInTheTable);
}

}  // namespace tarvel
