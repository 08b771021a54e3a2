#include "tests/engine/recording_presentation.h"

#include "client/speech/number_words.h"
#include "client/speech/who_leads.h"

namespace tarvel::testing {
namespace {
std::set<SpokenPhrase>& Registry() {
    static std::set<SpokenPhrase> phrases;
    return phrases;
}

std::string Phrase(std::string_view kind, std::string_view voice, std::string_view text,
                   std::uint8_t variant) {
    return std::string(kind) + " " + std::string(voice) + "|" + std::string(text) + "|" +
           std::to_string(variant);
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

std::string_view MenuItemName(MenuItem item) {
    switch (item) {
        case MenuItem::Novsovhra1:
            return "Novsovhra1";
        case MenuItem::Ukonenhry1:
            return "Ukonenhry1";
        case MenuItem::Nastavenhry1:
            return "Nastavenhry1";
        case MenuItem::Sovnastaven1:
            return "Sovnastaven1";
        case MenuItem::ekni1:
            return "ekni1";
        case MenuItem::tvojebody1:
            return "tvojebody1";
        case MenuItem::Mojebody1:
            return "Mojebody1";
        case MenuItem::Tvojebodydotabulky1:
            return "Tvojebodydotabulky1";
        case MenuItem::Polizprvusoupei1:
            return "Polizprvusoupei1";
    }
    return "?";
}

void RecordingPresentation::Speak(std::string event) {
    spoken.push_back(event);
    events.push_back(std::move(event));
}

void RecordingPresentation::Act(std::string event) {
    actions.push_back(event);
    events.push_back(std::move(event));
}

void RecordingPresentation::SayPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    NoteSpoken({std::string(voice), std::string(text), variant});
    Speak(Phrase("say", voice, text, variant));
}

void RecordingPresentation::StartPhrase(std::string_view voice, std::string_view text, std::uint8_t variant) {
    NoteSpoken({std::string(voice), std::string(text), variant});
    Speak(Phrase("start", voice, text, variant));
}

void RecordingPresentation::SayNumber(std::string_view voice, std::int32_t number, bool sayZero) {
    NoteNumber(voice, number, sayZero);
    Speak("number " + std::string(voice) + "|" + std::to_string(number) + (sayZero ? "" : "|nozero"));
}

void RecordingPresentation::SayWhoLeads(std::string_view voice, const MatchStanding& s) {
    NoteWhoLeads(voice, s);
    Speak("leads " + std::string(voice) + "|" + std::to_string(s.playerPenalty) + "," +
          std::to_string(s.opponentPenalty) + "," + std::to_string(s.numberOfGames) + "," +
          std::to_string(s.gameNumber));
}

void RecordingPresentation::PlaceMarker(bool movePointer) {
    std::string event = "PlaceMarker";
    if (state != nullptr)
        event += " " + std::to_string(state->markerX) + "," + std::to_string(state->markerY);
    if (movePointer) event += " pointer";
    Act(std::move(event));
}

void RecordingPresentation::SetLabel(std::string_view text) {
    label = std::string(text);
    labels.push_back(label);
    Act("Label " + label);
}

void RecordingPresentation::SetStatusPanel(StatusPanel panel, std::string_view text) {
    const int index = static_cast<int>(panel);
    panels[index] = std::string(text);
    Act("Panel " + std::to_string(index) + " " + std::string(text));
}

void RecordingPresentation::EnableMenuItem(MenuItem item, bool enabled) {
    menu[item] = enabled;
    Act("Menu " + std::string(MenuItemName(item)) + (enabled ? " on" : " off"));
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

std::vector<std::string> RecordingPresentation::Only(std::initializer_list<std::string_view> prefixes) const {
    std::vector<std::string> picked;
    for (const auto& event : events) {
        for (const auto prefix : prefixes) {
            if (event.rfind(prefix, 0) == 0) {
                picked.push_back(event);
                break;
            }
        }
    }
    return picked;
}

}  // namespace tarvel::testing
