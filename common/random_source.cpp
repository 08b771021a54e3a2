#include "random_source.h"

#include <chrono>

namespace tarvel {

StandardRandom::StandardRandom() {
    SeedFromClock();
}

StandardRandom::StandardRandom(std::uint64_t seed, bool keepSeed) : engine_(seed), keepSeed_(keepSeed) {}

std::uint32_t StandardRandom::Random(std::uint32_t n) {
    if (n <= 1) return 0;
    std::uniform_int_distribution<std::uint32_t> pick(0, n - 1);
    return pick(engine_);
}

void StandardRandom::SeedFromClock() {
    if (keepSeed_) return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::uint64_t>(now) ^ std::random_device{}());
}

}  // namespace tarvel
