#include "session/table/table_description.h"

#include "session/texts/client_texts.h"
#include "rules/card_names.h"

namespace tarvel {
std::string DescribeTable(const GameState& state, const Localizer& texts) {
    if (!state.running) return texts.LocalizedText(text::kNoMatchRunning);
    std::string line;
    if (state.SuitChoiceActive()) {
        line += texts.LocalizedText(text::kSelectedSuit) + ": " +
                rules::SuitWord(state.selectedSuit) + ". ";
    } else if (const rules::CardId card = state.SelectedCard(); card != rules::kNoCard) {
        line += texts.LocalizedText(text::kSelectedCard) + ": " + rules::CardName(card) + ", " +
                std::to_string(state.selected) + " " + texts.LocalizedText(text::kCardOf) + " " +
                std::to_string(state.playerHand.size()) + ". ";
    }
    const rules::CardId top = state.game.Top();
    if (top != rules::kNoCard) {
        line += texts.LocalizedText(text::kOnThePile) + ": " + rules::CardName(top);
        if (state.RequestedSuitShown()) {
            line += ", " + texts.LocalizedText(text::kSuitAskedFor) + " " + rules::SuitWord(state.game.namedSuit);
        }
        line += ". ";
    }
    line += texts.LocalizedText(text::kOpponentCards) + ": " + std::to_string(state.opponentCount) + ".";
    return line;
}

}  // namespace tarvel
