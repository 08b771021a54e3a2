// Drawing and standing for both sides, and turning the pile into a new stock.
#include <string>
#include <vector>

#include "engine.h"

namespace tarvel {

bool Engine::SevensCheck() const {
    const std::string& top = TopName();
    for (const auto& card : state_.PlayerHand.Cards()) {
        if (options_.kingofspades) {
            if ((BeginsKingOfSpades(top) && IsSevenOfSpades(card.Name)) ||
                (IsSevenOfSpades(top) && BeginsKingOfSpades(card.Name))) {
                return true;
            }
        } else if (IsSeven(top) && IsSeven(card.Name)) {
            return true;
        }
    }
    return false;
}

void Engine::DrawCommand() {
    if (!state_.GameRunning || state_.SuitChoiceActive) return;
    if (Networked() && !state_.PlayerTurn) {
        presentation_.StartPhrase("", "off", 1);
        return;
    }
    if (state_.ReturnPending) {
        if (options_.compulsory && SevensCheck()) {
            Say("nešvindluj");
        } else {
            OpponentWinsGame();  // the player declines to return the computer into the game
        }
        return;
    }
    if (!options_.compulsory) {
        PlayerDraws();
        return;
    }
    if (state_.AcePending) {
        bool holdsAce = false;
        for (const auto& card : state_.PlayerHand.Cards()) holdsAce = holdsAce || IsAce(card.Name);
        if (holdsAce) {
            Say("nešvindluj");
        } else {
            PlayerDraws();
        }
        return;
    }
    if (state_.PendingDraw > 0 && SevensCheck()) {
        Say("nešvindluj");
        return;
    }
    PlayerDraws();
}

bool Engine::RefillStockIfEmpty() {
    if (!state_.Stock.StackEmpty()) return true;
    if (PileCannotTurn()) return false;
    TurnPile();
    return !state_.Stock.StackEmpty();
}

bool Engine::TakeFromStock(CardQueue& hand, std::uint8_t& count) {
    if (!RefillStockIfEmpty()) {
        Say("není z čeho lízat");
        return false;
    }
    state_.CurrentCard = state_.Stock.PopCard();
    hand.AppendCard(state_.CurrentCard);
    count = static_cast<std::uint8_t>(hand.Size());
    return true;
}

void Engine::PlayerDraws() {
    if (state_.AcePending) {
        // The player stands: nothing is drawn.
    } else if (!Networked() && state_.Stock.StackEmpty() && PileCannotTurn()) {
        Say("není z čeho lízat");
    } else {
        if (state_.PendingDraw == 0) state_.PendingDraw = 1;
        if (Networked()) {
            SendNet("req card", std::to_string(state_.PendingDraw));
        } else {
            for (int i = 0; i < state_.PendingDraw; ++i) {
                if (!TakeFromStock(state_.PlayerHand, state_.PlayerCount)) break;
                presentation_.DrawPlayerCardAt(state_.PlayerCount);
                SayEffect("lízání");
                if (options_.saypickedcards) {
                    if (options_.movemouse)
                        presentation_.MovePointer(20 * state_.PlayerCount + 5, state_.MarkerY + 90);
                    presentation_.SayPhrase(PV(), state_.CurrentCard.Name, 11);
                }
            }
        }
    }
    if (Networked() && state_.AcePending) {
        presentation_.SayPhrase(PV(), "stojím", 1);
        SendNet("standing");
        state_.PlayerTurn = false;
    }
    state_.PendingDraw = 0;
    state_.AcePending = false;
    if (!Networked() && !state_.GameOver) OpponentTurn();
}

void Engine::OpponentDraws() {
    if (!state_.AcePending) {
        if (state_.ReturnPending) {
            state_.OpponentHand.Clear();
            state_.OpponentCount = 0;
            state_.ReturnPending = false;
            Say("vracíš mě do hry");
        }
        if (state_.Stock.StackEmpty() && PileCannotTurn()) {
            Say("lížu");
            Say("není z čeho lízat");
        } else {
            if (state_.PendingDraw == 0) state_.PendingDraw = 1;
            Say("lížu");
            std::string label = presentation_.LocalizedText(57) + " ";
            if (state_.PendingDraw > 1) {
                label += " " + std::to_string(state_.PendingDraw) + " " +
                         presentation_.LocalizedText(state_.PendingDraw <= 4 ? 58 : 59);
            }
            presentation_.SetLabel(label);
            for (int i = 0; i < state_.PendingDraw; ++i) {
                if (!TakeFromStock(state_.OpponentHand, state_.OpponentCount)) break;
                presentation_.DrawOpponentBackAt(state_.OpponentCount);
                SayEffect("lízání");
            }
        }
    }
    state_.PendingDraw = 0;
    mind_.CardChosen = true;
    mind_.OpponentStood = true;
    state_.AcePending = false;
}

bool Engine::PileCannotTurn() const {
    const auto size = state_.Pile.Size();
    return size <= 1 || (size == 2 && IsSuitMarker(state_.Pile.Top().Name));
}

void Engine::TurnPile() {
    std::vector<typhodnoty> keep;  // the top, and its queen when the top is a marker
    keep.push_back(state_.Pile.PopCard());
    if (IsSuitMarker(keep.back().Name) && !state_.Pile.StackEmpty()) keep.push_back(state_.Pile.PopCard());
    // Entries leave the pile from the top, so the first card played ends on top of the stock.
    while (!state_.Pile.StackEmpty()) {
        typhodnoty entry = state_.Pile.PopCard();
        if (!IsSuitMarker(entry.Name)) state_.Stock.PushCard(entry);
    }
    for (auto it = keep.rbegin(); it != keep.rend(); ++it) state_.Pile.PushCard(*it);
    Say("Otáčím hromádku");
    if (options_.shufflecards) {
        ShuffleStock();
    } else {
        state_.StockOrderKnown = true;
    }
}

void Engine::ShuffleStock() {
    if (state_.Stock.Size() < 2) return;
    std::vector<typhodnoty> ring;
    ring.reserve(state_.Stock.Size());
    while (!state_.Stock.StackEmpty()) ring.push_back(state_.Stock.PopCard());
    ShuffleIntoStock(std::move(ring), 0, state_.Stock, random_);
}

}  // namespace tarvel
