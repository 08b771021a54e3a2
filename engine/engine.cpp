#include "engine.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace tarvel {

Engine::Engine(PresentationPort& presentation, NetworkPort& network, RandomSource& random)
    : presentation_(presentation), network_(network), random_(random) {}

void Engine::ApplyGenderFromOptions() {
    state_.PlayerVoice = options_.playergender == "z" ? "z" : "m";
    state_.OpponentVoice = state_.PlayerVoice == "m" ? "z" : "m";
}

void Engine::Say(std::string_view text, std::uint8_t variant) {
    presentation_.SayPhrase(OV(), text, variant);
}

void Engine::SayEffect(std::string_view text, std::uint8_t variant) {
    presentation_.SayPhrase("", text, variant);
}

void Engine::SendNet(std::string_view keyword) {
    if (Networked()) network_.Send(keyword);
}

void Engine::SendNet(std::string_view keyword, std::string_view value) {
    if (Networked()) network_.Send(keyword, value);
}

void Engine::SetLabelText(int stringIndex, std::string_view suffix) {
    presentation_.SetLabel(presentation_.LocalizedText(stringIndex) + std::string(suffix));
}

void Engine::SetPanelNumber(int panel, std::int64_t value) {
    presentation_.SetStatusPanel(panel, std::to_string(value));
}

void Engine::WriteStatusPanels() {
    presentation_.SetStatusPanel(0, presentation_.LocalizedText(27));
    SetPanelNumber(1, state_.PlayerWins);
    presentation_.SetStatusPanel(2, presentation_.LocalizedText(28));
    SetPanelNumber(3, state_.OpponentWins);
    if (options_.playforpoints) {
        presentation_.SetStatusPanel(4, presentation_.LocalizedText(29));
        SetPanelNumber(5, state_.PlayerPenalty);
        presentation_.SetStatusPanel(6, presentation_.LocalizedText(30));
        SetPanelNumber(7, state_.OpponentPenalty);
    }
    presentation_.SetStatusPanel(8, presentation_.LocalizedText(31));
    SetPanelNumber(9, state_.GameNumber);
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

std::uint8_t Engine::DealtCards() const {
    return std::clamp<std::uint8_t>(options_.dealtcards, 4, 10);
}

std::uint8_t Engine::SevenPenalty() const {
    return std::clamp<std::uint8_t>(options_.pickupforseven, 2, 3);
}

}  // namespace tarvel
