#include "client/table/table_keys.h"


namespace tarvel {

void PressTableKey(TableKey key, Engine& engine, SayCommands& say) {
    const GameState& state = engine.State();
    if (!state.running) return;
    const bool suitChoice = state.SuitChoiceActive();
    switch (key) {
        case TableKey::Up:
            say.PileCard();
            break;
        case TableKey::Down:
            say.OpponentCardCount();
            break;
        case TableKey::Left:
            suitChoice ? engine.SelectSuitLeft() : engine.SelectLeft();
            break;
        case TableKey::Right:
            suitChoice ? engine.SelectSuitRight() : engine.SelectRight();
            break;
        case TableKey::First:
            suitChoice ? engine.SelectFirstSuit() : engine.SelectFirstCard();
            break;
        case TableKey::Last:
            suitChoice ? engine.SelectLastSuit() : engine.SelectLastCard();
            break;
        case TableKey::Space:
            if (!suitChoice) engine.DrawCommand();
            break;
        case TableKey::Enter:
            if (suitChoice) {
                engine.PlayerChoosesSuit(state.selectedSuit);
            } else {
                engine.PlayPlayerCard();
            }
            break;
    }
}

}  // namespace tarvel
