#include "tests/engine/recording_presentation.h"

#include "session/texts/client_strings.h"
#include "session/texts/message_line.h"
#include "session/speech/number_words.h"
#include "session/speech/who_leads.h"

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

void RecordingPresentation::WriteLine(MessageLine line, std::uint8_t count) {
    static const Localizer czech(ClientStrings());
    label = MessageLineText(line, count, czech);
    labels.push_back(label);
    Act("Label " + label);
}

void RecordingPresentation::Happened(const GameEvent& event) {
    switch (event.kind) {
        case GameEventKind::TableCleared:
            return Act("TableCleared");
        case GameEventKind::GameBegins:
            return Act("GameBegins");
        case GameEventKind::Dealt:
            return Act("Dealt");
        case GameEventKind::TurnBegins:
            return Act("TurnBegins");
        case GameEventKind::SelectionMoved:
            return Act(event.byKeys ? "Selection keys" : "Selection");
        case GameEventKind::NamedSuitCovered:
            return Act("NamedSuitCovered");
        case GameEventKind::PlayerLaid:
            return Act("PlayerLaid");
        case GameEventKind::OpponentLaid:
            return Act("OpponentLaid " + std::to_string(event.position));
        case GameEventKind::LookAtPile:
            return Act("LookAtPile");
        case GameEventKind::PlayerDrew:
            return Act("PlayerDrew " + std::to_string(event.position));
        case GameEventKind::OpponentDrew:
            return Act("OpponentDrew " + std::to_string(event.position));
        case GameEventKind::SuitChoiceOpened:
            return Act("SuitChoiceOpened");
        case GameEventKind::SuitChoiceClosed:
            return Act("SuitChoiceClosed");
        case GameEventKind::SuitNamed:
            return Act("SuitNamed");
        case GameEventKind::Announced:
            return WriteLine(event.line, event.count);
        case GameEventKind::GameDecided:
            Act(event.seat == kPlayerSeat ? "Won player" : "Won opponent");
            label = MessageLineText(event.seat == kPlayerSeat ? MessageLine::YouWin : MessageLine::IWin, 0,
                                    Localizer(ClientStrings()));
            labels.push_back(label);
            return;
        case GameEventKind::ScoreStep:
            return Act("ScoreStep");
        case GameEventKind::GameUnderWay:
            return Act("GameUnderWay");
        case GameEventKind::MatchEnded:
            label.clear();
            return Act("MatchEnded");
    }
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
