// A random source that answers from a script, for tests of the random variants.
#pragma once

#include <cstdint>
#include <vector>

#include "common/random_source.h"

namespace tarvel {

class ScriptedRandom final : public RandomSource {
  public:
    // Each draw takes the next fraction 0..1 of the range: 0 gives 0, 1 gives n - 1.
    explicit ScriptedRandom(std::vector<double> fractions = {0.0}) : fractions_(std::move(fractions)) {}

    std::uint32_t Random(std::uint32_t n) override {
        const double fraction = fractions_[next_++ % fractions_.size()];
        return static_cast<std::uint32_t>(fraction * (n - 1) + 0.5);
    }

  private:
    std::vector<double> fractions_;
    std::size_t next_ = 0;
};

}  // namespace tarvel
