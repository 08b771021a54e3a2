#include "client/table/table_description.h"

#include "client/settings/client_texts.h"
#include "engine/table_layout.h"

namespace tarvel {
namespace {

std::string WithoutLeadingBlank(std::string_view text) {
    return std::string(!text.empty() && text.front() == ' ' ? text.substr(1) : text);
}

}  // namespace

std::string DescribeTable(const GameState& state, const Localizer& texts) {
    if (!state.GameRunning) return texts.LocalizedText(text::kNoMatchRunning);
    std::string line;
    if (state.SuitChoiceActive) {
        line += texts.LocalizedText(text::kSelectedSuit) + ": " +
                WithoutLeadingBlank(layout::SuitAtX(state.MarkerX)) + ". ";
    } else if (state.SelectedIndex >= 1 && state.SelectedIndex <= state.PlayerHand.Size()) {
        line += texts.LocalizedText(text::kSelectedCard) + ": " + state.PlayerHand.At(state.SelectedIndex).Name +
                ", " + std::to_string(state.SelectedIndex) + " " + texts.LocalizedText(text::kCardOf) + " " +
                std::to_string(state.PlayerHand.Size()) + ". ";
    }
    if (!state.Pile.StackEmpty()) {
        const auto& entries = state.Pile.BottomToTop();
        const typhodnoty& top = entries.back();
        line += texts.LocalizedText(text::kOnThePile) + ": ";
        if (IsSuitMarker(top.Name) && entries.size() >= 2) {
            line += entries[entries.size() - 2].Name + ", " + texts.LocalizedText(text::kSuitAskedFor) + " " +
                    WithoutLeadingBlank(top.Name);
        } else {
            line += top.Name;
        }
        line += ". ";
    }
    line += texts.LocalizedText(text::kOpponentCards) + ": " + std::to_string(state.OpponentCount) + ".";
    return line;
}

}  // namespace tarvel
