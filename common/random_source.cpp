#include "common/random_source.h"

#include <chrono>

#if defined(__linux__)
#include <sys/random.h>
#endif

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

std::uint32_t SystemRandom::NextWord() {
    if (used_ == words_.size()) {
        auto* bytes = reinterpret_cast<unsigned char*>(words_.data());
        std::size_t filled = 0;
        const std::size_t wanted = sizeof words_;
#if defined(__linux__)
        while (filled < wanted) {
            const ssize_t got = getrandom(bytes + filled, wanted - filled, 0);
            if (got < 0) break;  // only when interrupted or without the call: the fallback fills the rest
            filled += static_cast<std::size_t>(got);
        }
#endif
        if (filled < wanted) {
            std::random_device device;
            for (auto& word : words_) word = device();
        }
        used_ = 0;
    }
    return words_[used_++];
}

std::uint32_t SystemRandom::Random(std::uint32_t n) {
    if (n <= 1) return 0;
    // Words below 2^32 mod n are drawn again, so every value is equally likely.
    const std::uint32_t rejected = (0u - n) % n;
    for (;;) {
        const std::uint32_t value = NextWord();
        if (value >= rejected) return value % n;
    }
}

}  // namespace tarvel
