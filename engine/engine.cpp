#include "engine/engine.h"

#include <numeric>
#include <string>

namespace tarvel {

Engine::Engine(SpeechPort& speech, TablePort& table, WindowPort& window, NetworkPort& network,
               RandomSource& random)
    : speech_(speech), table_(table), window_(window), network_(network), random_(random) {}

void Engine::ApplyGenderFromOptions() {
    const VoiceLetters voices = VoiceLettersForGender(options_.playergender);
    state_.PlayerVoice = voices.player;
    state_.OpponentVoice = voices.opponent;
}

void Engine::Say(std::string_view text, std::uint8_t variant) {
    speech_.SayPhrase(OV(), text, variant);
}

void Engine::SayEffect(std::string_view text, std::uint8_t variant) {
    speech_.SayPhrase(kNoVoice, text, variant);
}

void Engine::SendNet(protocol::ClientKind kind) {
    if (Networked()) network_.Send(kind);
}

void Engine::SendNet(protocol::ClientKind kind, std::string_view value) {
    if (Networked()) network_.Send(kind, value);
}

void Engine::SetLabelText(int textIndex, std::string_view suffix) {
    window_.SetLabel(window_.LocalizedText(textIndex) + std::string(suffix));
}

void Engine::SetPanelNumber(StatusPanel panel, std::int64_t value) {
    window_.SetStatusPanel(panel, std::to_string(value));
}

void Engine::WriteStatusPanels() {
    window_.SetStatusPanel(StatusPanel::PlayerWinsLabel, window_.LocalizedText(text::kYourWins));
    SetPanelNumber(StatusPanel::PlayerWins, state_.PlayerWins);
    window_.SetStatusPanel(StatusPanel::OpponentWinsLabel, window_.LocalizedText(text::kMyWins));
    SetPanelNumber(StatusPanel::OpponentWins, state_.OpponentWins);
    if (options_.playforpoints) {
        window_.SetStatusPanel(StatusPanel::PlayerPointsLabel, window_.LocalizedText(text::kYourPoints));
        SetPanelNumber(StatusPanel::PlayerPoints, state_.PlayerPenalty);
        window_.SetStatusPanel(StatusPanel::OpponentPointsLabel, window_.LocalizedText(text::kMyPoints));
        SetPanelNumber(StatusPanel::OpponentPoints, state_.OpponentPenalty);
    }
    window_.SetStatusPanel(StatusPanel::GameLabel, window_.LocalizedText(text::kGame));
    SetPanelNumber(StatusPanel::GameNumber, state_.GameNumber);
}

const std::string& Engine::TopName() const {
    static const std::string kNoCard;
    return state_.Pile.StackEmpty() ? kNoCard : state_.Pile.Top().Name;
}

std::int32_t Engine::HandPoints(const CardQueue& hand) {
    const auto& cards = hand.Cards();
    return std::accumulate(cards.begin(), cards.end(), std::int32_t{0},
                           [](std::int32_t sum, const typhodnoty& card) { return sum + card.Value; });
}

}  // namespace tarvel
