#include "common/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvel {
namespace {

// The deal of a seed is the same on every machine: the generator's output is fixed by
// the language and the range is made without the library's distributions.
TEST(Random, ASeedGivesTheSameNumbersEverywhere) {
    StandardRandom random(1);
    std::vector<std::uint32_t> drawn;
    for (std::uint32_t n = 32; n > 20; --n) drawn.push_back(random.Random(n));
    EXPECT_EQ(drawn, (std::vector<std::uint32_t>{8, 16, 0, 27, 16, 24, 0, 15, 8, 11, 14, 8}));
    EXPECT_EQ(random.Random(1), 0u);
    EXPECT_EQ(random.Random(0), 0u);
}

}  // namespace
}  // namespace tarvel
