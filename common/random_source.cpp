#include "common/random_source.h"

#include <chrono>

namespace tarvel {

StandardRandom::StandardRandom() {
    SeedFromClock();
}

StandardRandom::StandardRandom(std::uint64_t seed, bool keepSeed) : engine_(seed), keepSeed_(keepSeed) {}

std::uint32_t StandardRandom::Random(std::uint32_t n) {
    if (n <= 1) return 0;
    // The twister's output is fixed by the language; the distributions of the standard
    // library are not, so the range is made here: outputs below 2^64 mod n are drawn
    // again, which leaves a whole number of copies of 0 .. n - 1 to take the rest of.
    const std::uint64_t range = n;
    const std::uint64_t rejected = (0 - range) % range;
    for (;;) {
        const std::uint64_t value = engine_();
        if (value >= rejected) return static_cast<std::uint32_t>(value % range);
    }
}

void StandardRandom::SeedFromClock() {
    if (keepSeed_) return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine_.seed(static_cast<std::uint64_t>(now) ^ std::random_device{}());
}

}  // namespace tarvel
