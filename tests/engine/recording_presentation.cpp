#include "recording_presentation.h"

#include "number_words.h"
#include "who_leads.h"

namespace tarvel::testing {
namespace {
std::set<SpokenPhrase>& Registry() {
    static std::set<SpokenPhrase> phrases;
    return phrases;
}
}  // namespace

const std::set<SpokenPhrase>& AllSpokenPhrases() {
    return Registry();
}

void NoteSpoken(SpokenPhrase phrase) {
    Registry().insert(std::move(phrase));
}

void NoteNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    for (auto& word : NumberWords(number, sayZero)) NoteSpoken({std::string(voice), std::move(word), 1});
}

void NoteWhoLeads(std::string_view voice, const MatchStanding& standing) {
    NoteSpoken({std::string(voice), std::string(WhoLeadsText(standing)), 1});
}

std::string RecordingPresentation::LocalizedText(int index) {
    static const std::map<int, std::string> kCzech = {
        {27, "Tvoje výhry"}, {28, "Moje výhry"}, {29, "Tvoje body"}, {30, "Moje body"}, {31, "Hra"},
        {57, "lížu"},        {58, "karty"},      {59, "karet"},      {60, "měním"},     {61, "Jsem vítěz"},
        {62, "Stojím"},      {63, "Vyhazuji"},   {64, "Začínáš"},    {65, "Jsi vítěz"},
    };
    const auto it = kCzech.find(index);
    return it == kCzech.end() ? std::string{} : it->second;
}

std::vector<std::string> RecordingPresentation::Texts() const {
    std::vector<std::string> texts;
    for (const auto& event : spoken) {
        const auto bar = event.find('|');
        const auto second = event.find('|', bar + 1);
        texts.push_back(
            event.substr(bar + 1, second == std::string::npos ? std::string::npos : second - bar - 1));
    }
    return texts;
}

}  // namespace tarvel::testing
