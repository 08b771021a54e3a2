#include "engine.h"

namespace tarvel {

Engine::Engine(PresentationPort& presentation, NetworkPort& network, RandomSource& random)
    : presentation_(presentation), network_(network), random_(random) {}

void Engine::ApplyGenderFromOptions() {
    state_.PlayerVoice = options_.playergender == "z" ? "z" : "m";
    state_.OpponentVoice = state_.PlayerVoice == "m" ? "z" : "m";
}

}  // namespace tarvel
