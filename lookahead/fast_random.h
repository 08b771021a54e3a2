// A small, fast random source for the look-ahead's deals and playouts, seeded once
// per decision from the game's own source so a seeded game stays repeatable.
#pragma once

#include <cstdint>

namespace tarvel::lookahead {

class FastRandom {
  public:
    explicit FastRandom(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
        if (state_ == 0) state_ = 1;
    }
    std::uint64_t Next() {
        // xorshift64*
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // A uniform whole number in 0 .. n - 1 (n at least 1), as the rules' shuffles ask.
    std::uint32_t Random(std::uint32_t n) {
        return static_cast<std::uint32_t>(((Next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }

  private:
    std::uint64_t state_;
};

}  // namespace tarvel::lookahead
