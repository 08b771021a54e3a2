// The source of randomness for shuffles and the choice of the first beginner.
// The game draws from an injected source so that tests and benchmarks can seed it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace tarvel {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniform whole number in 0 .. n - 1; n is at least 1.
    virtual std::uint32_t Random(std::uint32_t n) = 0;
    // Reseed from the clock; a seeded source for tests keeps its sequence.
    virtual void SeedFromClock() {}
};

// The 64-bit Mersenne twister; seeded from the clock unless a seed is given. A seed
// gives the same sequence with every compiler and standard library.
class StandardRandom final : public RandomSource {
  public:
    StandardRandom();
    explicit StandardRandom(std::uint64_t seed, bool keepSeed = true);
    std::uint32_t Random(std::uint32_t n) override;
    void SeedFromClock() override;

  private:
    std::mt19937_64 engine_;
    bool keepSeed_ = false;
};

// The system's cryptographic random source (getrandom on Linux): what a player could
// learn from his own cards or the clock tells him nothing about the next card. Never
// seeded, so never the same twice; tests that want a known deal inject their own source.
class SystemRandom final : public RandomSource {
  public:
    std::uint32_t Random(std::uint32_t n) override;

  private:
    std::uint32_t NextWord();
    // Taken from the system a few hundred bytes at a time rather than a call per card.
    std::array<std::uint32_t, 64> words_{};
    std::size_t used_ = words_.size();
};

}  // namespace tarvel
